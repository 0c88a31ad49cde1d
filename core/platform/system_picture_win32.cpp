#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>

#include <cstring>
#include <optional>

#include "core/error.h"
#include "core/platform/system_library.h"
#include "core/platform/system_picture.h"

namespace ovelix {

namespace {

[[noreturn]] void NotValid() { throw Error(u"Bitmap image is not valid"); }
[[noreturn]] void OutOfResources() { throw Error(u"Out of system resources"); }

// GDI+ is none of the system's known DLLs: asked for by its bare name, it would be looked
// for first in the program's folder, where anyone who can write there may have left one.
// The program's manifest names its side-by-side assembly (the only place Windows XP has it),
// and where the active activation context redirects the name, the loader takes it from
// there; otherwise (a program without that manifest) it comes from the system folder.
HMODULE LoadGdiPlus() {
  constexpr wchar_t Name[] = L"gdiplus.dll";
  // The structure as Windows XP knows it, which every later Windows takes as well.
  ACTCTX_SECTION_KEYED_DATA_2600 redirection{};
  redirection.cbSize = sizeof redirection;
  if (FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, Name,
                               reinterpret_cast<PACTCTX_SECTION_KEYED_DATA>(&redirection))) {
    return LoadLibraryW(Name);
  }
  return LoadSystemLibrary(Name);
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function*& function) {
  function = LibraryFunction<Function>(module, name);
  return function != nullptr;
}

// The functions of GDI+'s flat interface that decoding needs, looked up at run time: the
// programs do not import GDI+, which is loaded when the first picture needs it.
struct GdiPlus {
  decltype(&Gdiplus::GdiplusStartup) startup;
  decltype(&Gdiplus::GdiplusShutdown) shutdown;
  decltype(&Gdiplus::DllExports::GdipCreateBitmapFromStream) createBitmapFromStream;
  decltype(&Gdiplus::DllExports::GdipGetImageWidth) getImageWidth;
  decltype(&Gdiplus::DllExports::GdipGetImageHeight) getImageHeight;
  decltype(&Gdiplus::DllExports::GdipBitmapLockBits) lockBits;
  decltype(&Gdiplus::DllExports::GdipBitmapUnlockBits) unlockBits;
  decltype(&Gdiplus::DllExports::GdipDisposeImage) disposeImage;
};

std::optional<GdiPlus> LoadApi() {
  const HMODULE module = LoadGdiPlus();
  if (module == nullptr) return std::nullopt;
  GdiPlus api{};
  const bool found = Find(module, "GdiplusStartup", api.startup) && Find(module, "GdiplusShutdown", api.shutdown) &&
                     Find(module, "GdipCreateBitmapFromStream", api.createBitmapFromStream) &&
                     Find(module, "GdipGetImageWidth", api.getImageWidth) &&
                     Find(module, "GdipGetImageHeight", api.getImageHeight) &&
                     Find(module, "GdipBitmapLockBits", api.lockBits) &&
                     Find(module, "GdipBitmapUnlockBits", api.unlockBits) &&
                     Find(module, "GdipDisposeImage", api.disposeImage);
  if (!found) return std::nullopt;
  return api;
}

// Loaded once and kept for the run; nullptr where there is no GDI+.
const GdiPlus* Api() {
  static const std::optional<GdiPlus> api = LoadApi();
  return api ? &*api : nullptr;
}

// A GDI+ session for one picture: nothing of GDI+ keeps running once it is decoded.
class Session {
 public:
  explicit Session(const GdiPlus& api) : api_(api) {
    const Gdiplus::GdiplusStartupInput input;
    if (api_.startup(&token_, &input, nullptr) != Gdiplus::Ok) NotValid();
  }
  ~Session() { api_.shutdown(token_); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

 private:
  const GdiPlus& api_;
  ULONG_PTR token_ = 0;
};

// The bytes as a stream in memory of its own, which GDI+ may read from for as long as the
// bitmap lives.
class MemoryStream {
 public:
  explicit MemoryStream(std::span<const std::uint8_t> bytes) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) OutOfResources();
    void* data = GlobalLock(memory);
    if (data == nullptr) {
      GlobalFree(memory);
      OutOfResources();
    }
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    if (CreateStreamOnHGlobal(memory, TRUE, &stream_) != S_OK) {
      GlobalFree(memory);
      OutOfResources();
    }
  }
  ~MemoryStream() { stream_->Release(); }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  IStream* Get() const { return stream_; }

 private:
  IStream* stream_ = nullptr;
};

class Bitmap {
 public:
  Bitmap(const GdiPlus& api, IStream* stream) : api_(api) {
    if (api_.createBitmapFromStream(stream, &bitmap_) != Gdiplus::Ok) NotValid();
  }
  ~Bitmap() { api_.disposeImage(bitmap_); }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // The active frame, GDI+'s first one, as 24-bit colour: the decoder's own format
  // converted by GDI+, transparency dropped.
  Picture Pixels() const {
    UINT width = 0;
    UINT height = 0;
    if (api_.getImageWidth(bitmap_, &width) != Gdiplus::Ok || api_.getImageHeight(bitmap_, &height) != Gdiplus::Ok ||
        width == 0 || height == 0 || width > MaxStoreBytes || height > MaxStoreBytes) {
      NotValid();
    }
    // Made before GDI+ converts anything, so that a picture too large fails at once.
    Picture picture(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bits24, {}, {},
                    RowOrder::BottomUp, StoreStart::Zeroed);
    const Gdiplus::Rect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (api_.lockBits(bitmap_, &whole, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &data) != Gdiplus::Ok) {
      NotValid();
    }
    const std::size_t rowBytes = std::size_t{width} * 3;
    const auto* rows = static_cast<const std::uint8_t*>(data.Scan0);
    for (int y = 0; y < picture.Height(); ++y) std::memcpy(picture.Row(y), rows + std::ptrdiff_t{y} * data.Stride, rowBytes);
    api_.unlockBits(bitmap_, &data);
    return picture;
  }

 private:
  const GdiPlus& api_;
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

}  // namespace

Picture DecodeWithSystem(std::span<const std::uint8_t> bytes) {
  const GdiPlus* api = Api();
  if (api == nullptr) NotValid();
  const Session session(*api);
  const MemoryStream stream(bytes);
  const Bitmap bitmap(*api, stream.Get());
  return bitmap.Pixels();
}

}  // namespace ovelix
