#include "accessible.h"

#include <QAccessibleWidget>
#include <QPushButton>

#include "form1.h"

namespace {

// A push button whose Press action is one click, at once. Qt's own animates
// the click for a tenth of a second and starts that time again at each press
// meanwhile, so that a switch device, voice control or a script pressing a
// card several times in that time would count one card.
class PushButton final : public QAccessibleWidget {
public:
    explicit PushButton(QPushButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text text) const override {
        if (text == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(text);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        if (button()->isEnabled()) button()->click();
    }

private:
    QPushButton* button() const { return static_cast<QPushButton*>(widget()); }
};

QAccessibleInterface* accessibleOf(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !dynamic_cast<Form1*>(widget->window())) return nullptr;
    // The window is a frame, which screen readers announce when it is
    // activated; Qt makes a plain widget a filler, even as a window.
    if (widget->isWindow() && className == QLatin1String("QWidget"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("QPushButton"))
        return new PushButton(static_cast<QPushButton*>(widget));
    return nullptr;
}

}  // namespace

void useOwnAccessibility() {
    static const bool installed = (QAccessible::installFactory(&accessibleOf), true);
    (void)installed;
}
