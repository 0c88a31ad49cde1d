#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/key_color.h"

namespace ovelix {

enum class PixelFormat : std::uint8_t { Bits1, Bits4, Bits8, Bits16, Bits24, Bits32 };

constexpr int BitsPerPixel(PixelFormat format) {
  constexpr int bits[] = {1, 4, 8, 16, 24, 32};
  return bits[static_cast<int>(format)];
}
constexpr bool HasColorTable(PixelFormat format) { return BitsPerPixel(format) <= 8; }

// Bytes per row: rows are padded to whole 32-bit words, as in a BMP file.
constexpr std::uint64_t RowStride(std::uint64_t width, int bitsPerPixel) {
  return (width * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32 * 4;
}

// One colour-table entry, in the byte order of a BMP file.
struct PaletteEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

constexpr PaletteEntry EntryOf(Color c) { return {BlueOf(c), GreenOf(c), RedOf(c), 0}; }
constexpr Color ColorOf(PaletteEntry e) { return MakeColor(e.red, e.green, e.blue); }

// Where the red, green and blue bits of a 16- or 32-bit pixel are.
struct ColorMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;

  friend bool operator==(const ColorMasks&, const ColorMasks&) = default;
};

inline constexpr ColorMasks Masks555{0x7C00, 0x03E0, 0x001F};
inline constexpr ColorMasks Masks888{0x00FF0000, 0x0000FF00, 0x000000FF};

constexpr ColorMasks DefaultMasks(PixelFormat format) {
  return format == PixelFormat::Bits16 ? Masks555 : Masks888;
}

// Stores that would be larger than this are refused as "Out of system resources".
inline constexpr std::uint64_t MaxStoreBytes = std::uint64_t{1} << 30;

// A pixel store: rows from top to bottom, each RowStride bytes, pixels in the byte
// layout of a BMP file of the same format.
class Picture {
 public:
  Picture() = default;
  // A store of this size and format, every pixel white (the nearest table colour to white
  // for formats with a colour table). Fails with "Out of system resources" when the store
  // would exceed MaxStoreBytes or cannot be allocated.
  Picture(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette = {},
          ColorMasks masks = {});

  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  ~Picture() = default;

  bool Empty() const { return pixels_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  std::size_t Stride() const { return stride_; }
  const std::vector<PaletteEntry>& Palette() const { return palette_; }
  const ColorMasks& Masks() const { return masks_; }

  std::uint8_t* Row(int y) { return pixels_.get() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return pixels_.get() + static_cast<std::size_t>(y) * stride_; }
  std::size_t StoreBytes() const { return stride_ * static_cast<std::size_t>(height_); }

  // The raw value a pixel of this store holds for a colour: the colour itself packed by the
  // masks, or the index of the nearest table colour.
  std::uint32_t Encode(Color color) const;
  Color Decode(std::uint32_t value) const;

  std::uint32_t GetRaw(int x, int y) const;
  void SetRaw(int x, int y, std::uint32_t value);
  Color GetPixel(int x, int y) const { return Decode(GetRaw(x, y)); }
  void SetPixel(int x, int y, Color color) { SetRaw(x, y, Encode(color)); }

  // Every pixel set to one colour.
  void Fill(Color color);

 private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bits32;
  std::size_t stride_ = 0;
  std::vector<PaletteEntry> palette_;
  ColorMasks masks_;
  std::unique_ptr<std::uint8_t[]> pixels_;
};

}  // namespace ovelix
