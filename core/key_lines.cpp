#include "core/key_lines.h"

#include <algorithm>

namespace ovelix {

namespace {

void AddRows(std::vector<KeyLine>& lines, int firstRow, int step, int width, int height) {
  for (int y = firstRow; y < height; y += step) lines.push_back({0, y, width, y});
}

// The anti-diagonals x + y = sum for every sum of the given parity, from their lower left end.
void AddAntiDiagonals(std::vector<KeyLine>& lines, int parity, int width, int height) {
  for (int sum = parity; sum <= width + height - 2; sum += 2) {
    const int firstX = std::max(0, sum - (height - 1));
    const int lastX = std::min(width - 1, sum);
    lines.push_back({firstX, sum - firstX, lastX + 1, sum - lastX - 1});
  }
}

}  // namespace

std::vector<KeyLine> KeyLines(MixMode mode, int width, int height) {
  std::vector<KeyLine> lines;
  if (width <= 0 || height <= 0) return lines;
  switch (mode) {
    case MixMode::x: AddAntiDiagonals(lines, 0, width, height); break;
    case MixMode::sharp:
      // Odd rows whole; in the even rows the odd columns, which lie on the odd anti-diagonals.
      AddRows(lines, 1, 2, width, height);
      AddAntiDiagonals(lines, 1, width, height);
      break;
    case MixMode::full: AddRows(lines, 0, 1, width, height); break;
    case MixMode::no: break;
  }
  return lines;
}

}  // namespace ovelix
