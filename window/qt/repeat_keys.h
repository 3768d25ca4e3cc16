#pragma once

/* On X11 a held key repeats as a release and a press, and Qt tells such a
   release from a real one only if the press has already arrived behind it:
   now and then it has not, and a held Space clicks a card more. The server can
   repeat the press alone instead (XKB's detectable auto-repeat), so that a
   hold is one press, its repeats, and one release. Qt's X11 plugin has set the
   extension up on its connection. */

#ifdef __cplusplus
extern "C" {
#endif

typedef struct xcb_connection_t xcb_connection_t;

void repeat_keys_as_presses(xcb_connection_t* connection);

#ifdef __cplusplus
}
#endif
