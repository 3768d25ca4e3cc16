#include "bell.h"

#include <canberra.h>
#include <dlfcn.h>

#include <QApplication>
#include <QStandardPaths>
#include <QWidget>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::string loaderError() {
    const char* error = dlerror();
    return error ? error : "unknown error";
}

template <class Function>
bool resolve(void* library, Function*& function, const char* name) {
    function = reinterpret_cast<Function*>(dlsym(library, name));
    return function != nullptr;
}

// Said once, when the cards cannot sound: nothing else would tell.
void cannotSound(const std::string& why) {
    std::fprintf(stderr, "sabot: the cards cannot sound: %s\n", why.c_str());
}

// ALSA writes its complaints to standard error at each attempt, several lines
// a card where there is no sound device. The first since the last asked for is
// kept instead, for the one line that says why the cards cannot sound.
std::mutex complaintMutex;
std::array<char, 256> complaint;  // plain, for no destructor takes it from a late complaint

void keepComplaint(const char*, int, const char*, int, const char* format, ...) {
    const std::lock_guard lock(complaintMutex);
    if (complaint[0]) return;
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(complaint.data(), complaint.size(), format, arguments);
    va_end(arguments);
}

std::string takeComplaint() {
    const std::lock_guard lock(complaintMutex);
    std::string taken = complaint.data();
    complaint[0] = '\0';
    return taken;
}

// Where the sound driver has loaded ALSA (it is not loaded here otherwise).
void keepAlsaComplaints() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    int (*setHandler)(Handler) = nullptr;
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
        alsa && resolve(alsa, setHandler, "snd_lib_error_set_handler"))
        setHandler(&keepComplaint);
}

// Whether the sound theme `theme`, or the one every theme falls back on, has
// a sound for the bell, where libcanberra looks for one.
bool bellInstalled(const std::string& theme) {
    for (const QString& name : {QString::fromStdString(theme), QStringLiteral("freedesktop")})
        for (const char* sound : {"bell-window-system", "bell-window", "bell"})
            for (const char* type : {"oga", "ogg", "wav"})
                if (!QStandardPaths::locate(
                         QStandardPaths::GenericDataLocation,
                         QStringLiteral("sounds/%1/stereo/%2.%3")
                             .arg(name, QLatin1String(sound), QLatin1String(type)))
                         .isEmpty())
                    return true;
    return false;
}

// The desktop's choice of sound theme and its switch for event sounds, where
// it publishes them: GNOME's settings, read through GIO, which is loaded (not
// linked) like libcanberra. GIO's own declarations of the calls used:
struct GSettings;
struct GSettingsSchema;
struct GSettingsSchemaSource;
struct DesktopSounds {
    GSettingsSchemaSource* (*sources)() = nullptr;
    GSettingsSchema* (*lookup)(GSettingsSchemaSource*, const char*, int) = nullptr;
    void (*unrefSchema)(GSettingsSchema*) = nullptr;
    GSettings* (*settingsOf)(const char*) = nullptr;
    char* (*string)(GSettings*, const char*) = nullptr;
    int (*boolean)(GSettings*, const char*) = nullptr;
    void (*free)(void*) = nullptr;
    void (*unref)(void*) = nullptr;
    GSettings* settings = nullptr;  // null where the desktop publishes neither

    explicit DesktopSounds(void* gio) {
        constexpr const char* kSchema = "org.gnome.desktop.sound";
        if (!gio || !resolve(gio, sources, "g_settings_schema_source_get_default") ||
            !resolve(gio, lookup, "g_settings_schema_source_lookup") ||
            !resolve(gio, unrefSchema, "g_settings_schema_unref") ||
            !resolve(gio, settingsOf, "g_settings_new") ||
            !resolve(gio, string, "g_settings_get_string") ||
            !resolve(gio, boolean, "g_settings_get_boolean") || !resolve(gio, free, "g_free") ||
            !resolve(gio, unref, "g_object_unref"))
            return;
        // Asking for settings of a schema that is not installed would abort.
        GSettingsSchemaSource* installed = sources();
        GSettingsSchema* schema = installed ? lookup(installed, kSchema, 1) : nullptr;
        if (!schema) return;
        unrefSchema(schema);
        settings = settingsOf(kSchema);
    }
    ~DesktopSounds() {
        if (settings) unref(settings);
    }
    DesktopSounds(const DesktopSounds&) = delete;
    DesktopSounds& operator=(const DesktopSounds&) = delete;
};

}  // namespace

// libcanberra, loaded by its soname, and the calls used from it. The package
// depends on it, but the program does not link it, so that X11 never loads it.
struct Bell::Sounds {
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_strerror) explain = nullptr;
    ca_context* context = nullptr;
    // The desktop's settings, read again at each card, so that a change made
    // while the window is open applies to the next card.
    DesktopSounds desktop{dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL)};
    std::string theme, enabled;  // as last given to libcanberra

    // The context stays, as the library does: closing it waits on the sound
    // driver, which the window's close must never do, and its threads may
    // still be playing.

    // Null, with the reason in `error`, when the library or its context
    // cannot be had.
    static std::shared_ptr<Sounds> open(const QByteArray& application, std::string& error) {
        void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            error = "no sound library: " + loaderError();
            return nullptr;
        }
        decltype(&ca_context_create) create = nullptr;
        decltype(&ca_context_open) openDriver = nullptr;
        auto sounds = std::make_shared<Sounds>();
        if (!resolve(library, create, "ca_context_create") ||
            !resolve(library, sounds->changeProps, "ca_context_change_props") ||
            !resolve(library, openDriver, "ca_context_open") ||
            !resolve(library, sounds->play, "ca_context_play") ||
            !resolve(library, sounds->explain, "ca_strerror")) {
            error = "no sound library: " + loaderError();
            return nullptr;
        }
        if (const int failure = create(&sounds->context); failure != CA_SUCCESS) {
            sounds->context = nullptr;
            error = "libcanberra.so.0: no context, error " + std::to_string(failure);
            return nullptr;
        }
        sounds->changeProps(sounds->context, CA_PROP_APPLICATION_NAME, application.constData(),
                            nullptr);
        sounds->followDesktop();
        // Opened now rather than at the first card, which would wait for the
        // sound driver to load.
        if (const int failure = openDriver(sounds->context); failure != CA_SUCCESS) {
            error = std::string("no sound driver: ") + sounds->explain(failure);
            return nullptr;
        }
        keepAlsaComplaints();
        return sounds;
    }

    // The desktop's sound theme and event-sounds switch, where it has them.
    void followDesktop() {
        if (!desktop.settings) return;
        char* name = desktop.string(desktop.settings, "theme-name");
        const std::string newTheme = name ? name : "";
        desktop.free(name);
        const std::string newEnabled =
            desktop.boolean(desktop.settings, "event-sounds") ? "1" : "0";
        if (newTheme == theme && newEnabled == enabled) return;
        theme = newTheme;
        enabled = newEnabled;
        changeProps(context, CA_PROP_CANBERRA_XDG_THEME_NAME, theme.c_str(),
                    CA_PROP_CANBERRA_ENABLE, enabled.c_str(), nullptr);
    }
};

Bell::Bell(const QWidget& window)
    : window_(window),
      state_(QGuiApplication::platformName() == QLatin1String("xcb") ? State::X11
                                                                     : State::Unloaded) {}

Bell::~Bell() {
    if (!mailbox_) return;
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->bell = nullptr;
}

// The loader is left to itself: a sound driver that hangs while it opens must
// not hang the window's close. What it loads reaches the bell only while the
// bell is there, through the mailbox they share.
void Bell::load() {
    if (state_ != State::Unloaded) return;
    state_ = State::Loading;
    mailbox_ = std::make_shared<Mailbox>();
    mailbox_->bell = this;
    std::thread([mailbox = mailbox_, application = QApplication::applicationName().toUtf8()] {
        std::string error;
        std::shared_ptr<Sounds> sounds = Sounds::open(application, error);
        if (!sounds) cannotSound(error);
        const std::lock_guard lock(mailbox->mutex);
        if (Bell* bell = mailbox->bell)
            QMetaObject::invokeMethod(
                &bell->receiver_, [bell, sounds = std::move(sounds)] { bell->loaded(sounds); },
                Qt::QueuedConnection);
    }).detach();
}

void Bell::loaded(std::shared_ptr<Sounds> sounds) {
    sounds_ = std::move(sounds);
    state_ = sounds_ ? State::Loaded : State::Failed;
    for (; waiting_ > 0; --waiting_) play();
}

void Bell::ring() {
    load();
    if (state_ == State::Loading)
        ++waiting_;
    else
        play();
}

void Bell::play() {
    if (state_ == State::X11) return QApplication::beep();
    if (state_ != State::Loaded) return;  // the cards cannot sound, as was said
    sounds_->followDesktop();
    const QByteArray window = QByteArray::number(window_.window()->winId());
    takeComplaint();
    const int failure = sounds_->play(sounds_->context, 0, CA_PROP_EVENT_ID, "bell-window-system",
                                      CA_PROP_WINDOW_ID, window.constData(), nullptr);
    // Sounds the desktop switched off are not a failure.
    if (failure == CA_SUCCESS || failure == CA_ERROR_DISABLED) return;
    // Said once, and not tried again: each attempt would go through the same
    // failure, and the sound driver's complaints, at every card.
    state_ = State::Failed;
    const std::string alsa = takeComplaint();
    if (failure != CA_ERROR_NOTFOUND)
        cannotSound(std::string("the sound device failed: ") + sounds_->explain(failure) +
                    (alsa.empty() ? "" : " (" + alsa + ")"));
    else if (!bellInstalled(sounds_->theme))
        cannotSound("no sound theme has the bell; install sound-theme-freedesktop");
    else
        cannotSound("no sound device" + (alsa.empty() ? "" : " (" + alsa + ")"));
}
