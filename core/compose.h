#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/picture.h"
#include "core/preview_graphic.h"

namespace ovelix {

// The whole virtual desktop; left and top are negative when a screen lies left of or
// above the primary one.
struct DesktopRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ComposeInputs {
  std::u16string wallpaper;  // as captured at start, possibly empty
  // When set, the wallpaper's content, kept from an earlier time: read (by what it is, as
  // a file would be) in place of the file `wallpaper` names, which may since have been
  // rewritten or be gone. There is then no missing-wallpaper message, and the preview of
  // mode no shows the picture read from these bytes.
  const std::vector<std::uint8_t>* keptWallpaper = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
  DesktopRect desktop;
  int colorDepth = 32;
  std::u16string programFolder;  // file names are appended directly
  const Picture* solidPicture = nullptr;  // what Prev_full holds; nothing writes no file
  // Shows the information message and returns once the user has closed it.
  std::function<void(const std::u16string& text)> showMessage;
};

// Filled step by step, so that after a failure it holds what was done before it.
struct ComposeResults {
  Picture previewX;
  Picture previewSharp;
  std::unique_ptr<PreviewGraphic> previewNo;  // stays empty without a wallpaper file
};

// The text of the message shown when there is no wallpaper file.
std::u16string MissingWallpaperText(std::u16string_view wallpaper);

// Builds the mixed wallpapers of modes x and sharp from the wallpaper (read by what it is,
// see ReadWallpaper), writes them and the solid picture as "mix1.bmp", "mix2.bmp" and
// "Pict1.bmp" into the program folder, and fills the previews. The preview of mode no is
// loaded from the file by its extension (LoadPreview) where that names the format the file
// holds, and is the picture read at first otherwise. Errors leave it at the step where they
// arose.
void CreatePics(const ComposeInputs& in, ComposeResults& out);

}  // namespace ovelix
