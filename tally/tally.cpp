#include "tally.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "number_forms.h"

namespace tally {

namespace {

std::int16_t saturated16(double value) {
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lowest, highest));
}

}  // namespace

std::vector<FieldRef> allFields() {
    std::vector<FieldRef> fields;
    for (Field field : {Field::Nombre, Field::Reste, Field::Command1})
        for (int rank = 0; rank < kRankCount; ++rank) fields.push_back({field, rank});
    fields.insert(fields.end(), {{Field::cmdNBJeux},
                                 {Field::cmdValeur},
                                 {Field::Valeursabot},
                                 {Field::lblSabot},
                                 {Field::lblTires}});
    return fields;
}

std::int64_t betSuggestion(double runningCount, double decks) {
    if (!(decks > 0)) return 0;
    const double bet = std::floor(runningCount / decks) + 1;
    return bet < 0 ? 0 : wholeNumber(bet);
}

Tally::Tally(Hooks hooks) : hooks_(std::move(hooks)) {
    for (int rank = 0; rank < kRankCount; ++rank) {
        texts_[slot({Field::Nombre, rank})] = "0";
        texts_[slot({Field::Reste, rank})] = "0";
        texts_[slot({Field::Command1, rank})] = plainForm(kRanks[rank].startingValue);
    }
    texts_[slot({Field::cmdNBJeux})] = plainForm(kStartingDecks);
    texts_[slot({Field::cmdValeur})] = "0";
    texts_[slot({Field::Valeursabot})] = "0";
    texts_[slot({Field::lblSabot})] = plainForm(std::int64_t{kStartingDecks} * kCardsPerDeck);
    texts_[slot({Field::lblTires})] = "0";
}

std::size_t Tally::slot(FieldRef ref) {
    const auto field = static_cast<std::size_t>(ref.field);
    if (isPerRank(ref.field)) return field * kRankCount + static_cast<std::size_t>(ref.rank);
    return kPerRankSlots + field - static_cast<std::size_t>(Field::cmdNBJeux);
}

double Tally::value(FieldRef ref) const { return fieldValue(text(ref)); }

void Tally::write(FieldRef ref, std::string text) {
    std::string& stored = texts_[slot(ref)];
    stored = std::move(text);
    if (hooks_.written) hooks_.written(ref, stored);
}

void Tally::cmd_Click(int rank) {
    if (!isRank(rank)) return;
    if (hooks_.beep) hooks_.beep();

    write({Field::Nombre, rank}, signedForm(wholeNumber(value({Field::Nombre, rank}) + 1)));
    write({Field::Reste, rank}, signedForm(wholeNumber(value({Field::Reste, rank}) - 1)));

    // Count values can be set as high as 32767, so the sum may leave 16 bits:
    // the count then stays at the end it reached and the card is still counted.
    cumul_ = saturated16(cumul_ + value({Field::Command1, rank}));
    write({Field::cmdValeur}, signedForm(cumul_));

    write({Field::lblSabot}, signedForm(wholeNumber(value({Field::lblSabot}) - 1)));
    write({Field::lblTires}, signedForm(wholeNumber(value({Field::lblTires}) + 1)));

    // The divisor is the decks in the shoe, not the decks still to be dealt.
    write({Field::Valeursabot},
          plainForm(betSuggestion(value({Field::cmdValeur}), value({Field::cmdNBJeux}))));
}

void Tally::fillRemaining(int rank) {
    const double decks = value({Field::cmdNBJeux});
    write({Field::Reste, rank}, plainForm(wholeNumber(decks * kCardsPerRankPerDeck)));
}

void Tally::fillRemaining() {
    for (int rank = 0; rank < kRankCount; ++rank) fillRemaining(rank);
}

void Tally::Form_Load() { fillRemaining(); }

void Tally::cmdNBJeux_Click() {
    const double decks = value({Field::cmdNBJeux});
    write({Field::lblSabot}, plainForm(wholeNumber(decks * kCardsPerDeck)));
    write({Field::lblTires}, plainForm(0));
}

void Tally::HScroll1_Change(int decks) {
    write({Field::cmdNBJeux}, signedForm(std::clamp<int>(decks, kFewestDecks, kMostDecks)));
    cmdNBJeux_Click();
    write({Field::cmdValeur}, plainForm(0));
    cumul_ = 0;
    for (int rank = 0; rank < kRankCount; ++rank) {
        write({Field::Nombre, rank}, plainForm(0));
        fillRemaining(rank);
    }
}

void Tally::HScroll2_Change(int rank, int value) {
    if (!isRank(rank)) return;
    const int held = std::clamp<int>(value, kRanks[rank].lowestValue, kHighestValue);
    write({Field::Command1, rank}, plainForm(held));
    fillRemaining();
}

}  // namespace tally
