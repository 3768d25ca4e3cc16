#include "form1.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include "accessible.h"
#include "startup.h"
#include "widgets.h"

using layout::Event;
using layout::Kind;

namespace {

// The layout was drawn for text of this size, in points like the twips.
constexpr int kDrawnPointSize = 8;

}  // namespace

Form1::Form1(Beep beep, QWidget* parent)
    : QWidget(parent),
      bell_(beep ? nullptr : std::make_unique<Bell>(*this)),
      beep_(beep ? std::move(beep) : Beep([this] { bell_->ring(); })),
      tally_(tally::Tally::Hooks{
          .beep = [this] { beep_(); },
          .written = [this](tally::FieldRef ref, const std::string& text) { showField(ref, text); },
      }) {
    useOwnAccessibility();
    setWindowTitle(QStringLiteral("Form1"));
    // Text at the size the layout was drawn for, in the desktop's family, and
    // twips at the screen's logical dots per inch: a desktop set for larger
    // text enlarges the whole window in proportion rather than overfill its
    // controls, and at 96 dpi the window is exactly as drawn.
    QFont text = font();
    text.setPointSize(kDrawnPointSize);
    setFont(text);
    resize(twipsRect({0, 0, layout::kClientWidth, layout::kClientHeight}).size());
    build();
    connectEvents();
    tally_.Form_Load();
    cmd(0)->setFocus();
}

// Made in the Tab order, which Qt then walks as it was made.
void Form1::build() {
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const layout::Item& item = layout::controls()[i];
        QWidget* widget = makeControl(item, twipsRect(item.box), this);
        controls_[i] = widget;
        // Every key any control gets goes by the press rules.
        widget->installEventFilter(&input_);
        if (item.shows) showField(*item.shows, tally_.text(*item.shows));
        if (widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// The narrow headings wrap at their blanks; where the font needs more lines
// than the drawn height holds, the label grows downwards into the free space
// rather than cut its last line. Measuring the lines loads the font database,
// the dearest step of the start-up, which the first paint needs anyway: so it
// is done when the window is first exposed, after it has been mapped and just
// before that paint, rather than hold the mapping back.
void Form1::fitHeadings() {
    for (const layout::Item& item : layout::controls()) {
        if (!item.heading) continue;
        QLabel* heading = label(item.control);
        const int needed = heading->heightForWidth(heading->width());
        if (needed > heading->height()) heading->resize(heading->width(), needed);
    }
}

void Form1::showEvent(QShowEvent* event) {
    // Again at each show, which Qt keeps as one filter.
    window()->windowHandle()->installEventFilter(&input_);
    if (!shown_) {
        shown_ = true;
        QWindow& window = *this->window()->windowHandle();
        whenFirstExposed(window, [this] { fitHeadings(); });
        // The sound library, where one is needed, loads once that paint is done.
        if (bell_) whenFirstPainted(window, [this] { bell_->load(); });
    }
    QWidget::showEvent(event);
}

// A card button's and the deck button's Click, the scroll bars' Change; no
// other signal of any control is connected.
void Form1::connectEvents() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const layout::Item& item = layout::controls()[i];
        if (item.raises == Event::None) continue;
        if (item.kind == Kind::ScrollBar)
            connect(static_cast<QScrollBar*>(controls_[i]), &QScrollBar::valueChanged, this,
                    [this, &item](int value) { layout::raise(tally_, item, value); });
        else
            connect(static_cast<QPushButton*>(controls_[i]), &QPushButton::clicked, this,
                    [this, &item] { layout::raise(tally_, item); });
    }
}

QRect Form1::twipsRect(const layout::Twips& box) const {
    using layout::pixels;
    const int dpi = logicalDpiY();
    return {pixels(box.left, dpi), pixels(box.top, dpi), pixels(box.width, dpi),
            pixels(box.height, dpi)};
}

QWidget* Form1::control(layout::Control control, int rank) const {
    QWidget* const widget = controls_[layout::indexOf(control, rank)];
    return widget;
}

QPushButton* Form1::button(layout::Control c, int rank) const {
    return static_cast<QPushButton*>(control(c, rank));
}

QLabel* Form1::label(layout::Control c) const { return static_cast<QLabel*>(control(c)); }

QScrollBar* Form1::scrollBar(layout::Control c, int rank) const {
    return static_cast<QScrollBar*>(control(c, rank));
}

void Form1::showField(tally::FieldRef ref, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    QWidget* widget = controls_[layout::indexOf(layout::displayOf(ref.field), ref.rank)];
    if (auto* value = qobject_cast<QLabel*>(widget))
        value->setText(shown);
    else
        static_cast<QPushButton*>(widget)->setText(shown);
}
