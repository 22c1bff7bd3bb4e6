// Large memory blocks for the token slots and texts: blocks of 2 MB and more are aligned to
// and marked for huge pages, so that filling them with a big text's tokens costs few page faults.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

struct blockrelease {
    void operator()(char* block) const { std::free(block); }
};
using memoryblock = std::unique_ptr<char[], blockrelease>;

// A block of at least the given bytes (uninitialised); throws std::bad_alloc when none is left.
memoryblock allocateblock(size_t bytes);

// Block sizes that start small and double up to the huge-page size: small texts stay small.
inline size_t nextblocksize(size_t previous, size_t first) {
    constexpr size_t largest = size_t(2) << 20;
    return previous == 0 ? first : previous >= largest ? largest : previous * 2;
}
