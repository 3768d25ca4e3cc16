// The bell off X11: under a headless weston (see session.sh), one sound per
// card of a burst reaches the sound device, and no other control sounds. What
// the program says meanwhile CTest checks: nothing, or where the cards cannot
// sound, one line.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <vector>

#include "form1.h"
#include "startup.h"

class BellTest : public QObject {
    Q_OBJECT
    Form1 form;

    // The sounds that reached the sound device.
    static int bells() {
        QFile played(qEnvironmentVariable("SABOT_BELLS"));
        return played.open(QIODevice::ReadOnly) ? int(played.readAll().count('\n')) : -1;
    }

private Q_SLOTS:
    void oneBellPerCard() {
        // A burst of SABOT_BELL_CARDS cards, by default 300.
        const int cards = qEnvironmentVariableIsSet("SABOT_BELL_CARDS")
                              ? qEnvironmentVariableIntValue("SABOT_BELL_CARDS")
                              : 300;
        showCentred(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int card = 0; card < cards; ++card)
            QTest::mouseClick(form.cmd(card % tally::kRankCount), Qt::LeftButton);
        QCOMPARE(form.lblTires()->text(), QStringLiteral(" %1").arg(cards));
        for (QWidget* other : std::vector<QWidget*>{form.Nombre(0), form.Reste(1), form.Command1(2),
                                                    form.cmdNBJeux(), form.cmdValeur(),
                                                    form.Valeursabot(), form.lblSabot()})
            QTest::mouseClick(other, Qt::LeftButton);
        // Every card, unless the session lets none sound.
        const int heard = qEnvironmentVariableIsSet("SABOT_SILENT") ? 0 : cards;
        QTRY_COMPARE(bells(), heard);
        QTest::qWait(500);
        QCOMPARE(bells(), heard);
    }
};

int main(int argc, char* argv[]) {
    const auto app = makeApplication(argc, argv);
    BellTest test;
    return QTest::qExec(&test, 1, argv);
}
#include "bell_test.moc"
