// What only the Windows window has: scroll bars that report codes the window
// must sort out, dialog-key commands with no control, and the dpi.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "tally_model.h"
#include "win32_driver.h"

namespace {

using layout::Control;
using window_testing::Target;
using window_testing::Win32Driver;
using namespace tally::testing;

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
    Model model;
    model.click(kFive);
    window_testing::expectShowing(driver, model);
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

// As on any Windows form, Enter clicks the push button that holds the focus,
// and only a push button.
TEST(Win32, EnterClicksTheFocusedButton) {
    Win32Driver driver;
    for (Target target : {Target{Control::cmd, kFive}, kDecks, Target{Control::Command1, kAce},
                          Target{Control::cmdNBJeux}, kFiveValue}) {
        driver.focus(target);
        driver.press(window_testing::Key::Enter);
    }
    Model model;
    model.click(kFive);
    model.deckButton();
    window_testing::expectShowing(driver, model);
}

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
    Model model;
    model.click(kFive);
    static struct {
        Win32Driver* driver;
        Model* before;
        std::vector<INPUT> steps;
        std::size_t next;
    } drag;
    drag = {&driver,
            &model,
            {Win32Driver::mouse(0, at(row.via)), Win32Driver::mouse(0, at(row.to)),
             Win32Driver::mouse(MOUSEEVENTF_LEFTUP, at(row.to))},
            0};
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
        if (drag.next + 1 == drag.steps.size())
            window_testing::expectShowing(*drag.driver, *drag.before);
        SendInput(1, &drag.steps[drag.next++], sizeof(INPUT));
        if (drag.next == drag.steps.size()) KillTimer(nullptr, timer);
    });
    driver.send({Win32Driver::mouse(0, thumb), Win32Driver::mouse(MOUSEEVENTF_LEFTDOWN, thumb)});

    const int value = driver.value(row.bar);
    EXPECT_GE(value, row.lowest);
    EXPECT_LE(value, row.highest);
    if (row.bar.control == Control::HScroll1 && value != 6) model.deckChange(value);
    if (row.bar.control == Control::HScroll2 && value != 1) model.valueChange(row.bar.rank, value);
    window_testing::expectShowing(driver, model);
}

INSTANTIATE_TEST_SUITE_P(Win32, ThumbDrag,
                         testing::Values(Drag{"DecksToTheEnd", kDecks, 0.5, 1.0, 10, 10},
                                         Drag{"DecksBackWhereTheyWere", kDecks, 1.0, -1, 6, 6},
                                         Drag{"ValueToTheEnd", kFiveValue, 0.5, 1.0, 32767, 32767},
                                         Drag{"ValueAboveSixteenBits", kFiveValue, 1.0, 0.75, 16384,
                                              32766}),
                         [](const auto& info) { return std::string(info.param.what); });

// The controls in the desktop's message font (without it Windows draws them
// in the bold System font); the framed window centred on the work area; then,
// told that it moved to a monitor of another dpi, its controls laid out again
// (Wine keeps drawing the frame at the system's dpi, so the client area is
// left out there).
TEST(Win32, MessageFontCentredAndFollowingADpiChange) {
    Win32Driver driver;
    const HWND window = driver.form().hwnd();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW used{};
    const LRESULT font = SendMessageW(driver.hwnd({Control::Label5}), WM_GETFONT, 0, 0);
    GetObjectW(reinterpret_cast<HFONT>(font), sizeof used, &used);
    EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
    RECT frame;
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_LE(std::abs(frame.left - work.left - (work.right - frame.right)), 1);
    EXPECT_LE(std::abs(frame.top - work.top - (work.bottom - frame.bottom)), 1);
    for (int dpi : {144, 120, 96}) {
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
        const int side = layout::pixels(495, dpi);
        EXPECT_EQ(driver.box({Control::cmd, kAce}),
                  (window_testing::Box{layout::pixels(1320 + 12 * 600, dpi),
                                       layout::pixels(3480, dpi), side, side}))
            << dpi << " dpi";
    }
}

}  // namespace
