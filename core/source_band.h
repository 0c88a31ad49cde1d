#pragma once

#include "core/picture.h"
#include "core/row_reader.h"

namespace ovelix {

// The rows of a picture read from the top (a JPEG's, as it is decoded) as a composition asks
// for them, going down, in a band that keeps only the rows still asked for: a large
// photograph is stretched without its whole picture ever being in memory.
class SourceBand {
 public:
  explicit SourceBand(RowReader& rows);

  // A picture whose row 0 is source row Top() and which holds the source rows [first, last).
  // Neither bound may go back from one call to the next.
  const Picture& Rows(int first, int last);
  int Top() const { return top_; }

 private:
  RowReader& rows_;
  Picture band_;  // top-down, 24 bits per pixel
  int top_ = 0;   // the source row of band_'s row 0
  int next_ = 0;  // the next source row to decode; band_ holds [top_, next_)
};

}  // namespace ovelix
