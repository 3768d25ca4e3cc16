#include "bell.h"

#include <canberra.h>

#include <QApplication>
#include <QWidget>

Bell::Bell(const QWidget& window) : window_(window) {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return;
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return;
    }
    ca_context_change_props(context_, CA_PROP_APPLICATION_NAME,
                            qUtf8Printable(QApplication::applicationName()), nullptr);
    // Opened now rather than at the first card, which would wait for the
    // sound driver to load.
    ca_context_open(context_);
}

Bell::~Bell() {
    if (context_) ca_context_destroy(context_);
}

void Bell::ring() {
    if (!context_) {
        QApplication::beep();
        return;
    }
    const QByteArray window = QByteArray::number(window_.window()->winId());
    ca_context_play(context_, 0, CA_PROP_EVENT_ID, "bell-window-system", CA_PROP_WINDOW_ID,
                    window.constData(), nullptr);
}
