#include "controls.h"

#include <algorithm>

#include "ranks.h"

namespace layout {

namespace {

struct Expansion {
    std::array<Item, kItemCount> items;
    // For each control and rank, where it stands among the items.
    std::array<std::array<int, tally::kRankCount>, kControlCount> index{};
};

Item fromRow(const RankRow& row, int rank) {
    const tally::Rank& card = tally::kRanks[rank];
    const std::string rankCaption(card.caption);
    const bool isCard = row.control == Control::cmd;
    return {
        .control = row.control,
        .rank = rank,
        .kind = row.kind,
        .box = {kFirstColumn + rank * kColumnPitch, row.top, kColumnWidth, row.height},
        .name = std::string(row.name) + "(" + std::to_string(rank) + ")",
        .caption = isCard ? rankCaption : std::string(),
        .purpose = std::string(row.heading) + ", " + rankCaption,
        .shows = std::nullopt,
        .heading = false,
        .framed = false,
        .lowest = card.lowestValue,
        .highest = tally::kHighestValue,
        .start = card.startingValue,
        .raises = row.raises,
    };
}

Item fromSingle(const Single& single) {
    const bool bar = single.kind == Kind::ScrollBar;
    return {
        .control = single.control,
        .rank = 0,
        .kind = single.kind,
        .box = {single.left, single.top, single.width, single.height},
        .name = single.name,
        .caption = single.caption ? single.caption : "",
        .purpose = single.heading ? single.heading : "",
        .shows = std::nullopt,
        .heading = single.kind == Kind::Label && single.caption,
        // The two labels with no caption of their own show counters.
        .framed = single.kind == Kind::Label && !single.caption,
        .lowest = bar ? tally::kFewestDecks : 0,
        .highest = bar ? tally::kMostDecks : 0,
        .start = bar ? tally::kStartingDecks : 0,
        .raises = single.raises,
    };
}

Expansion expand() {
    Expansion out;
    std::size_t next = 0;
    const auto add = [&out, &next](Item item) {
        out.index[static_cast<int>(item.control)][item.rank] = static_cast<int>(next);
        out.items[next++] = std::move(item);
    };
    for (Control entry : kTabOrder) {
        if (isPerRank(entry)) {
            const RankRow& row = *std::ranges::find(kRankRows, entry, &RankRow::control);
            for (int rank = 0; rank < tally::kRankCount; ++rank) add(fromRow(row, rank));
        } else {
            add(fromSingle(*std::ranges::find(kSingles, entry, &Single::control)));
        }
    }
    for (tally::FieldRef ref : tally::allFields())
        out.items[out.index[static_cast<int>(displayOf(ref.field))][ref.rank]].shows = ref;
    return out;
}

const Expansion& expansion() {
    static const Expansion expanded = expand();
    return expanded;
}

}  // namespace

const std::array<Item, kItemCount>& controls() { return expansion().items; }

int indexOf(Control control, int rank) {
    return expansion().index[static_cast<int>(control)][isPerRank(control) ? rank : 0];
}

void raise(tally::Tally& tally, const Item& item, int value) {
    switch (item.raises) {
        case Event::None:
            return;
        case Event::cmd_Click:
            return tally.cmd_Click(item.rank);
        case Event::cmdNBJeux_Click:
            return tally.cmdNBJeux_Click();
        case Event::HScroll1_Change:
            return tally.HScroll1_Change(value);
        case Event::HScroll2_Change:
            return tally.HScroll2_Change(item.rank, value);
    }
}

}  // namespace layout
