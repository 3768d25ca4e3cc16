#pragma once

#include <memory>
#include <string>

#include "desktop_sounds.h"

struct ca_context;

// The sound theme's bell event, played through libcanberra in the theme the
// desktop names and not at all where it has event sounds switched off.
// libcanberra is loaded by its soname, not linked: the package depends on it,
// but X11, which rings its own bell, never loads it. Linked, it and GIO cost
// 4.5 % of the painted start-up, 9 % of the mapped and 1.5 MiB.
class SoundPlayer {
public:
    // Loads the library and opens its sound driver, which takes a while: on a
    // thread of its own. Null, with the reason in `error`, where either
    // cannot be had.
    static std::shared_ptr<SoundPlayer> open(const std::string& application, std::string& error);
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays the bell for the window `windowId`: empty where it played, or the
    // desktop has event sounds off; else why the cards cannot sound.
    std::string playBell(const std::string& windowId);

private:
    struct Calls;
    SoundPlayer() = default;
    void followDesktop();

    const Calls* calls_ = nullptr;
    // The context stays, as the library does: closing it waits on the sound
    // driver, which the window's close must never do, and its threads may
    // still be playing.
    ca_context* context_ = nullptr;
    DesktopSounds desktop_;
    std::string theme_, enabled_;  // as last given to libcanberra
};
