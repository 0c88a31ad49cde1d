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

// How the rows lie in memory. Bottom-up is the layout of a BMP file, so that a store is
// read and written in one piece; top-down stores come from files that say so.
enum class RowOrder : std::uint8_t { BottomUp, TopDown };

// What a new store holds: white, as a picture given a size starts; zero bytes, for callers
// that may leave pixels unwritten (a big store then costs only what is touched); or
// whatever the memory held, for callers that write every byte, row padding included.
enum class StoreStart : std::uint8_t { Whitened, Zeroed, Unset };

// Fields of the file a picture was read from, written back when the picture is saved.
struct FileFields {
  bool os2 = false;  // the file had the 12-byte core header
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;

  friend bool operator==(const FileFields&, const FileFields&) = default;
};

// Gives a pixel store back, knowing how big it is and where it came from.
struct StoreDeleter {
  std::size_t bytes = 0;
  bool pages = false;  // from the system's pages rather than the heap
  void operator()(std::uint8_t* p) const;
};

// An in-memory picture: a width, a height, a pixel format and a pixel store whose pixels
// are in the byte layout of a BMP file of the same format. Row(0) is the top row whatever
// the layout in memory.
class Picture {
 public:
  // No pixels; sizes given later make a 32-bit store.
  Picture() = default;
  // A store of this size and format. Fails with "Out of system resources" when the store
  // would exceed MaxStoreBytes or cannot be allocated.
  Picture(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette = {},
          ColorMasks masks = {}, RowOrder order = RowOrder::BottomUp,
          StoreStart start = StoreStart::Whitened);
  // The same in the store of `donor` when that is big enough, saving fresh memory; the
  // donor's pixels are lost either way.
  Picture(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette, ColorMasks masks,
          RowOrder order, StoreStart start, Picture&& donor);

  // A picture without pixels whose store, once it has a size, suits a screen of this
  // colour depth: 32, 24, 16 (as 5-5-5), 8 or 4 bits (with the system's colour table).
  static Picture ScreenCompatible(int depth);
  // The same with a size given at once.
  static Picture ScreenCompatible(int depth, int width, int height, StoreStart start);

  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  ~Picture() = default;

  // Giving one of the sizes while the other is 0 only records it; with both non-zero the
  // store is made white, and an existing store's pixels are kept at the top left.
  // On failure ("Out of system resources") the picture stays as it was.
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);

  bool Empty() const { return pixels_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  std::size_t Stride() const { return stride_; }
  const std::vector<PaletteEntry>& Palette() const { return palette_; }
  const ColorMasks& Masks() const { return masks_; }
  RowOrder Order() const { return order_; }
  // Replaces the colour table (a decoder learns it only while filling the store).
  void SetPalette(std::vector<PaletteEntry> palette) { palette_ = std::move(palette); }
  const FileFields& File() const { return file_; }
  void SetFile(const FileFields& fields) { file_ = fields; }

  // The store as it lies in memory: StoreBytes() bytes, rows in Order().
  std::uint8_t* Bits() { return pixels_.get(); }
  const std::uint8_t* Bits() const { return pixels_.get(); }
  std::size_t StoreBytes() const { return stride_ * static_cast<std::size_t>(height_); }

  std::uint8_t* Row(int y) { return pixels_.get() + RowOffset(y); }
  const std::uint8_t* Row(int y) const { return pixels_.get() + RowOffset(y); }

  // The raw value a pixel of this store holds for a colour: the colour itself packed by the
  // masks, or the index of the nearest table colour.
  std::uint32_t Encode(Color color) const;
  Color Decode(std::uint32_t value) const;

  std::uint32_t GetRaw(int x, int y) const;
  void SetRaw(int x, int y, std::uint32_t value);
  Color GetPixel(int x, int y) const { return Decode(GetRaw(x, y)); }
  void SetPixel(int x, int y, Color color) { SetRaw(x, y, Encode(color)); }

  // Every pixel set to one colour; the row padding to zero.
  void Fill(Color color);

 private:
  using Store = std::unique_ptr<std::uint8_t, StoreDeleter>;
  void Allocate(std::size_t bytes, StoreStart start, Picture&& donor);

  std::size_t RowOffset(int y) const {
    const auto row = static_cast<std::size_t>(order_ == RowOrder::BottomUp ? height_ - 1 - y : y);
    return row * stride_;
  }

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bits32;
  RowOrder order_ = RowOrder::BottomUp;
  std::size_t stride_ = 0;
  std::vector<PaletteEntry> palette_;
  ColorMasks masks_ = Masks888;
  FileFields file_;
  Store pixels_;
};

}  // namespace ovelix
