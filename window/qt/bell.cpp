#include "bell.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>
#include <thread>

#include "sound_player.h"

namespace {

// Said once, when the cards cannot sound: nothing else would tell.
void cannotSound(const std::string& why) {
    std::fprintf(stderr, "sabot: the cards cannot sound: %s\n", why.c_str());
}

}  // namespace

Bell::Bell(const QWidget& window)
    : window_(window),
      state_(QGuiApplication::platformName() == QLatin1String("xcb") ? State::X11
                                                                     : State::Unloaded) {}

Bell::~Bell() {
    if (!mailbox_) return;
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->bell = nullptr;
}

// The loader is left to itself: a sound driver that hangs while it opens must
// not hang the window's close. What it loads reaches the bell only while the
// bell is there, through the mailbox they share.
void Bell::load() {
    if (state_ != State::Unloaded) return;
    state_ = State::Loading;
    mailbox_ = std::make_shared<Mailbox>();
    mailbox_->bell = this;
    std::thread([mailbox = mailbox_, application = QApplication::applicationName().toStdString()] {
        std::string error;
        std::shared_ptr<SoundPlayer> player = SoundPlayer::open(application, error);
        if (!player) cannotSound(error);
        const std::lock_guard lock(mailbox->mutex);
        if (Bell* bell = mailbox->bell)
            QMetaObject::invokeMethod(
                &bell->receiver_, [bell, player = std::move(player)] { bell->loaded(player); },
                Qt::QueuedConnection);
    }).detach();
}

void Bell::loaded(std::shared_ptr<SoundPlayer> player) {
    player_ = std::move(player);
    state_ = player_ ? State::Loaded : State::Failed;
    for (; waiting_ > 0; --waiting_) play();
}

void Bell::ring() {
    load();
    if (state_ == State::Loading)
        ++waiting_;
    else
        play();
}

void Bell::play() {
    if (state_ == State::X11) return QApplication::beep();
    if (state_ != State::Loaded) return;  // the cards cannot sound, as was said
    const std::string failed = player_->playBell(std::to_string(window_.window()->winId()));
    if (failed.empty()) return;
    // Said once, and not tried again: each attempt would go through the same
    // failure, and the sound driver's complaints, at every card.
    state_ = State::Failed;
    cannotSound(failed);
}
