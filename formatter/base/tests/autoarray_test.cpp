// Growth, defaults and bounds of the growable array.
#include "autoarray.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct levelrecord {
    std::string name = "unset";
    int32_t depth = 7;
    static levelrecord autoarraydefault() { return {"", 0}; }
};

}  // namespace

TEST(autoarray, growsonaccesstotwicetheindex) {
    struct row {
        int32_t index, capacity, size;
    } rows[] = {{0, 10, 1}, {9, 10, 10}, {10, 20, 11}, {25, 50, 26}, {1000, 2000, 1001}};
    for (const row& r : rows) {
        autoarray<int32_t> a;
        EXPECT_EQ(a.size(), 0);
        EXPECT_EQ(a.capacity(), 10);
        EXPECT_EQ(a.at(r.index), -1) << r.index;
        EXPECT_EQ(a.capacity(), r.capacity) << r.index;
        EXPECT_EQ(a.size(), r.size) << r.index;
    }
}

TEST(autoarray, growthkeepselementsandfillsthegapwithdefaults) {
    autoarray<int32_t> a;
    for (int32_t k = 0; k < 10; ++k) a.at(k) = k * k;
    a.at(3);  // inside the size: nothing changes
    EXPECT_EQ(a.size(), 10);
    a.at(15) = 5;
    EXPECT_EQ(a.capacity(), 30);
    EXPECT_EQ(a.size(), 16);
    for (int32_t k = 0; k < 10; ++k) EXPECT_EQ(a.at(k), k * k);
    for (int32_t k = 10; k < 15; ++k) EXPECT_EQ(a.at(k), -1);
    EXPECT_EQ(a.at(15), 5);
    EXPECT_EQ(a.size(), 16);
}

TEST(autoarray, defaultelementsperkind) {
    autoarray<std::string> names;
    EXPECT_EQ(names.at(4), "");
    names.at(2) = "b.sql";
    EXPECT_EQ(names.at(30), "");
    EXPECT_EQ(names.at(2), "b.sql");

    autoarray<levelrecord> levels;
    EXPECT_EQ(levels.at(12).name, "");
    EXPECT_EQ(levels.at(12).depth, 0);

    autoarray<int64_t> wide;
    EXPECT_EQ(wide.at(0), -1);
}

TEST(autoarray, reserveshrinksandgrows) {
    autoarray<int32_t> a;
    for (int32_t k = 0; k < 8; ++k) a.at(k) = k;
    a.reserve(5);
    EXPECT_EQ(a.capacity(), 5);
    EXPECT_EQ(a.size(), 5);
    EXPECT_EQ(a.at(4), 4);
    a.reserve(12);
    EXPECT_EQ(a.size(), 5);
    EXPECT_EQ(a.at(5), -1);  // a slot once used reads as default after the drop
    EXPECT_EQ(a.at(2), 2);
    a.reserve(0);
    EXPECT_EQ(a.size(), 0);
    EXPECT_EQ(a.at(0), -1);  // an empty storage still grows
    EXPECT_EQ(a.size(), 1);
}

TEST(autoarray, fillfromresetstheslots) {
    autoarray<int32_t> a;
    for (int32_t k = 0; k < 6; ++k) a.at(k) = 100 + k;
    a.fillfrom(3);
    EXPECT_EQ(a.size(), 6);
    EXPECT_EQ(a.at(2), 102);
    EXPECT_EQ(a.at(3), -1);
    EXPECT_EQ(a.at(5), -1);
}

TEST(autoarray, indexesthatcannotbestoredendasoutofmemory) {
    autoarray<int32_t> a;
    a.at(3) = 9;
    for (int32_t index : {autoarray<int32_t>::maxindex() + 1, int32_t(1) << 30, INT32_MAX}) {
        EXPECT_THROW(a.at(index), std::bad_alloc) << index;
        EXPECT_EQ(a.size(), 4);
        EXPECT_EQ(a.capacity(), 10);
        EXPECT_EQ(a.at(3), 9);
    }
    EXPECT_GT(autoarray<int32_t>::maxindex(), 1000000);
    EXPECT_LE(int64_t(autoarray<std::string>::maxindex()) * 2 * int64_t(sizeof(std::string)),
              autoarray<std::string>::maxbytes);
    EXPECT_THROW(a.at(-1), std::string);
}

// Reading through a const array gives what at() gives, slots past the size and storage
// included, and grows nothing.
TEST(autoarray, peekreadslikeatwithoutgrowing) {
    autoarray<int32_t> a;
    auto expectsameasat = [&a](const char* step) {
        const int32_t size = a.size(), capacity = a.capacity();
        for (int32_t k : {0, 1, 4, 5, 9, 11, 20, 40, 1000}) {
            autoarray<int32_t> grown = a;
            EXPECT_EQ(std::as_const(a).peek(k), grown.at(k)) << step << " at " << k;
        }
        EXPECT_EQ(a.size(), size) << step;
        EXPECT_EQ(a.capacity(), capacity) << step;
    };
    expectsameasat("empty");
    for (int32_t k = 0; k < 12; ++k) a.at(k) = 100 + k;
    expectsameasat("filled past the first storage");
    a.reserve(5);
    expectsameasat("shrunk");
    a.fillfrom(2);
    expectsameasat("reset from 2");
    EXPECT_THROW(std::as_const(a).peek(-1), std::string);
}
