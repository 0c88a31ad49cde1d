#include "core/bmp_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/bmp_rle.h"
#include "core/byte_source.h"
#include "core/error.h"
#include "core/little_endian.h"
#include "core/pixel_access.h"
#include "core/platform/file_system.h"
#include "core/screen_palette.h"

namespace ovelix {

namespace {

constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;

[[noreturn]] void NotValid() { throw Error(u"Bitmap image is not valid"); }

// The fields of either header that the reader uses.
struct Header {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down rows
  std::uint32_t planes = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = BmpUncompressed;
  std::uint32_t imageSize = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  ColorMasks masks;
};

Header ReadHeader(ByteSource& in) {
  Header h;
  std::uint8_t field[4];
  in.ReadExact(field, 4);
  h.size = Le32(field);
  if (h.size == CoreHeaderSize) {
    std::uint8_t core[8];
    in.ReadExact(core, 8);
    h.width = Le16(core);
    h.height = Le16(core + 2);
    h.planes = Le16(core + 4);
    h.bits = Le16(core + 6);
    return h;
  }
  if (h.size < InfoHeaderSize) NotValid();
  std::uint8_t info[52] = {};  // the 40-byte header's fields after its size, then the masks
  const std::uint32_t kept = std::min<std::uint32_t>(h.size, 56) - 4;
  in.ReadExact(info, std::min<std::uint32_t>(kept, sizeof info));
  in.Skip(h.size - 4 - std::min<std::uint32_t>(kept, sizeof info));
  h.width = static_cast<std::int32_t>(Le32(info));
  h.height = static_cast<std::int32_t>(Le32(info + 4));
  h.planes = Le16(info + 8);
  h.bits = Le16(info + 10);
  h.compression = Le32(info + 12);
  h.imageSize = Le32(info + 16);
  h.xPelsPerMeter = static_cast<std::int32_t>(Le32(info + 20));
  h.yPelsPerMeter = static_cast<std::int32_t>(Le32(info + 24));
  h.colorsUsed = Le32(info + 28);
  if (h.compression == BmpBitFields) {
    std::uint8_t masks[12];
    if (h.size == InfoHeaderSize) {
      in.ReadExact(masks, 12);  // they follow a 40-byte header
    } else if (h.size >= 52) {
      std::memcpy(masks, info + 36, 12);  // later headers hold them
    } else {
      NotValid();
    }
    h.masks = {Le32(masks), Le32(masks + 4), Le32(masks + 8)};
  }
  return h;
}

bool IsContiguous(std::uint32_t mask) {
  return mask != 0 && std::has_single_bit((mask >> std::countr_zero(mask)) + 1);
}

void Validate(const Header& h) {
  if (h.planes != 1 || h.width <= 0 || h.height == 0) NotValid();
  switch (h.bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: NotValid();
  }
  switch (h.compression) {
    case BmpUncompressed: break;
    case BmpRle8: if (h.bits != 8 || h.height < 0) NotValid(); break;
    case BmpRle4: if (h.bits != 4 || h.height < 0) NotValid(); break;
    case BmpBitFields: {
      if (h.bits != 16 && h.bits != 32) NotValid();
      const ColorMasks& m = h.masks;
      const std::uint32_t pixelBits = h.bits == 32 ? 0xFFFFFFFFu : 0xFFFFu;
      if (!IsContiguous(m.red) || !IsContiguous(m.green) || !IsContiguous(m.blue)) NotValid();
      if ((m.red & m.green) != 0 || (m.red & m.blue) != 0 || (m.green & m.blue) != 0) NotValid();
      if (((m.red | m.green | m.blue) & ~pixelBits) != 0) NotValid();
      break;
    }
    default: NotValid();
  }
  if (h.colorsUsed > 256) NotValid();
}

PixelFormat FormatOf(std::uint32_t bits) {
  switch (bits) {
    case 1: return PixelFormat::Bits1;
    case 4: return PixelFormat::Bits4;
    case 8: return PixelFormat::Bits8;
    case 16: return PixelFormat::Bits16;
    case 24: return PixelFormat::Bits24;
    default: return PixelFormat::Bits32;
  }
}

std::vector<PaletteEntry> ReadColorTable(ByteSource& in, const Header& h) {
  const bool core = h.size == CoreHeaderSize;
  std::uint32_t entries = core ? 0 : h.colorsUsed;
  if (entries == 0 && h.bits <= 8) entries = 1u << h.bits;
  const std::size_t entrySize = core ? 3 : 4;
  std::vector<std::uint8_t> bytes(entries * entrySize);
  in.ReadExact(bytes.data(), bytes.size());
  std::vector<PaletteEntry> table;
  if (h.bits > 8) return table;  // a table beside true colours is only read past
  entries = std::min(entries, 1u << h.bits);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint8_t* e = bytes.data() + i * entrySize;
    table.push_back({e[0], e[1], e[2], 0});
  }
  return table;
}

// Zeroes the padding of the rows the file filled (written back as zeros) and checks the
// colour indices it gave against the table, unless that has an entry for every index. What
// the file did not fill is zero, index 0, which every table has: a short file is checked
// for what it holds, however wide its rows.
void CheckPixels(Picture& picture, std::size_t bytesRead) {
  const auto width = static_cast<std::size_t>(picture.Width());
  const auto bits = static_cast<std::size_t>(BitsPerPixel(picture.Format()));
  const std::size_t stride = picture.Stride();
  const std::size_t used = (width * bits + 7) / 8;
  const std::size_t entries = picture.Palette().size();
  const bool checkIndices = HasColorTable(picture.Format()) && entries < (std::size_t{1} << bits);
  WithFormat(picture.Format(), [&]<PixelFormat F>() {
    for (std::size_t start = 0; start < bytesRead; start += stride) {
      std::uint8_t* row = picture.Bits() + start;
      const std::size_t read = std::min(stride, bytesRead - start);
      if (read > used) std::memset(row + used, 0, read - used);
      if constexpr (HasColorTable(F)) {
        if (!checkIndices) continue;
        const std::size_t pixels = std::min(width, (read * 8 + bits - 1) / bits);
        for (std::size_t x = 0; x < pixels; ++x) {
          if (LoadPixel<F>(row, x) >= entries) NotValid();
        }
      }
    }
  });
}

}  // namespace

Picture ReadBmp(ByteSource& in, int screenDepth, Picture&& donor) {
  if (in.Remaining() == 0) return {};
  std::uint8_t fileHeader[14];
  in.ReadExact(fileHeader, sizeof fileHeader);
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') NotValid();
  const Header h = ReadHeader(in);
  Validate(h);
  const std::vector<PaletteEntry> table = ReadColorTable(in, h);
  const std::uint64_t width = static_cast<std::uint64_t>(h.width);
  const std::uint64_t height = static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height);
  const std::uint64_t imageSize = h.imageSize != 0 ? h.imageSize : RowStride(width, static_cast<int>(h.bits)) * height;
  const std::uint64_t available = std::min(imageSize, in.Remaining());
  // Sizes beyond an int cannot be a store under MaxStoreBytes either.
  if (width > MaxStoreBytes || height > MaxStoreBytes) throw Error(u"Out of system resources");
  const int w = static_cast<int>(width);
  const int hgt = static_cast<int>(height);

  Picture picture;
  if (h.compression == BmpRle4 || h.compression == BmpRle8) {
    const PixelFormat format = ScreenFormat(screenDepth);
    // Runs may leave pixels unwritten, which stay zero.
    picture = Picture(w, hgt, format, HasColorTable(format) ? ScreenPalette(BitsPerPixel(format)) : std::vector<PaletteEntry>{},
                      {}, RowOrder::BottomUp, StoreStart::Zeroed, std::move(donor));
    if (available > MaxStoreBytes) throw Error(u"Out of system resources");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(available));
    in.ReadExact(data.data(), data.size());
    DecodeRle(data, static_cast<int>(h.bits), table, picture);
  } else {
    const PixelFormat format = FormatOf(h.bits);
    // Rows the file does not fill stay zero; they are not touched, so a short file that
    // declares a big picture costs what it holds, not what it declares.
    const bool filled = available >= RowStride(width, static_cast<int>(h.bits)) * height;
    picture = Picture(w, hgt, format, table, h.compression == BmpBitFields ? h.masks : DefaultMasks(format),
                      h.height < 0 ? RowOrder::TopDown : RowOrder::BottomUp,
                      filled ? StoreStart::Unset : StoreStart::Zeroed, std::move(donor));
    const auto bytes = static_cast<std::size_t>(std::min<std::uint64_t>(available, picture.StoreBytes()));
    in.ReadExact(picture.Bits(), bytes);
    CheckPixels(picture, bytes);
  }
  picture.SetFile({h.size == CoreHeaderSize, h.xPelsPerMeter, h.yPelsPerMeter});
  return picture;
}

Picture ReadBmpFile(std::u16string_view path, int screenDepth, Picture&& donor) {
  InputFile file(path);
  FileSource source(file);
  return ReadBmp(source, screenDepth, std::move(donor));
}

Picture ReadBmpBytes(std::span<const std::uint8_t> bytes, int screenDepth) {
  MemorySource source(bytes);
  return ReadBmp(source, screenDepth);
}

namespace {

// The Windows info header, the masks when they are not the depth's usual ones, and the
// colour table: what the drawing system takes as a bitmap's description.
std::vector<std::uint8_t> InfoBytes(const Picture& p, std::int32_t height) {
  const bool table = HasColorTable(p.Format());
  const bool bitFields = !table && p.Masks() != DefaultMasks(p.Format());
  const auto entries = static_cast<std::uint32_t>(table ? p.Palette().size() : 0);
  std::vector<std::uint8_t> out;
  Put32(out, InfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(p.Width()));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(BitsPerPixel(p.Format())));
  Put32(out, bitFields ? BmpBitFields : BmpUncompressed);
  Put32(out, static_cast<std::uint32_t>(p.StoreBytes()));
  Put32(out, static_cast<std::uint32_t>(p.File().xPelsPerMeter));
  Put32(out, static_cast<std::uint32_t>(p.File().yPelsPerMeter));
  Put32(out, entries);
  Put32(out, 0);
  if (bitFields) {
    Put32(out, p.Masks().red);
    Put32(out, p.Masks().green);
    Put32(out, p.Masks().blue);
  }
  for (std::uint32_t i = 0; i < entries; ++i) {
    const PaletteEntry& e = p.Palette()[i];
    out.insert(out.end(), {e.blue, e.green, e.red, 0});
  }
  return out;
}

// The 12-byte core header and its 3-byte colour table, for pictures read from such files.
std::vector<std::uint8_t> CoreBytes(const Picture& p) {
  std::vector<std::uint8_t> out;
  Put32(out, CoreHeaderSize);
  Put16(out, static_cast<std::uint32_t>(p.Width()));
  Put16(out, static_cast<std::uint32_t>(p.Height()));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(BitsPerPixel(p.Format())));
  if (HasColorTable(p.Format())) {
    for (const PaletteEntry& e : p.Palette()) out.insert(out.end(), {e.blue, e.green, e.red});
  }
  return out;
}

// Everything before the pixel rows, which follow bottom row first.
std::vector<std::uint8_t> HeaderBytes(const Picture& p) {
  const bool core = p.File().os2 && p.Masks() == DefaultMasks(p.Format()) && p.Width() <= 0xFFFF && p.Height() <= 0xFFFF;
  const std::vector<std::uint8_t> info = core ? CoreBytes(p) : InfoBytes(p, p.Height());
  const auto offset = static_cast<std::uint32_t>(14 + info.size());
  std::vector<std::uint8_t> out{'B', 'M'};
  Put32(out, offset + static_cast<std::uint32_t>(p.StoreBytes()));
  Put32(out, 0);
  Put32(out, offset);
  out.insert(out.end(), info.begin(), info.end());
  return out;
}

// Hands the rows, bottom row first, to `write` in few large pieces.
template <typename Write>
void WriteRows(const Picture& p, Write&& write) {
  if (p.Order() == RowOrder::BottomUp) {
    write(p.Bits(), p.StoreBytes());
    return;
  }
  std::vector<std::uint8_t> chunk;
  const std::size_t rowsPerChunk = std::max<std::size_t>(1, (std::size_t{1} << 20) / p.Stride());
  for (int y = p.Height() - 1; y >= 0;) {
    chunk.clear();
    for (std::size_t n = 0; n < rowsPerChunk && y >= 0; ++n, --y) chunk.insert(chunk.end(), p.Row(y), p.Row(y) + p.Stride());
    write(chunk.data(), chunk.size());
  }
}

}  // namespace

void WriteBmpFile(std::u16string_view path, const Picture& picture) {
  if (picture.Empty()) return;
  const std::vector<std::uint8_t> header = HeaderBytes(picture);
  OutputFile file(path);
  file.Write(header.data(), header.size());
  WriteRows(picture, [&](const std::uint8_t* data, std::size_t size) { file.Write(data, size); });
  file.Commit();
}

std::vector<std::uint8_t> BitmapInfoBytes(const Picture& picture) {
  return InfoBytes(picture, picture.Order() == RowOrder::TopDown ? -picture.Height() : picture.Height());
}

std::vector<std::uint8_t> BmpBytes(const Picture& picture) {
  if (picture.Empty()) return {};
  std::vector<std::uint8_t> out = HeaderBytes(picture);
  WriteRows(picture, [&](const std::uint8_t* data, std::size_t size) { out.insert(out.end(), data, data + size); });
  return out;
}

}  // namespace ovelix
