#include "core/jpeg_graphic.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>

#include "core/error.h"
#include "core/picture.h"
#include "core/text.h"

extern "C" {
#include <jpeglib.h>
}

namespace ovelix {

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to the
// decoding function, which holds no object with a destructor across the jump.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

extern "C" void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}
extern "C" void OnJpegMessage(j_common_ptr, int) {}  // warnings are not errors

struct HeaderInfo {
  int width;
  int height;
  bool grayscale;
  bool progressive;
};

// Where the decoder puts the pixels: rows from the top, 3 bytes BGR or 1 byte index.
struct Target {
  std::uint8_t* bits;
  std::size_t stride;
  bool bottomUp;
  int height;
  bool quantize;
  PaletteEntry* palette;  // 256 entries, filled when quantizing
  int* paletteSize;
};

void Prepare(jpeg_decompress_struct& info, ErrorTrap& trap, std::span<const std::uint8_t> bytes) {
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnJpegError;
  trap.manager.emit_message = OnJpegMessage;
  jpeg_create_decompress(&info);
  // The same limit as for a picture's store: a header that declares more fails.
  info.mem->max_memory_to_use = static_cast<long>(MaxStoreBytes);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
}

bool IsCmyk(const jpeg_decompress_struct& info) {
  return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

// Files with Adobe's marker store each ink inverted (255 is none), which is how such
// programs write CMYK and YCCK.
bool InksInverted(const jpeg_decompress_struct& info) { return info.saw_Adobe_marker != 0; }

// A colour channel from its ink and the black ink.
std::uint8_t FromInks(int ink, int black, bool inverted) {
  if (!inverted) {
    ink = 255 - ink;
    black = 255 - black;
  }
  return static_cast<std::uint8_t>((ink * black + 127) / 255);
}

PaletteEntry ColorOfInks(int cyan, int magenta, int yellow, int black, bool inverted) {
  return {FromInks(yellow, black, inverted), FromInks(magenta, black, inverted), FromInks(cyan, black, inverted), 0};
}

PaletteEntry PaletteEntryOf(const jpeg_decompress_struct& info, int i) {
  const JSAMPARRAY map = info.colormap;
  switch (info.out_color_components) {
    case 1: return {map[0][i], map[0][i], map[0][i], 0};
    case 4: return ColorOfInks(map[0][i], map[1][i], map[2][i], map[3][i], InksInverted(info));
    default: return {map[2][i], map[1][i], map[0][i], 0};
  }
}

// A row of CMYK inks as BGR pixels.
void InksToBgr(const std::uint8_t* inks, std::size_t width, bool inverted, std::uint8_t* bgr) {
  for (std::size_t x = 0; x < width; ++x, inks += 4, bgr += 3) {
    const PaletteEntry color = ColorOfInks(inks[0], inks[1], inks[2], inks[3], inverted);
    bgr[0] = color.blue;
    bgr[1] = color.green;
    bgr[2] = color.red;
  }
}

// Decodes the picture whose header `info` has read: to BGR, as BMP rows hold it. CMYK is
// decoded as such (libjpeg turns it into no other colour space) and made BGR here, or
// quantized among its own inks.
void Decode(jpeg_decompress_struct& info, const Target& target) {
  const bool cmyk = IsCmyk(info);
  info.scale_num = 1;
  info.scale_denom = 1;
  info.do_block_smoothing = TRUE;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (target.quantize) {
    // The colour table is made of the quantizer's RGB (or grey) colour map.
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (info.jpeg_color_space == JCS_GRAYSCALE) info.out_color_space = JCS_GRAYSCALE;
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 236;
    // libjpeg's two-pass quantizer takes three components only.
    info.two_pass_quantize = info.out_color_space == JCS_RGB;
  }
  jpeg_start_decompress(&info);
  if (target.quantize) {
    *target.paletteSize = info.actual_number_of_colors;
    for (int i = 0; i < info.actual_number_of_colors; ++i) target.palette[i] = PaletteEntryOf(info, i);
  }
  // Inks of one row, in libjpeg's pool so that an error's jump leaks nothing.
  const JSAMPARRAY inks = cmyk && !target.quantize
                              ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                          info.output_width * 4, 1)
                              : nullptr;
  while (info.output_scanline < info.output_height && static_cast<int>(info.output_scanline) < target.height) {
    const int y = static_cast<int>(info.output_scanline);
    std::uint8_t* row = target.bits + static_cast<std::size_t>(target.bottomUp ? target.height - 1 - y : y) * target.stride;
    JSAMPROW rows[1] = {inks != nullptr ? inks[0] : row};
    jpeg_read_scanlines(&info, rows, 1);
    if (inks != nullptr) InksToBgr(inks[0], info.output_width, InksInverted(info), row);
  }
  jpeg_finish_decompress(&info);
}

// Reads the header and, given a target, decodes into it. Answers 0 or libjpeg's message
// number.
int Run(std::span<const std::uint8_t> bytes, HeaderInfo* header, const Target* target) {
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  if (setjmp(trap.jump) != 0) {
    const int code = trap.manager.msg_code;
    jpeg_destroy_decompress(&info);
    return code;
  }
  Prepare(info, trap, bytes);
  jpeg_read_header(&info, TRUE);
  *header = {static_cast<int>(info.image_width), static_cast<int>(info.image_height),
             info.jpeg_color_space == JCS_GRAYSCALE, jpeg_has_multiple_scans(&info) != 0};
  if (target != nullptr) Decode(info, *target);
  jpeg_destroy_decompress(&info);
  return 0;
}

[[noreturn]] void Fail(int code) { throw Error(FormatText(u"JPEG error #%s", {DecimalText(code)})); }

HeaderInfo ReadHeader(std::span<const std::uint8_t> bytes) {
  HeaderInfo header{};
  if (const int code = Run(bytes, &header, nullptr); code != 0) Fail(code);
  return header;
}

// libjpeg's output size at 1 / scale.
int Scaled(int size, int scale) { return (size + scale - 1) / scale; }

// Runs libjpeg's steps; an error's jump lands here and fails with its number. The steps
// hold no object with a destructor, which the jump would skip.
template <typename Steps>
void Guarded(ErrorTrap& trap, Steps&& steps) {
  if (setjmp(trap.jump) != 0) Fail(trap.manager.msg_code);
  steps();
}

}  // namespace

struct JpegRows::State {
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  std::vector<std::uint8_t> inks;  // a row of CMYK inks, made BGR after decoding

  ~State() { jpeg_destroy_decompress(&info); }
};

JpegRows::JpegRows(std::span<const std::uint8_t> bytes, int coverWidth, int coverHeight)
    : state_(std::make_unique<State>()) {
  jpeg_decompress_struct& info = state_->info;
  Prepare(info, state_->trap, bytes);
  Guarded(state_->trap, [&] {
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned int>(JpegScaleToCover(static_cast<int>(info.image_width),
                                                                  static_cast<int>(info.image_height), coverWidth,
                                                                  coverHeight));
    info.do_block_smoothing = TRUE;
    info.out_color_space = IsCmyk(info) ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&info);
  });
  if (IsCmyk(info)) state_->inks.resize(std::size_t{info.output_width} * 4);
}

JpegRows::~JpegRows() = default;

int JpegRows::Width() const { return static_cast<int>(state_->info.output_width); }
int JpegRows::Height() const { return static_cast<int>(state_->info.output_height); }

void JpegRows::ReadRow(std::uint8_t* row) {
  State& s = *state_;
  Guarded(s.trap, [&] {
    JSAMPROW rows[1] = {s.inks.empty() ? row : s.inks.data()};
    jpeg_read_scanlines(&s.info, rows, 1);
    // Past the last row, so that what follows the picture data is checked as well.
    if (s.info.output_scanline == s.info.output_height) jpeg_finish_decompress(&s.info);
  });
  if (!s.inks.empty()) InksToBgr(s.inks.data(), s.info.output_width, InksInverted(s.info), row);
}

int JpegScaleToCover(int width, int height, int coverWidth, int coverHeight) {
  for (const int scale : {8, 4, 2}) {
    if (Scaled(width, scale) >= coverWidth && Scaled(height, scale) >= coverHeight) return scale;
  }
  return 1;
}

Picture DecodeJpeg(std::span<const std::uint8_t> bytes, int coverWidth, int coverHeight) {
  JpegRows rows(bytes, coverWidth, coverHeight);
  Picture picture(rows.Width(), rows.Height(), PixelFormat::Bits24, {}, {}, RowOrder::BottomUp, StoreStart::Zeroed);
  for (int y = 0; y < picture.Height(); ++y) rows.ReadRow(picture.Row(y));
  return picture;
}

JpegGraphic::JpegGraphic(std::vector<std::uint8_t> bytes, int screenDepth)
    : bytes_(std::move(bytes)), screenDepth_(screenDepth) {
  const HeaderInfo header = ReadHeader(bytes_);
  width_ = header.width;
  height_ = header.height;
  grayscale_ = header.grayscale;
  progressive_ = header.progressive;
}

const Picture& JpegGraphic::PictureToDraw() {
  if (picture_) return *picture_;
  const bool quantize = grayscale_ || screenDepth_ <= 8;
  Picture picture(width_, height_, quantize ? PixelFormat::Bits8 : PixelFormat::Bits24, {}, {}, RowOrder::BottomUp,
                  StoreStart::Zeroed);
  std::vector<PaletteEntry> palette(256);
  int paletteSize = 0;
  const Target target{picture.Bits(), picture.Stride(), true, height_, quantize, palette.data(), &paletteSize};
  HeaderInfo header{};
  if (const int code = Run(bytes_, &header, &target); code != 0) Fail(code);
  if (quantize) {
    palette.resize(static_cast<std::size_t>(paletteSize));
    picture.SetPalette(std::move(palette));
  }
  picture_ = std::move(picture);
  return *picture_;
}

}  // namespace ovelix
