// What only the Windows window has: scroll bars that report codes the window
// must sort out, dialog-key commands with no control, the dpi, and the
// accessible objects screen readers ask for.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <optional>

#include "tally_test_support.h"
#include "win32_driver.h"

namespace {

using layout::Control;
using window_testing::Target;
using window_testing::Win32Driver;
using namespace tally::testing;

void expectShows(const Win32Driver& driver, const tally::Tally& oracle) {
    for (tally::FieldRef ref : tally::allFields())
        EXPECT_EQ(driver.caption({layout::displayOf(ref.field), ref.rank}), oracle.text(ref))
            << name(ref);
}

// Messages that must change nothing, sent after one card so that a reset would show.
struct Ignored {
    const char* what;
    UINT message;
    WPARAM wParam;
    std::optional<Target> from;  // the control named in lParam
    friend void PrintTo(const Ignored& row, std::ostream* out) { *out << row.what; }
};

class IgnoredMessage : public testing::TestWithParam<Ignored> {};

TEST_P(IgnoredMessage, ChangesNothing) {
    const Ignored& row = GetParam();
    Win32Driver driver;
    driver.click({Control::cmd, kFive});
    SendMessageW(driver.form().hwnd(), row.message, row.wParam,
                 row.from ? reinterpret_cast<LPARAM>(driver.hwnd(*row.from)) : 0);
    driver.settle();
    tally::Tally oracle = loaded();
    oracle.cmd_Click(kFive);
    expectShows(driver, oracle);
    EXPECT_EQ(driver.value({Control::HScroll1}), 6);
    EXPECT_EQ(driver.value({Control::HScroll2, kFive}), 1);
}

const Target kDecks{Control::HScroll1}, kFiveValue{Control::HScroll2, kFive};
INSTANTIATE_TEST_SUITE_P(
    Win32, IgnoredMessage,
    testing::Values(
        Ignored{"DeckThumbTrack", WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 9), kDecks},
        Ignored{"ValueThumbTrack", WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20000), kFiveValue},
        // A release the bar itself did not record: its value stays the bar's.
        Ignored{"ReleaseNotFromTheBar", WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9), kDecks},
        Ignored{"EndScroll", WM_HSCROLL, SB_ENDSCROLL, kDecks},
        Ignored{"ScrollFromNoBar", WM_HSCROLL, SB_LINERIGHT, std::nullopt},
        Ignored{"EnterWithNoDefault", WM_COMMAND, IDOK, std::nullopt},
        Ignored{"Escape", WM_COMMAND, IDCANCEL, std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

// A real drag of a thumb. Bars as narrow as the window's are two arrows wide
// with no thumb at all, so the test first widens the one it drags.
struct Drag {
    const char* what;
    Target bar;
    double via, to;       // fractions of the track; `to` below 0 is back where the thumb was
    int lowest, highest;  // the value the release must leave
    friend void PrintTo(const Drag& row, std::ostream* out) { *out << row.what; }
};

class ThumbDrag : public testing::TestWithParam<Drag> {};

TEST_P(ThumbDrag, ChangesOnceAtTheRelease) {
    const Drag& row = GetParam();
    Win32Driver driver;
    driver.click({Control::cmd, kFive});
    const HWND bar = driver.hwnd(row.bar);
    SetWindowPos(bar, nullptr, 0, 0, 220, 20, SWP_NOMOVE | SWP_NOZORDER);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(bar, OBJID_CLIENT, &info);
    const LONG y = (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2;
    const LONG trackLeft = info.rcScrollBar.left + info.dxyLineButton;
    const LONG trackWidth = info.rcScrollBar.right - info.dxyLineButton - trackLeft;
    const POINT thumb{info.rcScrollBar.left + (info.xyThumbTop + info.xyThumbBottom) / 2, y};
    auto at = [&](double f) {
        return f < 0 ? thumb : POINT{trackLeft + static_cast<LONG>(f * trackWidth), y};
    };

    // The scroll bar follows a drag in a loop of its own that takes the
    // capture, and Wine sends input to the window under the pointer as it is
    // queued: so the press goes first, and a timer that fires inside that
    // loop moves and releases the mouse, noting what the window shows just
    // before the release, when no part of the drag may have reached the tally.
    static struct {
        Win32Driver* driver;
        std::vector<INPUT> steps;
        std::size_t next;
        std::vector<std::string> shown;
    } drag;
    drag = {&driver,
            {Win32Driver::mouse(0, at(row.via)), Win32Driver::mouse(0, at(row.to)),
             Win32Driver::mouse(MOUSEEVENTF_LEFTUP, at(row.to))},
            0,
            {}};
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
        if (drag.next + 1 == drag.steps.size())
            for (tally::FieldRef ref : tally::allFields())
                drag.shown.push_back(
                    drag.driver->caption({layout::displayOf(ref.field), ref.rank}));
        SendInput(1, &drag.steps[drag.next++], sizeof(INPUT));
        if (drag.next == drag.steps.size()) KillTimer(nullptr, timer);
    });
    driver.send({Win32Driver::mouse(0, thumb), Win32Driver::mouse(MOUSEEVENTF_LEFTDOWN, thumb)});

    tally::Tally oracle = loaded();
    oracle.cmd_Click(kFive);
    std::vector<std::string> before;
    for (tally::FieldRef ref : tally::allFields()) before.push_back(oracle.text(ref));
    EXPECT_EQ(drag.shown, before);

    const int value = driver.value(row.bar);
    EXPECT_GE(value, row.lowest);
    EXPECT_LE(value, row.highest);
    if (row.bar.control == Control::HScroll1 && value != 6) oracle.HScroll1_Change(value);
    if (row.bar.control == Control::HScroll2 && value != 1)
        oracle.HScroll2_Change(row.bar.rank, value);
    expectShows(driver, oracle);
}

INSTANTIATE_TEST_SUITE_P(Win32, ThumbDrag,
                         testing::Values(Drag{"DecksToTheEnd", kDecks, 0.5, 1.0, 10, 10},
                                         Drag{"DecksBackWhereTheyWere", kDecks, 1.0, -1, 6, 6},
                                         Drag{"ValueToTheEnd", kFiveValue, 0.5, 1.0, 32767, 32767},
                                         Drag{"ValueAboveSixteenBits", kFiveValue, 1.0, 0.75, 16384,
                                              32766}),
                         [](const auto& info) { return std::string(info.param.what); });

// The window at the system dpi the test runs under (the 96 dpi suite and again at 144).
struct Geometry {
    UINT dpi;
    SIZE client;
    RECT two;  // the "2" button, in client pixels
};

TEST(Win32, GeometryFollowsTheDpi) {
    static constexpr Geometry kGeometries[] = {{96, {656, 475}, {88, 232, 121, 265}},
                                               {144, {984, 712}, {132, 348, 181, 397}}};
    Win32Driver driver;
    const HWND window = driver.form().hwnd();
    const UINT dpi = GetDpiForWindow(window);
    const auto* row = std::ranges::find(kGeometries, dpi, &Geometry::dpi);
    ASSERT_NE(row, std::end(kGeometries)) << "no geometry for " << dpi << " dpi";

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, row->client.cx);
    EXPECT_EQ(client.bottom, row->client.cy);
    RECT two;
    GetWindowRect(driver.hwnd({Control::cmd, kTwo}), &two);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&two), 2);
    EXPECT_TRUE(EqualRect(&two, &row->two));

    RECT frame;
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_LE(std::abs(frame.left - monitor.rcWork.left - (monitor.rcWork.right - frame.right)), 1);
    EXPECT_LE(std::abs(frame.top - monitor.rcWork.top - (monitor.rcWork.bottom - frame.bottom)), 1);
}

struct Spoken {
    Target target;
    const wchar_t* name;
    const wchar_t* description;
};

TEST(Win32, ScreenReadersHearWhatEachControlIsFor) {
    static const Spoken kSpoken[] = {
        {{Control::HScroll1}, L"Nombre de jeux par sabot", nullptr},
        {{Control::HScroll2, kFive}, L"Valeur des cartes, 5", nullptr},
        {{Control::Nombre, kFive}, L"0", L"Sorties, 5"},
        {{Control::cmd, kAce}, L"A", L"Click sur les cartes, A"},
        {{Control::lblTires}, nullptr, L"Cartes tirées"},
        {{Control::Valeursabot}, L"0", L"Miser"},
    };
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Win32Driver driver;
    for (const Spoken& row : kSpoken) {
        IAccessible* accessible = nullptr;
        ASSERT_EQ(
            AccessibleObjectFromWindow(driver.hwnd(row.target), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&accessible)),
            S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr, description = nullptr;
        accessible->get_accName(self, &name);
        accessible->get_accDescription(self, &description);
        if (row.name) {
            EXPECT_STREQ(name, row.name);
        }
        if (row.description) {
            EXPECT_STREQ(description, row.description);
        }
        SysFreeString(name);
        SysFreeString(description);
        accessible->Release();
    }
}

}  // namespace
