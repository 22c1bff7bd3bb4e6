// Text and list operations of the support library.
#include "support.h"

#include <gtest/gtest.h>

using strings = std::vector<std::string>;

TEST(support, caseconversiontouchesonlyasciiletters) {
    EXPECT_EQ(lc("SELECT Ab_9$\xC4"), "select ab_9$\xC4");
    EXPECT_EQ(uc("select ab_9$\xE4"), "SELECT AB_9$\xE4");
    EXPECT_EQ(lc(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(support, substrcountsnegativesfromtheend) {
    struct row {
        int64_t offset, length;
        std::string expected;
    } rows[] = {
        {-2, 100, "ef"}, {1, -2, "bcd"}, {0, 3, "abc"}, {-6, -6, ""}, {2, 0, ""},
        {6, 2, ""},      {9, 2, ""},     {-9, 2, "ab"}, {4, 10, "ef"}, {1, -9, ""},
    };
    for (const row& r : rows)
        EXPECT_EQ(substr("abcdef", r.offset, r.length), r.expected) << r.offset << "," << r.length;
    EXPECT_EQ(substr("abcdef", -2), "ef");
    EXPECT_EQ(substr("abcdef", 4), "ef");
    EXPECT_EQ(substr("abcdef", 0), "abcdef");
}

TEST(support, chompremovesonelinebreak) {
    struct row {
        std::string text, expected;
    } rows[] = {
        {"x\n\r", "x"}, {"x\r\n", "x"}, {"x\r\r", "x\r"}, {"x\n\n", "x\n"}, {"\n", ""},
        {"\r", ""},     {"", ""},       {"x", "x"},       {"x\n ", "x\n "}, {"\r\n\r\n", "\r\n"},
    };
    for (const row& r : rows) {
        std::string text = r.text;
        chomp(text);
        EXPECT_EQ(text, r.expected);
    }
}

TEST(support, numbersandtext) {
    EXPECT_EQ(numtostring(-42), "-42");
    EXPECT_EQ(numtostring(0), "0");
    struct row {
        std::string text;
        int32_t number;
    } rows[] = {
        {"12", 12},           {"  -7x", -7},        {"+3", 3},           {"\t\n5", 5},
        {"abc", 0},           {"", 0},              {"-", 0},            {"4.9", 4},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"2147483647", INT32_MAX}, {"- 3", 0},
    };
    for (const row& r : rows) EXPECT_EQ(stringtonum(r.text), r.number) << '"' << r.text << '"';
    EXPECT_EQ(numberstostrings({3, -1, 0}), (strings{"3", "-1", "0"}));
    EXPECT_EQ(stringstonumbers({"3", "x", "-2"}), (std::vector<int32_t>{3, 0, -2}));
}

TEST(support, splitdropsthefinalemptypiece) {
    struct row {
        std::string separator, text;
        strings pieces;
    } rows[] = {
        {",", "a,,b", {"a", "", "b"}},
        {",", "a,b,", {"a", "b"}},
        {",", ",a", {"", "a"}},
        {",", "", {}},
        {",", "abc", {"abc"}},
        {";", "a;b", {"a", "b"}},
        {"\\s+", "x  y\tz ", {"x", "y", "z"}},
        {"", "abc", {"a", "b", "c"}},    // a separator that matches nothing still advances
        {"x*", "axxb", {"a", "b"}},
    };
    for (const row& r : rows) EXPECT_EQ(split(r.separator, r.text), r.pieces) << r.separator << " " << r.text;
}

TEST(support, splitlineskeepsthefinalpiece) {
    struct row {
        std::string text;
        strings lines;
    } rows[] = {
        {"a\nb\n", {"a", "b", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\n\rc", {"a", "b", "", "c"}},
        {"", {""}},
        {"\n", {"", ""}},
        {"abc", {"abc"}},
    };
    for (const row& r : rows) EXPECT_EQ(splitlines(r.text), r.lines);
    EXPECT_EQ(join(splitlines("x\r\ny\n"), "\n"), "x\ny\n");
    EXPECT_EQ(join({}, ","), "");
}

TEST(support, listoperationsonemptylistsgivetheemptyelement) {
    strings words{"one", "two"};
    EXPECT_EQ(shift(words), "one");
    EXPECT_EQ(popstring(words), "two");
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(shift(words), "");
    EXPECT_EQ(popstring(words), "");
    EXPECT_TRUE(words.empty());

    std::vector<int32_t> numbers{4};
    EXPECT_EQ(pop(numbers), 4);
    EXPECT_EQ(pop(numbers), 0);

    struct quad {
        int32_t a = 0, b = 0, c = 0, d = 0;
    };
    std::vector<quad> quads{{1, 2, 3, 4}};
    EXPECT_EQ(pop(quads).d, 4);
    EXPECT_EQ(pop(quads).a, 0);
}

TEST(support, sortsareinbyteorder) {
    EXPECT_EQ(sortstrings({"b", "B", "a", "\xE9", "ab"}), (strings{"B", "a", "ab", "b", "\xE9"}));
    EXPECT_EQ(sortnumbersdown({3, -1, 10, 3}), (std::vector<int32_t>{10, 3, 3, -1}));
}
