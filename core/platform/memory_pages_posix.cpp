#include <sys/mman.h>

#include <cstdlib>

#include "core/platform/memory_pages.h"

namespace ovelix {

void* AllocatePages(std::size_t bytes) {
  void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return pages == MAP_FAILED ? nullptr : pages;
}

void ReleasePages(void* pages, std::size_t bytes) { munmap(pages, bytes); }

void* AllocateHeapBlock(std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t Large = std::size_t{2} << 20;
  if (bytes >= Large) {
    const std::size_t whole = (bytes + Large - 1) / Large * Large;
    void* block = std::aligned_alloc(Large, whole);
    if (block != nullptr) madvise(block, whole, MADV_HUGEPAGE);
    return block;
  }
#endif
  return std::malloc(bytes);
}

}  // namespace ovelix
