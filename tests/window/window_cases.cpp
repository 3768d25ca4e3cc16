// The window's event map, run against any front-end through its driver: real
// input on the controls, then every caption and scroll bar compared with what
// that input should have done.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
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

// The controls that only show a value; the first five take the focus.
const Control kShows[] = {Control::Command1,  Control::Nombre,      Control::Reste,
                          Control::cmdValeur, Control::Valeursabot, Control::lblSabot,
                          Control::lblTires,  Control::Label4};

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

Box common(Box a, Box b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.left + a.width, b.left + b.width);
    const int bottom = std::min(a.top + a.height, b.top + b.height);
    return right > left && bottom > top ? Box{left, top, right - left, bottom - top} : Box{};
}

TEST(Layout, AsDrawnWithEveryCaptionWhole) {
    auto d = openWindow();
    expectAsDrawn(*d, d->dpi());
}

}  // namespace

// Every control where the table draws it, at `dpi`, but that a heading whose
// lines need more room runs lower; every caption whole in its font, and
// every counter able to show the widest value play reaches; no overlap but
// those of the drawing.
void expectAsDrawn(const Driver& d, int dpi) {
    const Box client = d.clientArea();
    EXPECT_EQ(client, (Box{0, 0, layout::pixels(layout::kClientWidth, dpi),
                           layout::pixels(layout::kClientHeight, dpi)}));
    for (const layout::Item& item : layout::controls()) {
        SCOPED_TRACE(item.name);
        const Target t = of(item);
        const Box at = d.box(t), want = drawn(item, dpi);
        EXPECT_TRUE(at == want || (item.heading && at.left == want.left && at.top == want.top &&
                                   at.width == want.width && at.height > want.height));
        EXPECT_EQ(common(at, client), at);
        EXPECT_TRUE(d.fits(t, d.caption(t))) << d.caption(t);
        EXPECT_TRUE(!item.shows || (d.fits(t, " 520") && d.fits(t, "-520")));
        for (const layout::Item& other : layout::controls())
            EXPECT_TRUE(&other == &item ||
                        common(at, d.box(of(other))) == common(want, drawn(other, dpi)))
                << "overlaps " << other.name;
    }
}

Shown shown(const Driver& d) {
    Shown out{{"beeps", std::to_string(d.beeps())},
              {"HScroll1", std::to_string(d.value(kDeckBar))}};
    for (tally::FieldRef ref : tally::allFields())
        out[name(ref)] = d.caption({layout::displayOf(ref.field), ref.rank});
    for (int rank = 0; rank < tally::kRankCount; ++rank)
        out[at("HScroll2", rank)] = std::to_string(d.value(valueBar(rank)));
    return out;
}

void expectShowing(const Driver& d, const Shown& want) {
    for (const auto& [field, text] : shown(d)) ASSERT_EQ(text, want.at(field)) << field;
}

void expectCases(const std::vector<Case>& cases) {
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto d = openWindow();
        d->click(card(kTwo));
        Shown want = shown(*d);
        change(want, row.changes);
        row.input(*d);
        expectShowing(*d, want);
    }
}

namespace {

// The worked cases of each handler, on six decks where one 2 is drawn: a
// count of 1 and a bet of 1, 311 cards left.
// clang-format off
TEST(Rules, CardClicks) {
    expectCases({
        {"two kings at once: a count of -1 bets nothing", [](Driver& d) { d.click(card(kKing), 2); },
         "Nombre(11)= 2; Reste(11)= 22; cmdValeur=-1; Valeursabot=0; lblSabot= 309; lblTires= 3; beeps=3"},
        {"Enter, then Space on the ten", [](Driver& d) { pressOn(d, card(kTen), {Enter, Space}); },
         "Nombre(8)= 2; Reste(8)= 22; cmdValeur=-1; Valeursabot=0; lblSabot= 309; lblTires= 3; beeps=3"},
        {"a seven counts 0, twenty-four 2s run the rank out",
         [](Driver& d) { for (int i = 0; i < 25; ++i) d.click(card(i ? kTwo : kSeven)); },
         "Nombre(0)= 25; Reste(0)=-1; Nombre(5)= 1; Reste(5)= 23; cmdValeur= 25; Valeursabot=5; "
         "lblSabot= 286; lblTires= 26; beeps=26"},
    });
}

TEST(Rules, DeckButton) {
    expectCases({{"a new shoe, the count kept", [](Driver& d) { d.click(kDeckButton); },
                  "lblSabot=312; lblTires=0"}});
}

TEST(Rules, DeckBar) {
    expectCases({
        {"one step up: a fresh shoe of seven", [](Driver& d) { d.clickPart(kDeckBar, RightArrow); },
         "cmdNBJeux= 7; HScroll1=7; lblSabot=364; lblTires=0; cmdValeur=0; Nombre(0)=0; Reste(*)=28"},
        {"to 0, then a 2: less than nothing, and no bet",
         [](Driver& d) { pressOn(d, kDeckBar, {Home}), d.click(card(kTwo)); },
         "cmdNBJeux= 0; HScroll1=0; lblSabot=-1; lblTires= 1; Reste(*)=0; Reste(0)=-1; Valeursabot=0; beeps=2"},
    });
}

TEST(Rules, ValueBars) {
    expectCases({
        {"the ace a step down, then an ace: a count of -1",
         [](Driver& d) { d.clickPart(valueBar(kAce), LeftArrow), d.click(card(kAce)); },
         "Command1(12)=-2; HScroll2(12)=-2; Reste(*)=24; Reste(12)= 23; Nombre(12)= 1; cmdValeur=-1; "
         "Valeursabot=0; lblSabot= 310; lblTires= 2; beeps=2"},
        {"the king to its end, -3", [](Driver& d) { pressOn(d, valueBar(kKing), {Home}); },
         "Command1(11)=-3; HScroll2(11)=-3; Reste(*)=24"},
        {"the five to its end, 32767", [](Driver& d) { pressOn(d, valueBar(kFive), {End}); },
         "Command1(3)=32767; HScroll2(3)=32767; Reste(*)=24"},
    });
}

TEST(Rules, EverythingElseChangesNothing) {
    expectCases({
        {"the seven's value a step below 0", [](Driver& d) { d.clickPart(valueBar(kSeven), LeftArrow); }, ""},
        {"Escape and Left on a card", [](Driver& d) { pressOn(d, card(kFive), {Escape, Left}); }, ""},
    });
}
// clang-format on

// A window that hands its tally exactly the event map's events: what the
// storm's moves should mean, and what the window should then show.
class Reference {
public:
    Reference() { tally_.Form_Load(); }
    void raise(Target to, int value = 0) {
        layout::raise(tally_, layout::item(to.control, to.rank), value);
    }
    Shown shown() const {
        Shown out{{"beeps", std::to_string(beeps_)}};
        for (tally::FieldRef ref : tally::allFields()) out[name(ref)] = tally_.text(ref);
        out["HScroll1"] = std::to_string(std::stoi(out["cmdNBJeux"]));
        for (int rank = 0; rank < tally::kRankCount; ++rank)
            out[at("HScroll2", rank)] = out[at("Command1", rank)];
        return out;
    }

private:
    int beeps_ = 0;
    tally::Tally tally_{{.beep = [this] { ++beeps_; }, .written = {}}};
};

// One move of the storm, on a column and a scroll bar picked at random: it
// sends its input, tells the reference what that must mean, and says where
// the bar should go (`to`, held to the bar's range afterwards).
struct Turn {
    Driver& d;
    Reference& expect;
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

constexpr Key kBarKeys[] = {Left, Right, Up, Down, PageUp, PageDown, Home, End};

// clang-format off
const Move kMoves[] = {
    {"click on a card", 38, [](Turn& t) { t.d.click(card(t.rank)), t.expect.raise(card(t.rank)); }},
    {"double click on a card: two cards", 4, [](Turn& t) {
         t.d.click(card(t.rank), 2), t.expect.raise(card(t.rank)), t.expect.raise(card(t.rank)); }},
    {"Space on a card", 3, [](Turn& t) { pressOn(t.d, card(t.rank), {Space}), t.expect.raise(card(t.rank)); }},
    {"deck button", 5, [](Turn& t) { t.d.click(kDeckButton), t.expect.raise(kDeckButton); }},
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
    {"drag on a bar", 3, [](Turn& t) {
         const int pixels = t.pick(2) ? 3 : -3;
         t.to += t.d.middleOfBar(t.bar, pixels), t.d.drag(t.bar, pixels); }},
    {"right or middle click, then Space: the focus stays", 2, [](Turn& t) {
         t.d.focus(card(t.rank));
         t.d.click(t.pick(2) ? card(t.other()) : t.bar, 1, t.pick(2) ? Button::Right : Button::Middle);
         t.d.press(Space), t.expect.raise(card(t.rank)); }},
    {"Alt+X or Alt+Enter: nothing, not even a sound", 3, [](Turn& t) {
         pressOn(t.d, t.pick(2) ? t.bar : card(t.rank), {t.pick(2) ? AltX : AltEnter}); }},
};
// clang-format on

// Random moves, each told to the reference as what it should mean: the window
// must follow after every single one.
TEST(Storm, CaptionsFollowEveryMove) {
    SCOPED_TRACE("seed " + std::to_string(stormSeed()));
    std::mt19937 random(stormSeed());
    auto d = openWindow();
    Reference expect;
    int total = 0;
    for (const Move& move : kMoves) total += move.weight;
    for (int step = 1; step <= 4000; ++step) {
        Turn t{*d, expect, random, 0, kDeckBar, 0};
        const Move* move = kMoves;
        for (int roll = t.pick(total); roll >= move->weight; ++move) roll -= move->weight;
        t.rank = t.other();
        t.bar = t.pick(4) ? valueBar(t.rank) : kDeckBar;
        const int was = t.to = d->value(t.bar);
        move->send(t);
        const layout::Item& bar = layout::item(t.bar.control, t.rank);
        if (const int to = std::clamp(t.to, bar.lowest, bar.highest); to != was)
            expect.raise(t.bar, to);
        SCOPED_TRACE("step " + std::to_string(step) + ": " + move->name);
        expectShowing(*d, expect.shown());
        if (HasFatalFailure()) return;
    }
}

}  // namespace

}  // namespace window_testing
