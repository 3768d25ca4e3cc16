#include "number_forms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tally {

namespace {

constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Written into one buffer and copied once.
std::string format(std::int64_t number, bool blankForNonNegative) {
    std::array<char, 24> buffer{};
    char* first = buffer.data();
    if (blankForNonNegative && number >= 0) *first++ = ' ';
    const auto result = std::to_chars(first, buffer.data() + buffer.size(), number);
    return {buffer.data(), result.ptr};
}

}  // namespace

std::string plainForm(std::int64_t number) { return format(number, false); }

std::string signedForm(std::int64_t number) { return format(number, true); }

double fieldValue(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at])) ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }

    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    const std::size_t integerEnd = at;
    std::size_t end = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < text.size() && isDigit(text[at])) ++at;
        if (at > fractionStart) end = at;  // a bare trailing '.' adds nothing
    }
    if (end == start) return 0.0;

    // The span holds only digits and at most one '.', which from_chars reads
    // exactly and without regard to the locale.
    double magnitude = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + end, magnitude,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: a large number is held at the top, a tiny one is zero.
        const bool large = std::any_of(text.begin() + static_cast<std::ptrdiff_t>(start),
                                       text.begin() + static_cast<std::ptrdiff_t>(integerEnd),
                                       [](char c) { return c != '0'; });
        magnitude = large ? std::numeric_limits<double>::max() : 0.0;
    }
    if (magnitude == 0.0) return 0.0;  // never a negative zero
    return negative ? -magnitude : magnitude;
}

std::int64_t wholeNumber(double value) {
    constexpr double lowest = -9223372036854775808.0;  // -2^63, exact in a double
    if (std::isnan(value)) return 0;
    if (value < lowest) return std::numeric_limits<std::int64_t>::min();
    if (value >= -lowest) return std::numeric_limits<std::int64_t>::max();
    return std::llround(value);
}

}  // namespace tally
