#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include <algorithm>
#include <string>
#include <vector>

#include "core/bmp_file.h"
#include "core/tests/error_of.h"
#include "core/tests/test_support.h"

namespace ovelix {
namespace {

using testing_support::ErrorOf;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd', 0, 1, 2};

// What the folder holds: nothing may be left beside the file written.
std::vector<std::string> Names(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Picture Striped(int width, int height) {
  Picture picture(width, height, PixelFormat::Bits32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, MakeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
  return picture;
}

std::u16string CannotCreate(const std::u16string& path) { return u"Cannot create file \"" + path + u"\". "; }

TEST(ReplaceFile, TheNewFileTakesTheOldOnesPlaceAndNothingIsLeftBeside) {
  TempFolder folder;
  WriteBytes(folder.Path() / "mix1.bmp", OldBytes);
  const Picture picture = Striped(5, 3);
  WriteBmpFile(folder.File("mix1.bmp"), picture);
  EXPECT_EQ(ReadBytes(folder.Path() / "mix1.bmp"), BmpBytes(picture));
  EXPECT_EQ(Names(folder), std::vector<std::string>{"mix1.bmp"});
}

TEST(ReplaceFile, AFileThatCannotBePutInPlaceFailsWithItsNameAndChangesNothing) {
  TempFolder folder;
  // A folder stands where the file should go: no system replaces it by a file.
  std::filesystem::create_directory(folder.Path() / "mix2.bmp");
  WriteBytes(folder.Path() / "mix2.bmp" / "inside", OldBytes);
  const std::u16string error = ErrorOf([&] { WriteBmpFile(folder.File("mix2.bmp"), Striped(5, 3)); });
  EXPECT_EQ(error.substr(0, CannotCreate(folder.File("mix2.bmp")).size()), CannotCreate(folder.File("mix2.bmp")));
  EXPECT_GT(error.size(), CannotCreate(folder.File("mix2.bmp")).size());  // the system's reason follows
  EXPECT_EQ(Names(folder), std::vector<std::string>{"mix2.bmp"});
  EXPECT_EQ(ReadBytes(folder.Path() / "mix2.bmp" / "inside"), OldBytes);
}

#ifndef _WIN32
// While it lives, the system refuses to let this process write past `bytes` into any file,
// as a full disk refuses the rest of a write.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

TEST(ReplaceFile, AWriteThatFailsHalfWayLeavesTheOldFileByteForByte) {
  TempFolder folder;
  WriteBytes(folder.Path() / "Pict1.bmp", OldBytes);
  std::u16string error;
  {
    const FileSizeLimit limit(1000);  // the header and some rows of 64 x 64 x 4 bytes
    error = ErrorOf([&] { WriteBmpFile(folder.File("Pict1.bmp"), Striped(64, 64)); });
  }
  EXPECT_EQ(error, CannotCreate(folder.File("Pict1.bmp")) + u"File too large");
  EXPECT_EQ(ReadBytes(folder.Path() / "Pict1.bmp"), OldBytes);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"Pict1.bmp"});
}
#endif

}  // namespace
}  // namespace ovelix
