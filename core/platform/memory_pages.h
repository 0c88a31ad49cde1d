#pragma once

#include <cstddef>

namespace ovelix {

// Memory straight from the system in whole pages: it reads as zero and costs nothing until
// a page is touched, so a big store that is filled only in part costs what is filled.
// Answers nullptr when the system refuses.
void* AllocatePages(std::size_t bytes);
void ReleasePages(void* pages, std::size_t bytes);

// Heap memory, given back with std::free. Where the system has large pages, a big block
// lies in whole ones and asks for them, so that touching it the first time costs a fault
// per large page rather than one per page. Answers nullptr when the system refuses.
void* AllocateHeapBlock(std::size_t bytes);

}  // namespace ovelix
