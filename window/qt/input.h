#pragma once

// The mouse and the keys on their way to the window's controls, told to the
// press rules (presses.h), which say what clicks and what shows pressed.

#include <QObject>
#include <QPointF>

#include <array>

#include "controls.h"
#include "presses.h"

class QKeyEvent;
class QMouseEvent;
class QPushButton;
class QWindow;

// Installed on the window's QWindow, where the mouse comes in, and on every
// control, where the keys go. A push button's mouse presses and releases stop
// at the window, so that Qt keeps no record of its own that the rules would
// have to follow: the rules' verdict focuses, presses and clicks the button.
// The other buttons stop there too, for Qt would give a control the focus at
// a press of any of them. The left button on a scroll bar or a label goes on
// as Qt has it.
class InputFilter final : public QObject {
public:
    // `controls`: the window's, as in layout::controls().
    InputFilter(QWidget& window, const std::array<QWidget*, layout::kItemCount>& controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouse(QMouseEvent* event);
    bool key(QObject* control, QKeyEvent* event);
    void windowEvent(QWindow& window, QEvent* event);
    void follow(const layout::Presses::Outcome& outcome);
    int indexOf(const QObject* control) const;
    int under(QPointF at) const;
    QPushButton* button(int index) const;

    QWidget& window_;
    const std::array<QWidget*, layout::kItemCount>& controls_;
    layout::Presses presses_;
};
