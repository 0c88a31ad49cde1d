#include "core/rows_ahead.h"

#include <algorithm>
#include <cstring>

namespace ovelix {

namespace {

// Blocks small enough to stay in the cache between the two threads, and enough of them that
// neither waits on the other for long.
constexpr std::size_t BlockBytes = std::size_t{256} << 10;
constexpr std::size_t BlockCount = 8;

}  // namespace

RowsAhead::RowsAhead(RowReader& source)
    : source_(source),
      rowBytes_(static_cast<std::size_t>(source.Width()) * 3),
      blocks_(BlockCount),
      free_(static_cast<int>(BlockCount)),
      filled_(0) {
  const std::size_t rowsPerBlock = std::max<std::size_t>(1, BlockBytes / std::max<std::size_t>(1, rowBytes_));
  for (Block& block : blocks_) block.rows.resize(rowsPerBlock * rowBytes_);
  ahead_ = thread_.Start([this] { ReadAhead(); });
}

RowsAhead::~RowsAhead() {
  stopping_ = true;
  free_.Release(static_cast<int>(blocks_.size()));  // wakes the other thread wherever it waits
  thread_.Join();
}

void RowsAhead::ReadAhead() {
  const int height = source_.Height();
  const int rowsPerBlock = static_cast<int>(blocks_.front().rows.size() / std::max<std::size_t>(1, rowBytes_));
  int read = 0;
  for (std::size_t i = 0; read < height; i = (i + 1) % blocks_.size()) {
    free_.Acquire();
    if (stopping_) return;
    Block& block = blocks_[i];
    block.count = 0;
    try {
      for (; block.count < rowsPerBlock && read < height; ++block.count, ++read) {
        source_.ReadRow(block.rows.data() + static_cast<std::size_t>(block.count) * rowBytes_);
      }
    } catch (...) {
      block.failure = std::current_exception();
      filled_.Release();
      return;
    }
    filled_.Release();
  }
}

void RowsAhead::ReadRow(std::uint8_t* row) {
  if (!ahead_) return source_.ReadRow(row);
  if (rowsRead_ == Height()) return;  // past the end, as the other thread stopped there
  for (;;) {
    if (taken_) {
      const Block& block = blocks_[current_];
      if (nextInBlock_ < block.count) break;
      if (block.failure) std::rethrow_exception(block.failure);
      free_.Release();
      current_ = (current_ + 1) % blocks_.size();
    }
    filled_.Acquire();
    taken_ = true;
    nextInBlock_ = 0;
  }
  std::memcpy(row, blocks_[current_].rows.data() + static_cast<std::size_t>(nextInBlock_) * rowBytes_, rowBytes_);
  ++nextInBlock_;
  ++rowsRead_;
}

}  // namespace ovelix
