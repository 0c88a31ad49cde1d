#include "core/screen_palette.h"

namespace ovelix {

namespace {

// The 20 static colours in the order of the system palette: the first ten and the last ten.
constexpr Color StaticLow[10] = {
    MakeColor(0, 0, 0),       MakeColor(128, 0, 0),     MakeColor(0, 128, 0),
    MakeColor(128, 128, 0),   MakeColor(0, 0, 128),     MakeColor(128, 0, 128),
    MakeColor(0, 128, 128),   MakeColor(192, 192, 192), MakeColor(192, 220, 192),
    MakeColor(166, 202, 240),
};
constexpr Color StaticHigh[10] = {
    MakeColor(255, 251, 240), MakeColor(160, 160, 164), MakeColor(128, 128, 128),
    MakeColor(255, 0, 0),     MakeColor(0, 255, 0),     MakeColor(255, 255, 0),
    MakeColor(0, 0, 255),     MakeColor(255, 0, 255),   MakeColor(0, 255, 255),
    MakeColor(255, 255, 255),
};

}  // namespace

std::vector<PaletteEntry> ScreenPalette(int bitsPerPixel) {
  std::vector<PaletteEntry> table;
  if (bitsPerPixel == 4) {
    // The 16 VGA colours: black, the dark ones and light grey, then grey and the bright ones.
    for (int i = 0; i < 8; ++i) table.push_back(EntryOf(StaticLow[i]));
    table.push_back(EntryOf(StaticHigh[2]));
    for (int i = 3; i < 10; ++i) table.push_back(EntryOf(StaticHigh[i]));
    return table;
  }
  for (Color c : StaticLow) table.push_back(EntryOf(c));
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        table.push_back(EntryOf(MakeColor(static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                          static_cast<std::uint8_t>(b * 51))));
  // Greys between the cube's steps fill the 236 free entries.
  for (int i = 1; table.size() < 246; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / 21);
    table.push_back(EntryOf(MakeColor(v, v, v)));
  }
  for (Color c : StaticHigh) table.push_back(EntryOf(c));
  return table;
}

PixelFormat ScreenFormat(int depth) {
  if (depth <= 4) return PixelFormat::Bits4;
  if (depth <= 8) return PixelFormat::Bits8;
  if (depth <= 16) return PixelFormat::Bits16;
  if (depth <= 24) return PixelFormat::Bits24;
  return PixelFormat::Bits32;
}

}  // namespace ovelix
