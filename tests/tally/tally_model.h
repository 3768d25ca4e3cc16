#pragma once

// What the player should see, field by field: a model of the counters kept
// apart from the program, in whole numbers and the texts they print as.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "tally.h"

namespace tally::testing {

inline constexpr int kTwo = 0, kFive = 3, kSix = 4, kSeven = 5, kTen = 8, kKing = 11, kAce = 12;

inline std::string name(FieldRef ref) {
    static const char* const names[] = {"Nombre",    "Reste",       "Command1", "cmdNBJeux",
                                        "cmdValeur", "Valeursabot", "lblSabot", "lblTires"};
    return names[static_cast<int>(ref.field)] +
           (isPerRank(ref.field) ? "(" + std::to_string(ref.rank) + ")" : "");
}

// SABOT_STORM_SEED replays the run a failure reported.
inline std::uint32_t stormSeed() {
    const char* text = std::getenv("SABOT_STORM_SEED");
    return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 20261206u;
}

class Model {
public:
    std::map<std::string, std::string> shown{{"cmdNBJeux", "6"},
                                             {"cmdValeur", "0"},
                                             {"Valeursabot", "0"},
                                             {"lblSabot", "312"},
                                             {"lblTires", "0"}};
    int cumul = 0, beeps = 0;

    Model() {
        for (int rank = 0; rank < kRankCount; ++rank) {
            shown[at("Nombre", rank)] = "0";
            shown[at("Command1", rank)] = std::to_string(values_[rank]);
        }
        refill();  // the load fill
    }
    void click(int rank) {
        if (rank < 0 || rank >= kRankCount) return;
        ++beeps;
        shown[at("Nombre", rank)] = withSign(number(at("Nombre", rank)) + 1);
        shown[at("Reste", rank)] = withSign(number(at("Reste", rank)) - 1);
        cumul = std::clamp(cumul + values_[rank], -32768, 32767);
        shown["cmdValeur"] = withSign(cumul);
        shown["lblSabot"] = withSign(number("lblSabot") - 1);
        shown["lblTires"] = withSign(number("lblTires") + 1);
        const long long decks = number("cmdNBJeux");  // floor(cumul / decks) + 1, at least 0
        const long long below = decks > 0 && cumul < 0 ? -((decks - 1 - cumul) / decks) : 0;
        const long long bet =
            decks > 0 ? std::max(0LL, (cumul >= 0 ? cumul / decks : below) + 1) : 0;
        shown["Valeursabot"] = std::to_string(bet);
    }
    void deckButton() {
        shown["lblSabot"] = std::to_string(52 * number("cmdNBJeux"));
        shown["lblTires"] = "0";
    }
    void deckChange(int decks) {
        shown["cmdNBJeux"] = withSign(std::clamp(decks, 0, 10));
        deckButton();
        shown["cmdValeur"] = "0";
        cumul = 0;
        for (int rank = 0; rank < kRankCount; ++rank) shown[at("Nombre", rank)] = "0";
        refill();
    }
    void valueChange(int rank, int value) {
        if (rank < 0 || rank >= kRankCount) return;
        values_[rank] = std::clamp(value, rank < kTen ? 0 : -3, 32767);
        shown[at("Command1", rank)] = std::to_string(values_[rank]);
        refill();
    }

private:
    static std::string at(const char* row, int rank) {
        return row + ("(" + std::to_string(rank) + ")");
    }
    static std::string withSign(long long n) { return (n < 0 ? "" : " ") + std::to_string(n); }
    long long number(const std::string& field) { return std::stoll(shown[field]); }
    void refill() {
        for (int rank = 0; rank < kRankCount; ++rank)
            shown[at("Reste", rank)] = std::to_string(4 * number("cmdNBJeux"));
    }

    std::array<int, kRankCount> values_{1, 1, 1, 1, 1, 0, 0, 0, -1, -1, -1, -1, -1};
};

}  // namespace tally::testing
