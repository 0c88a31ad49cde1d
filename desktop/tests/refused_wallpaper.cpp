#include "refused_wallpaper.h"

#include <psapi.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ovelix::testing_support {

namespace {

static_assert(sizeof(void*) == 8, "the stub below is x86-64 code");

template <typename T>
T Read(HANDLE process, ULONG_PTR at) {
  T value{};
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(at), &value, sizeof value, &read) ||
      read != sizeof value) {
    throw std::runtime_error("cannot read the process's memory");
  }
  return value;
}

std::string ReadName(HANDLE process, ULONG_PTR at) {
  std::string name;
  for (char c; (c = Read<char>(process, at + name.size())) != 0 && name.size() < 256;) name += c;
  return name;
}

void Write(HANDLE process, ULONG_PTR at, const void* data, std::size_t size) {
  DWORD old = 0;
  auto* target = reinterpret_cast<void*>(at);
  if (!VirtualProtectEx(process, target, size, PAGE_READWRITE, &old)) throw std::runtime_error("cannot unprotect");
  SIZE_T written = 0;
  const bool ok = WriteProcessMemory(process, target, data, size, &written) && written == size;
  VirtualProtectEx(process, target, size, old, &old);
  if (!ok) throw std::runtime_error("cannot write the process's memory");
}

// The import entry of user32's SystemParametersInfoW in the process's executable.
ULONG_PTR ImportSlot(HANDLE process) {
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (!EnumProcessModules(process, &module, sizeof module, &needed)) throw std::runtime_error("no modules");
  const auto base = reinterpret_cast<ULONG_PTR>(module);
  const auto dos = Read<IMAGE_DOS_HEADER>(process, base);
  const auto nt = Read<IMAGE_NT_HEADERS64>(process, base + static_cast<ULONG_PTR>(dos.e_lfanew));
  const IMAGE_DATA_DIRECTORY imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (ULONG_PTR at = base + imports.VirtualAddress;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto descriptor = Read<IMAGE_IMPORT_DESCRIPTOR>(process, at);
    if (descriptor.Name == 0) break;
    if (lstrcmpiA(ReadName(process, base + descriptor.Name).c_str(), "user32.dll") != 0) continue;
    const ULONG_PTR names = base + (descriptor.OriginalFirstThunk != 0 ? descriptor.OriginalFirstThunk
                                                                         : descriptor.FirstThunk);
    for (ULONG_PTR i = 0;; ++i) {
      const auto entry = Read<ULONGLONG>(process, names + i * 8);
      if (entry == 0) break;
      if ((entry & IMAGE_ORDINAL_FLAG64) != 0) continue;
      // IMAGE_IMPORT_BY_NAME: a 16-bit hint, then the name.
      if (ReadName(process, base + static_cast<ULONG_PTR>(entry) + 2) == "SystemParametersInfoW") {
        return base + descriptor.FirstThunk + i * 8;
      }
    }
  }
  throw std::runtime_error("the process does not import SystemParametersInfoW");
}

}  // namespace

RefusedWallpaperCalls::RefusedWallpaperCalls(HANDLE process) : process_(process) {
  slot_ = ImportSlot(process_);
  original_ = Read<ULONG_PTR>(process_, slot_);
  // cmp ecx, SPI_SETDESKWALLPAPER; jne original; xor eax, eax; ret; original: jmp [rip+0]
  std::array<unsigned char, 24> stub{0x83, 0xF9, SPI_SETDESKWALLPAPER, 0x75, 0x03, 0x31, 0xC0, 0xC3,
                                     0xFF, 0x25, 0x00, 0x00, 0x00, 0x00};
  std::memcpy(stub.data() + 14, &original_, sizeof original_);
  void* code = VirtualAllocEx(process_, nullptr, stub.size(), MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  if (code == nullptr) throw std::runtime_error("no memory for the stub");
  SIZE_T written = 0;
  if (!WriteProcessMemory(process_, code, stub.data(), stub.size(), &written)) throw std::runtime_error("no stub");
  FlushInstructionCache(process_, code, stub.size());
  const auto target = reinterpret_cast<ULONG_PTR>(code);
  Write(process_, slot_, &target, sizeof target);
}

RefusedWallpaperCalls::~RefusedWallpaperCalls() {
  // The stub stays: a call may still be on its way through it.
  try {
    Write(process_, slot_, &original_, sizeof original_);
  } catch (const std::exception&) {
    // The process has ended.
  }
}

}  // namespace ovelix::testing_support
