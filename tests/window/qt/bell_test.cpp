// The bell off X11: under a headless weston (see session.sh), one sound per
// card of a burst reaches the sound device, and no other control sounds.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

#include <cstdio>
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
        // What the program writes to standard error meanwhile, a line at a
        // time: kept, counted, and then written on for the test's log.
        std::FILE* said = std::tmpfile();
        const int standardError = dup(2);
        dup2(fileno(said), 2);
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
        // Nothing, or where the cards cannot sound the one line that says so.
        std::fflush(stderr);
        dup2(standardError, 2);
        std::rewind(said);
        int lines = 0;
        for (int c; (c = std::fgetc(said)) != EOF; std::fputc(c, stderr)) lines += c == '\n';
        std::fclose(said);
        close(standardError);
        QCOMPARE(lines, qEnvironmentVariableIntValue("SABOT_SAID_LINES"));
    }
};

int main(int argc, char* argv[]) {
    const auto app = makeApplication(argc, argv);
    BellTest test;
    return QTest::qExec(&test, 1, argv);
}
#include "bell_test.moc"
