#include "startup.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

void showCentred(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    }
    window.show();
}
