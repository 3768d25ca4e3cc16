#include "startup.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace {

void centre(QWidget& window, QSize size) {
    if (const QScreen* screen = window.screen())
        window.move(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen->availableGeometry())
                .topLeft());
}

// A window manager puts its frame around the window when it maps it, and the
// platform knows the frame only from then on: at the first exposure the
// framed window is centred once more.
class CentreWhenFramed final : public QObject {
public:
    explicit CentreWhenFramed(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            centre(window_, window_.frameGeometry().size());
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

std::unique_ptr<QApplication> makeApplication(char* program) {
    static int argc = 1;
    static char* argv[] = {program, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

void showCentred(QWidget& window) {
    centre(window, window.size());
    window.winId();
    window.windowHandle()->installEventFilter(new CentreWhenFramed(window));
    window.show();
}
