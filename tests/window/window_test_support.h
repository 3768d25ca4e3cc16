#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QString>

#include "form1.h"

// What a control shows: a button's or a label's text.
inline QString captionOf(const QWidget* widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return {};
}

// The control that shows one of the tally's display fields.
inline const QWidget* widgetShowing(const Form1& form, tally::FieldRef ref) {
    return form.control(layout::displayOf(ref.field), ref.rank);
}
