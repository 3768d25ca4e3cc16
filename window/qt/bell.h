#pragma once

struct ca_context;
class QWidget;

// The sound of one card. On X11 it is the X bell, which desktops route to
// their sound theme. Wayland has no bell request, so there (and on any other
// platform) it is the sound theme's bell event played through libcanberra,
// which follows the user's theme and the desktop's switch for event sounds.
class Bell {
public:
    explicit Bell(const QWidget& window);
    ~Bell();
    Bell(const Bell&) = delete;
    Bell& operator=(const Bell&) = delete;

    // Returns at once: the sound plays on while the card is counted.
    void ring();

private:
    const QWidget& window_;
    ca_context* context_ = nullptr;  // none on X11
};
