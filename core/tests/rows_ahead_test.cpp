#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "core/error.h"
#include "core/rows_ahead.h"
#include "core/tests/error_of.h"

namespace ovelix {
namespace {

using testing_support::ErrorOf;

// Rows whose every byte tells its row and place, failing at row `failAt` when asked to.
class NumberedRows final : public RowReader {
 public:
  NumberedRows(int width, int height, int failAt = -1) : width_(width), height_(height), failAt_(failAt) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void ReadRow(std::uint8_t* row) override {
    if (next_ == failAt_) throw Error(u"JPEG error #7");
    for (int i = 0; i < width_ * 3; ++i) row[i] = Byte(next_, i);
    ++next_;
  }
  int RowsRead() const { return next_; }
  static std::uint8_t Byte(int y, int i) { return static_cast<std::uint8_t>(y * 31 + i); }

 private:
  int width_;
  int height_;
  int failAt_;
  std::atomic<int> next_{0};
};

std::vector<std::uint8_t> RowOf(int width, int y) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = NumberedRows::Byte(y, static_cast<int>(i));
  return row;
}

TEST(RowsAhead, GivesEveryRowInOrderWhateverHowManyGoToABlock) {
  const struct {
    int width;
    int height;
  } cases[] = {
      {1, 1},         // a whole picture in one block
      {5, 500000},    // many blocks of many rows, round the ring several times
      {100000, 1},    // rows larger than a block: one each
      {100000, 21},   // and the ring filled and emptied more than twice
  };
  for (const auto& c : cases) {
    NumberedRows source(c.width, c.height);
    RowsAhead ahead(source);
    ASSERT_EQ(ahead.Width(), c.width);
    ASSERT_EQ(ahead.Height(), c.height);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(c.width) * 3);
    for (int y = 0; y < c.height; ++y) {
      ahead.ReadRow(row.data());
      ASSERT_EQ(row, RowOf(c.width, y)) << c.width << "x" << c.height << ", row " << y;
    }
    // Past the end nothing is read and nothing waits.
    const std::vector<std::uint8_t> last = row;
    ahead.ReadRow(row.data());
    EXPECT_EQ(row, last);
  }
}

TEST(RowsAhead, AFailureReachesTheReaderAtItsRowAndEveryReadAfter) {
  for (const int failAt : {0, 1, 37, 999}) {
    NumberedRows source(8, 1000, failAt);
    RowsAhead ahead(source);
    std::vector<std::uint8_t> row(24);
    for (int y = 0; y < failAt; ++y) {
      ASSERT_EQ(ErrorOf([&] { ahead.ReadRow(row.data()); }), testing_support::NoError) << failAt;
      ASSERT_EQ(row, RowOf(8, y));
    }
    EXPECT_EQ(ErrorOf([&] { ahead.ReadRow(row.data()); }), u"JPEG error #7") << failAt;
    EXPECT_EQ(ErrorOf([&] { ahead.ReadRow(row.data()); }), u"JPEG error #7") << failAt;
  }
}

TEST(RowsAhead, EndsWithoutReadingTheRestWhenTheReaderStopsEarly) {
  NumberedRows source(4096, 100000);
  {
    RowsAhead ahead(source);
    std::vector<std::uint8_t> row(4096 * 3);
    for (int y = 0; y < 3; ++y) ahead.ReadRow(row.data());
  }
  // What the other thread read ahead is bounded: a few blocks, not the picture.
  EXPECT_LT(source.RowsRead(), 1000);
}

}  // namespace
}  // namespace ovelix
