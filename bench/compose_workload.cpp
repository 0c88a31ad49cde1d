#include "bench/compose_workload.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/bmp_file.h"
#include "core/compose.h"
#include "core/solid_picture.h"

namespace ovelix::bench {

namespace {

// A photo-like wallpaper: smooth gradients with some noise.
Picture MakeWallpaper(int width, int height) {
  Picture p(width, height, PixelFormat::Bits24);
  std::mt19937 random(1);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = p.Row(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(x * 255 / width);
      row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / height);
      row[3 * x + 2] = static_cast<std::uint8_t>(random());
    }
  }
  return p;
}

}  // namespace

std::string Name(int screenWidth, int screenHeight, int wallpaperWidth, int wallpaperHeight) {
  return std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + " from " + std::to_string(wallpaperWidth) +
         "x" + std::to_string(wallpaperHeight);
}

Workload::Workload(int screenWidth, int screenHeight, int wallpaperWidth, int wallpaperHeight)
    : width(screenWidth),
      height(screenHeight),
      sourceWidth(wallpaperWidth),
      sourceHeight(wallpaperHeight),
      folder(std::filesystem::temp_directory_path() / ("ovelix-bench-" + std::to_string(std::random_device()()))),
      solid(ReadBmpBytes(SolidPictureBytes(), 32)) {
  std::filesystem::create_directories(folder / "floor");
  wallpaper = folder / "wallpaper.bmp";
  WriteBmpFile(wallpaper.u16string(), MakeWallpaper(wallpaperWidth, wallpaperHeight));
  Compose();
  for (const char* name : {"mix1.bmp", "mix2.bmp", "Pict1.bmp"}) outputSizes.push_back(std::filesystem::file_size(folder / name));
  buffer.resize(std::max(outputSizes[0], std::filesystem::file_size(wallpaper)));
}

Workload::~Workload() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void Workload::Compose() const {
  ComposeInputs in;
  in.wallpaper = wallpaper.u16string();
  in.screenWidth = width;
  in.screenHeight = height;
  in.desktop = {0, 0, width, height};
  in.colorDepth = 32;
  in.programFolder = folder.u16string() + static_cast<char16_t>(std::filesystem::path::preferred_separator);
  in.solidPicture = &solid;
  ComposeResults out;
  CreatePics(in, out);
}

void TouchComposeStores(int width, int height, int sourceWidth, int sourceHeight) {
  Picture stores[] = {Picture::ScreenCompatible(32, width, height, StoreStart::Unset),
                      Picture::ScreenCompatible(32, width, height, StoreStart::Unset),
                      Picture(sourceWidth, sourceHeight, PixelFormat::Bits24, {}, {}, RowOrder::BottomUp, StoreStart::Unset)};
  for (Picture& p : stores) std::memset(p.Bits(), 0, p.StoreBytes());
}

void Workload::IoFloor() {
  FILE* in = std::fopen(wallpaper.string().c_str(), "rb");
  while (std::fread(buffer.data(), 1, buffer.size(), in) > 0) {
  }
  std::fclose(in);
  int index = 0;
  for (std::uint64_t size : outputSizes) {
    const std::filesystem::path path = folder / "floor" / ("out" + std::to_string(index++) + ".bmp");
    FILE* out = std::fopen(path.string().c_str(), "wb");
    std::fwrite(buffer.data(), 1, static_cast<std::size_t>(size), out);
    std::fclose(out);
  }
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace ovelix::bench
