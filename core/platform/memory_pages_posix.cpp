#include <sys/mman.h>

#include <cstdint>

#include "core/platform/memory_pages.h"

namespace ovelix {

void* AllocatePages(std::size_t bytes) {
  void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return pages == MAP_FAILED ? nullptr : pages;
}

void ReleasePages(void* pages, std::size_t bytes) { munmap(pages, bytes); }

void PreferLargePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  // Only whole large pages inside the block can be given.
  constexpr std::uintptr_t Large = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + Large - 1) & ~(Large - 1);
  const std::uintptr_t last = (start + bytes) & ~(Large - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace ovelix
