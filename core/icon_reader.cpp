#include "core/icon_reader.h"

#include <cstring>
#include <vector>

#include "core/bmp_file.h"
#include "core/byte_source.h"
#include "core/error.h"
#include "core/little_endian.h"
#include "core/pixel_access.h"

namespace ovelix {

namespace {

[[noreturn]] void NotValid() { throw Error(u"Icon image is not valid"); }

}  // namespace

Picture ReadIcon(std::span<const std::uint8_t> bytes, int screenDepth) {
  // The directory: reserved 0, type 1 (icon), a count, then 16-byte entries.
  if (bytes.size() < 22 || Le16(&bytes[0]) != 0 || Le16(&bytes[2]) != 1 || Le16(&bytes[4]) == 0) NotValid();
  const std::uint64_t size = Le32(&bytes[6 + 8]);
  const std::uint64_t offset = Le32(&bytes[6 + 12]);
  if (size < 40 || offset > bytes.size() || size > bytes.size() - offset) NotValid();
  const std::span<const std::uint8_t> image = bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
  if (Le32(&image[0]) != 40) NotValid();  // PNG-coded images and others are not read

  // The image is a bitmap of twice the icon's height (colours, then the mask) without a
  // file header: give it one, with the icon's own height and no image size. Colour masks
  // are kept; any other compression is taken as none.
  const auto height = static_cast<std::int32_t>(Le32(&image[8]));
  if (height <= 0 || height % 2 != 0) NotValid();
  const bool bitFields = Le32(&image[16]) == BmpBitFields;
  std::vector<std::uint8_t> bmp{'B', 'M'};
  bmp.resize(14);
  bmp.insert(bmp.end(), image.begin(), image.end());
  const std::uint32_t half = static_cast<std::uint32_t>(height / 2);
  for (int i = 0; i < 4; ++i) bmp[14 + 8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(half >> (8 * i));
  if (!bitFields) std::memset(bmp.data() + 14 + 16, 0, 4);
  std::memset(bmp.data() + 14 + 20, 0, 4);   // image size: from the rows
  MemorySource source(bmp);
  Picture picture;
  try {
    picture = ReadBmp(source, screenDepth);
  } catch (const Error&) {
    NotValid();
  }
  if (picture.Empty()) NotValid();

  // The mask rows follow the colour rows, where the BMP reader stopped, bottom row first; a
  // set bit leaves the pixel out.
  const std::uint8_t* masks = bmp.data() + (bmp.size() - source.Remaining());
  const auto maskStride = static_cast<std::size_t>(RowStride(static_cast<std::uint64_t>(picture.Width()), 1));
  if (maskStride * static_cast<std::size_t>(picture.Height()) > source.Remaining()) return picture;
  const std::uint32_t white = picture.Encode(White);
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* mask = masks + static_cast<std::size_t>(picture.Height() - 1 - y) * maskStride;
    for (int x = 0; x < picture.Width(); ++x) {
      if (LoadPixel<PixelFormat::Bits1>(mask, static_cast<std::size_t>(x)) != 0) picture.SetRaw(x, y, white);
    }
  }
  return picture;
}

}  // namespace ovelix
