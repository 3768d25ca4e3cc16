#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ranks.h"

namespace tally {

// The counters the player sees. Each one is the text of the control that shows
// it; the texts are the store, and every operation reads them back.
enum class Field : std::uint8_t {
    Nombre,       // per rank: cards seen since the last deck change
    Reste,        // per rank: cards left in the shoe
    Command1,     // per rank: the count value
    cmdNBJeux,    // decks per shoe
    cmdValeur,    // running count
    Valeursabot,  // bet suggestion
    lblSabot,     // cards left in the shoe
    lblTires,     // cards drawn
};

constexpr bool isPerRank(Field field) { return field <= Field::Command1; }

// One display field: the field, and for a per-rank one its rank index (0 to 12).
struct FieldRef {
    Field field;
    int rank = 0;
    friend bool operator==(const FieldRef&, const FieldRef&) = default;
};

// Every display field: the per-rank rows first, each from the 2 to the ace.
std::vector<FieldRef> allFields();

// max(0, floor(count / decks) + 1); with no decks there is nothing to bet on, so 0.
std::int64_t betSuggestion(double runningCount, double decks);

class Tally {
public:
    // Called by the operations: `beep` once at the start of a card click, before
    // any field changes; `written` after each field write, in order, with the
    // field and its new text.
    struct Hooks {
        std::function<void()> beep;
        std::function<void(FieldRef, const std::string&)> written;
    };

    explicit Tally(Hooks hooks = {});

    const std::string& text(FieldRef ref) const { return texts_[slot(ref)]; }
    const std::string& Nombre(int rank) const { return text({Field::Nombre, rank}); }
    const std::string& Reste(int rank) const { return text({Field::Reste, rank}); }
    const std::string& Command1(int rank) const { return text({Field::Command1, rank}); }
    const std::string& cmdNBJeux() const { return text({Field::cmdNBJeux}); }
    const std::string& cmdValeur() const { return text({Field::cmdValeur}); }
    const std::string& Valeursabot() const { return text({Field::Valeursabot}); }
    const std::string& lblSabot() const { return text({Field::lblSabot}); }
    const std::string& lblTires() const { return text({Field::lblTires}); }
    std::int16_t Cumul() const { return cumul_; }

    // A card of this rank was dealt. A rank index outside 0..12 is ignored.
    void cmd_Click(int rank);
    // Fills the remaining row for a full shoe; run once before the window shows.
    void Form_Load();
    // The deck button: restarts the cards-left and cards-drawn counters only.
    void cmdNBJeux_Click();
    // The deck selector moved to `decks` (held within 0..10): a fresh shoe.
    void HScroll1_Change(int decks);
    // The count value selector of `rank` moved to `value` (held within its range):
    // the new value is shown and the remaining row is refilled.
    void HScroll2_Change(int rank, int value);

private:
    static constexpr std::size_t kPerRankSlots = std::size_t{3} * kRankCount;
    static constexpr std::size_t kSlotCount = kPerRankSlots + 5;
    static std::size_t slot(FieldRef ref);

    double value(FieldRef ref) const;
    void write(FieldRef ref, std::string text);
    void fillRemaining(int rank);
    void fillRemaining();

    Hooks hooks_;
    std::array<std::string, kSlotCount> texts_;
    std::int16_t cumul_ = 0;
};

}  // namespace tally
