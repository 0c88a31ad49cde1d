#include "core/metafile_graphic.h"

#include "core/error.h"
#include "core/little_endian.h"
#include "core/platform/metafile.h"

namespace ovelix {

namespace {

[[noreturn]] void NotValid() { throw Error(u"Metafile is not valid"); }

std::int32_t Signed32(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::int32_t>(Le32(&b[at])); }
std::int16_t Signed16(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::int16_t>(Le16(&b[at])); }

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t EmfSignature = 0x464D4520;  // " EMF"

// A size in hundredths of a millimetre as pixels at 96 per inch, kept within what a
// picture can hold.
int Pixels(std::int64_t units, std::int64_t perInch) {
  const std::int64_t pixels = units * 96 / perInch;
  if (pixels <= 0 || pixels > 0x7FFF) NotValid();
  return static_cast<int>(pixels);
}

}  // namespace

MetafileGraphic::MetafileGraphic(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() >= 88 && Le32(&bytes_[0]) == 1 && Le32(&bytes_[40]) == EmfSignature &&
      Le32(&bytes_[4]) >= 88 && Le32(&bytes_[4]) <= bytes_.size()) {
    // The frame rectangle, in hundredths of a millimetre, is inclusive.
    enhanced_ = true;
    width_ = Pixels(std::int64_t{Signed32(bytes_, 32)} - Signed32(bytes_, 24) + 1, 2540);
    height_ = Pixels(std::int64_t{Signed32(bytes_, 36)} - Signed32(bytes_, 28) + 1, 2540);
    return;
  }
  // The placeable header: key, handle, bounds in metafile units, units per inch, then the
  // 18-byte Windows metafile header (type 1 or 2, header size 9 words).
  if (bytes_.size() >= 22 + 18 && Le32(&bytes_[0]) == PlaceableKey && (bytes_[22] == 1 || bytes_[22] == 2) &&
      bytes_[23] == 0 && bytes_[24] == 9 && bytes_[25] == 0) {
    const std::int64_t perInch = static_cast<std::uint16_t>(Signed16(bytes_, 14));
    if (perInch == 0) NotValid();
    width_ = Pixels(std::int64_t{Signed16(bytes_, 10)} - Signed16(bytes_, 6), perInch);
    height_ = Pixels(std::int64_t{Signed16(bytes_, 12)} - Signed16(bytes_, 8), perInch);
    return;
  }
  NotValid();
}

const Picture& MetafileGraphic::PictureToDraw() {
  if (!picture_) picture_ = PlayMetafile(bytes_, enhanced_, width_, height_);
  return *picture_;
}

}  // namespace ovelix
