// A long random run of every operation, checked after each step against a
// model of the counters that this test keeps on its own, in whole numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "tally.h"
#include "tally_test_support.h"

namespace tally {
namespace {

constexpr int kOperations = 250'000;

std::uint32_t seedFromEnvironment() {
    const char* text = std::getenv("SABOT_STORM_SEED");
    return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 20261206u;
}

// A counter as the model sees it: its value and whether it was last written
// in the signed form.
struct Shown {
    std::int64_t value = 0;
    bool withSign = false;
    std::string text() const { return (withSign && value >= 0 ? " " : "") + std::to_string(value); }
};

struct Model {
    static constexpr std::array<int, kRankCount> kLowest{0, 0,  0,  0,  0,  0, 0,
                                                         0, -3, -3, -3, -3, -3};

    int decks = 6;
    std::array<int, kRankCount> values{1, 1, 1, 1, 1, 0, 0, 0, -1, -1, -1, -1, -1};
    int cumul = 0;
    int decksShown = 6;
    bool decksWithSign = false;
    std::array<Shown, kRankCount> seen{}, left{};
    Shown cardsLeft{312, false}, drawn{0, false}, count{0, false}, bet{0, false};

    void refill() {
        for (Shown& r : left) r = {4 * decks, false};
    }
    void click(int rank) {
        seen[rank] = {seen[rank].value + 1, true};
        left[rank] = {left[rank].value - 1, true};
        cumul = std::clamp(cumul + values[rank], -32768, 32767);
        count = {cumul, true};
        cardsLeft = {cardsLeft.value - 1, true};
        drawn = {drawn.value + 1, true};
        int suggestion = 0;
        if (decks > 0) {
            const int quotient = cumul >= 0 ? cumul / decks : -((-cumul + decks - 1) / decks);
            suggestion = std::max(0, quotient + 1);
        }
        bet = {suggestion, false};
    }
    void deckButton() {
        cardsLeft = {52 * decks, false};
        drawn = {0, false};
    }
    void deckChange(int newDecks) {
        decks = newDecks;
        decksWithSign = true;
        deckButton();
        count = {0, false};
        cumul = 0;
        for (Shown& s : seen) s = {0, false};
        refill();
    }
    void valueChange(int rank, int value) {
        values[rank] = value;
        refill();
    }

    std::string expected(FieldRef ref) const {
        switch (ref.field) {
            case Field::Nombre:
                return seen[ref.rank].text();
            case Field::Reste:
                return left[ref.rank].text();
            case Field::Command1:
                return std::to_string(values[ref.rank]);
            case Field::cmdNBJeux:
                return Shown{decks, decksWithSign}.text();
            case Field::cmdValeur:
                return count.text();
            case Field::Valeursabot:
                return bet.text();
            case Field::lblSabot:
                return cardsLeft.text();
            case Field::lblTires:
                return drawn.text();
        }
        return {};
    }
};

int pickValue(std::mt19937& random, int lowest) {
    switch (random() % 5) {
        case 0:
            return lowest;
        case 1:
            return 32767;
        case 2:
            return lowest + static_cast<int>(random() % 10);
        case 3:
            return 32767 - static_cast<int>(random() % 10);
        default:
            return lowest + static_cast<int>(random() % (32768u - lowest));
    }
}

TEST(Storm, EveryCounterFollowsTheModel) {
    const std::uint32_t seed = seedFromEnvironment();
    std::mt19937 random(seed);
    Tally tally;
    tally.Form_Load();
    Model model;
    model.refill();
    const auto fields = allFields();

    for (int step = 1; step <= kOperations; ++step) {
        const std::uint32_t roll = random() % 100;
        std::string what;
        if (roll < 85) {
            const int rank = static_cast<int>(random() % kRankCount);
            tally.cmd_Click(rank);
            model.click(rank);
            what = "card " + std::to_string(rank);
        } else if (roll < 90) {
            const int decks = static_cast<int>(random() % 11);
            tally.HScroll1_Change(decks);
            model.deckChange(decks);
            what = "decks " + std::to_string(decks);
        } else if (roll < 97) {
            const int rank = static_cast<int>(random() % kRankCount);
            const int value = pickValue(random, Model::kLowest[rank]);
            tally.HScroll2_Change(rank, value);
            model.valueChange(rank, value);
            what = "value " + std::to_string(rank) + " = " + std::to_string(value);
        } else {
            tally.cmdNBJeux_Click();
            model.deckButton();
            what = "deck button";
        }

        const auto where = [&] {
            return "seed " + std::to_string(seed) + ", operation " + std::to_string(step) + " (" +
                   what + ")";
        };
        ASSERT_EQ(tally.Cumul(), model.cumul) << where();
        for (FieldRef ref : fields) {
            ASSERT_EQ(tally.text(ref), model.expected(ref))
                << testing::name(ref) << ", " << where();
        }
    }
}

}  // namespace
}  // namespace tally
