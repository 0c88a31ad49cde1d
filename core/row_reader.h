#pragma once

#include <cstdint>

namespace ovelix {

// A picture's rows, read one after another from the top, each Width() pixels of 3 bytes
// (blue, green, red).
class RowReader {
 public:
  virtual ~RowReader() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The next row, into Width() * 3 bytes.
  virtual void ReadRow(std::uint8_t* row) = 0;
};

}  // namespace ovelix
