#pragma once

// The window's own controls: a push button and a scroll bar that take only
// the inputs the window answers, and the making of any control of the table.

#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "controls.h"

class QStyleOptionSlider;

// A horizontal scroll bar that takes only the inputs the window answers: the
// left button on its arrows, track and thumb, and the keys of a horizontal
// scroll bar, where Up and Page Up lower the value like Left. The wheel goes
// on to the window, which ignores it, and there is no context menu: its "edge" entries would wipe a
// shoe, or set a count value of 32767, in one click.
class ScrollBar final : public QScrollBar {
public:
    explicit ScrollBar(QWidget* parent);

    // Whether the bar's style draws it with a step arrow at each end, as the
    // window was drawn; some draw none, or both at one end.
    bool hasArrowsAtItsEnds() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStyleOptionSlider styleOption() const;
    QRect part(const QStyleOptionSlider& option, QStyle::SubControl control) const;
    bool onStuckThumb(QPointF at) const;
};

// A control of the table as its entry has it, at `at`: kind, name, fixed
// caption, what it stands for, frame, range and starting value. Showing the
// tally's texts in it is the window's.
QWidget* makeControl(const layout::Item& item, const QRect& at, QWidget* parent);
