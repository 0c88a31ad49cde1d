#include "core/picture_format.h"

#include <algorithm>
#include <array>

namespace ovelix {

namespace {

struct Signature {
  std::span<const std::uint8_t> bytes;
  PictureFormat format;
};

constexpr std::uint8_t Jpeg[] = {0xFF, 0xD8, 0xFF};
constexpr std::uint8_t Png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t Gif87[] = {'G', 'I', 'F', '8', '7', 'a'};
constexpr std::uint8_t Gif89[] = {'G', 'I', 'F', '8', '9', 'a'};
constexpr std::uint8_t TiffIntel[] = {'I', 'I', 42, 0};
constexpr std::uint8_t TiffMotorola[] = {'M', 'M', 0, 42};

constexpr std::array<Signature, 6> Signatures{{
    {Jpeg, PictureFormat::Jpeg},
    {Png, PictureFormat::Png},
    {Gif87, PictureFormat::Gif},
    {Gif89, PictureFormat::Gif},
    {TiffIntel, PictureFormat::Tiff},
    {TiffMotorola, PictureFormat::Tiff},
}};

}  // namespace

PictureFormat FormatOfContent(std::span<const std::uint8_t> head) {
  for (const Signature& s : Signatures) {
    if (head.size() >= s.bytes.size() && std::equal(s.bytes.begin(), s.bytes.end(), head.begin())) return s.format;
  }
  return PictureFormat::Bmp;
}

}  // namespace ovelix
