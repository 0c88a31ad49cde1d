#pragma once

#include <array>

#include "core/key_color.h"
#include "core/old_rec.h"

namespace ovelix {

// The system colours that the check boxes replace, and where OldRec keeps each one.
struct SavedSystemColor {
  int index;
  OldRecField field;
  Color TOldRec::*saved;
};

inline constexpr std::array<SavedSystemColor, 3> SavedSystemColors{{
    {5, OldRecField::WindowColor, &TOldRec::WindowColor},          // COLOR_WINDOW
    {8, OldRecField::WindowTextColor, &TOldRec::WindowTextColor},  // COLOR_WINDOWTEXT
    {15, OldRecField::BtnFaceColor, &TOldRec::BtnFaceColor},       // COLOR_BTNFACE
}};

Color CurrentSystemColor(int index);

// Sets the one system colour to KeyColor for the whole session.
void ReplaceSystemColor(int index);

// Sets the system colour back to the value captured at start. A colour that was never
// captured (the capture stopped early, or the index is none of the three) is left alone.
void RestoreSystemColor(int index, const TOldRec& rec);

}  // namespace ovelix
