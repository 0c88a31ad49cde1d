#pragma once

#include <cstddef>

namespace ovelix {

// Memory straight from the system in whole pages: it reads as zero and costs nothing until
// a page is touched, so a big store that is filled only in part costs what is filled.
// Answers nullptr when the system refuses.
void* AllocatePages(std::size_t bytes);
void ReleasePages(void* pages, std::size_t bytes);

// Asks the system to back a big block with large pages where it can, so that touching it
// the first time costs far fewer faults. Only advice: nothing changes where it cannot.
void PreferLargePages(void* block, std::size_t bytes);

}  // namespace ovelix
