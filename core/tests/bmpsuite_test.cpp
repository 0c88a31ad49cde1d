// The BMP Suite: good files must read as ImageMagick reads them, bad ones must fail with
// one of the reader's error texts, and nothing may crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <variant>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/wallpaper_reader.h"

namespace ovelix {
namespace {

const std::filesystem::path Suite = OVELIX_BMPSUITE;

std::vector<std::filesystem::path> FilesOf(const char* folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(Suite / folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// ImageMagick's pixels, top row first, 4 bytes RGBA each.
std::vector<std::uint8_t> ImageMagickPixels(const std::filesystem::path& file) {
  const std::string command = "/usr/bin/convert '" + file.string() + "' -depth 8 rgba:- 2>/dev/null";
  std::vector<std::uint8_t> out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  std::uint8_t buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + n);
  pclose(pipe);
  return out;
}

TEST(BmpSuite, GoodFilesReadAsImageMagickReadsThem) {
  int compared = 0;
  for (const auto& file : FilesOf("g")) {
    const Picture p = ReadBmpFile(file.u16string(), 32);
    const std::vector<std::uint8_t> expected = ImageMagickPixels(file);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(p.Width()) * static_cast<std::size_t>(p.Height()) * 4)
        << file.filename();
    int differences = 0;
    for (int y = 0; y < p.Height() && differences < 5; ++y)
      for (int x = 0; x < p.Width() && differences < 5; ++x) {
        const std::uint8_t* e = expected.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(p.Width()) + static_cast<std::size_t>(x)) * 4;
        const Color c = p.GetPixel(x, y);
        if (RedOf(c) != e[0] || GreenOf(c) != e[1] || BlueOf(c) != e[2]) {
          ++differences;
          ADD_FAILURE() << file.filename() << " at " << x << "," << y << ": ours " << std::hex << c << ", ImageMagick's "
                        << int{e[0]} << " " << int{e[1]} << " " << int{e[2]};
        }
      }
    ++compared;
  }
  EXPECT_EQ(compared, 27);
}

TEST(BmpSuite, BadFilesFailWithAnErrorTextOrAreReadOnPurpose) {
  // Files that our rules read although the suite calls them bad, and why.
  const std::map<std::string, std::string> readOnPurpose = {
      {"badbitssize.bmp", "the image size field is larger than the file: what is left of it is read"},
      {"baddens1.bmp", "the resolution fields are kept as they are, not judged"},
      {"baddens2.bmp", "the resolution fields are kept as they are, not judged"},
      {"badfilesize.bmp", "the file size field is not used"},
      {"badheadersize.bmp", "a 66-byte info header is a Windows info header of that size"},
      {"shortfile.bmp", "fewer bytes than the image size: what is left of the file is read"},
  };
  const std::set<std::u16string> texts = {u"Stream read error", u"Bitmap image is not valid", u"Out of system resources"};
  for (const auto& file : FilesOf("b")) {
    const std::string name = file.filename().string();
    try {
      const Picture p = ReadBmpFile(file.u16string(), 32);
      EXPECT_TRUE(readOnPurpose.count(name)) << name << " was read";
      EXPECT_FALSE(p.Empty()) << name;
    } catch (const Error& e) {
      EXPECT_TRUE(texts.count(e.Message())) << name << ": " << e.what();
      EXPECT_FALSE(readOnPurpose.count(name)) << name << ": " << e.what();
    }
  }
}

TEST(BmpSuite, QuestionableFilesNeverCrash) {
  // Read by our rules differently from ImageMagick on purpose, among others: pal8offs.bmp
  // (the pixel offset is not used, so the 100 bytes before the pixels are read as pixels),
  // pal8os2sp.bmp, and the tables of more than 256 entries (pal8oversizepal.bmp,
  // rgb24largepal.bmp), which are rejected.
  int read = 0;
  for (const auto& file : FilesOf("q")) {
    for (int depth : {32, 16, 8}) {
      try {
        const Picture p = ReadBmpFile(file.u16string(), depth);
        Color all = 0;
        for (int y = 0; y < p.Height(); ++y)
          for (int x = 0; x < p.Width(); ++x) all |= p.GetPixel(x, y);
        const Picture back = ReadBmpBytes(BmpBytes(p), depth);
        EXPECT_EQ(back.Width(), p.Width()) << file.filename();
        read += depth == 32 ? 1 : 0;
      } catch (const Error&) {
      }
    }
  }
  EXPECT_GT(read, 10);
}

// The error text, or the picture as a file (its header fields and padding included).
template <typename Read>
std::variant<std::u16string, std::vector<std::uint8_t>> OutcomeOf(Read&& read) {
  try {
    return BmpBytes(read());
  } catch (const Error& e) {
    return e.Message();
  }
}

TEST(BmpSuite, TheWallpaperReaderReadsEveryFileAsTheBmpReaderDoes) {
  for (const char* folder : {"g", "b", "q"}) {
    for (const auto& file : FilesOf(folder)) {
      for (int depth : {32, 8}) {
        EXPECT_TRUE(OutcomeOf([&] { return std::move(ReadWallpaperFile(file.u16string(), depth).picture); }) ==
                    OutcomeOf([&] { return ReadBmpFile(file.u16string(), depth); }))
            << file.filename() << " at " << depth;
      }
    }
  }
}

}  // namespace
}  // namespace ovelix
