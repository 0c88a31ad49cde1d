#include "ui/tests/e2e/planted_dlls.h"

#include <windows.h>

#include <stdexcept>

#include "core/platform/wide.h"
#include "desktop/registry_key.h"

namespace ovelix::e2e {

namespace {

constexpr std::u16string_view OverridesKey = u"Software\\Wine\\AppDefaults\\Ovelix.exe\\DllOverrides";

}  // namespace

PlantedDlls::PlantedDlls(std::wstring folder, std::initializer_list<std::u16string_view> names)
    : folder_(std::move(folder)), names_(names.begin(), names.end()) {
  const RegistryKey key = CreateKeyForWriting(HKEY_CURRENT_USER, OverridesKey);
  for (const std::u16string& name : names_) {
    WriteStringValue(key, name, u"native,builtin");
    const std::wstring dll = folder_ + ToWide(name) + L".dll";
    DeleteFileW((dll + L".loaded").c_str());
    if (!CopyFileW(OVELIX_PLANTED_DLL_PATH, dll.c_str(), FALSE)) throw std::runtime_error("cannot plant a DLL");
  }
}

PlantedDlls::~PlantedDlls() { RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(OverridesKey).c_str()); }

std::vector<std::u16string> PlantedDlls::Loaded() const {
  std::vector<std::u16string> loaded;
  for (const std::u16string& name : names_) {
    if (GetFileAttributesW((folder_ + ToWide(name) + L".dll.loaded").c_str()) != INVALID_FILE_ATTRIBUTES) {
      loaded.push_back(name);
    }
  }
  return loaded;
}

}  // namespace ovelix::e2e
