// Whole pages from the system: over-mapped by the alignment, cut to it, advised for huge pages
// and filled in before the first use.
#include "pagememory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace {

constexpr size_t hugepage = size_t(2) << 20;
constexpr size_t smallalignment = size_t(64) << 10;
constexpr size_t smallpage = 4096;

uintptr_t roundup(uintptr_t at, size_t alignment) { return (at + alignment - 1) & ~(alignment - 1); }
uintptr_t rounddown(uintptr_t at, size_t alignment) { return at & ~(alignment - 1); }

}  // namespace

void* takepages(size_t bytes) {
    const size_t alignment = bytes >= hugepage ? hugepage : smallalignment;
    void* mapped = mmap(nullptr, bytes + alignment, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = roundup(start, alignment);
    if (aligned > start) munmap(mapped, aligned - start);
    const uintptr_t end = start + bytes + alignment;
    if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
    void* block = reinterpret_cast<void*>(aligned);
    preparepages(block, bytes);
    return block;
}

// Both are advice: a kernel without them leaves the pages to be filled on first touch. Only
// the whole huge pages inside the range can be huge.
void preparepages(void* start, size_t bytes) {
    if (bytes == 0) return;
    const auto from = reinterpret_cast<uintptr_t>(start);
    const uintptr_t hugefrom = roundup(from, hugepage), hugeto = rounddown(from + bytes, hugepage);
    if (hugeto > hugefrom) madvise(reinterpret_cast<void*>(hugefrom), hugeto - hugefrom, MADV_HUGEPAGE);
    const uintptr_t pagefrom = rounddown(from, smallpage);
    madvise(reinterpret_cast<void*>(pagefrom), roundup(from + bytes, smallpage) - pagefrom, MADV_POPULATE_WRITE);
}

void reservetext(std::string& text, size_t bytes, size_t filled) {
    // Smaller texts are not worth the calls.
    constexpr size_t largetext = size_t(1) << 20;
    text.reserve(bytes);
    const size_t prepared = std::min(filled, text.capacity());
    if (prepared >= largetext) preparepages(text.data(), prepared);
}

void givepages(void* block, size_t bytes) {
    if (block) munmap(block, bytes);
}
