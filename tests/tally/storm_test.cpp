// A long random run of every operation, checked after each step against a
// model of the counters that this test keeps on its own, in whole numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tally.h"
#include "tally_test_support.h"

namespace tally {
namespace {

constexpr int kOperations = 150'000;

std::string withSign(long long n) { return (n < 0 ? "" : " ") + std::to_string(n); }

// What the player should see, field by field, read back as the program does.
struct Model {
    std::map<std::string, std::string> shown;
    std::array<int, kRankCount> values{1, 1, 1, 1, 1, 0, 0, 0, -1, -1, -1, -1, -1};
    int cumul = 0, beeps = 0;

    static std::string at(const char* row, int rank) {
        return row + ("(" + std::to_string(rank) + ")");
    }
    long long number(const std::string& field) { return std::stoll(shown[field]); }
    void refill() {
        for (int rank = 0; rank < kRankCount; ++rank)
            shown[at("Reste", rank)] = std::to_string(4 * number("cmdNBJeux"));
    }
    Model()
        : shown{{"cmdNBJeux", "6"},
                {"cmdValeur", "0"},
                {"Valeursabot", "0"},
                {"lblSabot", "312"},
                {"lblTires", "0"}} {
        for (int rank = 0; rank < kRankCount; ++rank) {
            shown[at("Nombre", rank)] = "0";
            shown[at("Reste", rank)] = "0";
            shown[at("Command1", rank)] = std::to_string(values[rank]);
        }
    }
    void click(int rank) {
        if (rank < 0 || rank >= kRankCount) return;
        ++beeps;
        shown[at("Nombre", rank)] = withSign(number(at("Nombre", rank)) + 1);
        shown[at("Reste", rank)] = withSign(number(at("Reste", rank)) - 1);
        cumul = std::clamp(cumul + values[rank], -32768, 32767);
        shown["cmdValeur"] = withSign(cumul);
        shown["lblSabot"] = withSign(number("lblSabot") - 1);
        shown["lblTires"] = withSign(number("lblTires") + 1);
        const long long decks = number("cmdNBJeux");
        long long bet = 0;  // floor(cumul / decks) + 1, never below 0
        if (decks > 0)
            bet = std::max(0LL, (cumul >= 0 ? cumul / decks : -((decks - 1 - cumul) / decks)) + 1);
        shown["Valeursabot"] = std::to_string(bet);
    }
    void deckButton() {
        shown["lblSabot"] = std::to_string(52 * number("cmdNBJeux"));
        shown["lblTires"] = "0";
    }
    void deckChange(int decks) {
        shown["cmdNBJeux"] = withSign(std::clamp(decks, 0, 10));
        deckButton();
        shown["cmdValeur"] = "0";
        cumul = 0;
        for (int rank = 0; rank < kRankCount; ++rank) shown[at("Nombre", rank)] = "0";
        refill();
    }
    void valueChange(int rank, int value) {
        if (rank < 0 || rank >= kRankCount) return;
        values[rank] = std::clamp(value, rank < 8 ? 0 : -3, 32767);
        shown[at("Command1", rank)] = std::to_string(values[rank]);
        refill();
    }
};

TEST(Storm, EveryCounterFollowsTheModel) {
    const char* seedText = std::getenv("SABOT_STORM_SEED");
    const auto seed =
        seedText ? static_cast<std::uint32_t>(std::strtoul(seedText, nullptr, 10)) : 20261206u;
    std::mt19937 random(seed);
    int beeps = 0;
    Tally tally(Tally::Hooks{.beep = [&] { ++beeps; }, .written = {}});
    Model model;
    std::string what = "start";
    std::vector<std::pair<FieldRef, std::string>> fields;
    for (FieldRef ref : allFields()) fields.emplace_back(ref, testing::name(ref));
    const auto check = [&](int step) {
        const auto where = [&] {
            return "seed " + std::to_string(seed) + ", step " + std::to_string(step) + " (" + what +
                   ")";
        };
        ASSERT_EQ(tally.Cumul(), model.cumul) << where();
        ASSERT_EQ(beeps, model.beeps) << where();
        for (const auto& [ref, name] : fields)
            ASSERT_EQ(tally.text(ref), model.shown[name]) << name << ", " << where();
    };
    check(0);
    tally.Form_Load();
    model.refill();
    // Mostly cards and values in range; now and then one past an end, which is held.
    auto pick = [&random](int lowest, int highest) {
        return lowest + static_cast<int>(random() % static_cast<unsigned>(highest - lowest + 1));
    };
    for (int step = 1; step <= kOperations; ++step) {
        const auto roll = random() % 100;
        if (roll < 85) {
            const int rank = roll < 84 ? pick(0, kRankCount - 1) : pick(-2, kRankCount + 1);
            tally.cmd_Click(rank);
            model.click(rank);
            what = "card " + std::to_string(rank);
        } else if (roll < 90) {
            const int decks = pick(-2, 12);
            tally.HScroll1_Change(decks);
            model.deckChange(decks);
            what = "decks " + std::to_string(decks);
        } else if (roll < 97) {
            const int rank = pick(-1, kRankCount);
            const int value = roll < 93   ? pick(-5, 5)
                              : roll < 95 ? pick(32760, 32770)
                                          : pick(-5, 32770);
            tally.HScroll2_Change(rank, value);
            model.valueChange(rank, value);
            what = "value " + std::to_string(rank) + " = " + std::to_string(value);
        } else {
            tally.cmdNBJeux_Click();
            model.deckButton();
            what = "deck button";
        }
        check(step);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace tally
