#include <QApplication>
#include <QIcon>

#include "form1.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    // Alive for the whole run, though only reached through QApplication's statics.
    // cppcheck-suppress unreadVariable
    const auto app = makeApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sabot"));
    QApplication::setApplicationVersion(QStringLiteral(SABOT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.sabot.Sabot"));

    Form1 form;
    // The icon is for the frame and the task bar, which take it when it
    // comes: it is set once the window is painted, off the way to the first
    // frame.
    showCentred(form, [] {
        QApplication::setWindowIcon(iconOfPngs(
            {QStringLiteral(":/icons/sabot-32.png"), QStringLiteral(":/icons/sabot-64.png")}));
    });
    return QApplication::exec();
}
