// Splitting tool command lines into words.
#include "core/commandsplit.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    std::string text;
    Words plain;   // keepQuotes off
    Words kept;    // keepQuotes on
};

const SplitCase cases[] = {
    {"", {}, {}},
    {" \t\r\n ", {}, {}},
    {"brelm -i %File%", {"brelm", "-i", "%File%"}, {"brelm", "-i", "%File%"}},
    {"  a\t\tb\r\nc  ", {"a", "b", "c"}, {"a", "b", "c"}},
    {"\"/opt/my tools/brelm\" -i \"%File% copy\"",
     {"/opt/my tools/brelm", "-i", "%File% copy"},
     {"\"/opt/my tools/brelm\"", "-i", "\"%File% copy\""}},
    // Two quotes and \" inside quotes each give one quote.
    {"\"say \"\"hi\"\"\"", {"say \"hi\""}, {"\"say \"\"hi\"\"\""}},
    {"\"a\\\"b\"", {"a\"b"}, {"\"a\\\"b\""}},
    {"\"\"\"\"\"a\"", {"\"\"a"}, {"\"\"\"\"\"a\""}},
    // A backslash before anything else is kept.
    {"\"C:\\dir\\\"", {}, {}},
    {"\"C:\\dir\\x\"", {"C:\\dir\\x"}, {"\"C:\\dir\\x\""}},
    // An unclosed quote drops its word, not the ones before it.
    {"brelm \"-i unclosed", {"brelm"}, {"brelm"}},
    {"a \"b\\\"", {"a"}, {"a"}},
    // Empty quoted words.
    {"\"\" x \"\"", {"", "x", ""}, {"\"\"", "x", "\"\""}},
    // A quote inside a plain word is an ordinary character; a quoted word ends at its quote.
    {"-o=\"x y\"", {"-o=\"x", "y\""}, {"-o=\"x", "y\""}},
    {"\"ab\"cd", {"ab", "cd"}, {"\"ab\"", "cd"}},
    // "--" comments out the rest of its line, only at the start of a word.
    {"a--b -- c d\r\n\ne", {"a--b", "e"}, {"a--b", "e"}},
    {"--all\nx", {"x"}, {"x"}},
    {"x -", {"x", "-"}, {"x", "-"}},
    {"x -- \"unclosed", {"x"}, {"x"}},
    // Bytes are bytes.
    {"caf\xC3\xA9 \"\xE2\x82\xAC 1\"", {"caf\xC3\xA9", "\xE2\x82\xAC 1"}, {"caf\xC3\xA9", "\"\xE2\x82\xAC 1\""}},
    {std::string("a\0b c", 5), {std::string("a\0b", 3), "c"}, {std::string("a\0b", 3), "c"}},
};

TEST(SplitCommandLine, Table) {
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.text, false), c.plain) << c.text;
        EXPECT_EQ(SplitCommandLine(c.text, true), c.kept) << c.text;
    }
}

}  // namespace
