#pragma once

#include <string>

struct _GSettings;

// The desktop's choice of sound theme and its switch for event sounds, where
// it publishes them: GNOME's settings, read through GIO. GIO is loaded with
// the sound library rather than linked, so that the start-up, and X11, which
// never plays through the sound library, need not load it.
class DesktopSounds {
public:
    DesktopSounds();
    ~DesktopSounds();
    DesktopSounds(const DesktopSounds&) = delete;
    DesktopSounds& operator=(const DesktopSounds&) = delete;

    // Whether the desktop publishes the settings at all.
    bool published() const { return settings_ != nullptr; }
    // Read anew at each call, so that a change made meanwhile applies.
    std::string theme() const;  // empty for the default one
    bool eventSounds() const;

private:
    struct Calls;
    const Calls* calls_;
    _GSettings* settings_ = nullptr;  // null where the desktop publishes neither
};
