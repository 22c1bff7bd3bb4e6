// Word sets: a hash of a few (lower-cased) bytes and linear probing in a table kept at most
// half full, so a lookup costs a compare or two.
#include "wordset.h"

namespace {

inline char lowerascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

bool isword(std::string_view text, std::string_view lowerword) {
    if (text.size() != lowerword.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (lowerascii(text[i]) != lowerword[i]) return false;
    return true;
}

lowered::lowered(std::string_view source) {
    char* out = buffer;
    if (source.size() > sizeof buffer) {
        longer.reset(new char[source.size()]);
        out = longer.get();
    }
    for (size_t i = 0; i < source.size(); ++i) out[i] = lowerascii(source[i]);
    text = std::string_view(out, source.size());
}

// The length and the first two and last two bytes: cheap, and enough to spread words.
uint64_t hashword(std::string_view word, bool lower) {
    auto byte = [&](size_t i) -> uint64_t {
        char c = word[i];
        return static_cast<unsigned char>(lower ? lowerascii(c) : c);
    };
    const size_t n = word.size();
    if (n == 0) return 0;
    uint64_t hash = n * 0x9e3779b97f4a7c15ull;
    hash ^= (byte(0) | byte(n > 1 ? 1 : 0) << 8 | byte(n - 1) << 16 | byte(n > 1 ? n - 2 : 0) << 24) *
            0xff51afd7ed558ccdull;
    return hash ^ (hash >> 29);
}

int32_t wordset::find(std::string_view word, uint64_t hash, bool lower) const {
    if (slots.empty()) return 0;
    const size_t mask = slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        uint32_t slot = slots[i];
        if (slot == 0) return 0;
        const std::string& candidate = words[slot - 1];
        if (lower ? isword(word, candidate) : candidate == word) return values[slot - 1];
    }
}

void wordset::insert(std::string word, int32_t value) {
    if (count(word)) return;
    if ((words.size() + 1) * 2 > slots.size()) grow();
    words.push_back(std::move(word));
    values.push_back(value);
    const size_t mask = slots.size() - 1;
    size_t i = hashword(words.back()) & mask;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = static_cast<uint32_t>(words.size());
}

void wordset::clear() {
    words.clear();
    values.clear();
    slots.clear();
}

void wordset::grow() {
    slots.assign(slots.empty() ? 64 : slots.size() * 2, 0);
    const size_t mask = slots.size() - 1;
    for (size_t k = 0; k < words.size(); ++k) {
        size_t i = hashword(words[k]) & mask;
        while (slots[i] != 0) i = (i + 1) & mask;
        slots[i] = static_cast<uint32_t>(k + 1);
    }
}
