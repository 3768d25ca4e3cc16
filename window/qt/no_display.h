#pragma once

#include <QtGlobal>

// Where Qt finds no display to open a window on (started from a console, or
// over ssh without a forwarded display), it ends the program with abort() and
// a page that blames the installation. While one of these is alive, that end
// is one line that says there is no display, with the platform's own words,
// and exit status 1. The other messages Qt gives meanwhile are held, and
// given once this is gone, so that a failed start says nothing else.
class NoDisplayExit {
public:
    NoDisplayExit();
    ~NoDisplayExit();
    NoDisplayExit(const NoDisplayExit&) = delete;
    NoDisplayExit& operator=(const NoDisplayExit&) = delete;

private:
    QtMessageHandler previous_;
};
