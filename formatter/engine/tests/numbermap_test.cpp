// The flat number map: stored values survive growth, keys of any sign, absent keys.
#include "numbermap.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

TEST(numbermap, keepswhatitholdsthroughgrowth) {
    numbermap m;
    std::map<int32_t, int32_t> expected;
    // Keys of both signs, spread and clustered, some written twice.
    for (int32_t i = 0; i < 5000; ++i) {
        const int32_t key = (i % 3 == 0 ? -1 : 1) * (i * 7919 % 100003);
        m[key] = i;
        expected[key] = i;
    }
    for (int32_t key : {INT32_MIN, INT32_MAX, 0}) {
        m[key] += 5;
        expected[key] += 5;
    }
    EXPECT_EQ(m.size(), expected.size());
    for (const auto& [key, value] : expected) {
        const int32_t* found = m.find(key);
        ASSERT_NE(found, nullptr) << key;
        EXPECT_EQ(*found, value) << key;
    }
}

TEST(numbermap, findsnothingforabsentkeys) {
    numbermap m;
    EXPECT_EQ(m.find(7), nullptr);
    m[7] = 3;
    m[-7] = 4;
    EXPECT_EQ(m.find(8), nullptr);
    EXPECT_EQ(m.find(-8), nullptr);
    ASSERT_NE(m.find(-7), nullptr);
    EXPECT_EQ(*m.find(-7), 4);
    *m.find(-7) -= 6;   // a value found can be changed in place
    EXPECT_EQ(*std::as_const(m).find(-7), -2);
    EXPECT_EQ(m.size(), 2u);
}
