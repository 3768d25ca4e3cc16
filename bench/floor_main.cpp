// The start-up floor: the program's window as laid out, with no logic.

#include <QApplication>

#include "floor_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
