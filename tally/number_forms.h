#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// The two ways a whole number is written into a display field.
// Plain: "0", "24", "-1". Signed: a blank stands where a minus sign would,
// so " 0", " 24", "-1".
std::string plainForm(std::int64_t number);
std::string signedForm(std::int64_t number);

// The lenient reading of a display field: leading blanks are skipped, then an
// optional sign, then decimal digits with an optional '.' and more digits; the
// first other character ends the number. Text without digits reads as 0.
// Never fails and never returns NaN or infinity; exponents, "inf", "nan",
// hexadecimal and decimal commas are not numbers here.
double fieldValue(std::string_view text);

// A field value as the whole number it stands for, rounded and held within
// the 64-bit range so that writing it back can never misbehave.
std::int64_t wholeNumber(double value);

}  // namespace tally
