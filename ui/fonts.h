#pragma once

#include <windows.h>

#include <string_view>

#include "core/key_color.h"
#include "ui/dpi.h"
#include "ui/gdi.h"

namespace ovelix::ui {

// A font of the design: face, character height in 96-DPI pixels and weight.
struct FontSpec {
  std::wstring_view face;
  int height;
  bool bold;
};

inline constexpr Color WindowFontColor = 0x00264B59;
inline constexpr Color CheckedFontColor = 0x00008000;  // green
inline constexpr Color HintLabelColor = 0x00808080;    // grey

inline constexpr FontSpec WindowFont{L"MS Sans Serif", 11, true};
inline constexpr FontSpec PlainFont{L"MS Sans Serif", 11, false};

GdiObject<HFONT> CreateDesignFont(const FontSpec& spec, const Scale& scale);

}  // namespace ovelix::ui
