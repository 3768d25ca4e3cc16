#pragma once

#include <array>
#include <optional>

#include "presses.h"

// Whether Enter and Space are down now, as the display server says, where
// it says (X11); nothing elsewhere.
std::optional<std::array<bool, layout::kClickKeyCount>> clickKeysDown();
