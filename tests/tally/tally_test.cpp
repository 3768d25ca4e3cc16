#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "fields.h"
#include "number_forms.h"

namespace tally {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

TEST(NumberForms, WriteAndReadBack) {
    struct Row {
        std::int64_t number;
        const char *plain, *withSign;
    };
    // clang-format off
    for (const Row& row : std::vector<Row>{
             {0, "0", " 0"}, {311, "311", " 311"}, {-1, "-1", "-1"}, {-32768, "-32768", "-32768"},
             {INT64_MAX, "9223372036854775807", " 9223372036854775807"},
             {INT64_MIN, "-9223372036854775808", "-9223372036854775808"}}) {
        // clang-format on
        EXPECT_EQ(plainForm(row.number), row.plain);
        EXPECT_EQ(signedForm(row.number), row.withSign);
        EXPECT_EQ(wholeNumber(fieldValue(row.withSign)), row.number);
    }
    EXPECT_EQ(wholeNumber(2.5), 3);
    EXPECT_EQ(wholeNumber(-kHuge), INT64_MIN);
    EXPECT_EQ(wholeNumber(std::nan("")), 0);
}

TEST(FieldValue, ReadsLeniently) {
    const std::string many(400, '9');
    const std::vector<std::pair<std::string, double>> rows = {
        // clang-format off
        {" 24", 24}, {"\t8", 8}, {"-1", -1}, {"+7", 7}, {"", 0}, {"  ", 0}, {"-", 0}, {"-.", 0},
        {"-0", 0}, {"V", 0}, {"3.5", 3.5}, {".5", 0.5}, {"5.", 5}, {"-2.25", -2.25}, {"- 1", 0},
        {"--1", 0}, {"1 2", 1}, {"1.2.3", 1.2}, {"1,5", 1}, {"007", 7}, {"1e3", 1}, {"inf", 0},
        {"nan", 0}, {"0x10", 0}, {many, kHuge}, {"-" + many, -kHuge},
        {"0." + std::string(400, '0') + "1", 0}, {"-0." + std::string(400, '0') + "1", 0},
        {std::string(400, '0') + "42", 42}};
    // clang-format on
    for (const auto& [text, value] : rows) {
        const double read = fieldValue(text);
        EXPECT_EQ(read, value) << '"' << text << '"';
        EXPECT_FALSE(read == 0 && std::signbit(read)) << "a negative zero from " << text;
    }
    // A text that ends inside a longer buffer is read up to its end only.
    EXPECT_EQ(fieldValue(std::string_view(" 12", 2)), 1);
    EXPECT_EQ(fieldValue(std::string_view("3.5", 2)), 3);
}

// Along one axis of the free area: centred where the window fits, else at the
// area's start (a window larger than a small screen keeps its title bar).
TEST(Placement, CentredWhereItFitsElseAtTheStart) {
    // area start, area length, window length, where the window starts
    for (const auto& [start, area, length, at] :
         std::vector<std::array<int, 4>>{{0, 1280, 656, 312},
                                         {0, 700, 700, 0},
                                         {30, 701, 700, 30},
                                         {-1280, 1280, 656, -968},
                                         {40, 900, 984, 40},
                                         {-20, 600, 4000, -20}})
        EXPECT_EQ(layout::placed(start, area, length), at) << start << " " << area << " " << length;
}

// Twips to pixels, rounded down as the window was drawn.
TEST(Pixels, RoundDown) {
    for (const auto& [twips, dpi, at] : std::vector<std::array<int, 3>>{
             {15, 96, 1}, {14, 96, 0}, {9840, 96, 656}, {9840, 120, 820}, {7125, 144, 712}})
        EXPECT_EQ(layout::pixels(twips, dpi), at) << twips << " at " << dpi;
}

// The drawing itself: every control once, found where it stands; and no two on
// one place but the pairs the drawing has meet by fifteen twips.
TEST(Layout, EveryControlOnceAndOnlyTheDrawingsOverlaps) {
    std::set<std::string> names, overlaps,
        drawn{"Label3 Label7", "HScroll1 lblTires", "HScroll1 cmdNBJeux", "Nombre(0) lblNombre",
              "Reste(0) lblNombre"};
    for (int rank = 0; rank < kRankCount; ++rank) {
        const std::string r = "(" + std::to_string(rank) + ")";
        drawn.insert({"Nombre" + r + " Reste" + r, "Command1" + r + " HScroll2" + r});
    }
    for (const layout::Item& item : layout::controls()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        EXPECT_EQ(&layout::item(item.control, item.rank), &item) << item.name;
        for (const layout::Item& other : layout::controls()) {
            const layout::Twips &a = item.box, &b = other.box;
            if (item.name < other.name && a.left < b.left + b.width && b.left < a.left + a.width &&
                a.top < b.top + b.height && b.top < a.top + a.height)
                overlaps.insert(item.name + " " + other.name);
        }
    }
    EXPECT_EQ(names.size(), std::size_t{80});
    EXPECT_EQ(overlaps, drawn);
}

// Worked by hand from a fresh shoe of six decks: inputs outside the ranges the
// window's controls hold to, and a running count driven to both of its ends.
TEST(Tally, HoldsWhatNoControlSends) {
    using namespace testing;
    struct Row {
        const char* name;
        void (*input)(Tally&);
        const char* changes;  // as `change` reads them
    };
    // clang-format off
    for (const Row& row : std::vector<Row>{
             {"ranks -1 and 13", [](Tally& t) {
                  t.cmd_Click(-1), t.cmd_Click(13), t.HScroll2_Change(-1, 5), t.HScroll2_Change(13, 5); }, ""},
             {"count values past both ends", [](Tally& t) {
                  t.HScroll2_Change(0, -1), t.HScroll2_Change(8, -4), t.HScroll2_Change(12, 40000); },
              "Command1(0)=0; Command1(8)=-3; Command1(12)=32767"},
             {"eleven decks", [](Tally& t) { t.HScroll1_Change(11); }, "cmdNBJeux= 10; lblSabot=520; Reste(*)=40"},
             {"minus one deck", [](Tally& t) { t.HScroll1_Change(-1); }, "cmdNBJeux= 0; lblSabot=0; Reste(*)=0"},
             {"two 2s worth 32767", [](Tally& t) { t.HScroll2_Change(0, 32767), t.cmd_Click(0), t.cmd_Click(0); },
              "Command1(0)=32767; Nombre(0)= 2; Reste(0)= 22; cmdValeur= 32767; Valeursabot=5462; "
              "lblSabot= 310; lblTires= 2"},
             {"11000 aces worth -3", [](Tally& t) {
                  t.HScroll2_Change(12, -3);
                  for (int card = 0; card < 11000; ++card) t.cmd_Click(12); },
              "Command1(12)=-3; Nombre(12)= 11000; Reste(12)=-10976; cmdValeur=-32768; lblSabot=-10688; "
              "lblTires= 11000"},
         }) {
        // clang-format on
        SCOPED_TRACE(row.name);
        int beeps = 0;
        Tally tally({.beep = [&beeps] { ++beeps; }, .written = {}});
        tally.Form_Load();
        Shown want;
        for (FieldRef ref : allFields()) want[name(ref)] = tally.text(ref);
        change(want, row.changes);
        row.input(tally);
        for (FieldRef ref : allFields()) EXPECT_EQ(tally.text(ref), want[name(ref)]) << name(ref);
        EXPECT_EQ(beeps, std::stoi(want["lblTires"]));
        EXPECT_EQ(tally.Cumul(), std::stoi(want["cmdValeur"]));
    }
}

// A card beeps before any counter changes, then writes them in this order.
TEST(Tally, AClickBeepsFirstThenWritesInOrder) {
    std::string heard;
    Tally tally({.beep = [&heard] { heard += "beep"; },
                 .written =
                     [&heard](FieldRef ref, const std::string& text) {
                         heard += ", " + testing::name(ref) + "=" + text;
                     }});
    tally.Form_Load(), heard.clear(), tally.cmd_Click(3);
    EXPECT_EQ(heard,
              "beep, Nombre(3)= 1, Reste(3)= 23, cmdValeur= 1, lblSabot= 311, lblTires= 1, "
              "Valeursabot=1");
}

}  // namespace
}  // namespace tally
