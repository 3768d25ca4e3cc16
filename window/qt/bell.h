#pragma once

#include <QObject>

#include <memory>
#include <mutex>

class QWidget;
class SoundPlayer;

// The sound of one card. On X11 it is the X bell, which desktops route to
// their sound theme. Wayland has no bell request, so there (and on any other
// platform) it is the sound theme's bell event played through libcanberra,
// in the theme the desktop names and not at all where the desktop has event
// sounds switched off (GNOME's settings, where it has them).
// libcanberra and the sound driver it opens take a while to load, and X11
// never needs them: they are loaded on a thread of their own, once the
// window shows or at the first card if that comes sooner, and the cards rung
// meanwhile sound when they are ready.
class Bell {
public:
    explicit Bell(const QWidget& window);
    ~Bell();
    Bell(const Bell&) = delete;
    Bell& operator=(const Bell&) = delete;

    // Starts loading the sound library, if the platform needs it; returns at once.
    void load();

    // Returns at once: the sound plays on while the card is counted.
    void ring();

private:
    enum class State { X11, Unloaded, Loading, Loaded, Failed };

    void loaded(std::shared_ptr<SoundPlayer> player);
    void play();

    const QWidget& window_;
    State state_;
    int waiting_ = 0;  // cards rung while loading
    std::shared_ptr<SoundPlayer> player_;
    QObject receiver_;  // where the loader's result arrives, on the window's thread
    struct Mailbox {
        std::mutex mutex;
        Bell* bell = nullptr;  // null once the bell is gone
    };
    std::shared_ptr<Mailbox> mailbox_;  // shared with the loader
};
