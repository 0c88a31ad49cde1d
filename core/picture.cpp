#include "core/picture.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "core/error.h"
#include "core/pixel_access.h"
#include "core/platform/memory_pages.h"
#include "core/screen_palette.h"

namespace ovelix {

namespace {

// Packs an 8-bit channel into the bits of a mask, keeping its most significant bits.
std::uint32_t PackChannel(std::uint8_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask >> shift);
  const std::uint32_t scaled = bits >= 8 ? std::uint32_t{value} << (bits - 8) : std::uint32_t{value} >> (8 - bits);
  return (scaled << shift) & mask;
}

// Widens the bits under a mask to 8 bits by repeating them, so that a 5-bit v becomes
// (v << 3) | (v >> 2) as the drawing system does it.
std::uint8_t UnpackChannel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask >> shift);
  std::uint32_t v = (value & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
  std::uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += bits) wide = (wide << bits) | v;
  const int total = (8 + bits - 1) / bits * bits;
  return static_cast<std::uint8_t>(wide >> (total - 8));
}

int SquaredDistance(PaletteEntry e, Color c) {
  const int dr = e.red - RedOf(c);
  const int dg = e.green - GreenOf(c);
  const int db = e.blue - BlueOf(c);
  return dr * dr + dg * dg + db * db;
}

[[noreturn]] void OutOfResources() { throw Error(u"Out of system resources"); }

}  // namespace

Picture::Picture(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette,
                 ColorMasks masks, RowOrder order, StoreStart start)
    : Picture(width, height, format, std::move(palette), masks, order, start, Picture()) {}

Picture::Picture(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette, ColorMasks masks,
                 RowOrder order, StoreStart start, Picture&& donor)
    : width_(width), height_(height), format_(format), order_(order), palette_(std::move(palette)) {
  masks_ = masks == ColorMasks{} ? DefaultMasks(format) : masks;
  const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(std::max(width, 0)), BitsPerPixel(format));
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(std::max(height, 0));
  if (width <= 0 || height <= 0 || bytes > MaxStoreBytes) OutOfResources();
  stride_ = static_cast<std::size_t>(stride);
  Allocate(static_cast<std::size_t>(bytes), start, std::move(donor));
  if (start == StoreStart::Whitened) Fill(White);
}

void StoreDeleter::operator()(std::uint8_t* p) const {
  if (pages) {
    ReleasePages(p, bytes);
  } else {
    std::free(p);
  }
}

void Picture::Allocate(std::size_t bytes, StoreStart start, Picture&& donor) {
  if (donor.pixels_ != nullptr && donor.pixels_.get_deleter().bytes >= bytes) {
    pixels_ = std::move(donor.pixels_);
    if (start == StoreStart::Zeroed) std::memset(pixels_.get(), 0, bytes);
    return;
  }
  donor.pixels_.reset();  // given back before asking for more
  // Zeroed pages from the system cost nothing until touched; small stores come from the
  // heap, where a page each would be waste.
  constexpr std::size_t FromPages = std::size_t{1} << 20;
  void* p = nullptr;
  const bool pages = start == StoreStart::Zeroed && bytes >= FromPages;
  if (pages) {
    p = AllocatePages(bytes);
  } else {
    p = start == StoreStart::Zeroed ? std::calloc(bytes, 1) : AllocateHeapBlock(bytes);
  }
  if (p == nullptr) OutOfResources();
  pixels_ = Store(static_cast<std::uint8_t*>(p), StoreDeleter{bytes, pages});
}

Picture Picture::ScreenCompatible(int depth) {
  Picture picture;
  picture.format_ = ScreenFormat(depth);
  picture.masks_ = DefaultMasks(picture.format_);
  if (HasColorTable(picture.format_)) picture.palette_ = ScreenPalette(BitsPerPixel(picture.format_));
  return picture;
}

Picture Picture::ScreenCompatible(int depth, int width, int height, StoreStart start) {
  Picture picture = ScreenCompatible(depth);
  if (width <= 0 || height <= 0) {
    picture.SetSize(width, height);
    return picture;
  }
  Picture sized(width, height, picture.format_, picture.palette_, picture.masks_, RowOrder::BottomUp, start);
  return sized;
}

Picture::Picture(const Picture& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      order_(other.order_),
      stride_(other.stride_),
      palette_(other.palette_),
      masks_(other.masks_),
      file_(other.file_) {
  if (other.pixels_ != nullptr) {
    Allocate(other.StoreBytes(), StoreStart::Unset, Picture());
    std::memcpy(pixels_.get(), other.pixels_.get(), other.StoreBytes());
  }
}

Picture& Picture::operator=(const Picture& other) {
  if (this != &other) *this = Picture(other);
  return *this;
}

void Picture::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_ && (!Empty() || width == 0 || height == 0)) return;
  if (width == 0 || height == 0) {
    pixels_.reset();
    stride_ = 0;
    width_ = width;
    height_ = height;
    return;
  }
  Picture resized(width, height, format_, palette_, masks_, order_);
  if (!Empty()) {
    const int rows = std::min(height, height_);
    const int columns = std::min(width, width_);
    const int bits = BitsPerPixel(format_);
    const auto wholeBytes = static_cast<std::size_t>(columns) * static_cast<std::size_t>(bits) / 8;
    const int firstLoose = static_cast<int>(wholeBytes * 8 / static_cast<std::size_t>(bits));
    for (int y = 0; y < rows; ++y) {
      std::memcpy(resized.Row(y), Row(y), wholeBytes);
      for (int x = firstLoose; x < columns; ++x) resized.SetRaw(x, y, GetRaw(x, y));
    }
  }
  resized.file_ = file_;
  *this = std::move(resized);
}

std::uint32_t Picture::Encode(Color color) const {
  if (HasColorTable(format_)) {
    std::uint32_t best = 0;
    int bestDistance = SquaredDistance(palette_.empty() ? PaletteEntry{} : palette_[0], color);
    for (std::size_t i = 1; i < palette_.size() && bestDistance != 0; ++i) {
      const int distance = SquaredDistance(palette_[i], color);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<std::uint32_t>(i);
      }
    }
    return best;
  }
  return PackChannel(RedOf(color), masks_.red) | PackChannel(GreenOf(color), masks_.green) |
         PackChannel(BlueOf(color), masks_.blue);
}

Color Picture::Decode(std::uint32_t value) const {
  if (HasColorTable(format_)) {
    return value < palette_.size() ? ColorOf(palette_[value]) : Color{0};
  }
  return MakeColor(UnpackChannel(value, masks_.red), UnpackChannel(value, masks_.green),
                   UnpackChannel(value, masks_.blue));
}

std::uint32_t Picture::GetRaw(int x, int y) const {
  return WithFormat(format_, [&]<PixelFormat F>() { return LoadPixel<F>(Row(y), static_cast<std::size_t>(x)); });
}

void Picture::SetRaw(int x, int y, std::uint32_t value) {
  WithFormat(format_, [&]<PixelFormat F>() { StorePixel<F>(Row(y), static_cast<std::size_t>(x), value); });
}

void Picture::Fill(Color color) {
  if (Empty()) return;
  const std::uint32_t value = Encode(color);
  std::uint8_t* first = Row(0);
  std::memset(first, 0, stride_);  // the row padding is written to files as zeros
  WithFormat(format_, [&]<PixelFormat F>() {
    for (std::size_t x = 0; x < static_cast<std::size_t>(width_); ++x) StorePixel<F>(first, x, value);
  });
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), first, stride_);
}

}  // namespace ovelix
