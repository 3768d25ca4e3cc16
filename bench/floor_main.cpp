// The start-up floor: a Qt Widgets window of the program's size holding one
// captioned push button, so that the style and fonts load as for any window
// with text.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(656, 475);
    auto* button = new QPushButton(QStringLiteral("2"), &window);
    button->setGeometry(88, 232, 33, 33);
    window.show();
    return QApplication::exec();
}
