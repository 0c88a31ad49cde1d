#pragma once

// Reading and writing one raw pixel value in a row, per pixel format, without any check:
// the callers loop over whole rows and know their bounds.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/picture.h"

namespace ovelix {

template <PixelFormat F>
inline std::uint32_t LoadPixel(const std::uint8_t* row, std::size_t x) {
  if constexpr (F == PixelFormat::Bits32) {
    std::uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
  } else if constexpr (F == PixelFormat::Bits24) {
    return row[x * 3] | (std::uint32_t{row[x * 3 + 1]} << 8) | (std::uint32_t{row[x * 3 + 2]} << 16);
  } else if constexpr (F == PixelFormat::Bits16) {
    return row[x * 2] | (std::uint32_t{row[x * 2 + 1]} << 8);
  } else if constexpr (F == PixelFormat::Bits8) {
    return row[x];
  } else if constexpr (F == PixelFormat::Bits4) {
    return (row[x / 2] >> (x % 2 == 0 ? 4u : 0u)) & 0xFu;
  } else {
    return (row[x / 8] >> (7 - x % 8)) & 1u;
  }
}

template <PixelFormat F>
inline void StorePixel(std::uint8_t* row, std::size_t x, std::uint32_t value) {
  if constexpr (F == PixelFormat::Bits32) {
    std::memcpy(row + x * 4, &value, 4);
  } else if constexpr (F == PixelFormat::Bits24) {
    row[x * 3] = static_cast<std::uint8_t>(value);
    row[x * 3 + 1] = static_cast<std::uint8_t>(value >> 8);
    row[x * 3 + 2] = static_cast<std::uint8_t>(value >> 16);
  } else if constexpr (F == PixelFormat::Bits16) {
    row[x * 2] = static_cast<std::uint8_t>(value);
    row[x * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
  } else if constexpr (F == PixelFormat::Bits8) {
    row[x] = static_cast<std::uint8_t>(value);
  } else if constexpr (F == PixelFormat::Bits4) {
    const unsigned shift = x % 2 == 0 ? 4u : 0u;
    row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0xFu << shift)) | ((value & 0xFu) << shift));
  } else {
    const unsigned bit = 0x80u >> (x % 8);
    row[x / 8] = static_cast<std::uint8_t>((value & 1u) != 0 ? row[x / 8] | bit : row[x / 8] & ~bit);
  }
}

// Calls f.template operator()<F>() with the picture's format as a compile-time value.
template <typename F>
decltype(auto) WithFormat(PixelFormat format, F&& f) {
  switch (format) {
    case PixelFormat::Bits1: return f.template operator()<PixelFormat::Bits1>();
    case PixelFormat::Bits4: return f.template operator()<PixelFormat::Bits4>();
    case PixelFormat::Bits8: return f.template operator()<PixelFormat::Bits8>();
    case PixelFormat::Bits16: return f.template operator()<PixelFormat::Bits16>();
    case PixelFormat::Bits24: return f.template operator()<PixelFormat::Bits24>();
    case PixelFormat::Bits32: break;
  }
  return f.template operator()<PixelFormat::Bits32>();
}

}  // namespace ovelix
