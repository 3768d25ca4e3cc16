// libFuzzer target for the field reading and the two number forms.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "number_forms.h"

namespace {

// Counters stay whole and far inside what a double holds exactly.
constexpr std::int64_t kLargestExact = std::int64_t{1} << 53;

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The text is exactly the input bytes, with no terminator after them, so
    // that reading one byte too far is caught.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = tally::fieldValue(text);
    require(std::isfinite(value));
    require(!(value == 0.0 && std::signbit(value)));

    // A leading blank never changes a reading.
    require(tally::fieldValue(" " + std::string(text)) == value);

    if (size >= sizeof(std::int64_t)) {
        std::int64_t number = 0;
        std::memcpy(&number, data, sizeof number);
        number %= kLargestExact;
        const double expected = static_cast<double>(number);
        require(tally::fieldValue(tally::plainForm(number)) == expected);
        require(tally::fieldValue(tally::signedForm(number)) == expected);
        require(tally::wholeNumber(expected) == number);
    }
    return 0;
}
