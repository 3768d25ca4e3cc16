#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "layout.h"
#include "tally.h"

// The program's one window on the platform's own controls: the card buttons,
// the per-rank rows and the shoe panel, laid out from the layout table,
// showing the tally's texts.
class Form1 {
public:
    using Beep = std::function<void()>;

    // The first control id; the others follow in the Tab order.
    static constexpr int kFirstId = 100;

    // Creates the window, hidden, centred on the work area (at its top or left
    // edge where the window is larger), at its monitor's dpi and the desktop's
    // text size. `beep` sounds once per card, before any counter changes; by
    // default the platform's alert.
    explicit Form1(Beep beep = {});
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND hwnd() const { return hwnd_; }
    const tally::Tally& tally() const { return tally_; }

    // Any control of the table; `rank` picks the member of a per-rank row.
    HWND control(layout::Control control, int rank = 0) const;

    // Hands one queued message to the window, through the dialog keys (Tab,
    // Shift+Tab, Space, Enter, arrows) first, as a Windows form does; Enter
    // and Space click as they go down, once however long they are held.
    void deliver(MSG& message) const;

private:
    // One control: where it is in the table and what it is for.
    struct Entry {
        HWND hwnd;
        layout::Control control;
        int rank;
        layout::Kind kind;
        int left, top, width, height;  // in twips
        const char* caption;           // a heading's own text, which wraps at its blanks
        std::wstring purpose;          // what screen readers say the control is for
    };

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    void make(Entry entry, const std::wstring& text);
    void useFont(int dpi);
    void useIcons(int dpi);
    RECT where(const Entry& entry) const;
    void fit(bool start);
    void place(int dpi);
    const Entry* find(HWND control) const;  // null for a window not of the table
    void showField(tally::FieldRef ref);
    void command(HWND from);
    void scroll(HWND bar, int code);

    // The event handlers, one per control and event.
    void Form_Load();
    void cmd_Click(int rank);
    void cmdNBJeux_Click();
    void HScroll1_Change();
    void HScroll2_Change(int rank);

    Beep beep_;
    tally::Tally tally_;
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;              // restored when the window is activated again
    mutable std::set<WPARAM> held_;     // Enter and Space, while they are down
    int dpi_ = layout::kStandardDpi;    // of the window's monitor
    int scale_ = layout::kStandardDpi;  // the layout's: the dpi, grown with the desktop's text
    LOGFONTW message_{};                // the desktop's message font, as last read
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;  // the title bar's, taskbar's and Alt+Tab's
    // Index i holds control id kFirstId + i, in creation (Tab) order.
    std::vector<Entry> entries_;
    std::array<std::vector<HWND>, layout::kControlCount> controls_{};
};
