#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

// The least a window of the program's size can do for a click: one push
// button whose click sets one label's text.
class FloorWindow : public QWidget {
public:
    FloorWindow() {
        resize(656, 475);
        button_ = new QPushButton(QStringLiteral("2"), this);
        button_->setGeometry(88, 232, 33, 33);
        label_ = new QLabel(QStringLiteral("0"), this);
        label_->setGeometry(424, 8, 33, 33);
        connect(button_, &QPushButton::clicked, label_,
                [this] { label_->setText(QString::number(++clicks_)); });
    }
    QPushButton* button() const { return button_; }

private:
    QPushButton* button_;
    QLabel* label_;
    int clicks_ = 0;
};
