#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "bell.h"
#include "controls.h"
#include "input.h"
#include "tally.h"

class QLabel;
class QPushButton;
class QScrollBar;

// The program's one window: the card buttons, the per-rank rows and the shoe
// panel, made from the table of controls, showing the tally's texts.
class Form1 : public QWidget {
public:
    using Beep = std::function<void()>;

    // `beep` sounds once per card, before any counter changes; by default the
    // desktop's bell.
    explicit Form1(Beep beep = {}, QWidget* parent = nullptr);

    const tally::Tally& tally() const { return tally_; }

    QPushButton* cmd(int rank) const { return button(layout::Control::cmd, rank); }
    QPushButton* Nombre(int rank) const { return button(layout::Control::Nombre, rank); }
    QPushButton* Reste(int rank) const { return button(layout::Control::Reste, rank); }
    QPushButton* Command1(int rank) const { return button(layout::Control::Command1, rank); }
    QScrollBar* HScroll2(int rank) const { return scrollBar(layout::Control::HScroll2, rank); }
    QPushButton* cmdNBJeux() const { return button(layout::Control::cmdNBJeux); }
    QPushButton* cmdValeur() const { return button(layout::Control::cmdValeur); }
    QPushButton* Valeursabot() const { return button(layout::Control::Valeursabot); }
    QLabel* lblSabot() const { return label(layout::Control::lblSabot); }
    QLabel* lblTires() const { return label(layout::Control::lblTires); }
    QScrollBar* HScroll1() const { return scrollBar(layout::Control::HScroll1); }

    // Any control of the table; `rank` picks the member of a per-rank row.
    QWidget* control(layout::Control control, int rank = 0) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void fitHeadings();
    void connectEvents();
    void showField(tally::FieldRef ref, const std::string& text);
    QRect twipsRect(const layout::Twips& box) const;

    QPushButton* button(layout::Control control, int rank = 0) const;
    QLabel* label(layout::Control control) const;
    QScrollBar* scrollBar(layout::Control control, int rank = 0) const;

    std::unique_ptr<Bell> bell_;  // when no `beep` is given
    Beep beep_;
    tally::Tally tally_;
    std::array<QWidget*, layout::kItemCount> controls_{};  // as in layout::controls()
    InputFilter input_{*this, controls_};
    bool shown_ = false;
};
