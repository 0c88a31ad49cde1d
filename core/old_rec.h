#pragma once

#include <cstdint>
#include <string>

#include "core/key_color.h"

namespace ovelix {

// The fields of TOldRec in the order in which they are captured at start.
enum class OldRecField : int {
  Wallpaper = 1,
  Tile,
  Stretched,
  WindowColor,
  WindowTextColor,
  BtnFaceColor,
};

// The settings found at start, which mode `no` and the colour check boxes put back.
struct TOldRec {
  std::u16string Wallpaper;
  std::uint8_t Tile = 0;
  bool Stretched = false;
  Color WindowColor = 0;
  Color WindowTextColor = 0;
  Color BtnFaceColor = 0;

  // How many fields the capture at start filled. It stops at the first failure, so the
  // captured fields are always a prefix of OldRecField's order.
  int CapturedCount = 0;

  bool Has(OldRecField field) const { return CapturedCount >= static_cast<int>(field); }
};

// Filled once at start and never changed afterwards.
extern TOldRec OldRec;

}  // namespace ovelix
