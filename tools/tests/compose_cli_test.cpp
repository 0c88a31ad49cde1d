#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "core/bmp_file.h"
#include "core/pattern.h"
#include "core/solid_picture.h"
#include "core/tests/imagemagick_fixtures.h"
#include "core/tests/jpeg_fixtures.h"
#include "core/tests/test_support.h"
#include "core/text.h"

namespace ovelix {
namespace {

using testing_support::EncodeJpeg;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

struct Outcome {
  int status;
  std::string errors;
};

Outcome Compose(const std::string& arguments) {
  const std::string command = std::string(OVELIX_COMPOSE) + " " + arguments + " 2>&1 >/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

class ComposeCli : public testing::Test {
 protected:
  std::string Dir() const { return Quoted(folder_.Path()); }
  std::string Path(const std::string& name) const { return Quoted(folder_.Path() / name); }
  static std::string Quoted(const std::filesystem::path& path) {
    std::string quoted(1, '\'');
    quoted += path.string();
    quoted += '\'';
    return quoted;
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder_.Path() / name); }
  Picture Read(const std::string& name) const { return ReadBmpFile(folder_.File(name), 32); }
  TempFolder folder_;
};

TEST_F(ComposeCli, OnePixelWallpaperGivesScreenSizeMixedPicturesAndPreviews) {
  Picture dot(1, 1, PixelFormat::Bits24);
  dot.SetPixel(0, 0, MakeColor(200, 100, 0));
  WriteBytes(folder_.Path() / "dot.bmp", BmpBytes(dot));
  const Outcome run = Compose("--wallpaper " + Path("dot.bmp") + " --screen 9x5 --out " + Dir());
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(ReadBytes(folder_.Path() / "mix1.bmp").size(), 54u + 9 * 5 * 4);
  const Picture mix2 = Read("mix2.bmp");
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(mix2.GetPixel(x, y), IsKeyPixel(MixMode::sharp, x, y) ? KeyColor : MakeColor(200, 100, 0));
  EXPECT_EQ(ReadBytes(folder_.Path() / "Pict1.bmp"),
            std::vector<std::uint8_t>(SolidPictureBytes().begin(), SolidPictureBytes().end()));
  EXPECT_EQ(ReadBytes(folder_.Path() / "preview-x.bmp"), ReadBytes(folder_.Path() / "mix1.bmp"));
  EXPECT_EQ(ReadBytes(folder_.Path() / "preview-sharp.bmp"), ReadBytes(folder_.Path() / "mix2.bmp"));
  EXPECT_EQ(Read("preview-no.bmp").GetPixel(0, 0), MakeColor(200, 100, 0));
}

TEST_F(ComposeCli, NoWallpaperTellsAndGoesOn) {
  const Outcome run = Compose("--wallpaper '' --screen 4x2 --depth 16 --desktop 0,0,4,2 --out " + Dir());
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "Ошибка - не найден ваш фоновый рисунок \"\" ! Будет установлен чистый лист...\n");
  const Picture mix1 = Read("mix1.bmp");
  EXPECT_EQ(mix1.Format(), PixelFormat::Bits16);
  EXPECT_EQ(mix1.GetPixel(0, 0), KeyColor);
  EXPECT_EQ(mix1.GetPixel(1, 0), White);
  EXPECT_FALSE(Exists("preview-no.bmp"));
}

TEST_F(ComposeCli, ReadsWhatTheProgramReadsHereWhateverTheName) {
  WriteBytes(folder_.Path() / "TranscodedWallpaper", EncodeJpeg(32, 16, JCS_RGB, false));
  const Outcome run = Compose("--wallpaper " + Path("TranscodedWallpaper") + " --screen 8x4 --out " + Dir());
  ASSERT_EQ(run.status, 0) << run.errors;
  const Picture mix1 = Read("mix1.bmp");
  EXPECT_GT(RedOf(mix1.GetPixel(1, 0)), 230);
  EXPECT_GT(BlueOf(mix1.GetPixel(6, 1)), 230);
  // The preview of mode no is the picture read, decoded at a quarter to cover the screen.
  EXPECT_EQ(Read("preview-no.bmp").Width(), 8);

  // A PNG needs the system's decoder, which only Windows has.
  WriteBytes(folder_.Path() / "photo.png",
             {std::begin(testing_support::ImageMagickPng), std::end(testing_support::ImageMagickPng)});
  EXPECT_EQ(Compose("--wallpaper " + Path("photo.png") + " --screen 8x4 --out " + Dir()).errors,
            "Bitmap image is not valid\n");
}

TEST_F(ComposeCli, ErrorsExitWithOneAndWhatWasWrittenStays) {
  WriteBytes(folder_.Path() / "photo.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  Outcome run = Compose("--wallpaper " + Path("photo.jpg") + " --screen 4x2 --out " + Dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "JPEG error #51\n");  // "JPEG datastream contains no image"
  EXPECT_FALSE(Exists("mix1.bmp") || Exists("mix2.bmp") || Exists("Pict1.bmp"));

  // The second picture's temporary file cannot be made.
  WriteBytes(folder_.Path() / "wall.bmp", BmpBytes(Picture(2, 2, PixelFormat::Bits24)));
  std::filesystem::create_directory(folder_.Path() / "mix2.bmp.tmp");
  run = Compose("--wallpaper " + Path("wall.bmp") + " --screen 4x2 --out " + Dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors.substr(0, 19), "Cannot create file ");
  EXPECT_TRUE(Exists("mix1.bmp") && Exists("preview-x.bmp") && Exists("preview-sharp.bmp"));
  EXPECT_FALSE(Exists("mix2.bmp") || Exists("Pict1.bmp"));
}

TEST_F(ComposeCli, BadArgumentsPrintTheUsage) {
  for (const std::string& arguments :
       {std::string(""), "--screen 4x2 --out " + Dir(), "--wallpaper '' --out " + Dir(),
        std::string("--wallpaper '' --screen 4x2"), "--wallpaper '' --screen 4by2 --out " + Dir(),
        "--wallpaper '' --screen 0x2 --out " + Dir(), "--wallpaper '' --screen 4x2 --depth 12 --out " + Dir(),
        "--wallpaper '' --screen 4x2 --desktop 1,2,3 --out " + Dir(), "--wallpaper '' --screen 4x2 --bogus 1 --out " + Dir(),
        std::string("--wallpaper '' --screen 4x2 --out")}) {
    const Outcome run = Compose(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.errors.substr(0, 21), "usage: ovelix-compose") << arguments;
  }
  EXPECT_FALSE(Exists("mix1.bmp"));
}

}  // namespace
}  // namespace ovelix
