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
        // SABOT_SWITCH_OFF_AT=N: the desktop's event sounds switched off after
        // the Nth card, while the window is open; the cards after it are silent.
        const int switchAt = qEnvironmentVariableIntValue("SABOT_SWITCH_OFF_AT");
        for (int card = 0; card < cards; ++card) {
            if (card == switchAt && switchAt) {
                QTRY_COMPARE_WITH_TIMEOUT(bells(), switchAt, 30000);
                QFile settings(qEnvironmentVariable("XDG_CONFIG_HOME") +
                               "/glib-2.0/settings/keyfile");
                QVERIFY(settings.open(QIODevice::WriteOnly));
                settings.write("[org/gnome/desktop/sound]\nevent-sounds=false\n");
                settings.close();
                QTest::qWait(500);  // for the settings' file monitor
            }
            QTest::mouseClick(form.cmd(card % tally::kRankCount), Qt::LeftButton);
        }
        QCOMPARE(form.lblTires()->text(), QStringLiteral(" %1").arg(cards));
        for (QWidget* other : std::vector<QWidget*>{form.Nombre(0), form.Reste(1), form.Command1(2),
                                                    form.cmdNBJeux(), form.cmdValeur(),
                                                    form.Valeursabot(), form.lblSabot()})
            QTest::mouseClick(other, Qt::LeftButton);
        // Every card, unless the session lets none sound.
        const int heard = qEnvironmentVariableIsSet("SABOT_SILENT") ? 0
                          : switchAt                                ? switchAt
                                                                    : cards;
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
