// Memory blocks: plain allocations, or huge-page aligned ones that the kernel may back with
// huge pages (transparent huge pages in "madvise" mode).
#include "memoryblocks.h"

#include <sys/mman.h>

#include <new>

memoryblock allocateblock(size_t bytes) {
    constexpr size_t hugepage = size_t(2) << 20;
    void* block = nullptr;
    if (bytes >= hugepage) {
        size_t rounded = (bytes + hugepage - 1) / hugepage * hugepage;
        if (posix_memalign(&block, hugepage, rounded) != 0) throw std::bad_alloc();
        madvise(block, rounded, MADV_HUGEPAGE);   // only advice: without it, plain pages
    } else {
        block = std::malloc(bytes);
        if (!block) throw std::bad_alloc();
    }
    return memoryblock(static_cast<char*>(block));
}
