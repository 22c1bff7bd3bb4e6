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
