// Html tag sequences: closing sequences, the three malformed forms and the maps by kind.
#include "htmltags.h"

#include "settings.h"

#include <gtest/gtest.h>

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";

// The message and thrown text of a sequence that should fail.
std::pair<std::string, std::string> failureof(const std::string& sequence) {
    messagestream messages;
    messages.stringmode = 1;
    try {
        closingtagsequence(sequence, messages);
    } catch (const std::string& thrown) {
        return {messages.text, thrown};
    }
    return {"", "no failure"};
}

}  // namespace

TEST(htmltags, closingtagscomeinreverseorderwithoutattributes) {
    struct row {
        const char* open;
        const char* close;
    } rows[] = {
        {"<font color=yellow>", "</font>"},
        {"<i><font color=brown>", "</font></i>"},
        {"<b>", "</b>"},
        {"<>", ""},
        {"<span style=\"color: red; font-weight: bold\"><u>", "</u></span>"},
        {"<a\thref=x>", "</a>"},
        {"<a\nhref=x>", "</a>"},
        {"<b><>", "</b>"},
        {"<b ><i  >", "</i></b>"},
        {"<b>text<i>", "</i></b>"},
        {"<<b>>", "</b>"},
        {"<b>><<i>", "</i></b>"},
    };
    messagestream messages;
    for (const row& r : rows) EXPECT_EQ(closingtagsequence(r.open, messages), r.close) << r.open;
}

TEST(htmltags, malformedsequencesareusageerrors) {
    struct row {
        const char* sequence;
        const char* message;
    } rows[] = {
        {"b>", "Starting < is missing in tag sequence b>"},
        {"", "Starting < is missing in tag sequence "},
        {" <b>", "Starting < is missing in tag sequence  <b>"},
        {"<b", "Closing > is missing in tag sequence <b"},
        {"<b> ", "Closing > is missing in tag sequence <b> "},
        {"<<b>", "< > are not paired correctly in tag sequence <<b>"},
        {"<b>>", "< > are not paired correctly in tag sequence <b>>"},
        {"<i><b><u>>", "< > are not paired correctly in tag sequence <i><b><u>>"},
    };
    for (const row& r : rows) {
        auto [printed, thrown] = failureof(r.sequence);
        EXPECT_EQ(printed, std::string(r.message) + "\n" + hint) << r.sequence;
        EXPECT_EQ(thrown, "2\n") << r.sequence;
    }
}


TEST(htmltags, everytagentryfillsbothmapsunderitskindcode) {
    settings s;
    setdefaults(s);
    s.tag["keyword"] = "<>";
    messagestream messages;
    tagsbykind opentags, closetags;
    parsetagsequence(s.tag, messages, opentags, closetags);
    EXPECT_EQ(opentags.size(), 10u);
    EXPECT_EQ(closetags.size(), 10u);
    EXPECT_EQ(opentags.at(1), "<i><font color=brown>");
    EXPECT_EQ(closetags.at(1), "</font></i>");
    EXPECT_EQ(closetags.at(8), "</b>");
    EXPECT_EQ(closetags.at(13), "</font></i>");
    EXPECT_EQ(opentags.at(14), "<font color=black>");
    EXPECT_EQ(opentags.at(254), "<>");
    EXPECT_EQ(closetags.at(254), "");
    for (int32_t code : {2, 3, 4, 6, 9}) EXPECT_EQ(closetags.at(code), "</font>") << code;
}


