// The window's event map, run against any front-end through its driver: real
// input on the controls, then every caption and scroll bar compared with what
// that input should have done.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <utility>
#include <vector>

#include "window_driver.h"

namespace window_testing {
namespace {

using namespace tally::testing;
using layout::Control;
using enum Key;
using enum Part;

Target card(int rank) { return {Control::cmd, rank}; }
Target valueBar(int rank) { return {Control::HScroll2, rank}; }
const Target kDeckBar{Control::HScroll1}, kDeckButton{Control::cmdNBJeux};

void pressOn(Driver& d, Target target, std::initializer_list<Key> keys) {
    d.focus(target);
    for (Key key : keys) d.press(key);
}

TEST(Focus, StartsOnTheTwoAndTabWalksTheWindow) {
    auto d = openWindow();
    std::vector<Target> order;  // a row stands for its thirteen, 2 to ace
    for (Control row :
         {Control::cmd, Control::Command1, Control::Nombre, Control::cmdNBJeux, Control::cmdValeur,
          Control::HScroll1, Control::HScroll2, Control::Reste, Control::Valeursabot})
        for (int r = 0; r < (layout::isPerRank(row) ? 13 : 1); ++r) order.push_back({row, r});
    order.push_back(card(0));
    EXPECT_TRUE(d->hasFocus(card(0)));
    for (std::size_t i = 1; i < order.size(); ++i) {
        d->press(Tab);
        ASSERT_TRUE(d->hasFocus(order[i])) << "Tab " << i;
    }
    d->press(Backtab);
    EXPECT_TRUE(d->hasFocus({Control::Valeursabot}));
}

TEST(ScreenReaders, ReadEachControlWithWhatItStandsFor) {
    auto d = openWindow();
    for (const auto& [target, reading] : std::vector<std::pair<Target, Driver::Reading>>{
             {card(kFive), {"5", "Click sur les cartes, 5", ""}},
             {{Control::Reste, kAce}, {"24", "Restantes, A", ""}},
             {valueBar(kAce), {"Valeur des cartes, A", "", "-1"}},
             {valueBar(kFive), {"Valeur des cartes, 5", "", "1"}},
             {kDeckBar, {"Nombre de jeux par sabot", "", "6"}},
             {{Control::lblTires}, {"0", "Cartes tirées", ""}},
             {{Control::Label5}, {"Cartes tirées", "", ""}}})
        EXPECT_EQ(d->reading(target), reading);
}

Target of(const layout::Item& item) { return {item.control, item.rank}; }

// Where the table draws a control, in pixels at `dpi`.
Box drawn(const layout::Item& item, int dpi) {
    using layout::pixels;
    return {pixels(item.box.left, dpi), pixels(item.box.top, dpi), pixels(item.box.width, dpi),
            pixels(item.box.height, dpi)};
}

Box common(Box a, Box b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.left + a.width, b.left + b.width);
    const int bottom = std::min(a.top + a.height, b.top + b.height);
    return right > left && bottom > top ? Box{left, top, right - left, bottom - top} : Box{};
}

// Every control where the table draws it, at the window's dpi, but that a
// heading whose lines need more room runs lower; every caption whole in its
// font, and every counter able to show the widest value play reaches; no
// overlap but those of the drawing.
TEST(Layout, AsDrawnWithEveryCaptionWhole) {
    auto d = openWindow();
    const int dpi = d->dpi();
    const Box client = d->clientArea();
    EXPECT_EQ(client, (Box{0, 0, layout::pixels(layout::kClientWidth, dpi),
                           layout::pixels(layout::kClientHeight, dpi)}));
    for (const layout::Item& item : layout::controls()) {
        SCOPED_TRACE(item.name);
        const Target t = of(item);
        const Box at = d->box(t), want = drawn(item, dpi);
        EXPECT_TRUE(at == want || (item.heading && at.left == want.left && at.top == want.top &&
                                   at.width == want.width && at.height > want.height));
        EXPECT_EQ(common(at, client), at);
        EXPECT_TRUE(d->fits(t, d->caption(t))) << d->caption(t);
        EXPECT_TRUE(!item.shows || (d->fits(t, " 520") && d->fits(t, "-520")));
        for (const layout::Item& other : layout::controls())
            EXPECT_TRUE(&other == &item ||
                        common(at, d->box(of(other))) == common(want, drawn(other, dpi)))
                << "overlaps " << other.name;
    }
}

// One move of the storm, on a column and a scroll bar picked at random: it
// sends its input, tells the model what that must mean, and says where the bar
// should go (`to`, held to the bar's range afterwards).
struct Turn {
    Driver& d;
    Model& model;
    std::mt19937& random;
    int rank;
    Target bar;
    int to;
    int pick(int n) { return static_cast<int>(random() % unsigned(n)); }
    int other() { return pick(tally::kRankCount); }
};
struct Move {
    const char* name;
    int weight;
    void (*send)(Turn&);
};

// The controls that only show a value; the first five take the focus.
const Control kShows[] = {Control::Command1,  Control::Nombre,      Control::Reste,
                          Control::cmdValeur, Control::Valeursabot, Control::lblSabot,
                          Control::lblTires,  Control::Label4};
constexpr Key kBarKeys[] = {Left, Right, Up, Down, PageUp, PageDown, Home, End};

// clang-format off
const Move kMoves[] = {
    {"click on a card", 38, [](Turn& t) { t.d.click(card(t.rank), 1), t.model.click(t.rank); }},
    {"double click on a card: two cards", 4, [](Turn& t) {
         t.d.click(card(t.rank), 2), t.model.click(t.rank), t.model.click(t.rank); }},
    {"Space on a card", 3, [](Turn& t) { pressOn(t.d, card(t.rank), {Space}), t.model.click(t.rank); }},
    {"deck button", 5, [](Turn& t) { t.d.click(kDeckButton, 1), t.model.deckButton(); }},
    {"click or double click on a display: nothing", 5, [](Turn& t) {
         t.d.click({kShows[t.pick(8)], t.rank}, 1 + t.pick(2)); }},
    {"Space, Escape or Left on a display: nothing", 3, [](Turn& t) {
         pressOn(t.d, {kShows[t.pick(5)], t.rank}, {std::array{Space, Escape, Left}[t.pick(3)]}); }},
    {"arrow of a bar: a step", 17, [](Turn& t) {
         const bool right = t.pick(2);
         t.d.clickPart(t.bar, right ? RightArrow : LeftArrow), t.to += right ? 1 : -1; }},
    {"key on a bar: a step or an end", 20, [](Turn& t) {
         const int i = t.pick(8);
         pressOn(t.d, t.bar, {kBarKeys[i]});
         t.to = kBarKeys[i] == Home ? -99 : kBarKeys[i] == End ? 99999 : t.to + (i % 2 ? 1 : -1); }},
    {"wheel on a bar, a card or the deck button: nothing", 5, [](Turn& t) {
         const Target under = std::array{t.bar, t.bar, card(t.rank), kDeckButton}[t.pick(4)];
         if (t.pick(2)) t.d.focus(under);
         t.d.wheel(under, t.pick(2) ? t.pick(3) + 1 : -t.pick(3) - 1); }},
    {"key held on a card, then pressed again: two cards", 4, [](Turn& t) {
         const Key key = t.pick(2) ? Space : Enter;
         t.d.focus(card(t.rank)), t.d.hold(key, t.pick(20)), t.d.press(key);
         t.model.click(t.rank), t.model.click(t.rank); }},
    {"key held on a card while another is clicked: one each", 2, [](Turn& t) {
         const int other = t.other();
         t.d.focus(card(t.rank)), t.d.holdWhileClicking(t.pick(2) ? Space : Enter, card(other));
         t.model.click(t.rank), t.model.click(other); }},
    {"drag on a bar", 3, [](Turn& t) {
         const int pixels = t.pick(2) ? 3 : -3;
         t.to += t.d.middleOfBar(t.bar, pixels), t.d.drag(t.bar, pixels); }},
    {"right or middle click, then Space: the focus stays", 2, [](Turn& t) {
         t.d.focus(card(t.rank));
         t.d.clickWith(t.pick(2) ? card(t.other()) : t.bar, t.pick(2) ? Button::Right : Button::Middle);
         t.d.press(Space), t.model.click(t.rank); }},
    {"Alt+X or Alt+Enter: nothing, not even a sound", 3, [](Turn& t) {
         pressOn(t.d, t.pick(2) ? t.bar : card(t.rank), {t.pick(2) ? AltX : AltEnter}); }},
};
// clang-format on

// Random moves, each told to the model as what it should mean: the window
// must follow after every single one.
TEST(Storm, CaptionsFollowEveryMove) {
    SCOPED_TRACE("seed " + std::to_string(stormSeed()));
    std::mt19937 random(stormSeed());
    auto d = openWindow();
    Model model;
    int total = 0;
    for (const Move& move : kMoves) total += move.weight;
    for (int step = 1; step <= 4000; ++step) {
        Turn t{*d, model, random, 0, kDeckBar, 0};
        const Move* move = kMoves;
        for (int roll = t.pick(total); roll >= move->weight; ++move) roll -= move->weight;
        t.rank = t.other();
        t.bar = t.pick(4) ? valueBar(t.rank) : kDeckBar;
        const int was = t.to = d->value(t.bar);
        move->send(t);
        const bool deckBar = t.bar == kDeckBar;
        const int to = std::clamp(t.to, deckBar || t.rank < kTen ? 0 : -3, deckBar ? 10 : 32767);
        if (to != was) deckBar ? model.deckChange(to) : model.valueChange(t.rank, to);
        SCOPED_TRACE("step " + std::to_string(step) + ": " + move->name);
        expectShowing(*d, model);
        if (HasFatalFailure()) return;
    }
}

}  // namespace

}  // namespace window_testing
