#include "bell.h"

#include <canberra.h>
#include <dlfcn.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>

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

}  // namespace

// libcanberra, loaded by its soname, and the calls used from it. The package
// depends on it, but the program does not link it, so that X11 never loads it.
struct Bell::Sounds {
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_play) play = nullptr;
    ca_context* context = nullptr;

    ~Sounds() {
        if (context) destroy(context);
        // The library itself stays: its sound driver may still hold threads.
    }

    // Null, with the reason in `error`, when the library or its context
    // cannot be had.
    static std::shared_ptr<Sounds> open(const QByteArray& application, std::string& error) {
        void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            error = loaderError();
            return nullptr;
        }
        decltype(&ca_context_create) create = nullptr;
        decltype(&ca_context_change_props) changeProps = nullptr;
        decltype(&ca_context_open) openDriver = nullptr;
        auto sounds = std::make_shared<Sounds>();
        if (!resolve(library, create, "ca_context_create") ||
            !resolve(library, changeProps, "ca_context_change_props") ||
            !resolve(library, openDriver, "ca_context_open") ||
            !resolve(library, sounds->destroy, "ca_context_destroy") ||
            !resolve(library, sounds->play, "ca_context_play")) {
            error = loaderError();
            return nullptr;
        }
        if (const int failure = create(&sounds->context); failure != CA_SUCCESS) {
            sounds->context = nullptr;
            error = "libcanberra.so.0: no context, error " + std::to_string(failure);
            return nullptr;
        }
        changeProps(sounds->context, CA_PROP_APPLICATION_NAME, application.constData(), nullptr);
        // Opened now rather than at the first card, which would wait for the
        // sound driver to load.
        openDriver(sounds->context);
        return sounds;
    }
};

Bell::Bell(const QWidget& window)
    : window_(window),
      state_(QGuiApplication::platformName() == QLatin1String("xcb") ? State::X11
                                                                     : State::Unloaded) {}

Bell::~Bell() = default;

void Bell::load() {
    if (state_ != State::Unloaded) return;
    state_ = State::Loading;
    loader_ = std::jthread([this, application = QApplication::applicationName().toUtf8()] {
        std::string error;
        std::shared_ptr<Sounds> sounds = Sounds::open(application, error);
        if (!sounds)
            std::fprintf(stderr, "sabot: %s; cards sound the platform's beep\n", error.c_str());
        QMetaObject::invokeMethod(
            &receiver_, [this, sounds = std::move(sounds)] { loaded(sounds); },
            Qt::QueuedConnection);
    });
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
    if (state_ != State::Loaded) {
        QApplication::beep();
        return;
    }
    const QByteArray window = QByteArray::number(window_.window()->winId());
    sounds_->play(sounds_->context, 0, CA_PROP_EVENT_ID, "bell-window-system", CA_PROP_WINDOW_ID,
                  window.constData(), nullptr);
}
