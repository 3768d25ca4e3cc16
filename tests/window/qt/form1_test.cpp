// What only the Qt window has: a thumb that can be dragged.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QtTest>

#include "form1.h"
#include "tally_test_support.h"

using namespace tally::testing;

namespace {

QPoint centreOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = option.pageStep = 1;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

void showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thumbDragChangesOnceAtTheRelease();
};

void Form1Test::thumbDragChangesOnceAtTheRelease() {
    Form1 form([] {});
    showActive(form);
    QScrollBar* bar = form.HScroll1();
    // The drawn bar is too narrow for its thumb to travel; widen it so that a
    // drag has somewhere to go.
    bar->resize(300, bar->height());
    QSignalSpy changes(bar, &QScrollBar::valueChanged);

    const QPoint from = centreOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    const QPoint to = centreOf(bar, QStyle::SC_ScrollBarAddLine) - QPoint(bar->height(), 0);
    for (int x = from.x(); x <= to.x(); x += 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, from.y()),
                         bar->mapToGlobal(QPointF(x, from.y())), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QCOMPARE(form.cmdNBJeux()->text(), QStringLiteral("6"));
    }
    QVERIFY(bar->sliderPosition() > 6);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);

    QCOMPARE(changes.size(), 1);
    QCOMPARE(form.cmdNBJeux()->text(), QStringLiteral(" 10"));
    QCOMPARE(form.lblSabot()->text(), QStringLiteral("520"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
