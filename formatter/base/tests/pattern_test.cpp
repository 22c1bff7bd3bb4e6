// The pattern wrapper keeps the matching and rewriting rules brelm's callers were written for.
#include "pattern.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

TEST(pattern, fullmatchneedsthewholetext) {
    const pattern& digits = pattern::get("\\d+");
    EXPECT_TRUE(digits.fullmatch("123"));
    EXPECT_FALSE(digits.fullmatch("123\n"));  // "\z", not "$"
    EXPECT_FALSE(digits.fullmatch("12a"));
    // An alternation is wrapped whole, so the end anchor binds to both branches.
    EXPECT_FALSE(pattern::get("a|ab").fullmatch("abc"));
    EXPECT_TRUE(pattern::get("a|ab").fullmatch("ab"));
}

TEST(pattern, dollarmatchesbeforeonefinallinebreak) {
    const pattern& onlydigits = pattern::get("^\\d+$");
    EXPECT_TRUE(onlydigits.partialmatch("2\n"));
    EXPECT_FALSE(onlydigits.partialmatch("2\n\n"));
    EXPECT_FALSE(onlydigits.partialmatch("2 x"));
}

TEST(pattern, optionsandcaptures) {
    patternmatch m;
    ASSERT_TRUE(pattern::get("^(procedure)$|^(function)$", pattern::caseless).partialmatch("FUNCTION", &m));
    EXPECT_FALSE(m.matched(1));
    EXPECT_TRUE(m.matched(2));
    EXPECT_EQ(m.str(2), "FUNCTION");
    EXPECT_EQ(m.str(1), "");
    EXPECT_FALSE(pattern::get("a.b").partialmatch("a\nb"));
    EXPECT_TRUE(pattern::get("a.b", pattern::dotall).partialmatch("a\nb"));
    EXPECT_EQ(pattern::get("(.+?)=(.+)").capturecount(), 2);
}

TEST(pattern, consumeisanchoredandadvances) {
    const pattern& word = pattern::get("\\G\\s*([\\w.]+)");
    std::string text = " ab cd.e ;";
    size_t pos = 0;
    patternmatch m;
    ASSERT_TRUE(word.consume(text, pos, &m));
    EXPECT_EQ(m.str(1), "ab");
    ASSERT_TRUE(word.consume(text, pos, &m));
    EXPECT_EQ(m.str(1), "cd.e");
    EXPECT_EQ(pos, 8u);
    EXPECT_FALSE(word.consume(text, pos, &m));
    EXPECT_EQ(pos, 8u);
    // Anchored: a match further on is not taken.
    size_t at = 0;
    EXPECT_FALSE(pattern::get("b").consume("ab", at));
    EXPECT_TRUE(pattern::get("b").findandconsume("ab", at));
    EXPECT_EQ(at, 2u);
}

TEST(pattern, searchkeepsthesubjectforlookbehind) {
    patternmatch m;
    ASSERT_TRUE(pattern::get("(?<=a)b").search("ab", 1, &m));
    EXPECT_EQ(m.start(0), 1u);
}

TEST(pattern, replacefirstandall) {
    std::string text = "a-b-c";
    EXPECT_TRUE(pattern::get("-").replace("+", text));
    EXPECT_EQ(text, "a+b-c");
    text = "a-b-c";
    EXPECT_EQ(pattern::get("(\\w)-").globalreplace("\\1\\1=", text), 2);
    EXPECT_EQ(text, "aa=bb=c");
    text = "xyz";
    EXPECT_FALSE(pattern::get("q").replace("r", text));
    EXPECT_EQ(pattern::get("q").globalreplace("r", text), 0);
    EXPECT_EQ(text, "xyz");
}

TEST(pattern, rewriteescapes) {
    std::string text = "ab";
    EXPECT_TRUE(pattern::get("(a)").replace("\\\\\\0", text));
    EXPECT_EQ(text, "\\ab");
    // A group the pattern lacks makes the rewrite fail and leaves the text alone.
    text = "ab";
    EXPECT_FALSE(pattern::get("(a)").replace("\\2", text));
    EXPECT_EQ(text, "ab");
}

TEST(pattern, emptymatchesadvanceonebyte) {
    std::string text = "abc";
    EXPECT_EQ(pattern::get("x*").globalreplace("-", text), 4);
    EXPECT_EQ(text, "-a-b-c-");
    // After an empty match a non-empty one at the same place is still taken, as in perl.
    text = "aa";
    EXPECT_EQ(pattern::get("b*|aa").globalreplace("@", text), 3);
    EXPECT_EQ(text, "@@@");
    text = "";
    EXPECT_EQ(pattern::get("^").globalreplace("x", text), 1);
    EXPECT_EQ(text, "x");
}

TEST(pattern, linebreaksandblanks) {
    std::string text = "a \n\tb\r\nc";
    EXPECT_EQ(pattern::get("\\s+").globalreplace("", text), 2);
    EXPECT_EQ(text, "abc");
    text = "x\r\n   ";
    EXPECT_TRUE(pattern::get("((?:\\x0d\\x0a|\\x0d|\\x0a)?)([\\t ]*)\\z", pattern::dotall).replace("[\\1]", text));
    EXPECT_EQ(text, "x[\r\n]");
}

TEST(pattern, quotemetamakesliterals) {
    std::string ext = "c++";
    EXPECT_EQ(pattern::quotemeta(ext), "c\\+\\+");
    EXPECT_TRUE(pattern::get("_b(\\d+)\\." + pattern::quotemeta(ext) + "\\.bak").fullmatch("_b3.c++.bak"));
    EXPECT_EQ(pattern::quotemeta(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(pattern::quotemeta("\xe9"), "\xe9");
}

TEST(pattern, cachegivesthesameobject) {
    EXPECT_EQ(&pattern::get("ab+"), &pattern::get("ab+"));
    EXPECT_NE(&pattern::get("ab+"), &pattern::get("ab+", pattern::caseless));
}

TEST(pattern, badpatternthrowsamessage) {
    EXPECT_THROW(pattern("(unclosed"), std::string);
}

TEST(pattern, bytesnotutf) {
    // Invalid UTF-8 is fine: patterns work on bytes.
    std::string text = "\xff\xfe";
    EXPECT_TRUE(pattern::get("\\xff.").fullmatch(text));
}

// Two threads matching one pattern at once each read the groups of their own match, and the
// anchored forms that the first use compiles are compiled for both.
TEST(pattern, twothreadsmatchonepatternatonce) {
    int wrong[2] = {0, 0};
    for (int round = 0; round < 10; ++round) {
        const pattern shared("(\\w+)=(\\d+)");
        auto work = [&shared](const std::string& name, int& wrongcount) {
            for (int i = 0; i < 3000; ++i) {
                const std::string text = name + "=" + std::to_string(i);
                patternmatch m;
                size_t pos = 0;
                if (!shared.consume(text, pos, &m) || m.group(1) != name || m.str(2) != std::to_string(i)) ++wrongcount;
                if (!shared.fullmatch(text, &m) || m.group(1) != name || m.str(2) != std::to_string(i)) ++wrongcount;
            }
        };
        std::thread other(work, "left", std::ref(wrong[0]));
        work("right", wrong[1]);
        other.join();
    }
    EXPECT_EQ(wrong[0], 0);
    EXPECT_EQ(wrong[1], 0);
}

TEST(testenvironment, programfolderisknown) {
    ASSERT_NE(std::getenv("BRELM_BIN"), nullptr);
    EXPECT_EQ(std::string(std::getenv("BRELM_BIN")), BRELM_BIN_DIR);
    EXPECT_EQ(std::string(SOURCE_ROOT_DIR).find(';'), std::string::npos);
}
