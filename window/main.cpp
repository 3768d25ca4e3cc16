#include <QApplication>

#include "form1.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sabot"));
    QApplication::setApplicationVersion(QStringLiteral(SABOT_VERSION));

    Form1 form;
    showCentred(form);
    return QApplication::exec();
}
