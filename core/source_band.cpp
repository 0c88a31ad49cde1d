#include "core/source_band.h"

#include <algorithm>
#include <cstring>

namespace ovelix {

SourceBand::SourceBand(RowReader& rows) : rows_(rows) {}

const Picture& SourceBand::Rows(int first, int last) {
  // The rows from `first` on that are decoded already stay, at the band's top.
  const int kept = std::max(0, next_ - first);
  const std::size_t keptBytes = static_cast<std::size_t>(kept) * band_.Stride();
  if (band_.Empty() || last - first > band_.Height()) {
    Picture larger(rows_.Width(), std::max(1, last - first), PixelFormat::Bits24, {}, {}, RowOrder::TopDown,
                   StoreStart::Zeroed);
    if (kept > 0) std::memcpy(larger.Row(0), band_.Row(first - top_), keptBytes);
    band_ = std::move(larger);
  } else if (kept > 0 && first > top_) {
    std::memmove(band_.Row(0), band_.Row(first - top_), keptBytes);
  }
  // Rows above `first` that were never asked for are decoded and dropped.
  for (; next_ < first; ++next_) rows_.ReadRow(band_.Row(0));
  top_ = first;
  for (; next_ < last; ++next_) rows_.ReadRow(band_.Row(next_ - top_));
  return band_;
}

}  // namespace ovelix
