#pragma once

// The display fields by the names the tests write them with, and what a test
// expects of them: "Nombre(3)", "cmdValeur", and in a window the scroll bars'
// values ("HScroll1", "HScroll2(3)") and the beeps so far ("beeps").

#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "controls.h"
#include "tally.h"

namespace tally::testing {

inline constexpr int kTwo = 0, kFive = 3, kSeven = 5, kTen = 8, kKing = 11, kAce = 12;

inline std::string at(const char* row, int rank) {
    return row + ("(" + std::to_string(rank) + ")");
}

// A field by the name of the control that shows it.
inline const std::string& name(FieldRef ref) { return layout::showing(ref).name; }

using Shown = std::map<std::string, std::string>;

// Writes `changes`, a list worked by hand such as "Nombre(3)= 2; Reste(*)=24",
// into `shown`; "(*)" stands for every rank.
inline void change(Shown& shown, const std::string& changes) {
    std::istringstream list(changes);
    for (std::string item; std::getline(list, item, ';');) {
        const std::size_t start = item.find_first_not_of(' '), equals = item.find('=');
        const std::string field = item.substr(start, equals - start),
                          text = item.substr(equals + 1);
        if (!field.ends_with("(*)")) shown[field] = text;
        for (int rank = 0; field.ends_with("(*)") && rank < kRankCount; ++rank)
            shown[at(field.substr(0, field.size() - 3).c_str(), rank)] = text;
    }
}

// SABOT_STORM_SEED replays the run a failure reported.
inline std::uint32_t stormSeed() {
    const char* text = std::getenv("SABOT_STORM_SEED");
    return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 20261206u;
}

}  // namespace tally::testing
