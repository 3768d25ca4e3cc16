// The window's event map, run against any front-end through its driver: real
// input on the controls, then every caption and scroll bar compared with what
// that input should have done.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <vector>

#include "tally_model.h"
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
    std::vector<Target> order;
    for (Control row : {Control::cmd, Control::Command1, Control::Nombre})
        for (int r = 0; r < 13; ++r) order.push_back({row, r});
    order.insert(order.end(), {{Control::cmdNBJeux}, {Control::cmdValeur}, kDeckBar});
    for (Control row : {Control::HScroll2, Control::Reste})
        for (int r = 0; r < 13; ++r) order.push_back({row, r});
    order.insert(order.end(), {{Control::Valeursabot}, card(0)});

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
    for (const auto& [target, name, description, value] :
         std::vector<std::tuple<Target, std::string, std::string, std::string>>{
             {card(kFive), "5", "Click sur les cartes, 5", ""},
             {{Control::Reste, kAce}, "24", "Restantes, A", ""},
             {valueBar(kAce), "Valeur des cartes, A", "", "-1"},
             {valueBar(kFive), "Valeur des cartes, 5", "", "1"},
             {kDeckBar, "Nombre de jeux par sabot", "", "6"},
             {{Control::lblTires}, "0", "Cartes tirées", ""},
             {{Control::Label5}, "Cartes tirées", "", ""}})
        EXPECT_EQ(d->reading(target), Driver::Reading(name, description, value));
}

// Along one axis of the free area: centred where the window fits, else at the
// area's start (a window larger than a small screen keeps its title bar).
TEST(Placement, CentredWhereItFitsElseAtTheStart) {
    // area start, area length, window length, where the window starts
    for (const auto& [start, area, length, at] :
         std::vector<std::array<int, 4>>{{0, 1280, 656, 312},
                                         {0, 700, 700, 0},
                                         {30, 701, 700, 30},
                                         {-1280, 1280, 656, -968},
                                         {40, 900, 984, 40},
                                         {-20, 600, 4000, -20}})
        EXPECT_EQ(layout::placed(start, area, length), at) << start << " " << area << " " << length;
}

// Where the table draws a control, in pixels at `dpi`.
Box drawn(Target t, int dpi) {
    const layout::Twips& box = layout::item(t.control, t.rank).box;
    using layout::pixels;
    return {pixels(box.left, dpi), pixels(box.top, dpi), pixels(box.width, dpi),
            pixels(box.height, dpi)};
}

bool isHeading(Target t) { return layout::item(t.control, t.rank).heading; }

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
    std::vector<Target> controls;
    for (int c = 0; c < layout::kControlCount; ++c)
        for (int r = 0; r < (layout::isPerRank(Control(c)) ? 13 : 1); ++r)
            controls.push_back({Control(c), r});
    for (Target t : controls) {
        SCOPED_TRACE("control " + std::to_string(int(t.control)) + "(" + std::to_string(t.rank) +
                     ")");
        const Box at = d->box(t), want = drawn(t, dpi);
        EXPECT_TRUE(at == want || (isHeading(t) && at.left == want.left && at.top == want.top &&
                                   at.width == want.width && at.height > want.height));
        EXPECT_EQ(common(at, client), at);
        EXPECT_TRUE(d->fits(t, d->caption(t))) << d->caption(t);
        const bool counter = std::ranges::any_of(tally::allFields(), [t](tally::FieldRef ref) {
            return layout::displayOf(ref.field) == t.control;
        });
        EXPECT_TRUE(!counter || (d->fits(t, " 520") && d->fits(t, "-520")));
        for (Target other : controls)
            EXPECT_TRUE(other == t || common(at, d->box(other)) == common(want, drawn(other, dpi)))
                << "overlaps " << int(other.control) << "(" << other.rank << ")";
    }
}

// A card counts where the left button or a key press clicks it, once per
// press: the other buttons move no focus, a key held down counts once
// wherever the focus goes meanwhile, and with Alt held no key clicks.
TEST(Cards, CountOncePerLeftClickOrKeyPress) {
    using Act = void (*)(Driver&);
    for (const auto& [what, act, cards] :
         std::vector<std::tuple<std::string, Act, std::vector<int>>>{
             {"right click on the 10, Space",
              [](Driver& d) { d.clickWith(card(kTen), Button::Right), d.press(Space); },
              {kTwo}},
             {"middle click on the decks, Space",
              [](Driver& d) { d.clickWith(kDeckBar, Button::Middle), d.press(Space); },
              {kTwo}},
             {"Enter held on the 2, the 3 clicked",
              [](Driver& d) { d.holdWhileClicking(Enter, card(1)); },
              {kTwo, 1}},
             {"Space held on the 2, the 3 clicked",
              [](Driver& d) { d.holdWhileClicking(Space, card(1)); },
              {kTwo, 1}},
             {"Alt+Enter", [](Driver& d) { d.press(AltEnter); }, {}}}) {
        SCOPED_TRACE(what);
        auto d = openWindow();
        act(*d);
        Model model;
        for (int rank : cards) model.click(rank);
        expectShowing(*d, model);
    }
}

// Random clicks, double clicks, keys and wheel notches, each told to the model
// as what it should mean: the window must follow after every single event.
// Display-only controls, stray keys and the wheel must change nothing.
TEST(Storm, CaptionsFollowEveryEvent) {
    SCOPED_TRACE("seed " + std::to_string(stormSeed()));
    std::mt19937 random(stormSeed());
    const auto pick = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
    auto d = openWindow();
    Model model;
    for (int step = 1; step <= 4000; ++step) {
        const int roll = pick(110), rank = pick(13);
        const Target bar = pick(4) ? valueBar(rank) : kDeckBar;
        const int was = d->value(bar);
        int to = was;  // where the bar should go
        if (roll < 45) {
            if (roll < 38) {
                d->click(card(rank), 1);
            } else if (roll < 42) {
                d->click(card(rank), 2);  // two cards
                model.click(rank);
            } else {
                pressOn(*d, card(rank), {Space});
            }
            model.click(rank);
        } else if (roll < 50) {
            d->click(kDeckButton, 1);
            model.deckButton();
        } else if (roll < 58) {
            // The first five take the focus.
            const Control shows[] = {Control::Command1,  Control::Nombre,      Control::Reste,
                                     Control::cmdValeur, Control::Valeursabot, Control::lblSabot,
                                     Control::lblTires,  Control::Label4};
            if (roll < 55)
                d->click({shows[pick(8)], rank}, 1 + roll % 2);
            else
                pressOn(*d, {shows[pick(5)], rank}, {std::array{Space, Escape, Left}[roll % 3]});
        } else if (roll < 75) {
            d->clickPart(bar, roll % 2 ? RightArrow : LeftArrow);
            to += roll % 2 ? 1 : -1;
        } else if (roll < 95) {
            const Key key =
                std::array{Left, Right, Up, Down, PageUp, PageDown, Home, End}[roll % 8];
            pressOn(*d, bar, {key});
            to = key == Home ? -99 : key == End ? 99999 : was + (roll % 8 % 2 ? 1 : -1);
        } else if (roll < 100) {
            const Target under = std::array{bar, bar, card(rank), kDeckButton}[pick(4)];
            if (roll % 2) d->focus(under);
            d->wheel(under, pick(2) ? pick(3) + 1 : -pick(3) - 1);
        } else if (roll < 104) {
            // One card, however long the key is held; then one more press.
            d->focus(card(rank));
            d->hold(roll % 2 ? Space : Enter, pick(20));
            d->press(roll % 2 ? Space : Enter);
            model.click(rank);
            model.click(rank);
        } else if (roll < 107) {
            to += d->middleOfBar(bar, roll % 2 ? 3 : -3);
            d->drag(bar, roll % 2 ? 3 : -3);
        } else {
            pressOn(*d, roll % 2 ? bar : card(rank), {AltX});  // nothing, not even a sound
        }
        const bool deckBar = bar == kDeckBar;
        to = std::clamp(to, deckBar || rank < kTen ? 0 : -3, deckBar ? 10 : 32767);
        if (to != was) deckBar ? model.deckChange(to) : model.valueChange(rank, to);
        SCOPED_TRACE("step " + std::to_string(step) + ", roll " + std::to_string(roll));
        expectShowing(*d, model);
        if (HasFatalFailure()) return;
    }
}

}  // namespace

void expectShowing(const Driver& d, tally::testing::Model& model) {
    using tally::testing::name;
    ASSERT_EQ(d.beeps(), model.beeps);
    for (tally::FieldRef ref : tally::allFields())
        ASSERT_EQ(d.caption({layout::displayOf(ref.field), ref.rank}), model.shown[name(ref)])
            << name(ref);
    for (int rank = 0; rank < tally::kRankCount; ++rank)
        ASSERT_EQ(d.value({layout::Control::HScroll2, rank}),
                  std::stoi(model.shown[name({tally::Field::Command1, rank})]));
    ASSERT_EQ(d.value({layout::Control::HScroll1}), std::stoi(model.shown["cmdNBJeux"]));
}

}  // namespace window_testing
