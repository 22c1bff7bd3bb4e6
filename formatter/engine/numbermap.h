// A map from whole numbers to whole numbers in one flat table (open addressing): no
// allocation per entry and one probe for most lookups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class numbermap {
public:
    // The value stored for key, made 0 when there is none.
    int32_t& operator[](int32_t key) {
        if ((used + 1) * 4 > slots.size() * 3) grow();
        slot& s = slots[probe(key)];
        if (!s.used) {
            s = {key, 0, true};
            ++used;
        }
        return s.value;
    }
    // The value stored for key, or nullptr.
    const int32_t* find(int32_t key) const {
        if (slots.empty()) return nullptr;
        const slot& s = slots[probe(key)];
        return s.used ? &s.value : nullptr;
    }
    int32_t* find(int32_t key) { return const_cast<int32_t*>(std::as_const(*this).find(key)); }
    size_t size() const { return used; }

private:
    struct slot {
        int32_t key = 0;
        int32_t value = 0;
        bool used = false;
    };
    // The slot that holds key, or the empty one where it would go.
    size_t probe(int32_t key) const {
        const size_t mask = slots.size() - 1;
        size_t i =
            static_cast<size_t>((static_cast<uint64_t>(static_cast<uint32_t>(key)) * 0x9E3779B97F4A7C15ull) >> 32) &
            mask;
        while (slots[i].used && slots[i].key != key) i = (i + 1) & mask;
        return i;
    }
    void grow() {
        std::vector<slot> previous(slots.size() ? slots.size() * 2 : 64);
        previous.swap(slots);  // slots: the larger empty table
        for (const slot& s : previous)
            if (s.used) slots[probe(s.key)] = s;
    }
    std::vector<slot> slots;
    size_t used = 0;
};
