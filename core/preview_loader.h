#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/picture_format.h"
#include "core/preview_graphic.h"

namespace ovelix {

// The text after the last "." of a path when that dot stands after the last "\" and ":";
// empty otherwise.
std::u16string PictureExtension(std::u16string_view path);

// Whether the path's extension hands the file to the reader of that format: jpg and jpeg
// name a JPEG, bmp a BMP; no extension names a PNG, GIF or TIFF, which the loader does not
// read.
bool ExtensionNames(std::u16string_view path, PictureFormat format);

// Loads a preview, choosing the reader by the file's extension, compared without regard to
// case with the registered ones, the most recently registered first: jpg and jpeg (JPEG),
// bmp, ico, emf and wmf. Fails with "Unknown picture file extension (.%s)" or the reader's
// own errors. A BMP is read into the store of `donor` when that is big enough.
std::unique_ptr<PreviewGraphic> LoadPreview(std::u16string_view path, int screenDepth, Picture&& donor = Picture());

}  // namespace ovelix
