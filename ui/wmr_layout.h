#pragma once

// The donation dialog's design in 96-DPI client pixels.

#include <windows.h>

#include "ui/dpi.h"

namespace ovelix::ui::wmr {

inline constexpr SIZE ClientSize{462, 297};
inline constexpr RECT Bevel1 = Bounds(20, 4, 421, 185);
inline constexpr RECT Image1 = Bounds(32, 8, 176, 174);
inline constexpr RECT Image2 = Bounds(252, 8, 176, 173);
inline constexpr RECT Image3 = Bounds(4, 192, 453, 104);
inline constexpr RECT Edit1 = Bounds(72, 168, 137, 17);

}  // namespace ovelix::ui::wmr
