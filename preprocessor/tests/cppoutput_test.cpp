// The call's output: batches of tokens joined into text, holds that keep tokens unjoined, and
// the line-start state that a "/" from a macro looks back on across a join.
#include "marloxtesting.h"

#include <string>
#include <vector>

class outputtest : public preprocessortest {};

namespace {

// Enough tokens that joinifmany joins at least once.
constexpr size_t manytokens = 20000;

} // namespace

TEST_F(outputtest, joinedtextisthetokensinorder)
{
    // Views end to end in one text, views into other texts, empty tokens, and a view that
    // repeats the text just before it: each must land once and in order.
    std::string source;
    for (size_t i = 0; i < manytokens; ++i)
    {
        source += 't';
        source += std::to_string(i);
        source += ' ';
    }
    const std::string other = "<other>";
    tokenlist all;
    size_t offset = 0;
    for (size_t i = 0; offset < source.size(); ++i) {
        size_t end = source.find(' ', offset) + 1;
        std::string_view word(source.data() + offset, end - offset);
        all.push_back({kindidentifier, word});
        if (i % 7 == 0)
            all.push_back({kindother, other});
        if (i % 11 == 0)
            all.push_back({kinddirective, {}});
        if (i % 13 == 0)
            all.push_back({kindidentifier, word});
        offset = end;
    }
    tokenoutput output;
    output.reservetext(16, 16);
    size_t joins = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        output.push_back(all[i]);
        size_t before = output.recent().size();
        output.joinifmany();
        joins += output.recent().size() < before;
        if (i == all.size() / 2) {
            EXPECT_EQ(output.text(), jointokens(std::span<const atoken>(all).first(i + 1)));
        }
    }
    EXPECT_GT(joins, 1u);
    EXPECT_EQ(output.text(), jointokens(all));
    EXPECT_EQ(output.taketext(), jointokens(all));
    EXPECT_EQ(output.text(), "");
    EXPECT_TRUE(output.joinedendsatlinestart());
}

TEST_F(outputtest, aholdkeepseverytokenuntilitends)
{
    tokenoutput output;
    {
        tokenoutput::hold outer(output);
        {
            tokenoutput::hold inner(output);
            for (size_t i = 0; i < manytokens; ++i) {
                output.push_back({kindidentifier, "x"});
                output.joinifmany();
            }
        }
        output.joinifmany();
        EXPECT_EQ(output.recent().size(), manytokens);
    }
    output.joinifmany();
    EXPECT_TRUE(output.recent().empty());
    EXPECT_EQ(output.text(), std::string(manytokens, 'x'));
    output.clear();
    EXPECT_EQ(output.text(), "");
}

TEST_F(outputtest, linestateofthejoinedtext)
{
    struct linecase {
        std::vector<atoken> tail;
        bool expected;
    };
    const std::vector<linecase> cases = {
        {{}, false},
        {{{kindwhitespace, "\n"}}, true},
        {{{kindwhitespace, " \r"}}, true},
        {{{kindwhitespace, "\n"}, {kindwhitespace, "  "}}, true},
        {{{kindwhitespace, "\n"}, {kindblockcomment, "/* c */"}, {kindwhitespace, " "}}, true},
        {{{kindwhitespace, "\n"}, {kindblockcomment, "/* c */"}, {kindidentifier, "y"}}, false},
        {{{kindwhitespace, "\n"}, {kindlinecomment, "-- c\n"}}, false},
        {{{kindblockcomment, "/* a\nb */"}}, false},
        {{{kindwhitespace, "\n"}, {kinddirective, "#line 3 \"f\"\n"}}, false},
    };
    for (const linecase& c : cases) {
        tokenoutput output;
        EXPECT_TRUE(output.joinedendsatlinestart());
        for (size_t i = 0; i < manytokens; ++i)
            output.push_back({kindidentifier, "x"});
        output.append(c.tail);
        output.joinifmany();
        ASSERT_TRUE(output.recent().empty());
        EXPECT_EQ(output.joinedendsatlinestart(), c.expected) << jointokens(c.tail);
    }
}

TEST_F(outputtest, aslashfromamacroseesthelinestartacrossajoin)
{
    // Every filler length puts the join at another token near the expansion of SLASH. A "/"
    // alone on its line closes the block: "prompt X" is then a SQL*Plus line and keeps its X;
    // else X is expanded, with the line break that follows every expansion.
    for (size_t lines = 2700; lines < 2760; ++lines) {
        std::string filler;
        for (size_t i = 0; i < lines; ++i)
            filler += "v;\n";
        for (bool alone : {true, false}) {
            clearmacros(state.macros);
            resetstatementstate(state.statement);
            std::string text = "#define SLASH /\n#define X y\nbegin\n" + filler;
            text += alone ? "/* c */ SLASH\nprompt X\n" : "z SLASH\nprompt X\n";
            std::string result = process(text);
            std::string expectedend = alone ? "prompt X\n" : "prompt y\n\n";
            ASSERT_GE(result.size(), expectedend.size());
            EXPECT_EQ(result.substr(result.size() - expectedend.size()), expectedend) << lines << " " << alone;
        }
    }
}
