#include <windows.h>

#include <cstdlib>

#include "core/platform/memory_pages.h"

namespace ovelix {

void* AllocatePages(std::size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE); }

void ReleasePages(void* pages, std::size_t) { VirtualFree(pages, 0, MEM_RELEASE); }

// Large pages need a privilege that users do not hold.
void* AllocateHeapBlock(std::size_t bytes) { return std::malloc(bytes); }

}  // namespace ovelix
