#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tally.h"
#include "tally_test_support.h"

namespace tally {
namespace {

using testing::loaded;
using testing::name;

using namespace testing;

using Texts = std::vector<std::pair<FieldRef, std::string>>;

Texts everyRank(Field field, const std::string& text) {
    Texts texts;
    for (int rank = 0; rank < kRankCount; ++rank) texts.push_back({{field, rank}, text});
    return texts;
}

Texts operator+(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Reset {
    const char* what;
    std::function<void(Tally&)> operation;
    Texts changed;  // every other field keeps its text
    int cumul;
};

void PrintTo(const Reset& r, std::ostream* os) { *os << r.what; }

// A shoe in play: a few cards dealt, the running count at 1 and a bet shown.
Tally midShoe() {
    Tally tally = loaded();
    for (int rank : {kFive, kAce, kKing, kTwo, kTwo}) tally.cmd_Click(rank);
    return tally;
}

class Resets : public ::testing::TestWithParam<Reset> {};

TEST_P(Resets, ChangeExactlyTheirFields) {
    const Reset& reset = GetParam();
    Tally tally = midShoe();
    ASSERT_EQ(tally.Cumul(), 1);
    ASSERT_EQ(tally.Valeursabot(), "1");
    const Tally before = tally;

    reset.operation(tally);

    std::map<std::string, std::string> expected;
    for (FieldRef ref : allFields()) expected[name(ref)] = before.text(ref);
    for (const auto& [ref, text] : reset.changed) expected[name(ref)] = text;
    for (FieldRef ref : allFields()) {
        EXPECT_EQ(tally.text(ref), expected[name(ref)]) << name(ref);
    }
    EXPECT_EQ(tally.Cumul(), reset.cumul);
}

std::function<void(Tally&)> deckChange(int decks) {
    return [decks](Tally& t) { t.HScroll1_Change(decks); };
}

std::function<void(Tally&)> valueChange(int rank, int value) {
    return [rank, value](Tally& t) { t.HScroll2_Change(rank, value); };
}

// What a value change shows: the rank's new value and a refilled row.
Texts newValue(int rank, const char* value) {
    return Texts{{{Field::Command1, rank}, value}} + everyRank(Field::Reste, "24");
}

// What a deck change shows: the new deck count, a full shoe, no cards seen.
Texts freshShoe(const char* decks, const char* cardsLeft, const char* perRank) {
    return Texts{{{Field::cmdNBJeux}, decks},
                 {{Field::lblSabot}, cardsLeft},
                 {{Field::lblTires}, "0"},
                 {{Field::cmdValeur}, "0"}} +
           everyRank(Field::Nombre, "0") + everyRank(Field::Reste, perRank);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Resets,
    ::testing::Values(
        Reset{"load fill", [](Tally& t) { t.Form_Load(); }, everyRank(Field::Reste, "24"), 1},
        Reset{"deck button",
              [](Tally& t) { t.cmdNBJeux_Click(); },
              {{{Field::lblSabot}, "312"}, {{Field::lblTires}, "0"}},
              1},
        Reset{"deck change to 7", deckChange(7), freshShoe(" 7", "364", "28"), 0},
        Reset{"deck change to 0", deckChange(0), freshShoe(" 0", "0", "0"), 0},
        Reset{"deck change to the same 6", deckChange(6), freshShoe(" 6", "312", "24"), 0},
        Reset{"deck change past the top, held at 10", deckChange(11), freshShoe(" 10", "520", "40"),
              0},
        Reset{"deck change below 0, held at 0", deckChange(-1), freshShoe(" 0", "0", "0"), 0},
        Reset{"ace value to -2", valueChange(kAce, -2), newValue(kAce, "-2"), 1},
        Reset{"two value to the top", valueChange(kTwo, 32767), newValue(kTwo, "32767"), 1},
        Reset{"ten value below -3, held at -3", valueChange(kTen, -9), newValue(kTen, "-3"), 1},
        Reset{"two value below 0, held at 0", valueChange(kTwo, -1), newValue(kTwo, "0"), 1},
        Reset{"value change of no rank", valueChange(13, 5), Texts{}, 1}));

}  // namespace
}  // namespace tally
