#include <gtest/gtest.h>

#include "core/bmp_file.h"
#include "core/solid_picture.h"

namespace ovelix {
namespace {

TEST(SolidPicture, IsTheGeneratedFileByteForByte) {
  const std::vector<std::uint8_t> made = BmpBytes(MakeSolidPicture());
  const std::span<const std::uint8_t> embedded = SolidPictureBytes();
  ASSERT_EQ(embedded.size(), 54u + 78 * 276);
  EXPECT_TRUE(std::equal(made.begin(), made.end(), embedded.begin(), embedded.end()));
  const Picture p = ReadBmpBytes(embedded, 32);
  ASSERT_EQ(p.Width(), 92);
  ASSERT_EQ(p.Height(), 78);
  EXPECT_EQ(p.Format(), PixelFormat::Bits24);
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 92; ++x) ASSERT_EQ(p.GetPixel(x, y), KeyColor);
}

}  // namespace
}  // namespace ovelix
