#include "startup.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <array>

namespace {

QPoint centredOn(const QScreen* screen, QSize size) {
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen->availableGeometry())
        .topLeft();
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

}  // namespace

std::unique_ptr<QApplication> makeApplication(int argc, char** argv) {
    static int count = argc > 0 ? 1 : 0;
    static std::array<char*, 2> program{argc > 0 ? argv[0] : nullptr, nullptr};
    return std::make_unique<QApplication>(count, program.data());
}

void showCentred(QWidget& window) {
    if (const QScreen* screen = window.screen()) window.move(centredOn(screen, window.size()));
    window.winId();
    new CentreWhenFramed(*window.windowHandle());
    window.show();
}
