#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "layout.h"
#include "number_forms.h"
#include "tally_model.h"

namespace tally {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

TEST(NumberForms, WriteAndReadBack) {
    struct Row {
        std::int64_t number;
        const char *plain, *withSign;
    };
    // clang-format off
    for (const Row& row : std::vector<Row>{
             {0, "0", " 0"}, {311, "311", " 311"}, {-1, "-1", "-1"}, {-32768, "-32768", "-32768"},
             {INT64_MAX, "9223372036854775807", " 9223372036854775807"},
             {INT64_MIN, "-9223372036854775808", "-9223372036854775808"}}) {
        // clang-format on
        EXPECT_EQ(plainForm(row.number), row.plain);
        EXPECT_EQ(signedForm(row.number), row.withSign);
        EXPECT_EQ(wholeNumber(fieldValue(row.withSign)), row.number);
    }
    EXPECT_EQ(wholeNumber(2.5), 3);
    EXPECT_EQ(wholeNumber(-kHuge), INT64_MIN);
    EXPECT_EQ(wholeNumber(std::nan("")), 0);
}

TEST(FieldValue, ReadsLeniently) {
    const std::string many(400, '9');
    const std::vector<std::pair<std::string, double>> rows = {
        // clang-format off
        {" 24", 24}, {"\t8", 8}, {"-1", -1}, {"+7", 7}, {"", 0}, {"  ", 0}, {"-", 0}, {"-.", 0},
        {"-0", 0}, {"V", 0}, {"3.5", 3.5}, {".5", 0.5}, {"5.", 5}, {"-2.25", -2.25}, {"- 1", 0},
        {"--1", 0}, {"1 2", 1}, {"1.2.3", 1.2}, {"1,5", 1}, {"007", 7}, {"1e3", 1}, {"inf", 0},
        {"nan", 0}, {"0x10", 0}, {many, kHuge}, {"-" + many, -kHuge},
        {"0." + std::string(400, '0') + "1", 0}, {"-0." + std::string(400, '0') + "1", 0},
        {std::string(400, '0') + "42", 42}};
    // clang-format on
    for (const auto& [text, value] : rows) {
        const double read = fieldValue(text);
        EXPECT_EQ(read, value) << '"' << text << '"';
        EXPECT_FALSE(read == 0 && std::signbit(read)) << "a negative zero from " << text;
    }
    // A text that ends inside a longer buffer is read up to its end only.
    EXPECT_EQ(fieldValue(std::string_view(" 12", 2)), 1);
    EXPECT_EQ(fieldValue(std::string_view("3.5", 2)), 3);
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

// A long random run of every operation, checked after each against the model.
TEST(Storm, EveryCounterFollowsTheModel) {
    using namespace testing;
    SCOPED_TRACE("seed " + std::to_string(stormSeed()));
    std::mt19937 random(stormSeed());
    const auto pick = [&random](int lowest, int highest) {
        return lowest + static_cast<int>(random() % static_cast<unsigned>(highest - lowest + 1));
    };
    Model model;
    std::vector<std::pair<FieldRef, std::string>> fields;
    for (FieldRef ref : allFields()) fields.emplace_back(ref, name(ref));
    ASSERT_EQ(fields.size(), model.shown.size()) << "every field";
    int beeps = 0, beepsAfterAChange = 0;  // the beep must come before any counter changes
    const Tally* beeping = nullptr;
    const auto beep = [&] {
        ++beeps;
        for (const auto& [ref, field] : fields)
            beepsAfterAChange += beeping->text(ref) != model.shown[field];
    };
    Tally tally(Tally::Hooks{.beep = beep, .written = {}});
    beeping = &tally;
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

}  // namespace
}  // namespace tally
