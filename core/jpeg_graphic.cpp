#include "core/jpeg_graphic.h"

#include <csetjmp>
#include <cstdio>
#include <utility>

#include "core/error.h"
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

void Prepare(jpeg_decompress_struct& info, ErrorTrap& trap, const std::vector<std::uint8_t>& bytes) {
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnJpegError;
  trap.manager.emit_message = OnJpegMessage;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
}

// Decodes the picture whose header `info` has read.
void Decode(jpeg_decompress_struct& info, const Target& target) {
  info.scale_num = 1;
  info.scale_denom = 1;
  info.do_block_smoothing = TRUE;
  if (target.quantize) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 236;
    info.two_pass_quantize = info.jpeg_color_space != JCS_GRAYSCALE;
  } else {
    info.out_color_space = JCS_RGB;
  }
  jpeg_start_decompress(&info);
  if (target.quantize) {
    *target.paletteSize = info.actual_number_of_colors;
    const bool grey = info.out_color_components == 1;
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      target.palette[i] = {info.colormap[grey ? 0 : 2][i], info.colormap[grey ? 0 : 1][i], info.colormap[0][i], 0};
    }
  }
  while (info.output_scanline < info.output_height && static_cast<int>(info.output_scanline) < target.height) {
    const int y = static_cast<int>(info.output_scanline);
    std::uint8_t* row = target.bits + static_cast<std::size_t>(target.bottomUp ? target.height - 1 - y : y) * target.stride;
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&info, rows, 1);
    if (!target.quantize) {
      for (std::size_t x = 0; x < info.output_width; ++x) std::swap(row[3 * x], row[3 * x + 2]);  // RGB to BGR
    }
  }
  jpeg_finish_decompress(&info);
}

// Reads the header and, given a target, decodes into it. Answers 0 or libjpeg's message
// number.
int Run(const std::vector<std::uint8_t>& bytes, HeaderInfo* header, const Target* target) {
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

}  // namespace

JpegGraphic::JpegGraphic(std::vector<std::uint8_t> bytes, int screenDepth)
    : bytes_(std::move(bytes)), screenDepth_(screenDepth) {
  HeaderInfo header{};
  if (const int code = Run(bytes_, &header, nullptr); code != 0) Fail(code);
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
