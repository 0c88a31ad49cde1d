#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "core/platform/threads.h"
#include "core/row_reader.h"

namespace ovelix {

// The rows of another reader, read on a thread of their own a few blocks of rows ahead of
// this one's reader: decoding a photograph and stretching it run at once on two processors,
// in a few megabytes whatever the picture's size. The other reader's failure reaches this
// one's reader at the row where it arose, as it was thrown. Where the system gives no
// thread, the rows are read on the caller's thread.
class RowsAhead final : public RowReader {
 public:
  explicit RowsAhead(RowReader& source);
  // Stops the reading ahead and waits for it.
  ~RowsAhead() override;
  RowsAhead(const RowsAhead&) = delete;
  RowsAhead& operator=(const RowsAhead&) = delete;

  int Width() const override { return source_.Width(); }
  int Height() const override { return source_.Height(); }
  void ReadRow(std::uint8_t* row) override;

 private:
  // Rows the other thread has read, or where it failed.
  struct Block {
    std::vector<std::uint8_t> rows;
    int count = 0;  // rows read into it
    std::exception_ptr failure;  // after the rows read
  };

  void ReadAhead();

  RowReader& source_;
  std::size_t rowBytes_;
  std::vector<Block> blocks_;
  Semaphore free_;    // blocks the other thread may fill
  Semaphore filled_;  // blocks this thread may take
  std::atomic<bool> stopping_{false};
  Thread thread_;
  bool ahead_ = false;  // whether the other thread runs
  std::size_t current_ = 0;  // the block being read here, once taken
  bool taken_ = false;
  int nextInBlock_ = 0;
  int rowsRead_ = 0;
};

}  // namespace ovelix
