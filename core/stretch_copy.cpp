#include "core/stretch_copy.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstdint>
#include <vector>

#include "core/picture.h"
#include "core/pixel_access.h"

namespace ovelix {

namespace {

// The source pixels, in absolute source coordinates, that reach one target pixel.
struct Span {
  int first;
  int last;  // one past the end; first >= last when none does
};

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

// The source span of every target coordinate in [visibleFirst, visibleLast), for a target
// rectangle of `d` pixels from `targetStart` onto a source rectangle of `s` pixels from
// `sourceStart` in a source `sourceExtent` pixels long.
std::vector<Span> AxisMap(int visibleFirst, int visibleLast, int targetStart, int d, int sourceStart, int s,
                          int sourceExtent) {
  std::vector<Span> map;
  map.reserve(static_cast<std::size_t>(visibleLast - visibleFirst));
  const std::int64_t S = s;
  const std::int64_t D = d;
  for (int t = visibleFirst; t < visibleLast; ++t) {
    const std::int64_t i = std::int64_t{t} - targetStart;
    std::int64_t first;
    std::int64_t last;
    if (d >= s) {
      // The source pixel under the target pixel's centre; a centre on a boundary goes left.
      first = ((2 * i + 1) * S - 1) / (2 * D);
      last = first + 1;
    } else {
      // The source pixels whose centres fall into the target pixel, boundaries going left.
      first = CeilDiv(2 * S * i + 1 - D, 2 * D);
      last = CeilDiv(2 * S * (i + 1) + 1 - D, 2 * D);
    }
    first = std::max<std::int64_t>(first + sourceStart, 0);
    last = std::min<std::int64_t>(last + sourceStart, sourceExtent);
    map.push_back({static_cast<int>(first), static_cast<int>(std::max(first, last))});
  }
  return map;
}

// Maps the raw pixels from <= x < to of a row to out[]. Its own arguments, so that the
// stores through out[] do not make the compiler reload them.
template <PixelFormat F, typename Map>
void ConvertRow(const std::uint8_t* row, std::size_t from, std::size_t to, std::uint32_t* out, Map map) {
  for (std::size_t x = from; x < to; ++x) *out++ = map(LoadPixel<F>(row, x));
}

// The 24-bit pixels of a row as 32-bit values, four at a time from three 32-bit words: the
// path of every screen-size wallpaper, so it is worth a trick.
void WidenRgb24(const std::uint8_t* in, std::size_t count, std::uint32_t* out) {
  auto word = [](const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  };
  std::size_t x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; x + 4 <= count; x += 4, in += 12, out += 4) {
      const std::uint32_t a = word(in);
      const std::uint32_t b = word(in + 4);
      const std::uint32_t c = word(in + 8);
      out[0] = a & 0xFFFFFFu;
      out[1] = a >> 24 | (b & 0xFFFFu) << 8;
      out[2] = b >> 16 | (c & 0xFFu) << 16;
      out[3] = c >> 8;
    }
  }
  for (std::size_t i = 0; x < count; ++x, ++i) out[i] = LoadPixel<PixelFormat::Bits24>(in, i);
}

// Turns source rows into values that combine by AND: the target's raw pixel values, or
// colours when the target has a colour table (whose indices do not combine).
class RowConverter {
 public:
  RowConverter(const Picture& source, const Picture& target)
      : source_(source), target_(target), direct_(!HasColorTable(target.Format())) {
    if (HasColorTable(source.Format())) {
      const std::size_t entries = std::size_t{1} << BitsPerPixel(source.Format());
      for (std::size_t i = 0; i < entries; ++i) lookup_[i] = Value(source.Decode(static_cast<std::uint32_t>(i)));
      kind_ = Kind::Table;
    } else if (direct_ && target.Format() == PixelFormat::Bits32 && target.Masks() == Masks888) {
      if (source.Format() == PixelFormat::Bits24) kind_ = Kind::Rgb24To32;
      if (source.Format() == PixelFormat::Bits32 && source.Masks() == Masks888) kind_ = Kind::Rgb32To32;
    }
  }

  // out[x - first] for the source pixels first <= x < last of row y.
  void Convert(int y, int first, int last, std::uint32_t* out) const {
    const std::uint8_t* row = source_.Row(y);
    const auto from = static_cast<std::size_t>(first);
    const auto to = static_cast<std::size_t>(last);
    switch (kind_) {
      case Kind::Table:
        WithFormat(source_.Format(), [&]<PixelFormat F>() {
          if constexpr (HasColorTable(F)) ConvertRow<F>(row, from, to, out, [this](std::uint32_t v) { return lookup_[v]; });
        });
        return;
      case Kind::Rgb24To32:
        WidenRgb24(row + 3 * from, to - from, out);
        return;
      case Kind::Rgb32To32:
        ConvertRow<PixelFormat::Bits32>(row, from, to, out, [](std::uint32_t v) { return v & 0xFFFFFFu; });
        return;
      case Kind::General:
        WithFormat(source_.Format(), [&]<PixelFormat F>() {
          ConvertRow<F>(row, from, to, out, [this](std::uint32_t v) { return Value(source_.Decode(v)); });
        });
        return;
    }
  }

  // The raw target value of a combined value.
  bool Direct() const { return direct_; }

 private:
  enum class Kind { General, Table, Rgb24To32, Rgb32To32 };

  std::uint32_t Value(Color color) const { return direct_ ? target_.Encode(color) : color; }

  const Picture& source_;
  const Picture& target_;
  bool direct_;
  Kind kind_ = Kind::General;
  std::array<std::uint32_t, 256> lookup_{};
};

// Finds the nearest table colour, remembering recent answers: neighbouring pixels repeat.
class NearestColor {
 public:
  explicit NearestColor(const Picture& target) : target_(target) { keys_.fill(0xFFFFFFFFu); }

  std::uint32_t operator()(Color color) {
    const std::size_t slot = (color * 2654435761u) >> 20 & (keys_.size() - 1);
    if (keys_[slot] != color) {
      keys_[slot] = color;
      values_[slot] = target_.Encode(color);
    }
    return values_[slot];
  }

 private:
  const Picture& target_;
  std::array<std::uint32_t, 4096> keys_;
  std::array<std::uint32_t, 4096> values_{};
};

// Copies `width` pixels of each row unscaled when both pictures store colours alike,
// keeping only the colour bits as the general path does. Answers false when they differ.
bool CopyUnscaled(Picture& target, int x0, int y0, int y1, std::size_t width, const Picture& source, int sourceX,
                  const std::vector<Span>& rows) {
  if (source.Format() != target.Format() || BitsPerPixel(source.Format()) < 8) return false;
  if (HasColorTable(source.Format()) ? source.Palette() != target.Palette() : source.Masks() != target.Masks()) return false;
  const auto bytesPerPixel = static_cast<std::size_t>(BitsPerPixel(source.Format()) / 8);
  const std::uint32_t colourBits = source.Masks().red | source.Masks().green | source.Masks().blue;
  WithFormat(source.Format(), [&]<PixelFormat F>() {
    for (int y = y0; y < y1; ++y) {
      const Span span = rows[static_cast<std::size_t>(y - y0)];
      if (span.first >= span.last) continue;
      const std::uint8_t* in = source.Row(span.first) + static_cast<std::size_t>(sourceX) * bytesPerPixel;
      std::uint8_t* out = target.Row(y) + static_cast<std::size_t>(x0) * bytesPerPixel;
      if constexpr (F == PixelFormat::Bits32 || F == PixelFormat::Bits16) {
        for (std::size_t x = 0; x < width; ++x) StorePixel<F>(out, x, LoadPixel<F>(in, x) & colourBits);
      } else {
        std::memcpy(out, in, width * bytesPerPixel);
      }
    }
  });
  return true;
}

}  // namespace

RowRange SourceRowsOf(const Rect& targetRect, const Rect& sourceRect, int sourceHeight, int top, int bottom) {
  RowRange range{sourceHeight, 0};
  if (top >= bottom || targetRect.Height() <= 0 || sourceRect.Height() <= 0) return {0, 0};
  for (const Span& s : AxisMap(top, bottom, targetRect.top, targetRect.Height(), sourceRect.top, sourceRect.Height(),
                               sourceHeight)) {
    if (s.first >= s.last) continue;
    range.first = std::min(range.first, s.first);
    range.last = std::max(range.last, s.last);
  }
  return range.first < range.last ? range : RowRange{0, 0};
}

void StretchCopy(Picture& target, const Rect& targetRect, const Picture& source, const Rect& sourceRect) {
  StretchCopy(target, targetRect, source, sourceRect, WholeOf(target.Width(), target.Height()));
}

void StretchCopy(Picture& target, const Rect& targetRect, const Picture& source, const Rect& sourceRect,
                 const Rect& clip) {
  if (target.Empty() || source.Empty()) return;
  if (targetRect.Width() <= 0 || targetRect.Height() <= 0 || sourceRect.Width() <= 0 || sourceRect.Height() <= 0) {
    return;
  }
  const int x0 = std::max({targetRect.left, clip.left, 0});
  const int x1 = std::min({targetRect.right, clip.right, target.Width()});
  const int y0 = std::max({targetRect.top, clip.top, 0});
  const int y1 = std::min({targetRect.bottom, clip.bottom, target.Height()});
  if (x0 >= x1 || y0 >= y1) return;

  const std::vector<Span> columns =
      AxisMap(x0, x1, targetRect.left, targetRect.Width(), sourceRect.left, sourceRect.Width(), source.Width());
  const std::vector<Span> rows =
      AxisMap(y0, y1, targetRect.top, targetRect.Height(), sourceRect.top, sourceRect.Height(), source.Height());

  // The source columns that any visible target column uses.
  int sourceFirst = source.Width();
  int sourceLast = 0;
  for (const Span& c : columns) {
    if (c.first < c.last) {
      sourceFirst = std::min(sourceFirst, c.first);
      sourceLast = std::max(sourceLast, c.last);
    }
  }
  if (sourceFirst >= sourceLast) return;

  const auto width = static_cast<std::size_t>(x1 - x0);
  const bool allReached = std::all_of(columns.begin(), columns.end(), [](const Span& c) { return c.first < c.last; });
  const bool oneToOne = std::all_of(columns.begin(), columns.end(), [](const Span& c) { return c.last - c.first == 1; });
  const bool rowsOneToOne = std::all_of(rows.begin(), rows.end(), [](const Span& r) { return r.last - r.first <= 1; });
  // Unscaled columns: the converted source row is the target row.
  const bool contiguous = oneToOne && columns.back().first - columns.front().first + 1 == static_cast<int>(width);
  if (contiguous && rowsOneToOne && CopyUnscaled(target, x0, y0, y1, width, source, columns.front().first, rows)) {
    return;
  }

  const RowConverter converter(source, target);
  if (target.Format() == PixelFormat::Bits32 && converter.Direct() && contiguous && rowsOneToOne) {
    // Unscaled columns, one source row at most per target row: each source row is converted
    // straight into the first target row it reaches and copied to the rows that repeat it.
    const std::size_t at = static_cast<std::size_t>(x0) * 4;
    int converted = -1;
    for (int y = y0; y < y1; ++y) {
      const Span span = rows[static_cast<std::size_t>(y - y0)];
      if (span.first >= span.last) continue;
      std::uint8_t* out = target.Row(y) + at;
      if (converted >= 0 && rows[static_cast<std::size_t>(converted - y0)].first == span.first) {
        std::memcpy(out, target.Row(converted) + at, width * 4);
        continue;
      }
      converter.Convert(span.first, sourceFirst, sourceLast, reinterpret_cast<std::uint32_t*>(out));
      converted = y;
    }
    return;
  }
  NearestColor nearest(target);
  std::vector<std::uint32_t> converted(static_cast<std::size_t>(sourceLast - sourceFirst));
  std::vector<std::uint32_t> combined(width);
  std::vector<std::uint32_t> raw(converter.Direct() ? 0 : width);
  const std::uint32_t* values = converter.Direct() ? combined.data() : raw.data();

  Span done{0, 0};
  WithFormat(target.Format(), [&]<PixelFormat F>() {
    for (int y = y0; y < y1; ++y) {
      const Span span = rows[static_cast<std::size_t>(y - y0)];
      if (span.first >= span.last) continue;
      // Rows that repeat one source span (enlarging) reuse the values already made.
      if (span.first != done.first || span.last != done.last) {
        for (int sy = span.first; sy < span.last; ++sy) {
          const bool firstRow = sy == span.first;
          if (contiguous && firstRow) {
            converter.Convert(sy, sourceFirst, sourceLast, combined.data());
            continue;
          }
          converter.Convert(sy, sourceFirst, sourceLast, converted.data());
          // converted[i] holds source column sourceFirst + i.
          const auto in = [&](int sx) { return converted[static_cast<std::size_t>(sx - sourceFirst)]; };
          if (oneToOne && firstRow) {
            for (std::size_t x = 0; x < width; ++x) combined[x] = in(columns[x].first);
            continue;
          }
          for (std::size_t x = 0; x < width; ++x) {
            const Span c = columns[x];
            std::uint32_t v = 0xFFFFFFFFu;
            for (int sx = c.first; sx < c.last; ++sx) v &= in(sx);
            combined[x] = firstRow ? v : combined[x] & v;
          }
        }
        if (!converter.Direct()) {
          for (std::size_t x = 0; x < width; ++x) raw[x] = nearest(combined[x]);
        }
        done = span;
      }
      std::uint8_t* out = target.Row(y);
      if constexpr (F == PixelFormat::Bits32) {
        if (allReached) {
          std::memcpy(out + static_cast<std::size_t>(x0) * 4, values, width * 4);
          continue;
        }
      }
      for (std::size_t x = 0; x < width; ++x) {
        // A target pixel that no source pixel reaches keeps its colour.
        if (allReached || columns[x].first < columns[x].last) StorePixel<F>(out, static_cast<std::size_t>(x0) + x, values[x]);
      }
    }
  });
}

}  // namespace ovelix
