// Whole pages for the large blocks of one text (token slots, texts): taken from the system
// directly, in huge pages where it gives them, and filled in at once. A first touch of a
// fresh small page costs far more than the formatting of the bytes on it, most of all in a
// virtual machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A block of bytes (a multiple of 64 KB), aligned to 64 KB, and to 2 MB when it is that large;
// throws std::bad_alloc when there is no memory.
void* takepages(size_t bytes);
// Gives back a block takepages made, with its size.
void givepages(void* block, size_t bytes);
// Fills in the pages of memory already held (a large string's reserved room) the same way.
void preparepages(void* start, size_t bytes);
// Room for at least that many bytes in the text, the pages of its first `filled` bytes (all of
// it by default) filled in when they are many.
void reservetext(std::string& text, size_t bytes, size_t filled = SIZE_MAX);
