#pragma once

// The floor of the program's window: the same 80 controls at the same places,
// with their starting captions, font and frames, made from the table of
// controls, and no logic at all.

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <array>

#include "controls.h"

class FloorWindow : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Floor"));
        QFont text = font();
        text.setPointSize(8);
        setFont(text);
        resize(at({0, 0, layout::kClientWidth, layout::kClientHeight}).size());
        // The texts the window starts with.
        tally::Tally start;
        start.Form_Load();
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            const layout::Item& item = layout::controls()[i];
            const QString caption =
                QString::fromStdString(item.shows ? start.text(*item.shows) : item.caption);
            controls_[i] = make(item, caption);
            controls_[i]->setGeometry(at(item.box));
        }
    }

    QWidget* control(layout::Control c, int rank = 0) const {
        return controls_[layout::indexOf(c, rank)];
    }

private:
    QRect at(const layout::Twips& box) const {
        const int dpi = logicalDpiY();
        using layout::pixels;
        return {pixels(box.left, dpi), pixels(box.top, dpi), pixels(box.width, dpi),
                pixels(box.height, dpi)};
    }

    QWidget* make(const layout::Item& item, const QString& caption) {
        if (item.kind == layout::Kind::PushButton) return new QPushButton(caption, this);
        if (item.kind == layout::Kind::Label) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(!item.framed);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (item.framed) label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setText(caption);
            return label;
        }
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setPageStep(1);
        bar->setRange(item.lowest, item.highest);
        bar->setValue(item.start);
        return bar;
    }

    std::array<QWidget*, layout::kItemCount> controls_{};
};
