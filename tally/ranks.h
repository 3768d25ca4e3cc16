#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tally {

inline constexpr int kRankCount = 13;

// One card rank: its button caption, the count value it starts with, and the
// lowest count value its selector allows.
struct Rank {
    std::string_view caption;
    std::int16_t startingValue;
    std::int16_t lowestValue;
};

// Lowest card first; the index into this table is the rank index used by every
// per-rank row of the window. The starting values are the Hi-Lo count.
inline constexpr std::array<Rank, kRankCount> kRanks{{
    {"2", 1, 0},
    {"3", 1, 0},
    {"4", 1, 0},
    {"5", 1, 0},
    {"6", 1, 0},
    {"7", 0, 0},
    {"8", 0, 0},
    {"9", 0, 0},
    {"10", -1, -3},
    {"V", -1, -3},
    {"D", -1, -3},
    {"R", -1, -3},
    {"A", -1, -3},
}};

inline constexpr std::int16_t kHighestValue = 32767;

inline constexpr std::int16_t kFewestDecks = 0;
inline constexpr std::int16_t kMostDecks = 10;
inline constexpr std::int16_t kStartingDecks = 6;

inline constexpr int kCardsPerRankPerDeck = 4;
inline constexpr int kCardsPerDeck = 52;

constexpr bool isRank(int rank) { return rank >= 0 && rank < kRankCount; }

}  // namespace tally
