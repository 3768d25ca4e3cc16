#include "sound_player.h"

#include <canberra.h>

#include <QStandardPaths>
#include <QString>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "loaded_library.h"

namespace {

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

}  // namespace

// The calls used from libcanberra, typed by its own header.
struct SoundPlayer::Calls {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_strerror) explain = nullptr;
};

std::shared_ptr<SoundPlayer> SoundPlayer::open(const std::string& application, std::string& error) {
    static Calls calls;
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library || !resolve(library, calls.create, "ca_context_create") ||
        !resolve(library, calls.changeProps, "ca_context_change_props") ||
        !resolve(library, calls.open, "ca_context_open") ||
        !resolve(library, calls.play, "ca_context_play") ||
        !resolve(library, calls.explain, "ca_strerror")) {
        error = "no sound library: " + loaderError();
        return nullptr;
    }
    std::shared_ptr<SoundPlayer> player(new SoundPlayer);
    player->calls_ = &calls;
    if (const int failure = calls.create(&player->context_); failure != CA_SUCCESS) {
        player->context_ = nullptr;
        error = "libcanberra.so.0: no context, error " + std::to_string(failure);
        return nullptr;
    }
    calls.changeProps(player->context_, CA_PROP_APPLICATION_NAME, application.c_str(), nullptr);
    player->followDesktop();
    // Opened now rather than at the first card, which would wait for the
    // sound driver to load.
    if (const int failure = calls.open(player->context_); failure != CA_SUCCESS) {
        error = std::string("no sound driver: ") + calls.explain(failure);
        return nullptr;
    }
    keepAlsaComplaints();
    return player;
}

// The desktop's sound theme and event-sounds switch, where it has them, read
// again at each card so that a change made while the window is open applies
// to the next one.
void SoundPlayer::followDesktop() {
    if (!desktop_.published()) return;
    const std::string theme = desktop_.theme();
    const std::string enabled = desktop_.eventSounds() ? "1" : "0";
    if (theme == theme_ && enabled == enabled_) return;
    theme_ = theme;
    enabled_ = enabled;
    calls_->changeProps(context_, CA_PROP_CANBERRA_XDG_THEME_NAME, theme_.c_str(),
                        CA_PROP_CANBERRA_ENABLE, enabled_.c_str(), nullptr);
}

std::string SoundPlayer::playBell(const std::string& windowId) {
    followDesktop();
    takeComplaint();
    const int failure = calls_->play(context_, 0, CA_PROP_EVENT_ID, "bell-window-system",
                                     CA_PROP_WINDOW_ID, windowId.c_str(), nullptr);
    // Sounds the desktop switched off are not a failure.
    if (failure == CA_SUCCESS || failure == CA_ERROR_DISABLED) return {};
    const std::string alsa = takeComplaint();
    if (failure != CA_ERROR_NOTFOUND)
        return std::string("the sound device failed: ") + calls_->explain(failure) +
               (alsa.empty() ? "" : " (" + alsa + ")");
    if (!bellInstalled(theme_))
        return "no sound theme has the bell; install sound-theme-freedesktop";
    return "no sound device" + (alsa.empty() ? "" : " (" + alsa + ")");
}
