#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "number_forms.h"

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

}  // namespace
}  // namespace tally
