// The program on a desktop, started with Qt's own options on its command line:
// under openbox on Xvfb and under a headless weston (see session.sh).
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

#include <vector>

#include "form1.h"
#include "startup.h"

namespace {

bool onX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// The sounds that reached the sound device.
int bells() {
    QFile played(qEnvironmentVariable("SABOT_BELLS"));
    return played.open(QIODevice::ReadOnly) ? int(played.readAll().count('\n')) : -1;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
    Form1 form;

private Q_SLOTS:
    void initTestCase() {
        showCentred(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    void qtOptionsDoNotReachTheWindow() {
        QCOMPARE(form.windowHandle()->title(), QStringLiteral("Form1"));
        QCOMPARE(form.size(), QSize(656, 475));
        QVERIFY(QApplication::style()->name() != QLatin1String("windows"));
        // Right-to-left would make the right arrow lower the decks.
        QScrollBar* decks = form.HScroll1();
        QTest::mouseClick(decks, Qt::LeftButton, {}, {decks->width() - 3, decks->height() / 2});
        QCOMPARE(form.cmdNBJeux()->text(), QStringLiteral(" 7"));
    }

    void framedWindowIsCentred() {
        if (!onX11()) QSKIP("the compositor places the windows");
        const QPoint centre = form.screen()->availableGeometry().center();
        QTRY_VERIFY(form.frameGeometry().height() > form.height() + 10);
        QTRY_VERIFY((form.frameGeometry().center() - centre).manhattanLength() <= 2);
    }

    void scrollBarsHaveNoContextMenu() {
        QScrollBar* bar = form.HScroll2(0);
        bool opened = false;
        QTimer::singleShot(300, &form, [&opened] {
            if (QWidget* menu = QApplication::activePopupWidget()) opened = menu->close();
        });
        QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, bar->geometry().center());
        QTest::qWait(400);
        QVERIFY(!opened);
        QCOMPARE(bar->value(), 1);
    }

    // On X11 the X bell rings; elsewhere one bell per card of a burst reaches
    // the sound device through libcanberra, and no other control sounds.
    void oneBellPerCard() {
        for (int card = 0; card < 300; ++card)
            QTest::mouseClick(form.cmd(card % tally::kRankCount), Qt::LeftButton);
        QCOMPARE(form.lblTires()->text(), QStringLiteral(" 300"));
        for (QWidget* other : std::vector<QWidget*>{form.Nombre(0), form.Reste(1), form.Command1(2),
                                                    form.cmdNBJeux(), form.cmdValeur(),
                                                    form.Valeursabot(), form.lblSabot()})
            QTest::mouseClick(other, Qt::LeftButton);
        const int expected = onX11() ? 0 : 300;
        QTRY_COMPARE(bells(), expected);
        QTest::qWait(500);
        QCOMPARE(bells(), expected);
    }

    // A dragged thumb changes the decks once, at the release. The drawn bar is
    // too narrow for its thumb to travel, so it is widened here.
    void thumbDragChangesOnceAtTheRelease() {
        QScrollBar* bar = form.HScroll1();
        bar->resize(300, bar->height());
        QSignalSpy changes(bar, &QScrollBar::valueChanged);
        QStyleOptionSlider thumb;
        thumb.initFrom(bar);
        thumb.maximum = 10;
        thumb.sliderPosition = bar->value();
        const QRect at = bar->style()->subControlRect(QStyle::CC_ScrollBar, &thumb,
                                                      QStyle::SC_ScrollBarSlider, bar);
        const int y = at.center().y(), from = at.center().x();
        QTest::mousePress(bar, Qt::LeftButton, {}, {from, y});
        for (int x = from; x < bar->width(); x += 10) {
            QTest::mouseMove(bar, {x, y});
            QCOMPARE(changes.size(), 0);
        }
        QVERIFY(bar->sliderPosition() == 10);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, {bar->width() - 1, y});
        QCOMPARE(changes.size(), 1);
        QCOMPARE(form.lblSabot()->text(), QStringLiteral("520"));
    }
};

int main(int, char* argv[]) {
    QByteArrayList options{argv[0],         "-qwindowtitle", "X",      "-qwindowgeometry",
                           "300x200+10+10", "-reverse",      "-style", "windows"};
    std::vector<char*> arguments;
    for (QByteArray& option : options) arguments.push_back(option.data());
    const auto app = makeApplication(int(arguments.size()), arguments.data());
    DesktopTest test;
    return QTest::qExec(&test, 1, argv);
}
#include "desktop_test.moc"
