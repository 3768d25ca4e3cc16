#pragma once

// The ids of the executable's resources, shared by its .rc files and code.

// The program's icon. Windows shows an executable's first icon group as its
// own (Explorer, the Start menu's shortcut), so it keeps the lowest id.
#define SABOT_ICON 1
