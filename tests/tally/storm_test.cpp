// A long random run of every operation, checked after each against the model.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tally.h"
#include "tally_model.h"

namespace tally::testing {

TEST(Storm, EveryCounterFollowsTheModel) {
    SCOPED_TRACE("seed " + std::to_string(stormSeed()));
    std::mt19937 random(stormSeed());
    const auto pick = [&random](int lowest, int highest) {
        return lowest + static_cast<int>(random() % static_cast<unsigned>(highest - lowest + 1));
    };
    Model model;
    std::vector<std::pair<FieldRef, std::string>> fields;
    for (FieldRef ref : allFields()) fields.emplace_back(ref, name(ref));
    int beeps = 0, beepsAfterAChange = 0;  // the beep must come before any counter changes
    Tally tally(Tally::Hooks{.beep =
                                 [&] {
                                     ++beeps;
                                     for (const auto& [ref, field] : fields)
                                         beepsAfterAChange += tally.text(ref) != model.shown[field];
                                 },
                             .written = {}});
    tally.Form_Load();
    for (int step = 1; step <= 100'000; ++step) {
        // Mostly cards; now and then an input past the end of its range, which is held.
        const int roll = pick(0, 99), rank = roll % 10 ? pick(0, 12) : pick(-1, 13);
        const int value = roll < 93   ? pick(-5, 5)
                          : roll < 96 ? pick(32760, 32770)
                                      : pick(-5, 32770);
        if (roll < 85) {
            tally.cmd_Click(rank);
            model.click(rank);
        } else if (roll < 90) {
            tally.HScroll1_Change(rank - 1);
            model.deckChange(rank - 1);
        } else if (roll < 98) {
            tally.HScroll2_Change(rank, value);
            model.valueChange(rank, value);
        } else {
            tally.cmdNBJeux_Click();
            model.deckButton();
        }
        ASSERT_EQ(beeps, model.beeps) << "step " << step;
        ASSERT_EQ(beepsAfterAChange, 0) << "step " << step;
        ASSERT_EQ(tally.Cumul(), model.cumul) << "step " << step;
        for (const auto& [ref, field] : fields)
            ASSERT_EQ(tally.text(ref), model.shown[field]) << field << ", step " << step;
    }
}

}  // namespace tally::testing
