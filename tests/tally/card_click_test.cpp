#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tally.h"
#include "tally_test_support.h"

namespace tally {
namespace {

using testing::loaded;
using testing::name;

using namespace testing;

TEST(Start, ShowsTheStartingTextsAndTheLoadFill) {
    Tally fresh;
    for (int rank = 0; rank < kRankCount; ++rank) EXPECT_EQ(fresh.Reste(rank), "0");

    const Tally tally = loaded();
    const char* const values[kRankCount] = {"1", "1",  "1",  "1",  "1",  "0", "0",
                                            "0", "-1", "-1", "-1", "-1", "-1"};
    for (int rank = 0; rank < kRankCount; ++rank) {
        EXPECT_EQ(tally.Nombre(rank), "0");
        EXPECT_EQ(tally.Reste(rank), "24");
        EXPECT_EQ(tally.Command1(rank), values[rank]);
    }
    EXPECT_EQ(tally.cmdNBJeux(), "6");
    EXPECT_EQ(tally.cmdValeur(), "0");
    EXPECT_EQ(tally.Valeursabot(), "0");
    EXPECT_EQ(tally.lblSabot(), "312");
    EXPECT_EQ(tally.lblTires(), "0");
    EXPECT_EQ(tally.Cumul(), 0);
}

TEST(CardClick, FollowsTheWorkedExample) {
    struct Row {
        int rank;
        const char *nombre, *reste;
        int cumul;
        const char *cmdValeur, *lblSabot, *lblTires, *valeursabot;
    };
    const Row rows[] = {
        {kFive, " 1", " 23", 1, " 1", " 311", " 1", "1"},
        {kAce, " 1", " 23", 0, " 0", " 310", " 2", "1"},
        {kKing, " 1", " 23", -1, "-1", " 309", " 3", "0"},
        {kFive, " 2", " 22", 0, " 0", " 308", " 4", "1"},
    };
    Tally tally = loaded();
    for (const Row& row : rows) {
        SCOPED_TRACE("after the click on rank " + std::to_string(row.rank));
        tally.cmd_Click(row.rank);
        EXPECT_EQ(tally.Nombre(row.rank), row.nombre);
        EXPECT_EQ(tally.Reste(row.rank), row.reste);
        EXPECT_EQ(tally.Cumul(), row.cumul);
        EXPECT_EQ(tally.cmdValeur(), row.cmdValeur);
        EXPECT_EQ(tally.lblSabot(), row.lblSabot);
        EXPECT_EQ(tally.lblTires(), row.lblTires);
        EXPECT_EQ(tally.Valeursabot(), row.valeursabot);
    }
    EXPECT_EQ(tally.Nombre(kTwo), "0") << "ranks not clicked keep their plain texts";
    EXPECT_EQ(tally.Reste(kTwo), "24");
}

TEST(CardClick, BeepsBeforeAnyFieldChangesThenWritesInOrder) {
    std::vector<std::string> events;
    Tally tally(Tally::Hooks{
        .beep = [&] { events.push_back("beep"); },
        .written = [&](FieldRef ref) { events.push_back(name(ref)); },
    });
    tally.Form_Load();
    events.clear();
    tally.cmd_Click(kFive);
    const std::vector<std::string> expected = {"beep",     "Nombre(3)", "Reste(3)",   "cmdValeur",
                                               "lblSabot", "lblTires",  "Valeursabot"};
    EXPECT_EQ(events, expected);

    events.clear();
    tally.cmd_Click(13);
    tally.cmd_Click(-1);
    EXPECT_TRUE(events.empty()) << "a rank index outside 0..12 is ignored, without a beep";
}

// Plays a fresh shoe of `decks` decks up to `count`, after `zeroCards` cards worth 0.
void playTo(Tally& tally, int decks, int count, int zeroCards) {
    tally.HScroll1_Change(decks);
    for (int i = 0; i < zeroCards; ++i) tally.cmd_Click(kSeven);
    if (count > 0) {
        tally.HScroll2_Change(kTwo, count);
        tally.cmd_Click(kTwo);
    } else {
        for (int i = 0; i < -count; ++i) tally.cmd_Click(kAce);
    }
}

struct Bet {
    int decks, count, zeroCardsFirst;
    const char* suggestion;
};

class BetSuggestion : public ::testing::TestWithParam<Bet> {};

TEST_P(BetSuggestion, DividesTheCountByTheDecksOfTheShoe) {
    const Bet& bet = GetParam();
    Tally tally = loaded();
    playTo(tally, bet.decks, bet.count, bet.zeroCardsFirst);
    ASSERT_EQ(tally.Cumul(), bet.count);
    EXPECT_EQ(tally.Valeursabot(), bet.suggestion);
}

INSTANTIATE_TEST_SUITE_P(Counts, BetSuggestion,
                         ::testing::Values(Bet{6, 0, 1, "1"}, Bet{6, 5, 0, "1"}, Bet{6, 6, 0, "2"},
                                           Bet{6, 12, 0, "3"}, Bet{6, -1, 0, "0"},
                                           Bet{6, -6, 0, "0"}, Bet{6, -7, 0, "0"},
                                           Bet{4, 6, 0, "2"}, Bet{1, 1, 0, "2"}, Bet{10, 9, 0, "1"},
                                           Bet{10, 10, 0, "2"}, Bet{1, 32767, 0, "32768"},
                                           // The cards already dealt do not change the divisor.
                                           Bet{6, 6, 10, "2"}, Bet{6, 6, 300, "2"},
                                           // No decks: no division, and nothing to bet.
                                           Bet{0, 0, 1, "0"}, Bet{0, 5, 0, "0"},
                                           Bet{0, -3, 0, "0"}));

std::string withSign(int n) { return (n < 0 ? "" : " ") + std::to_string(n); }

struct Saturation {
    int rank, value, clicks, cumul;
    const char* cmdValeur;
};

class RunningCountLimits : public ::testing::TestWithParam<Saturation> {};

TEST_P(RunningCountLimits, HoldAtTheEndsAndStillCountTheCard) {
    const Saturation& s = GetParam();
    Tally tally = loaded();
    tally.HScroll2_Change(s.rank, s.value);
    for (int i = 0; i < s.clicks; ++i) tally.cmd_Click(s.rank);
    EXPECT_EQ(tally.Cumul(), s.cumul);
    EXPECT_EQ(tally.cmdValeur(), s.cmdValeur);
    EXPECT_EQ(tally.Nombre(s.rank), " " + std::to_string(s.clicks));
    EXPECT_EQ(tally.Reste(s.rank), withSign(24 - s.clicks));
    EXPECT_EQ(tally.lblSabot(), withSign(312 - s.clicks));
    EXPECT_EQ(tally.lblTires(), " " + std::to_string(s.clicks));
}

INSTANTIATE_TEST_SUITE_P(Ends, RunningCountLimits,
                         ::testing::Values(Saturation{kTwo, 32767, 1, 32767, " 32767"},
                                           Saturation{kTwo, 32767, 2, 32767, " 32767"},
                                           Saturation{kTwo, 16384, 2, 32767, " 32767"},
                                           Saturation{kTwo, 16383, 2, 32766, " 32766"},
                                           Saturation{kTen, -3, 10922, -32766, "-32766"},
                                           Saturation{kTen, -3, 10923, -32768, "-32768"},
                                           Saturation{kTen, -3, 10930, -32768, "-32768"}));

TEST(WholeShoe, DealtOutInAMixedOrder) {
    std::vector<int> shoe;
    for (int rank = 0; rank < kRankCount; ++rank) shoe.insert(shoe.end(), 24, rank);
    std::mt19937 random(20261206);
    for (std::size_t i = shoe.size() - 1; i > 0; --i) std::swap(shoe[i], shoe[random() % (i + 1)]);

    Tally tally = loaded();
    int count = 0;
    int dealt = 0;
    for (int rank : shoe) {
        tally.cmd_Click(rank);
        ++dealt;
        count += rank <= 4 ? 1 : rank <= 7 ? 0 : -1;
        ASSERT_EQ(tally.Cumul(), count) << "after card " << dealt;
        const int bet = count < 0 ? 0 : count / 6 + 1;
        ASSERT_EQ(tally.Valeursabot(), std::to_string(bet)) << "after card " << dealt;
        ASSERT_EQ(tally.lblTires(), " " + std::to_string(dealt));
    }
    for (int rank = 0; rank < kRankCount; ++rank) {
        EXPECT_EQ(tally.Nombre(rank), " 24");
        EXPECT_EQ(tally.Reste(rank), " 0");
    }
    EXPECT_EQ(tally.lblSabot(), " 0");
    EXPECT_EQ(tally.lblTires(), " 312");
    EXPECT_EQ(tally.cmdValeur(), " 0");
    EXPECT_EQ(tally.Valeursabot(), "1");
    EXPECT_EQ(tally.Cumul(), 0);

    tally.cmd_Click(kAce);
    EXPECT_EQ(tally.Reste(kAce), "-1");
    EXPECT_EQ(tally.lblSabot(), "-1");
}

}  // namespace
}  // namespace tally
