#pragma once

// The window's controls as a table: where each stands, what it is, and the
// order the Tab key walks them in. Positions and sizes are in twips, as the
// window was drawn (1440 to the inch). Every front-end draws from this table
// and converts with `pixels`, so no toolkit appears here.

#include <array>
#include <optional>

#include "tally.h"

namespace layout {

enum class Kind { PushButton, Label, ScrollBar };

// What a control's Click (a push button) or Change (a scroll bar) does to the
// tally; every other event of every control does nothing.
enum class Event {
    None,
    cmd_Click,        // a card of the control's rank was dealt
    cmdNBJeux_Click,  // the shoe starts again
    HScroll1_Change,  // the decks per shoe, to the bar's value
    HScroll2_Change,  // the count value of the control's rank, to the bar's value
};

enum class Control {
    // One per rank, in columns.
    cmd,
    Nombre,
    Reste,
    Command1,
    HScroll2,
    // One each.
    lblCarte,
    lblNombre,
    Label6,
    Label1,
    Label2,
    lblSabot,
    Label5,
    lblTires,
    HScroll1,
    Label4,
    cmdNBJeux,
    Label3,
    cmdValeur,
    Label7,
    Valeursabot,
};
inline constexpr int kControlCount = static_cast<int>(Control::Valeursabot) + 1;

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;  // where fifteen twips make one pixel

// Twips to pixels at `dpi` dots per inch, rounded down as the drawn layout was.
constexpr int pixels(int twips, int dpi = kStandardDpi) { return twips * dpi / kTwipsPerInch; }

// Where a window `length` long starts along one axis of a free area: centred
// where it fits; where it does not, at the area's start, so that its title bar
// and row headings stay within reach.
constexpr int placed(int areaStart, int areaLength, int length) {
    return areaStart + (areaLength > length ? (areaLength - length) / 2 : 0);
}

inline constexpr int kClientWidth = 9840;
inline constexpr int kClientHeight = 7125;

// Rank i has its column at kFirstColumn + i * kColumnPitch, kColumnWidth wide.
inline constexpr int kFirstColumn = 1320;
inline constexpr int kColumnPitch = 600;
inline constexpr int kColumnWidth = 495;

struct RankRow {
    Control control;
    const char* name;
    Kind kind;
    int top;
    int height;
    const char* heading;  // the row's heading, read out with the rank
    Event raises;
};

// clang-format off
inline constexpr std::array<RankRow, 5> kRankRows{{
    // control           name         kind              top   height  heading                 raises
    {Control::cmd,       "cmd",       Kind::PushButton, 3480, 495,    "Click sur les cartes", Event::cmd_Click},
    {Control::Nombre,    "Nombre",    Kind::PushButton, 4680, 495,    "Sorties",              Event::None},
    {Control::Reste,     "Reste",     Kind::PushButton, 5160, 495,    "Restantes",            Event::None},
    {Control::Command1,  "Command1",  Kind::PushButton, 5760, 495,    "Valeur des cartes",    Event::None},
    {Control::HScroll2,  "HScroll2",  Kind::ScrollBar,  6240, 255,    "Valeur des cartes",    Event::HScroll2_Change},
}};
// clang-format on

struct Single {
    Control control;
    const char* name;
    Kind kind;
    const char* caption;  // headings only; a display field shows the tally's text
    int left, top, width, height;
    const char* heading;  // what a value control stands for, read out with it
    Event raises;
};

// clang-format off
inline constexpr std::array<Single, 15> kSingles{{
    // Row headings, at the left edge.
    // control             name           kind              caption                         left  top   width height heading                    raises
    {Control::lblCarte,    "lblCarte",    Kind::Label,      "Click sur les cartes",          360, 3600,  735,  375, nullptr,                    Event::None},
    {Control::lblNombre,   "lblNombre",   Kind::Label,      "Sorties",                       360, 4680,  975,  495, nullptr,                    Event::None},
    {Control::Label6,      "Label6",      Kind::Label,      "Restantes",                     360, 5280,  855,  375, nullptr,                    Event::None},
    {Control::Label1,      "Label1",      Kind::Label,      "Valeur des cartes",             360, 5760,  735,  495, nullptr,                    Event::None},
    // The shoe panel, upper right.
    {Control::Label2,      "Label2",      Kind::Label,      "Cartes restantes au sabot :",  4320,  120, 1935,  495, nullptr,                    Event::None},
    {Control::lblSabot,    "lblSabot",    Kind::Label,      nullptr,                        6360,  120,  495,  495, "Cartes restantes au sabot", Event::None},
    {Control::Label5,      "Label5",      Kind::Label,      "Cartes tirées",                4320,  720, 1935,  255, nullptr,                    Event::None},
    {Control::lblTires,    "lblTires",    Kind::Label,      nullptr,                        6360,  720,  495,  375, "Cartes tirées",            Event::None},
    {Control::HScroll1,    "HScroll1",    Kind::ScrollBar,  nullptr,                        6360, 1080,  495,  255, "Nombre de jeux par sabot", Event::HScroll1_Change},
    {Control::Label4,      "Label4",      Kind::Label,      "Nombre de jeux par sabot",     4200, 1320, 1935,  495, nullptr,                    Event::None},
    {Control::cmdNBJeux,   "cmdNBJeux",   Kind::PushButton, nullptr,                        6360, 1320,  495,  495, "Nombre de jeux par sabot", Event::cmdNBJeux_Click},
    {Control::Label3,      "Label3",      Kind::Label,      "Compte cartes",                4200, 2040, 2055,  495, nullptr,                    Event::None},
    {Control::cmdValeur,   "cmdValeur",   Kind::PushButton, nullptr,                        6360, 1920,  495,  495, "Compte cartes",            Event::None},
    {Control::Label7,      "Label7",      Kind::Label,      "Miser",                        4200, 2520, 2055,  495, nullptr,                    Event::None},
    {Control::Valeursabot, "Valeursabot", Kind::PushButton, nullptr,                        6360, 2520,  495,  495, "Miser",                    Event::None},
}};
// clang-format on

// The Tab order; a per-rank control stands for its thirteen members, 2 to ace.
// Labels hold their places but never take the focus.
inline constexpr std::array<Control, 20> kTabOrder{{
    Control::cmd,    Control::lblCarte,  Control::Command1, Control::Label1,
    Control::Nombre, Control::lblNombre, Control::Label2,   Control::lblSabot,
    Control::Label4, Control::cmdNBJeux, Control::Label3,   Control::cmdValeur,
    Control::Label5, Control::lblTires,  Control::HScroll1, Control::HScroll2,
    Control::Reste,  Control::Label6,    Control::Label7,   Control::Valeursabot,
}};

// Which control shows each of the tally's display fields.
constexpr Control displayOf(tally::Field field) {
    switch (field) {
        case tally::Field::Nombre:
            return Control::Nombre;
        case tally::Field::Reste:
            return Control::Reste;
        case tally::Field::Command1:
            return Control::Command1;
        case tally::Field::cmdNBJeux:
            return Control::cmdNBJeux;
        case tally::Field::cmdValeur:
            return Control::cmdValeur;
        case tally::Field::Valeursabot:
            return Control::Valeursabot;
        case tally::Field::lblSabot:
            return Control::lblSabot;
        case tally::Field::lblTires:
            return Control::lblTires;
    }
    return Control::cmd;
}

constexpr bool isPerRank(Control control) { return control <= Control::HScroll2; }

}  // namespace layout
