// A growable array: indexing at or past its size grows it, new slots holding the
// default element of the element kind (-1 for integers, "" for strings).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

// The default element of a kind. Records give theirs with a static member
// autoarraydefault(), or by specialising this template.
template <class T>
struct autoarrayelement {
    static T make() {
        if constexpr (std::is_integral_v<T>) return static_cast<T>(-1);
        else if constexpr (requires {
                               { T::autoarraydefault() } -> std::convertible_to<T>;
                           })
            return T::autoarraydefault();
        else return T();
    }
};

template <class T>
class autoarray {
public:
    autoarray() : slots(initialcapacity, autoarrayelement<T>::make()) {}

    // Element i; when i is not below the size the array grows to i + 1 elements, and
    // the storage to 2 * i slots when i is not below the capacity. A reference stays
    // valid only until the next growth. An index that cannot be stored ends through
    // std::bad_alloc; a negative index is an internal error.
    T& at(int32_t i) {
        if (i < 0) throw std::string("Internal error: negative index into a growable array\n");
        if (i >= size_) {
            if (i > maxindex()) throw std::bad_alloc();
            if (i >= capacity()) reserve(i > 0 ? 2 * i : 1);
            size_ = i + 1;
        }
        return slots[static_cast<size_t>(i)];
    }

    // Element i for reading, without growing: the value at() would give (past the storage,
    // the default element).
    const T& peek(int32_t i) const {
        if (i < 0) throw std::string("Internal error: negative index into a growable array\n");
        if (i < capacity()) return slots[static_cast<size_t>(i)];
        static const T fallback = autoarrayelement<T>::make();
        return fallback;
    }

    int32_t size() const { return size_; }
    int32_t capacity() const { return static_cast<int32_t>(slots.size()); }

    // Reallocates to n slots: keeps the first min(size, n) elements and gives every
    // other slot the default element.
    void reserve(int32_t n) {
        if (n < 0) throw std::string("Internal error: negative size for a growable array\n");
        std::vector<T> fresh;
        fresh.reserve(static_cast<size_t>(n));
        int32_t kept = size_ < n ? size_ : n;
        for (int32_t k = 0; k < kept; ++k) fresh.push_back(std::move(slots[static_cast<size_t>(k)]));
        fresh.resize(static_cast<size_t>(n), autoarrayelement<T>::make());
        slots.swap(fresh);
        size_ = kept;
    }

    // Every slot from k to the end of the storage gets a fresh default element.
    void fillfrom(int32_t k) {
        for (size_t j = k < 0 ? 0 : static_cast<size_t>(k); j < slots.size(); ++j)
            slots[j] = autoarrayelement<T>::make();
    }

    // The largest index that at() will grow to: its storage of 2 * index slots must
    // stay within 32-bit counts and within maxbytes.
    static constexpr int32_t maxindex() {
        constexpr int64_t byslots = std::numeric_limits<int32_t>::max() / 2;
        constexpr int64_t bybytes = maxbytes / (2 * static_cast<int64_t>(sizeof(T)));
        return static_cast<int32_t>(byslots < bybytes ? byslots : bybytes);
    }

    static constexpr int32_t initialcapacity = 10;
    static constexpr int64_t maxbytes = int64_t(1) << 30;  // 1 GiB

private:
    std::vector<T> slots;
    int32_t size_ = 0;
};
