#pragma once

#include <string>
#include <vector>

#include "tally.h"

namespace tally::testing {

// Every display field, per-rank ones first, in a fixed order.
inline std::vector<FieldRef> allFields() {
    std::vector<FieldRef> fields;
    for (Field field : {Field::Nombre, Field::Reste, Field::Command1})
        for (int rank = 0; rank < kRankCount; ++rank) fields.push_back({field, rank});
    for (Field field :
         {Field::cmdNBJeux, Field::cmdValeur, Field::Valeursabot, Field::lblSabot, Field::lblTires})
        fields.push_back({field});
    return fields;
}

inline std::string name(FieldRef ref) {
    static const char* const names[] = {"Nombre",    "Reste",       "Command1", "cmdNBJeux",
                                        "cmdValeur", "Valeursabot", "lblSabot", "lblTires"};
    std::string text = names[static_cast<int>(ref.field)];
    if (isPerRank(ref.field)) text += "(" + std::to_string(ref.rank) + ")";
    return text;
}

// A tally with the window's load fill done, as the player first sees it.
inline Tally loaded(Tally::Hooks hooks = {}) {
    Tally tally(std::move(hooks));
    tally.Form_Load();
    return tally;
}

}  // namespace tally::testing
