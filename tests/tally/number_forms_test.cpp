#include "number_forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tally {
namespace {

struct Reading {
    std::string text;
    double value;
};

void PrintTo(const Reading& r, std::ostream* os) { *os << '"' << r.text << '"'; }

class FieldValue : public ::testing::TestWithParam<Reading> {};

TEST_P(FieldValue, ReadsLeniently) {
    const double read = fieldValue(GetParam().text);
    EXPECT_EQ(read, GetParam().value);
    EXPECT_FALSE(std::signbit(read) && read == 0.0) << "a reading is never a negative zero";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldValue,
    ::testing::Values(
        // Both number forms read back.
        Reading{"24", 24}, Reading{" 24", 24}, Reading{" 311", 311}, Reading{"-1", -1},
        Reading{" 0", 0}, Reading{"0", 0}, Reading{"-32768", -32768},
        // Nothing to read.
        Reading{"", 0}, Reading{"   ", 0}, Reading{"-", 0}, Reading{"+", 0}, Reading{".", 0},
        Reading{"-.", 0}, Reading{"-0", 0}, Reading{"V", 0},
        // Sign and decimals.
        Reading{"+7", 7}, Reading{"3.5", 3.5}, Reading{".5", 0.5}, Reading{"5.", 5},
        Reading{"-2.25", -2.25}, Reading{"\t8", 8},
        // The number stops at the first character that is not part of it.
        Reading{"- 1", 0}, Reading{"--1", 0}, Reading{"+-1", 0}, Reading{"1 2", 1},
        Reading{"12abc", 12}, Reading{"1.2.3", 1.2}, Reading{"1,5", 1}, Reading{"007", 7},
        // What library parsers take and this reading does not.
        Reading{"1e3", 1}, Reading{"1E3", 1}, Reading{"inf", 0}, Reading{"-infinity", 0},
        Reading{"nan", 0}, Reading{"0x10", 0}, Reading{"0b1", 0},
        // Far beyond a double: held finite, never infinite.
        Reading{std::string(400, '9'), std::numeric_limits<double>::max()},
        Reading{"-" + std::string(400, '9'), -std::numeric_limits<double>::max()},
        Reading{"0." + std::string(400, '0') + "1", 0}, Reading{std::string(400, '0') + "42", 42}));

struct Forms {
    std::int64_t number;
    const char* plain;
    const char* withSign;
};

class NumberForms : public ::testing::TestWithParam<Forms> {};

TEST_P(NumberForms, WriteAndReadBack) {
    const Forms& f = GetParam();
    EXPECT_EQ(plainForm(f.number), f.plain);
    EXPECT_EQ(signedForm(f.number), f.withSign);
    if (std::abs(static_cast<double>(f.number)) < 0x1p53) {
        EXPECT_EQ(fieldValue(f.plain), static_cast<double>(f.number));
        EXPECT_EQ(fieldValue(f.withSign), static_cast<double>(f.number));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberForms,
    ::testing::Values(Forms{0, "0", " 0"}, Forms{1, "1", " 1"}, Forms{24, "24", " 24"},
                      Forms{311, "311", " 311"}, Forms{-1, "-1", "-1"}, Forms{-3, "-3", "-3"},
                      Forms{32767, "32767", " 32767"}, Forms{-32768, "-32768", "-32768"},
                      Forms{INT64_MAX, "9223372036854775807", " 9223372036854775807"},
                      Forms{INT64_MIN, "-9223372036854775808", "-9223372036854775808"}));

TEST(WholeNumber, HoldsEveryDoubleWithinRange) {
    EXPECT_EQ(wholeNumber(311.0), 311);
    EXPECT_EQ(wholeNumber(-1.0), -1);
    EXPECT_EQ(wholeNumber(2.5), 3);
    EXPECT_EQ(wholeNumber(std::numeric_limits<double>::max()), INT64_MAX);
    EXPECT_EQ(wholeNumber(-std::numeric_limits<double>::max()), INT64_MIN);
    EXPECT_EQ(wholeNumber(std::nan("")), 0);
}

}  // namespace
}  // namespace tally
