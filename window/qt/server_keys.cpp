#include "server_keys.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace {

// The keysyms, as the X protocol numbers them.
constexpr xcb_keysym_t kReturn = 0xff0d, kKeypadEnter = 0xff8d, kSpace = 0x0020;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

std::optional<std::array<bool, layout::kClickKeyCount>> clickKeysDown() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers too, with no connection.
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return std::nullopt;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int first = setup->min_keycode, count = setup->max_keycode - first + 1;
    const auto mapping =
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count));
    const auto keymap = xcb_query_keymap(connection);
    const Owned<xcb_get_keyboard_mapping_reply_t> symbols(
        xcb_get_keyboard_mapping_reply(connection, mapping, nullptr), &std::free);
    const Owned<xcb_query_keymap_reply_t> down(xcb_query_keymap_reply(connection, keymap, nullptr),
                                               &std::free);
    if (!symbols || !down) return std::nullopt;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(symbols.get());
    std::array<bool, layout::kClickKeyCount> keys{};
    for (int code = first; code < first + count; ++code) {
        if (!(down->keys[code / 8] & (1 << (code % 8)))) continue;
        // The key's first symbol: what it types unshifted.
        const xcb_keysym_t symbol =
            keysyms[static_cast<std::ptrdiff_t>(code - first) * symbols->keysyms_per_keycode];
        if (symbol == kReturn || symbol == kKeypadEnter)
            keys[static_cast<int>(layout::ClickKey::Enter)] = true;
        if (symbol == kSpace) keys[static_cast<int>(layout::ClickKey::Space)] = true;
    }
    return keys;
}
