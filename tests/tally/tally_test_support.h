#pragma once

#include <string>

#include "tally.h"

namespace tally::testing {

// Rank indexes by name, for readable tests.
inline constexpr int kTwo = 0, kFive = 3, kSix = 4, kSeven = 5, kTen = 8, kKing = 11, kAce = 12;

inline std::string name(FieldRef ref) {
    static const char* const names[] = {"Nombre",    "Reste",       "Command1", "cmdNBJeux",
                                        "cmdValeur", "Valeursabot", "lblSabot", "lblTires"};
    std::string text = names[static_cast<int>(ref.field)];
    if (isPerRank(ref.field)) text += "(" + std::to_string(ref.rank) + ")";
    return text;
}

}  // namespace tally::testing
