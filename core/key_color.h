#pragma once

#include <cstdint>

namespace ovelix {

// A colour value as the system stores it: 0x00BBGGRR, red in the low byte.
using Color = std::uint32_t;

constexpr Color MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Color{red} | (Color{green} << 8) | (Color{blue} << 16);
}
constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>(c >> 16); }

// The overlay key colour: a hardware overlay shows the video wherever the screen holds it.
inline constexpr Color KeyColor = MakeColor(16, 0, 16);
static_assert(KeyColor == 0x00100010);

inline constexpr Color White = MakeColor(255, 255, 255);

}  // namespace ovelix
