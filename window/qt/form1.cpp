#include "form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWindow>

#include <string_view>

#include "accessible.h"
#include "ranks.h"

using layout::Control;
using layout::Kind;

namespace {

using layout::pixels;

// The layout was drawn for text of this size, in points like the twips.
constexpr int kDrawnPointSize = 8;

// A horizontal scroll bar that takes only the inputs the window answers: the
// left button on its arrows, track and thumb, and the keys of a horizontal
// scroll bar, where Up and Page Up lower the value like Left. The wheel and
// the other buttons go on to the window, which ignores them, and there is no
// context menu: its "edge" entries would wipe a shoe, or set a count value of
// 32767, in one click.
class ScrollBar final : public QScrollBar {
public:
    explicit ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
        setSingleStep(1);
        setPageStep(1);
        // A dragged thumb reports its value once, at the release.
        setTracking(false);
        setFocusPolicy(Qt::StrongFocus);
        setContextMenuPolicy(Qt::NoContextMenu);
    }

    // Whether the bar's style draws it with a step arrow at each end, as the
    // window was drawn; some draw none, or both at one end.
    bool hasArrowsAtItsEnds() const {
        const QStyleOptionSlider option = styleOption();
        const QRect sub = part(option, QStyle::SC_ScrollBarSubLine);
        const QRect add = part(option, QStyle::SC_ScrollBarAddLine);
        return !sub.isEmpty() && !add.isEmpty() && sub.left() == 0 && add.right() == width() - 1;
    }

protected:
    bool event(QEvent* event) override {
        switch (event->type()) {
            case QEvent::Wheel:
                event->ignore();
                return false;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) {
                    event->ignore();
                    return false;
                }
                // Where the thumb fills the whole track no position of it
                // stands for a value, and a drag would report the minimum:
                // a press on it is not a drag, and changes nothing.
                if (event->type() != QEvent::MouseButtonRelease && onStuckThumb(mouse->position()))
                    return true;
                break;
            }
            default:
                break;
        }
        return QScrollBar::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
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

private:
    QStyleOptionSlider styleOption() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return option;
    }
    QRect part(const QStyleOptionSlider& option, QStyle::SubControl control) const {
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    }
    bool onStuckThumb(QPointF at) const {
        const QStyleOptionSlider option = styleOption();
        return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, at.toPoint(), this) ==
                   QStyle::SC_ScrollBarSlider &&
               part(option, QStyle::SC_ScrollBarSlider).width() >=
                   part(option, QStyle::SC_ScrollBarGroove).width();
    }
};

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

QWidget* make(Kind kind, QWidget* parent) {
    switch (kind) {
        case Kind::PushButton:
            return new QPushButton(parent);
        case Kind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case Kind::ScrollBar:
            return new ScrollBar(parent);
    }
    return nullptr;
}

QString rankName(int rank) {
    const std::string_view caption = tally::kRanks[rank].caption;
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

// Screen readers read a control's name, then its description. A scroll bar has
// no caption, so what it sets is its name; the other controls keep their
// captions as names and get what they stand for as description.
void describe(QWidget* widget, Kind kind, const QString& purpose) {
    if (kind == Kind::ScrollBar)
        widget->setAccessibleName(purpose);
    else
        widget->setAccessibleDescription(purpose);
}

}  // namespace

Form1::Form1(Beep beep, QWidget* parent)
    : QWidget(parent),
      bell_(beep ? nullptr : std::make_unique<Bell>(*this)),
      beep_(beep ? std::move(beep) : Beep([this] { bell_->ring(); })),
      tally_(tally::Tally::Hooks{
          .beep = [this] { beep_(); },
          .written = [this](tally::FieldRef ref) { showField(ref); },
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
    resize(twipsRect(0, 0, layout::kClientWidth, layout::kClientHeight).size());
    build();
    chainFocus();
    connectEvents();
    Form_Load();
    cmd(0)->setFocus();
}

void Form1::build() {
    for (const layout::RankRow& row : layout::kRankRows) {
        auto& members = controls_[static_cast<int>(row.control)];
        for (int rank = 0; rank < tally::kRankCount; ++rank) {
            QWidget* widget = make(row.kind, this);
            widget->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(row.name)).arg(rank));
            widget->setGeometry(twipsRect(layout::kFirstColumn + rank * layout::kColumnPitch,
                                          row.top, layout::kColumnWidth, row.height));
            describe(widget, row.kind,
                     QStringLiteral("%1, %2").arg(QString::fromUtf8(row.heading), rankName(rank)));
            members.push_back(widget);
        }
    }
    for (const layout::Single& single : layout::kSingles) {
        QWidget* widget = make(single.kind, this);
        widget->setObjectName(QLatin1String(single.name));
        widget->setGeometry(twipsRect(single.left, single.top, single.width, single.height));
        if (single.caption)
            static_cast<QLabel*>(widget)->setText(QString::fromUtf8(single.caption));
        if (single.heading) describe(widget, single.kind, QString::fromUtf8(single.heading));
        controls_[static_cast<int>(single.control)].push_back(widget);
    }

    // The two shoe counters are labels that show values, so they get a frame
    // the headings do not have.
    for (QLabel* value : {lblSabot(), lblTires()}) {
        value->setFrameStyle(QFrame::Box | QFrame::Plain);
        value->setWordWrap(false);
    }

    for (int rank = 0; rank < tally::kRankCount; ++rank) {
        cmd(rank)->setText(rankName(rank));
        HScroll2(rank)->setRange(tally::kRanks[rank].lowestValue, tally::kHighestValue);
        HScroll2(rank)->setValue(tally::kRanks[rank].startingValue);
    }
    HScroll1()->setRange(tally::kFewestDecks, tally::kMostDecks);
    HScroll1()->setValue(tally::kStartingDecks);
    for (Control bars : {Control::HScroll2, Control::HScroll1})
        for (QWidget* bar : controls_[static_cast<int>(bars)])
            keepArrows(*static_cast<ScrollBar*>(bar));

    for (tally::FieldRef ref : tally::allFields()) showField(ref);
}

// The narrow headings wrap at their blanks; where the font needs more lines
// than the drawn height holds, the label grows downwards into the free space
// rather than cut its last line. Measuring the lines loads the font database,
// the dearest step of the start-up, which the first paint needs anyway: so it
// is done when the window is first exposed, after it has been mapped and just
// before that paint, rather than hold the mapping back.
void Form1::fitHeadings() {
    for (const layout::Single& single : layout::kSingles) {
        if (!single.caption) continue;
        QLabel* heading = label(single.control);
        const int needed = heading->heightForWidth(heading->width());
        if (needed > heading->height()) heading->resize(heading->width(), needed);
    }
}

void Form1::showEvent(QShowEvent* event) {
    // Again at each show, which Qt keeps as one filter.
    window()->windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Expose:
            if (fitted_) break;
            fitted_ = true;
            fitHeadings();
            // The sound library, where one is needed, loads once the paint
            // this expose asks for is done.
            if (bell_) QTimer::singleShot(0, this, [this] { bell_->load(); });
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // Qt gives a control the focus at a press of any button, before
            // the control sees it; the window answers the left button alone,
            // so the others stop here, at the window, focus and all.
            return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // At the control they go on to, not on their way through the window.
            if (!watched->isWidgetType()) break;
            return keyFilter(watched, static_cast<QKeyEvent*>(event));
        case QEvent::FocusOut:
            // Keys let go in another window are never reported here.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
                held_.clear();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// Enter and Space click the focused button as they go down, once until they
// are let go, wherever the focus goes meanwhile, and not at all with Alt held,
// which makes them the window manager's. The record of the keys that are down
// is the window's: a button's own goes when it loses the focus, and a server
// with detectable auto-repeat sends a held key's repeats as new presses, which
// the next button to take the focus would take for a press of its own.
bool Form1::keyFilter(QObject* control, QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    auto* pushed = qobject_cast<QPushButton*>(control);
    if (event->type() == QEvent::KeyRelease) {
        if (!event->isAutoRepeat()) held_.erase(key);
        if (pushed && !event->isAutoRepeat()) pushed->setDown(false);
        return pushed != nullptr;
    }
    const bool repeat = event->isAutoRepeat() || !held_.insert(key).second;
    if (!pushed) return false;
    // Ctrl with Alt is no system key on Windows either, and still clicks.
    const bool system =
        (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier;
    if (!repeat && !system) {
        pushed->click();
        pushed->setDown(true);  // pressed, as long as the key is down
    }
    return true;
}

void Form1::chainFocus() {
    QWidget* previous = nullptr;
    for (Control entry : layout::kTabOrder) {
        for (QWidget* widget : controls_[static_cast<int>(entry)]) {
            if (widget->focusPolicy() == Qt::NoFocus) continue;
            if (previous) QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
}

void Form1::connectEvents() {
    // Every key any control gets goes by the window's record of held keys.
    for (const auto& members : controls_)
        for (QWidget* widget : members) widget->installEventFilter(this);
    for (int rank = 0; rank < tally::kRankCount; ++rank) {
        connect(cmd(rank), &QPushButton::clicked, this, [this, rank] { cmd_Click(rank); });
        connect(HScroll2(rank), &QScrollBar::valueChanged, this,
                [this, rank] { HScroll2_Change(rank); });
    }
    connect(cmdNBJeux(), &QPushButton::clicked, this, &Form1::cmdNBJeux_Click);
    connect(HScroll1(), &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);
}

QRect Form1::twipsRect(int left, int top, int width, int height) const {
    const int dpi = logicalDpiY();
    return {pixels(left, dpi), pixels(top, dpi), pixels(width, dpi), pixels(height, dpi)};
}

QWidget* Form1::control(Control control, int rank) const {
    return controls_[static_cast<int>(control)][layout::isPerRank(control) ? rank : 0];
}

QPushButton* Form1::button(Control c, int rank) const {
    return static_cast<QPushButton*>(control(c, rank));
}

QLabel* Form1::label(Control c) const { return static_cast<QLabel*>(control(c)); }

QScrollBar* Form1::scrollBar(Control c, int rank) const {
    return static_cast<QScrollBar*>(control(c, rank));
}

void Form1::showField(tally::FieldRef ref) {
    const QString text = QString::fromStdString(tally_.text(ref));
    QWidget* widget = control(layout::displayOf(ref.field), ref.rank);
    if (auto* shownIn = qobject_cast<QLabel*>(widget))
        shownIn->setText(text);
    else
        static_cast<QPushButton*>(widget)->setText(text);
}

void Form1::Form_Load() { tally_.Form_Load(); }

void Form1::cmd_Click(int rank) { tally_.cmd_Click(rank); }

void Form1::cmdNBJeux_Click() { tally_.cmdNBJeux_Click(); }

void Form1::HScroll1_Change() { tally_.HScroll1_Change(HScroll1()->value()); }

void Form1::HScroll2_Change(int rank) { tally_.HScroll2_Change(rank, HScroll2(rank)->value()); }
