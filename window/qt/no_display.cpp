#include "no_display.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// A message as Qt gave it. The context's strings are literals, which outlive it.
struct Held {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

std::mutex heldMutex;
std::vector<Held> held;

void holdOrExit(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard lock(heldMutex);
    if (type != QtFatalMsg) {
        held.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    // The first message is the platform's own ("could not connect to display
    // :1", "Failed to create wl_display"); the fatal one is the page.
    const QString why = held.empty() ? QString() : held.front().text.simplified();
    if (why.isEmpty())
        std::fprintf(stderr, "sabot: no display to open the window on\n");
    else
        std::fprintf(stderr, "sabot: no display to open the window on (%s)\n",
                     why.toLocal8Bit().constData());
    // Qt is halfway through its start: nothing of it is to be destroyed.
    std::_Exit(1);
}

}  // namespace

NoDisplayExit::NoDisplayExit() : previous_(qInstallMessageHandler(holdOrExit)) {}

NoDisplayExit::~NoDisplayExit() {
    qInstallMessageHandler(previous_);
    std::vector<Held> given;
    {
        const std::lock_guard lock(heldMutex);
        given.swap(held);
    }
    for (const Held& message : given) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        previous_(message.type, context, message.text);
    }
}
