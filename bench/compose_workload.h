#pragma once

// What the composition benchmarks time: the composition as the program runs it, and the
// I/O floor it is measured against (reading the same source, writing as many bytes as the
// three outputs with plain buffered writes).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/picture.h"

namespace ovelix::bench {

// The middle one of the times (the upper middle of an even number).
double Median(std::vector<double> times);

// The fresh memory a composition cannot do without, touched once: its two mixed pictures and
// the wallpaper's store. Where first touches are dear, this and the I/O floor together are
// what it cannot go below.
void TouchComposeStores(int width, int height, int sourceWidth, int sourceHeight);

struct Workload {
  Workload(int screenWidth, int screenHeight, int wallpaperWidth, int wallpaperHeight);
  ~Workload();
  Workload(const Workload&) = delete;
  Workload& operator=(const Workload&) = delete;

  void Compose() const;
  void IoFloor();
  void FirstTouch() const { TouchComposeStores(width, height, sourceWidth, sourceHeight); }

  int width;
  int height;
  int sourceWidth;  // of the wallpaper
  int sourceHeight;
  std::filesystem::path folder;
  std::filesystem::path wallpaper;
  Picture solid;
  std::vector<std::uint64_t> outputSizes;  // of mix1.bmp, mix2.bmp and Pict1.bmp
  std::vector<char> buffer;
};

std::string Name(int screenWidth, int screenHeight, int wallpaperWidth, int wallpaperHeight);

}  // namespace ovelix::bench
