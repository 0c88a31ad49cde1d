#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ovelix {

// The formats a wallpaper is read in.
enum class PictureFormat : std::uint8_t { Bmp, Jpeg, Png, Gif, Tiff };

// How many leading bytes FormatOfContent looks at.
inline constexpr std::size_t FormatSignatureBytes = 8;

// What a file holds, told by its first bytes. Whatever is no JPEG, PNG, GIF or TIFF counts
// as a BMP: the BMP reader then judges it, with the errors it has always given.
PictureFormat FormatOfContent(std::span<const std::uint8_t> head);

}  // namespace ovelix
