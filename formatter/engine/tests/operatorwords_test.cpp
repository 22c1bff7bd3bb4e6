// The operator words of -co and -sao against the anchored, caseless alternations that
// define them, for operators, their neighbours, case variants and a final line break.
#include "operatorwords.h"
#include "pattern.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> candidates() {
    std::vector<std::string> words;
    for (const char* w : {"=>", ":=", "||", "<>", "<", ">", "!=", "<=", ">=", "+", "-", ",", "=", "*", "/", "(",
                          ")", "and", "AND", "And", "or", "Or", "not", "NOT", "nOt", "a", "an", "andx", "xor",
                          "**", "..", ";", ":", "|", "!", "", "\n", "+-", "((", "=>=", "'", "\xc1nd", "o"}) {
        for (const char* after : {"", "\n", "\r\n", "\n\n", " "}) {
            std::string word = w;
            word += after;
            words.push_back(word);
        }
        std::string broken = "\n";
        broken += w;
        words.push_back(broken);
    }
    return words;
}

TEST(operatorwords, matchthealternationsofoperatorspacing) {
    const pattern& removal = pattern::get("^(?:=>|\\:=|\\|\\||<>|<|>|!=|<=|>=|\\+|-|,|=|\\*|\\/|(\\(|\\)))$",
                                          pattern::caseless);
    const pattern& addition = pattern::get("^(?:=>|\\:=|\\|\\||<>|<|>|!=|<=|>=|\\+|-|(,)|=|\\*|\\/|and|or|not)$",
                                           pattern::caseless);
    for (const std::string& word : candidates()) {
        patternmatch m;
        bool bracket = false, comma = false;
        bool expected = removal.partialmatch(word, &m);
        EXPECT_EQ(isspacingremovalword(word, bracket), expected) << word;
        if (expected) {
            EXPECT_EQ(bracket, m.matched(1)) << word;
        }
        expected = addition.partialmatch(word, &m);
        EXPECT_EQ(isspacingadditionword(word, comma), expected) << word;
        if (expected) {
            EXPECT_EQ(comma, m.matched(1)) << word;
        }
    }
}

}  // namespace
