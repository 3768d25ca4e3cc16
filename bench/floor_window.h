#pragma once

// The floor of the program's window: the same 80 controls at the same places,
// with their starting captions, font and frames, made from the layout table,
// and no logic at all.

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <array>
#include <vector>

#include "layout.h"

class FloorWindow : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Floor"));
        QFont text = font();
        text.setPointSize(8);
        setFont(text);
        resize(at(0, 0, layout::kClientWidth, layout::kClientHeight).size());

        for (const layout::RankRow& row : layout::kRankRows) {
            for (int rank = 0; rank < tally::kRankCount; ++rank) {
                const layout::Control c = row.control;
                const tally::Rank& card = tally::kRanks[rank];
                const QString caption =
                    c == layout::Control::cmd
                        ? QString::fromUtf8(card.caption.data(), qsizetype(card.caption.size()))
                    : c == layout::Control::Nombre   ? QStringLiteral("0")
                    : c == layout::Control::Reste    ? QStringLiteral("24")
                    : c == layout::Control::Command1 ? QString::number(card.startingValue)
                                                     : QString();
                QWidget* control = make(row.kind, caption,
                                        at(layout::kFirstColumn + rank * layout::kColumnPitch,
                                           row.top, layout::kColumnWidth, row.height));
                if (row.kind == layout::Kind::ScrollBar) {
                    auto* bar = static_cast<QScrollBar*>(control);
                    bar->setRange(card.lowestValue, tally::kHighestValue);
                    bar->setValue(card.startingValue);
                }
                controls_[static_cast<int>(c)].push_back(control);
            }
        }
        for (const layout::Single& single : layout::kSingles) {
            const layout::Control c = single.control;
            const QString caption = single.caption ? QString::fromUtf8(single.caption)
                                    : c == layout::Control::lblSabot  ? QStringLiteral("312")
                                    : c == layout::Control::cmdNBJeux ? QStringLiteral("6")
                                                                      : QStringLiteral("0");
            QWidget* control = make(single.kind, caption,
                                    at(single.left, single.top, single.width, single.height));
            if (single.kind == layout::Kind::ScrollBar) {
                auto* bar = static_cast<QScrollBar*>(control);
                bar->setRange(0, 10);
                bar->setValue(6);
            } else if (single.kind == layout::Kind::Label && !single.caption) {
                auto* value = static_cast<QLabel*>(control);
                value->setFrameStyle(QFrame::Box | QFrame::Plain);
                value->setWordWrap(false);
            }
            controls_[static_cast<int>(c)].push_back(control);
        }
    }

    QWidget* control(layout::Control c, int rank = 0) const {
        return controls_[static_cast<int>(c)][layout::isPerRank(c) ? rank : 0];
    }

private:
    QRect at(int left, int top, int width, int height) const {
        const int dpi = logicalDpiY();
        using layout::pixels;
        return {pixels(left, dpi), pixels(top, dpi), pixels(width, dpi), pixels(height, dpi)};
    }

    QWidget* make(layout::Kind kind, const QString& caption, const QRect& where) {
        QWidget* control = nullptr;
        if (kind == layout::Kind::PushButton) {
            control = new QPushButton(caption, this);
        } else if (kind == layout::Kind::Label) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setText(caption);
            control = label;
        } else {
            auto* bar = new QScrollBar(Qt::Horizontal, this);
            bar->setPageStep(1);
            control = bar;
        }
        control->setGeometry(where);
        return control;
    }

    std::array<std::vector<QWidget*>, layout::kControlCount> controls_;
};
