#pragma once

namespace ovelix {

// Where a preview box of boxWidth x boxHeight shows a picture: scaled up or down to fit with
// its aspect ratio kept, and centred.
struct PreviewPlace {
  int left;
  int top;
  int width;
  int height;
  friend bool operator==(const PreviewPlace&, const PreviewPlace&) = default;
};

inline constexpr int PreviewBoxWidth = 206;
inline constexpr int PreviewBoxHeight = 156;

PreviewPlace PreviewFit(int pictureWidth, int pictureHeight, int boxWidth = PreviewBoxWidth,
                        int boxHeight = PreviewBoxHeight);

}  // namespace ovelix
