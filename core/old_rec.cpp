#include "core/old_rec.h"

#include "core/str_to_int.h"

namespace ovelix {

TOldRec OldRec;

std::uint8_t TileOf(std::u16string_view tileText) { return static_cast<std::uint8_t>(StrToInt(tileText)); }

bool StretchedOf(std::u16string_view styleText) { return StrToInt(styleText) == StretchedStyle; }

}  // namespace ovelix
