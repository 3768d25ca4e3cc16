/* In C, as the XKB header names a member `explicit`, which C++ reserves. */

#include "repeat_keys.h"

#include <xcb/xkb.h>

void repeat_keys_as_presses(xcb_connection_t* connection) {
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_discard_reply(connection, xcb_xkb_per_client_flags_unchecked(
                                      connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0)
                                      .sequence);
}
