#pragma once

#include <functional>
#include <initializer_list>
#include <memory>

class QApplication;
class QIcon;
class QString;
class QWidget;
class QWindow;

// The application object. The program takes no arguments, so Qt is given none
// either: its own options would retitle, resize, move or mirror the window.
// The environment variables Qt reads still choose the platform.
std::unique_ptr<QApplication> makeApplication(int argc, char** argv);

// Shows a top-level window for the first time, centred on its screen's
// available area with its frame; a window larger than that area opens at its
// top or left edge. `painted`, if given, runs once the first frame is painted:
// for what the window need not have before it shows.
void showCentred(QWidget& window, std::function<void()> painted = {});

// Runs `then` once, when the window is first exposed: after it is mapped, and
// just before its first paint.
void whenFirstExposed(QWindow& window, std::function<void()> then);
// Runs `then` once the window's first frame is painted: for what the window
// need not have before it shows.
void whenFirstPainted(QWindow& window, std::function<void()> then);

// An icon of the PNG files given, one per size.
QIcon iconOfPngs(std::initializer_list<QString> files);
