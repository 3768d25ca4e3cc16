// The window's event map, run against any front-end through its driver: real
// input on the controls, then every caption compared with a tally that was
// given the operations the input should have caused.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tally_test_support.h"
#include "window_driver.h"

namespace window_testing {
namespace {

using namespace tally::testing;
using layout::Control;
using Op = std::function<void(tally::Tally&)>;

Target card(int rank) { return {Control::cmd, rank}; }
Target valueBar(int rank) { return {Control::HScroll2, rank}; }
const Target kDeckBar{Control::HScroll1}, kDeckButton{Control::cmdNBJeux};

Op cards(int rank, int times = 1) {
    return [=](tally::Tally& t) {
        for (int i = 0; i < times; ++i) t.cmd_Click(rank);
    };
}
Op decks(int decks) {
    return [=](tally::Tally& t) { t.HScroll1_Change(decks); };
}
Op value(int rank, int value) {
    return [=](tally::Tally& t) { t.HScroll2_Change(rank, value); };
}
const Op kDeckButtonOp = [](tally::Tally& t) { t.cmdNBJeux_Click(); };

void pressOn(Driver& d, Target target, std::initializer_list<Key> keys) {
    d.focus(target);
    for (Key key : keys) d.press(key);
}

// Every caption and scroll bar as the oracle has them, and one beep per card.
void expectShowing(const Driver& d, const tally::Tally& oracle, int beeps, const std::string& at) {
    ASSERT_EQ(d.beeps(), beeps) << at;
    for (tally::FieldRef ref : tally::allFields())
        ASSERT_EQ(d.caption({layout::displayOf(ref.field), ref.rank}), oracle.text(ref))
            << name(ref) << ", " << at;
    for (int rank = 0; rank < tally::kRankCount; ++rank)
        ASSERT_EQ(d.value(valueBar(rank)), std::stoi(oracle.Command1(rank))) << rank << ", " << at;
    ASSERT_EQ(d.value(kDeckBar), std::stoi(oracle.cmdNBJeux())) << at;
}

struct Case {
    const char* name;
    std::function<void(Driver&)> input;
    std::vector<Op> expected;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Events : public ::testing::TestWithParam<Case> {};

TEST_P(Events, ReachTheirHandlersOnly) {
    auto driver = openWindow();
    GetParam().input(*driver);
    int beeps = 0;
    tally::Tally oracle(tally::Tally::Hooks{.beep = [&] { ++beeps; }, .written = {}});
    oracle.Form_Load();
    for (const Op& op : GetParam().expected) op(oracle);
    expectShowing(*driver, oracle, beeps, GetParam().name);
}

using enum Key;
using enum Part;
INSTANTIATE_TEST_SUITE_P(Window, Events, ::testing::Values(
    Case{"every card once", [](Driver& d) { for (int r = 0; r < 13; ++r) d.click(card(r)); },
         {cards(0), cards(1), cards(2), cards(3), cards(4), cards(5), cards(6), cards(7),
          cards(8), cards(9), cards(10), cards(11), cards(12)}},
    Case{"a double click is two cards", [](Driver& d) { d.doubleClick(card(kSeven)); },
         {cards(kSeven, 2)}},
    Case{"a burst of 60 clicks", [](Driver& d) { for (int i = 0; i < 60; ++i) d.click(card(kTwo)); },
         {cards(kTwo, 60)}},
    Case{"Space on a card, a stray key elsewhere",
         [](Driver& d) { pressOn(d, card(kSix), {Space}); pressOn(d, card(kTen), {Escape, Left}); },
         {cards(kSix)}},
    Case{"display-only controls", [](Driver& d) {
             d.click(card(kFive));
             for (Control c : {Control::Nombre, Control::Reste, Control::Command1, Control::cmdValeur,
                               Control::Valeursabot, Control::lblSabot, Control::lblTires,
                               Control::Label4, Control::lblCarte}) {
                 d.click({c, kFive});
                 d.doubleClick({c, kFive});
             }
             pressOn(d, {Control::Command1, kAce}, {Space});
             pressOn(d, {Control::Valeursabot}, {Space});
         }, {cards(kFive)}},
    Case{"the deck button by mouse and by Space", [](Driver& d) {
             for (int r : {kFive, kAce, kKing}) d.click(card(r));
             d.click(kDeckButton);
             d.click(card(kTwo));
             pressOn(d, kDeckButton, {Space});
         }, {cards(kFive), cards(kAce), cards(kKing), kDeckButtonOp, cards(kTwo), kDeckButtonOp}},
    Case{"deck bar arrows and keys, held at both ends", [](Driver& d) {
             d.click(card(kTen));
             d.clickPart(kDeckBar, RightArrow);
             d.click(card(kTwo));
             pressOn(d, kDeckBar, {Right, Right, Right, Right, Right});
             d.clickPart(kDeckBar, RightArrow);
             pressOn(d, kDeckBar, {Left});
             for (int i = 0; i < 11; ++i) d.clickPart(kDeckBar, LeftArrow);
         }, {cards(kTen), decks(7), cards(kTwo), decks(8), decks(9), decks(10), decks(9),
             decks(8), decks(7), decks(6), decks(5), decks(4), decks(3), decks(2), decks(1), decks(0)}},
    Case{"value bars, held at their ends", [](Driver& d) {
             d.clickPart(valueBar(kAce), LeftArrow);
             d.click(card(kAce));
             for (int i = 0; i < 4; ++i) d.clickPart(valueBar(kTen), LeftArrow);
             d.click(card(kTwo));
             d.clickPart(valueBar(kTwo), LeftArrow);
             d.clickPart(valueBar(kTwo), LeftArrow);
             pressOn(d, valueBar(kTwo), {Left, Right, Right});
             d.clickPart(valueBar(kTwo), RightArrow);
             d.click(card(kTwo));
         }, {value(kAce, -2), cards(kAce), value(kTen, -2), value(kTen, -3), cards(kTwo),
             value(kTwo, 0), value(kTwo, 1), value(kTwo, 2), value(kTwo, 3), cards(kTwo)}},
    Case{"the wheel moves nothing", [](Driver& d) {
             d.click(card(kFive));
             for (Target t : {kDeckBar, valueBar(kTwo), valueBar(kAce), kDeckButton, card(kSix)}) {
                 d.wheel(t, 1);
                 d.wheel(t, -1);
                 d.focus(t);
                 d.wheel(t, -1);
                 d.wheel(t, 2);
             }
         }, {cards(kFive)}},
    Case{"Up, Page Up and Home lower a bar; Down, Page Down and End raise it", [](Driver& d) {
             pressOn(d, kDeckBar, {Up, PageUp, Down, PageDown, PageDown, Home, Home, Up, End, End, Down});
             pressOn(d, valueBar(kAce), {Up, PageUp, Up, Down, End, PageDown, Home});
         }, {decks(5), decks(4), decks(5), decks(6), decks(7), decks(0), decks(10),
             value(kAce, -2), value(kAce, -3), value(kAce, -2), value(kAce, 32767), value(kAce, -3)}}));

TEST(Focus, StartsOnTheTwoAndTabWalksTheWindow) {
    auto d = openWindow();
    std::vector<Target> order;
    for (Control row : {Control::cmd, Control::Command1, Control::Nombre})
        for (int r = 0; r < 13; ++r) order.push_back({row, r});
    order.insert(order.end(), {{Control::cmdNBJeux}, {Control::cmdValeur}, kDeckBar});
    for (Control row : {Control::HScroll2, Control::Reste})
        for (int r = 0; r < 13; ++r) order.push_back({row, r});
    order.push_back({Control::Valeursabot});
    order.push_back(card(0));

    EXPECT_TRUE(d->focused() == card(0));
    for (std::size_t i = 1; i < order.size(); ++i) {
        d->press(Tab);
        ASSERT_TRUE(d->focused() == order[i]) << "Tab " << i;
    }
    d->press(Backtab);
    EXPECT_TRUE(d->focused() == Target{Control::Valeursabot});
}

// Random input on the window, with the tally told what each input means: the
// window must follow after every single event.
TEST(Storm, CaptionsFollowEveryEvent) {
    const char* seedText = std::getenv("SABOT_STORM_SEED");
    const auto seed =
        seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261207u;
    std::mt19937 random(seed);
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    auto d = openWindow();
    int beeps = 0;
    tally::Tally oracle(tally::Tally::Hooks{.beep = [&] { ++beeps; }, .written = {}});
    oracle.Form_Load();

    // A scroll bar moved to `to`, held in its range: a change only if it moved.
    const auto move = [&](Target bar, int from, int to) {
        const bool deckBar = bar.control == Control::HScroll1;
        const int lowest = deckBar ? 0 : bar.rank >= kTen ? -3 : 0, highest = deckBar ? 10 : 32767;
        to = std::clamp(to, lowest, highest);
        if (to == from) return;
        if (deckBar)
            oracle.HScroll1_Change(to);
        else
            oracle.HScroll2_Change(bar.rank, to);
    };
    for (int step = 1; step <= 4000; ++step) {
        const int roll = pick(100), rank = pick(13);
        const Target bar = pick(4) ? valueBar(rank) : kDeckBar;
        const auto was = d->value(bar);
        std::string what = std::to_string(roll) + " on " + std::to_string(rank);
        if (roll < 40) {
            d->click(card(rank));
            oracle.cmd_Click(rank);
        } else if (roll < 45) {
            pressOn(*d, card(rank), {Space});
            oracle.cmd_Click(rank);
        } else if (roll < 50) {
            d->click(kDeckButton);
            oracle.cmdNBJeux_Click();
        } else if (roll < 55) {
            const Control shows[] = {Control::Nombre,    Control::Reste,    Control::Command1,
                                     Control::cmdValeur, Control::lblSabot, Control::Label3};
            d->click({shows[pick(6)], rank});
        } else if (roll < 75) {
            const bool right = pick(2);
            d->clickPart(bar, right ? RightArrow : LeftArrow);
            move(bar, was, was + (right ? 1 : -1));
        } else if (roll < 95) {
            const Key key = std::array{Left, Right, Up, Down, PageUp, PageDown, Home, End}[pick(8)];
            pressOn(*d, bar, {key});
            const bool lower = key == Left || key == Up || key == PageUp;
            move(bar, was, key == Home ? -99 : key == End ? 99999 : was + (lower ? -1 : 1));
        } else {
            d->wheel(bar, pick(2) ? 1 : -1);
        }
        expectShowing(
            *d, oracle, beeps,
            "seed " + std::to_string(seed) + ", step " + std::to_string(step) + ": " + what);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace window_testing
