#include "ui/controls/image_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/picture.h"
#include "core/preview_graphic.h"
#include "core/text.h"
#include "desktop/tests/screen_capture.h"
#include "ui/gdi.h"

namespace ovelix::ui {
namespace {

constexpr int CanvasWidth = 240;
constexpr int CanvasHeight = 180;
constexpr std::uint32_t Untouched = 0x00ABCDEF;

// A 32-bit drawing surface, as a window's back buffer is on a true-colour screen.
class Canvas {
 public:
  Canvas() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = Dib32Header(CanvasWidth, -CanvasHeight);
    void* bits = nullptr;
    bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    Clear();
  }
  ~Canvas() { SelectObject(dc_.Get(), previous_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_.Get(); }
  void Clear() { std::fill(bits_, bits_ + CanvasWidth * CanvasHeight, Untouched); }
  std::vector<std::uint32_t> Pixels() const {
    GdiFlush();
    std::vector<std::uint32_t> pixels(bits_, bits_ + CanvasWidth * CanvasHeight);
    for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
  }

 private:
  MemoryDc dc_;
  GdiObject<HBITMAP> bitmap_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Fine detail in every pixel, so that any other way of scaling shows.
Picture Noise(int width, int height) {
  Picture picture(width, height, PixelFormat::Bits32);
  std::uint32_t state = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      picture.SetRaw(x, y, (state >> 8) & 0x00FFFFFF);
    }
  return picture;
}

// What the box showed before it kept its pictures: the whole picture stretched onto the
// target on every paint, with HALFTONE whenever the size changes.
std::vector<std::uint32_t> DrawnDirectly(const Picture& picture, const RECT& target) {
  Canvas canvas;
  const std::vector<std::uint8_t> info = BitmapInfoBytes(picture);
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  const bool resized = width != picture.Width() || height != picture.Height();
  SetStretchBltMode(canvas.Dc(), resized ? HALFTONE : COLORONCOLOR);
  SetBrushOrgEx(canvas.Dc(), 0, 0, nullptr);
  StretchDIBits(canvas.Dc(), target.left, target.top, width, height, 0, 0, picture.Width(), picture.Height(),
                picture.Bits(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  return canvas.Pixels();
}

::testing::AssertionResult SamePixels(const std::vector<std::uint32_t>& shown,
                                      const std::vector<std::uint32_t>& expected) {
  std::size_t different = 0;
  std::size_t first = 0;
  for (std::size_t i = shown.size(); i-- > 0;) {
    if (shown[i] == expected[i]) continue;
    ++different;
    first = i;
  }
  if (different == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << different << " pixels differ, the first at (" << first % CanvasWidth << ", "
                                       << first / CanvasWidth << ")";
}

// A preview that counts how often its full-size pixels are asked for, and can fail as a
// JPEG with broken image data does.
class CountingGraphic final : public PreviewGraphic {
 public:
  CountingGraphic(Picture picture, int& decodes, bool fails = false)
      : picture_(std::move(picture)), decodes_(decodes), fails_(fails) {}
  int Width() const override { return picture_.Width(); }
  int Height() const override { return picture_.Height(); }
  const Picture& PictureToDraw() override {
    ++decodes_;
    if (fails_) throw Error(u"JPEG error #42");
    return picture_;
  }

 private:
  Picture picture_;
  int& decodes_;
  bool fails_;
};

TEST(ImageBox, ShowsThePictureAsHalftoneStretchingDrewItOnEveryPaint) {
  const struct {
    int width;
    int height;
    RECT bounds;
    ImageFit fit;
    RECT target;
  } cases[] = {
      {1600, 900, {2, 2, 208, 158}, ImageFit::Proportional, {2, 22, 208, 137}},  // a screen, shrunk
      {92, 78, {2, 2, 208, 158}, ImageFit::Proportional, {13, 2, 197, 158}},     // the solid picture, enlarged
      {206, 156, {2, 2, 208, 158}, ImageFit::Proportional, {2, 2, 208, 158}},    // its own size
      {300, 100, {5, 7, 125, 97}, ImageFit::Stretch, {5, 7, 125, 97}},           // narrower, taller
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const Picture picture = Noise(c.width, c.height);
    const std::vector<std::uint32_t> expected = DrawnDirectly(picture, c.target);
    ControlHost host;
    ImageBox box;
    box.Create(host, c.bounds, c.fit);
    box.SetPicture(picture);
    Canvas canvas;
    box.Paint(canvas.Dc());
    EXPECT_TRUE(SamePixels(canvas.Pixels(), expected));
    canvas.Clear();
    box.Paint(canvas.Dc());
    EXPECT_TRUE(SamePixels(canvas.Pixels(), expected)) << "repainted";
  }
}

TEST(ImageBox, ScalesAtTheFirstPaintAndAgainOnlyForANewSize) {
  int decodes = 0;
  const Picture picture = Noise(640, 480);
  ControlHost host;
  ImageBox box;
  box.Create(host, {2, 2, 208, 158}, ImageFit::Proportional);
  box.SetGraphic(std::make_unique<CountingGraphic>(picture, decodes));
  EXPECT_EQ(decodes, 0);
  Canvas canvas;
  for (int paint = 0; paint < 3; ++paint) box.Paint(canvas.Dc());
  EXPECT_EQ(decodes, 1);

  // As at 120 DPI.
  box.SetBounds({2, 2, 2 + 230, 2 + 175});
  canvas.Clear();
  box.Paint(canvas.Dc());
  box.Paint(canvas.Dc());
  EXPECT_EQ(decodes, 2);
  EXPECT_TRUE(SamePixels(canvas.Pixels(), DrawnDirectly(picture, {2, 3, 232, 175})));
}

TEST(ImageBox, APreviewThatFailsToDecodeIsReportedAtItsFirstPaintOnly) {
  int decodes = 0;
  ControlHost host;
  ImageBox box;
  box.Create(host, {2, 2, 208, 158}, ImageFit::Proportional);
  box.SetGraphic(std::make_unique<CountingGraphic>(Noise(64, 48), decodes, true));
  EXPECT_EQ(decodes, 0);  // not when it is set
  Canvas canvas;
  const std::vector<std::uint32_t> untouched = canvas.Pixels();
  std::u16string error;
  try {
    box.Paint(canvas.Dc());
  } catch (const Error& e) {
    error = e.Message();
  }
  EXPECT_EQ(Utf16ToUtf8(error), "JPEG error #42");
  box.Paint(canvas.Dc());
  EXPECT_EQ(decodes, 1);
  EXPECT_TRUE(SamePixels(canvas.Pixels(), untouched));

  // A new preview is shown again.
  const Picture picture = Noise(64, 48);
  box.SetGraphic(std::make_unique<CountingGraphic>(picture, decodes));
  box.Paint(canvas.Dc());
  EXPECT_TRUE(SamePixels(canvas.Pixels(), DrawnDirectly(picture, {2, 3, 208, 157})));
}

}  // namespace
}  // namespace ovelix::ui
