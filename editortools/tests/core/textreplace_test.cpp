// Replacing every occurrence without rescanning, and placeholders in a target's syntax.
#include "core/textreplace.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("a%F%b%F%", "%F%", "x"), "axbx");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("%%File%%", "%File%", "$F"), "%$F%");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll(std::string("a\0b", 3), std::string("\0", 1), "-"), "a-b");
}

TEST(TranslatePlaceholders, EachPlaceholderOnceInItsOrder) {
    PlaceholderSyntax textpad{"$File", "$Col", "$Line", "$Sel"};
    EXPECT_EQ(TranslatePlaceholders("-i %File% -c %Col% -l %Line% -s %SelText% %File%", textpad),
              "-i $File -c $Col -l $Line -s $Sel $File");
    // A replacement that looks like a later placeholder is translated again by that step.
    PlaceholderSyntax odd{"%Col%", "C", "L", "S"};
    EXPECT_EQ(TranslatePlaceholders("%File%", odd), "C");
    EXPECT_EQ(TranslatePlaceholders("%file% %COL%", textpad), "%file% %COL%");
}

}  // namespace

namespace {

struct ReplaceCase {
    std::string text, what, with, result;
};

TEST(ReplaceAll, Table) {
    const ReplaceCase cases[] = {
        {"x", "x", "xx", "xx"},
        {"xxxx", "x", "xx", "xxxxxxxx"},             // each letter doubled once
        {"abab", "ab", "", ""},
        {"aaa", "aa", "b", "ba"},                    // left to right, no overlap
        {"%File%%File%", "%File%", "%File% %File%", "%File% %File%%File% %File%"},
        {"start mid end", "start", "S", "S mid end"},
        {"start mid end", "end", "E", "start mid E"},
        {"none here", "%Col%", "x", "none here"},
        {"%col% %Col%", "%Col%", "$Col", "%col% $Col"},   // case matters
        {"a\\b\\\\c", "\\", "\\\\", "a\\\\b\\\\\\\\c"},
        {"caf\xC3\xA9 caf\xC3\xA9", "\xC3\xA9", "e", "cafe cafe"},
        {"\xC3\xA9", "\xA9", "?", "\xC3?"},          // bytes, not characters
        {"ab", "abc", "x", "ab"},
    };
    for (const ReplaceCase& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.what, c.with), c.result) << c.text;
}

TEST(DoubleBackslashes, EveryBackslashDoubledOnce) {
    EXPECT_EQ(DoubleBackslashes("C:\\Program Files\\\\x\\"), "C:\\\\Program Files\\\\\\\\x\\\\");
    EXPECT_EQ(DoubleBackslashes("no backslash"), "no backslash");
    EXPECT_EQ(DoubleBackslashes(""), "");
}

TEST(TargetPlaceholders, EachTargetsSyntax) {
    const std::string arguments = "-i %File% -c %Col% -l %Line% -s %SelText%";
    const std::pair<std::string, std::string> expected[] = {
        {"Pspad", arguments},
        {"Ultraedit 16", "-i %F -c %col% -l %line% -s %sel%"},
        {"Code::Blocks 8-10",
         "-i ${ACTIVE_EDITOR_FILENAME} -c ${ACTIVE_EDITOR_COLUMN} -l ${ACTIVE_EDITOR_LINE} -s %SelText%"},
        {"Eclipse Galileo/Helios", "-i ${resource_loc} -c %Col% -l %Line% -s ${selected_text}"},
        {"Textpad 5", "-i $File -c $Col -l $Line -s $Sel"},
        {"EditPadPro 6", "-i %FILE% -c %COL% -l %LINE% -s %SelText%"},
        {"EditPadPro 7", "-i %FILE% -c %COL% -l %LINE% -s %SELECTION%"},
        {"EditPlus 3.2", "-i $(FilePath) -c $(CurCol) -l $(CurLine) -s $(CurSel)"},
        {"Ultimate++ IDE",
         "-i \"\n+FileName()+\" -c \"\n+to_string(GetColumn(GetCursor())+1)+\" -l \"\n"
         "+to_string(GetLine(GetCursor())+1)+\" -s \"\n+selection+\""},
        {"pspad", arguments},
        {"Visual Studio 2010", arguments},   // a studio name alone says nothing
    };
    for (const auto& [target, result] : expected)
        EXPECT_EQ(TranslatePlaceholders(arguments, TargetPlaceholders(target)), result) << target;
    EXPECT_EQ(TranslatePlaceholders(arguments, StudioPlaceholders()),
              "-i $(ItemPath) -c $(CurCol) -l $(CurLine) -s $(CurText)");
}

}  // namespace
