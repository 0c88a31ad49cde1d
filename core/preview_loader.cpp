#include "core/preview_loader.h"

#include <array>
#include <vector>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/icon_reader.h"
#include "core/jpeg_graphic.h"
#include "core/metafile_graphic.h"
#include "core/platform/file_system.h"
#include "core/text.h"

namespace ovelix {

namespace {

enum class Reader { Jpeg, Bmp, Icon, Metafile };

struct Registered {
  std::u16string_view extension;
  Reader reader;
};

// Later registrations are searched first.
constexpr std::array<Registered, 6> Extensions{{
    {u"jpg", Reader::Jpeg},
    {u"jpeg", Reader::Jpeg},
    {u"bmp", Reader::Bmp},
    {u"ico", Reader::Icon},
    {u"emf", Reader::Metafile},
    {u"wmf", Reader::Metafile},
}};

std::vector<std::uint8_t> ReadWhole(std::u16string_view path) { return ReadWholeFile(path, MaxStoreBytes); }

// The reader the extension chooses, the most recently registered first.
const Registered* ReaderOf(std::u16string_view extension) {
  for (auto it = Extensions.rbegin(); it != Extensions.rend(); ++it) {
    if (SameText(extension, it->extension)) return &*it;
  }
  return nullptr;
}

}  // namespace

std::u16string PictureExtension(std::u16string_view path) {
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  const std::size_t separator = path.find_last_of(u"\\:");
  if (separator != std::u16string_view::npos && separator > dot) return {};
  return std::u16string(path.substr(dot + 1));
}

bool ExtensionNames(std::u16string_view path, PictureFormat format) {
  const Registered* registered = ReaderOf(PictureExtension(path));
  if (registered == nullptr) return false;
  return (registered->reader == Reader::Jpeg && format == PictureFormat::Jpeg) ||
         (registered->reader == Reader::Bmp && format == PictureFormat::Bmp);
}

std::unique_ptr<PreviewGraphic> LoadPreview(std::u16string_view path, int screenDepth, Picture&& donor) {
  const std::u16string extension = PictureExtension(path);
  const Registered* registered = ReaderOf(extension);
  if (registered == nullptr) throw Error(FormatText(u"Unknown picture file extension (.%s)", {extension}));
  switch (registered->reader) {
    case Reader::Jpeg: return std::make_unique<JpegGraphic>(ReadWhole(path), screenDepth);
    case Reader::Bmp: return std::make_unique<BitmapGraphic>(ReadBmpFile(path, screenDepth, std::move(donor)));
    case Reader::Icon: return std::make_unique<BitmapGraphic>(ReadIcon(ReadWhole(path), screenDepth));
    case Reader::Metafile: return std::make_unique<MetafileGraphic>(ReadWhole(path));
  }
  return nullptr;
}

}  // namespace ovelix
