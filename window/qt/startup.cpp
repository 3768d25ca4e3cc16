#include "startup.h"

#include <png.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>

#include "layout.h"
#include "no_display.h"
#include "repeat_keys.h"

namespace {

QPoint centredOn(const QScreen* screen, QSize size) {
    const QRect area = screen->availableGeometry();
    return {layout::placed(area.left(), area.width(), size.width()),
            layout::placed(area.top(), area.height(), size.height())};
}

// A window manager frames the window when it maps it, and the platform tells
// the frame only from then on: once it is known, the framed window is centred
// again, a single time. Without a frame the first placement stands.
class CentreWhenFramed final : public QObject {
public:
    explicit CentreWhenFramed(QWindow& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        const bool placed = event->type() == QEvent::Expose || event->type() == QEvent::Move;
        if (placed && !window_.frameMargins().isNull() && window_.screen()) {
            window_.removeEventFilter(this);
            window_.setFramePosition(centredOn(window_.screen(), window_.frameGeometry().size()));
            deleteLater();
        }
        return false;
    }

private:
    QWindow& window_;
};

// Runs a function once, at the window's first expose.
class OnFirstExpose final : public QObject {
public:
    OnFirstExpose(QWindow& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            then_();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// Decoded by libpng, which Qt reads PNG with too: handed a PNG, QImageReader
// first loads every image format plugin, libjpeg with them, to ask each one
// whether it reads the format. That costs no time (the icon is set after the
// first paint) but 0.25 MiB, which takes the window from 0.29 to 0.54 MiB
// over its floor, past the +0.5 MiB it is held to.
QImage readPng(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.constData(), std::size_t(data.size())))
        return {};
    // QImage's ARGB32 is 0xAARRGGBB in the machine's byte order.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (image.isNull() ||
        !png_image_finish_read(&png, nullptr, image.bits(), int(image.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

}  // namespace

QIcon iconOfPngs(std::initializer_list<QString> files) {
    QIcon icon;
    for (const QString& file : files) {
        const QImage image = readPng(file);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void whenFirstExposed(QWindow& window, std::function<void()> then) {
    new OnFirstExpose(window, std::move(then));
}

// A window is painted while its first expose is handled, and a zero timer
// started then fires after.
void whenFirstPainted(QWindow& window, std::function<void()> then) {
    whenFirstExposed(window, [&window, then = std::move(then)]() mutable {
        QTimer::singleShot(0, &window, std::move(then));
    });
}

std::unique_ptr<QApplication> makeApplication(int argc, char** argv) {
    static int count = argc > 0 ? 1 : 0;
    static std::array<char*, 2> program{argc > 0 ? argv[0] : nullptr, nullptr};
    auto app = [] {
        const NoDisplayExit noDisplay;
        return std::make_unique<QApplication>(count, program.data());
    }();
    // The offscreen platform answers for X11 too, with no connection.
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) repeat_keys_as_presses(x11->connection());
    return app;
}

void showCentred(QWidget& window, std::function<void()> painted) {
    if (const QScreen* screen = window.screen()) window.move(centredOn(screen, window.size()));
    window.winId();
    new CentreWhenFramed(*window.windowHandle());
    if (painted) whenFirstPainted(*window.windowHandle(), std::move(painted));
    window.show();
}
