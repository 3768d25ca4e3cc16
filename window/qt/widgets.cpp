#include "widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleFactory>
#include <QStyleOptionSlider>

using layout::Kind;

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setSingleStep(1);
    setPageStep(1);
    // A dragged thumb reports its value once, at the release.
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool ScrollBar::hasArrowsAtItsEnds() const {
    const QStyleOptionSlider option = styleOption();
    const QRect sub = part(option, QStyle::SC_ScrollBarSubLine);
    const QRect add = part(option, QStyle::SC_ScrollBarAddLine);
    return !sub.isEmpty() && !add.isEmpty() && sub.left() == 0 && add.right() == width() - 1;
}

bool ScrollBar::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Wheel:
            event->ignore();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // Only the left button gets here (the window's input filter stops
            // the others). Where the thumb fills the whole track no position
            // of it stands for a value, and a drag would report the minimum:
            // a press on it is not a drag, and changes nothing.
            if (onStuckThumb(static_cast<QMouseEvent*>(event)->position())) return true;
            break;
        default:
            break;
    }
    return QScrollBar::event(event);
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            return triggerAction(SliderSingleStepSub);
        case Qt::Key_Right:
        case Qt::Key_Down:
            return triggerAction(SliderSingleStepAdd);
        case Qt::Key_PageUp:
            return triggerAction(SliderPageStepSub);
        case Qt::Key_PageDown:
            return triggerAction(SliderPageStepAdd);
        case Qt::Key_Home:
            return triggerAction(SliderToMinimum);
        case Qt::Key_End:
            return triggerAction(SliderToMaximum);
        default:
            event->ignore();
    }
}

QStyleOptionSlider ScrollBar::styleOption() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return option;
}

QRect ScrollBar::part(const QStyleOptionSlider& option, QStyle::SubControl control) const {
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
}

bool ScrollBar::onStuckThumb(QPointF at) const {
    const QStyleOptionSlider option = styleOption();
    return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, at.toPoint(), this) ==
               QStyle::SC_ScrollBarSlider &&
           part(option, QStyle::SC_ScrollBarSlider).width() >=
               part(option, QStyle::SC_ScrollBarGroove).width();
}

namespace {

// Where the desktop's style leaves the scroll bars without their arrows, they
// are drawn by Fusion, which has them and follows the desktop's palette (a dark
// theme stays dark); every other control keeps the desktop's style.
void keepArrows(ScrollBar& bar) {
    if (bar.hasArrowsAtItsEnds()) return;
    static QStyle* const withArrows = [] {
        QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
        style->setParent(qApp);  // goes with the application, after every window
        return style;
    }();
    bar.setStyle(withArrows);
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* makeLabel(const layout::Item& item, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The headings wrap at their blanks; a label that shows a value has a
    // frame, and one line.
    label->setWordWrap(!item.framed);
    if (item.framed) label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setText(fromUtf8(item.caption));
    return label;
}

QWidget* makeBar(const layout::Item& item, QWidget* parent) {
    auto* bar = new ScrollBar(parent);
    bar->setRange(item.lowest, item.highest);
    bar->setValue(item.start);
    return bar;
}

}  // namespace

QWidget* makeControl(const layout::Item& item, const QRect& at, QWidget* parent) {
    QWidget* control = item.kind == Kind::Label ? makeLabel(item, parent)
                       : item.kind == Kind::ScrollBar
                           ? makeBar(item, parent)
                           : new QPushButton(fromUtf8(item.caption), parent);
    control->setObjectName(fromUtf8(item.name));
    control->setGeometry(at);
    // Whether the style draws the arrows depends on the bar's size.
    if (item.kind == Kind::ScrollBar) keepArrows(*static_cast<ScrollBar*>(control));
    // Screen readers read a control's name, then its description. A scroll bar
    // has no caption, so what it sets is its name; the other controls keep
    // their captions as names and get what they stand for as description.
    if (!item.purpose.empty()) {
        if (item.kind == Kind::ScrollBar)
            control->setAccessibleName(fromUtf8(item.purpose));
        else
            control->setAccessibleDescription(fromUtf8(item.purpose));
    }
    return control;
}
