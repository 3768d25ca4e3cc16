// Thousands of random mouse clicks and keys on the real window, checking after
// each that every caption is the tally's text and that each card beeped once.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <random>

#include "form1.h"
#include "tally_test_support.h"
#include "window_test_support.h"

namespace {

constexpr int kEvents = 6000;

}  // namespace

class WindowStorm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsAndBeepsKeepUp();
};

void WindowStorm::captionsAndBeepsKeepUp() {
    const quint32 seed = qEnvironmentVariableIsSet("SABOT_STORM_SEED")
                             ? qEnvironmentVariableIntValue("SABOT_STORM_SEED")
                             : 20261206u;
    std::mt19937 random(seed);
    int beeps = 0;
    int cards = 0;
    Form1 form([&beeps] { ++beeps; });
    for (int rank = 0; rank < tally::kRankCount; ++rank)
        connect(form.cmd(rank), &QPushButton::clicked, this, [&cards] { ++cards; });
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));

    const QList<QWidget*> controls = form.findChildren<QWidget*>();
    const auto fields = tally::allFields();
    QWindow* window = form.windowHandle();

    for (int step = 1; step <= kEvents; ++step) {
        const auto roll = random() % 100;
        QString what;
        if (roll < 55) {
            // Somewhere on a control, arrows and thumbs of scroll bars included;
            // the card buttons, being the most used, get a share of their own.
            QWidget* target = roll < 20 ? form.cmd(static_cast<int>(random() % tally::kRankCount))
                                        : controls[static_cast<int>(random() % controls.size())];
            const QPoint inside(static_cast<int>(random() % target->width()),
                                static_cast<int>(random() % target->height()));
            const QPoint at = target->mapTo(&form, inside);
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
            what = QStringLiteral("click on %1 at %2,%3")
                       .arg(target->objectName())
                       .arg(inside.x())
                       .arg(inside.y());
        } else if (roll < 65) {
            const QPoint at(static_cast<int>(random() % form.width()),
                            static_cast<int>(random() % form.height()));
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
            what = QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y());
        } else {
            static constexpr Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Space,
                                               Qt::Key_Space, Qt::Key_Left,    Qt::Key_Right};
            const Qt::Key key = keys[random() % std::size(keys)];
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus, "the window always keeps a control in focus");
            QTest::keyClick(focus, key);
            what = QStringLiteral("key %1 on %2").arg(key).arg(focus->objectName());
        }

        const QString where =
            QStringLiteral("seed %1, event %2 (%3)").arg(seed).arg(step).arg(what);
        QVERIFY2(beeps == cards, qPrintable(where));
        for (tally::FieldRef ref : fields) {
            const QWidget* shown = widgetShowing(form, ref);
            if (captionOf(shown) != QString::fromStdString(form.tally().text(ref)))
                QFAIL(qPrintable(QString::fromStdString(tally::testing::name(ref)) +
                                 QStringLiteral(", ") + where));
        }
        for (int rank = 0; rank < tally::kRankCount; ++rank) {
            if (form.tally().Command1(rank) != std::to_string(form.HScroll2(rank)->value()))
                QFAIL(qPrintable(QStringLiteral("value %1, ").arg(rank) + where));
        }
    }
    QVERIFY2(cards > kEvents / 10, "the storm reached the card buttons");
    qInfo("%d events, %d cards counted, %s decks at the end", kEvents, cards,
          form.tally().cmdNBJeux().c_str());
}

QTEST_MAIN(WindowStorm)
#include "storm_test.moc"
