#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "bell.h"
#include "layout.h"
#include "tally.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollBar;

// The program's one window: the card buttons, the per-rank rows and the shoe
// panel, laid out from the layout table, showing the tally's texts.
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void fitHeadings();
    void chainFocus();
    void connectEvents();
    void showField(tally::FieldRef ref);
    bool keyFilter(QObject* control, QKeyEvent* event);
    QRect twipsRect(int left, int top, int width, int height) const;

    QPushButton* button(layout::Control control, int rank = 0) const;
    QLabel* label(layout::Control control) const;
    QScrollBar* scrollBar(layout::Control control, int rank = 0) const;

    // The event handlers, one per control and event.
    void Form_Load();
    void cmd_Click(int rank);
    void cmdNBJeux_Click();
    void HScroll1_Change();
    void HScroll2_Change(int rank);

    std::unique_ptr<Bell> bell_;  // when no `beep` is given
    Beep beep_;
    tally::Tally tally_;
    std::array<std::vector<QWidget*>, layout::kControlCount> controls_;
    bool fitted_ = false;  // the headings, to their wrapped lines
    std::set<int> held_;   // the keys that click, while they are down
};
