#pragma once

// The layout table expanded once into the window's 80 controls, in the Tab
// order, each with everything a front-end needs to make, describe, place and
// connect it. Front-ends, benchmarks and tests all draw from this list, so
// that a change of the drawing is one edit of layout.h.

#include <array>
#include <optional>
#include <string>

#include "layout.h"
#include "tally.h"

namespace layout {

// A rectangle in twips.
struct Twips {
    int left, top, width, height;
};

struct Item {
    Control control;
    int rank;  // the member of a per-rank row, 2 to ace; 0 for the others
    Kind kind;
    Twips box;
    std::string name;     // "cmd(0)", "lblSabot": for tools that look controls up
    std::string caption;  // a heading's text or a card's rank; empty where the tally's text shows
    std::string purpose;  // what it stands for, read out with it; empty for a heading
    std::optional<tally::FieldRef> shows;  // the display field whose text it shows
    bool heading;                // a label whose own caption wraps at its blanks, and may run lower
    bool framed;                 // a label that shows a value: boxed, on one line
    int lowest, highest, start;  // a scroll bar's range and starting value
    Event raises;
};

inline constexpr int kItemCount = 5 * tally::kRankCount + 15;

// Every control, in the Tab order.
const std::array<Item, kItemCount>& controls();

// Where a control stands in `controls()`.
int indexOf(Control control, int rank = 0);
inline const Item& item(Control control, int rank = 0) {
    return controls()[indexOf(control, rank)];
}
// The control that shows a display field.
inline const Item& showing(tally::FieldRef ref) { return item(displayOf(ref.field), ref.rank); }

// Hands a control's Click or Change to the tally; `value` is a scroll bar's
// new value.
void raise(tally::Tally& tally, const Item& item, int value = 0);

}  // namespace layout
