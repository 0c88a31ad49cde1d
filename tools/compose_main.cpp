// ovelix-compose: the program's composition from the command line, for scripts and
// benchmarks. See Usage below.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/bmp_file.h"
#include "core/compose.h"
#include "core/error.h"
#include "core/solid_picture.h"
#include "core/text.h"

namespace {

constexpr char Usage[] =
    "usage: ovelix-compose --wallpaper PATH --screen WxH [--depth BITS] "
    "[--desktop LEFT,TOP,WIDTH,HEIGHT] --out DIR\n"
    "Composes as the program does at start, with DIR as the program folder: writes mix1.bmp,\n"
    "mix2.bmp and Pict1.bmp, and the previews that were filled as preview-x.bmp,\n"
    "preview-sharp.bmp and preview-no.bmp. An empty PATH means no wallpaper. BITS is 4, 8,\n"
    "16, 24 or 32 (default 32); the desktop defaults to 0,0,W,H.\n";

#ifdef _WIN32
constexpr char16_t Separator = u'\\';
#else
constexpr char16_t Separator = u'/';
#endif

void Print(const std::u16string& text) { std::fprintf(stderr, "%s\n", ovelix::Utf16ToUtf8(text).c_str()); }

// A whole decimal number, or nothing.
std::optional<int> Number(std::u16string_view text) {
  if (text.empty() || text.size() > 9 + (text[0] == u'-' ? 1 : 0)) return std::nullopt;
  int value = 0;
  const bool negative = text[0] == u'-';
  for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    value = value * 10 + (text[i] - u'0');
  }
  if (negative && text.size() == 1) return std::nullopt;
  return negative ? -value : value;
}

// Numbers separated by one character, all of them present.
std::optional<std::vector<int>> Numbers(std::u16string_view text, char16_t separator, std::size_t count) {
  std::vector<int> values;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    const auto value = Number(text.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (!value) return std::nullopt;
    values.push_back(*value);
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

struct Options {
  std::optional<std::u16string> wallpaper;
  std::optional<std::vector<int>> screen;
  int depth = 32;
  std::optional<std::vector<int>> desktop;
  std::optional<std::u16string> out;
};

std::optional<Options> Parse(const std::vector<std::u16string>& args) {
  Options o;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    const std::u16string& name = args[i];
    const std::u16string& value = args[i + 1];
    if (name == u"--wallpaper") {
      o.wallpaper = value;
    } else if (name == u"--screen") {
      o.screen = Numbers(value, u'x', 2);
      if (!o.screen || (*o.screen)[0] <= 0 || (*o.screen)[1] <= 0) return std::nullopt;
    } else if (name == u"--depth") {
      const auto depth = Number(value);
      if (!depth || (*depth != 4 && *depth != 8 && *depth != 16 && *depth != 24 && *depth != 32)) return std::nullopt;
      o.depth = *depth;
    } else if (name == u"--desktop") {
      o.desktop = Numbers(value, u',', 4);
      if (!o.desktop || (*o.desktop)[2] < 0 || (*o.desktop)[3] < 0) return std::nullopt;
    } else if (name == u"--out") {
      o.out = value;
    } else {
      return std::nullopt;
    }
  }
  if (!o.wallpaper || !o.screen || !o.out || o.out->empty()) return std::nullopt;
  return o;
}

int Run(const std::vector<std::u16string>& args) {
  const std::optional<Options> options = Parse(args);
  if (!options) {
    std::fputs(Usage, stderr);
    return 2;
  }
  std::u16string folder = *options->out;
  if (folder.back() != Separator) folder += Separator;
  ovelix::ComposeResults results;
  try {
    const ovelix::Picture solid = ovelix::ReadBmpBytes(ovelix::SolidPictureBytes(), options->depth);
    ovelix::ComposeInputs in;
    in.wallpaper = *options->wallpaper;
    in.screenWidth = (*options->screen)[0];
    in.screenHeight = (*options->screen)[1];
    const std::vector<int> d = options->desktop.value_or(std::vector<int>{0, 0, in.screenWidth, in.screenHeight});
    in.desktop = {d[0], d[1], d[2], d[3]};
    in.colorDepth = options->depth;
    in.programFolder = folder;
    in.solidPicture = &solid;
    in.showMessage = Print;
    try {
      ovelix::CreatePics(in, results);
    } catch (const ovelix::Error&) {
      // The previews filled before the failure are what the window would show.
      ovelix::WriteBmpFile(folder + u"preview-x.bmp", results.previewX);
      ovelix::WriteBmpFile(folder + u"preview-sharp.bmp", results.previewSharp);
      throw;
    }
    ovelix::WriteBmpFile(folder + u"preview-x.bmp", results.previewX);
    ovelix::WriteBmpFile(folder + u"preview-sharp.bmp", results.previewSharp);
    if (results.previewNo) ovelix::WriteBmpFile(folder + u"preview-no.bmp", results.previewNo->PictureToDraw());
  } catch (const ovelix::Error& e) {
    Print(e.Message());
    return 1;
  }
  return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ovelix::Utf8ToUtf16(argv[i]));
  return Run(args);
}
#endif
