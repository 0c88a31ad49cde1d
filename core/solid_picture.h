#pragma once

#include <cstdint>
#include <span>

#include "core/picture.h"

namespace ovelix {

// The solid key-colour picture of mode full as its BMP file's bytes: 92 x 78 pixels,
// 24 bits per pixel, uncompressed, every pixel KeyColor. Written unchanged as "Pict1.bmp".
std::span<const std::uint8_t> SolidPictureBytes();

inline constexpr int SolidPictureWidth = 92;
inline constexpr int SolidPictureHeight = 78;

// The same picture made from scratch, from which the resource file is generated.
Picture MakeSolidPicture();

}  // namespace ovelix
