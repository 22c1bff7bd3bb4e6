// Processing driver: expansion in running text, __line__ and __file__, the line break and
// #line directive after expansions, the statement state over expansions, and skip mode.
#include "marloxtesting.h"

#include <vector>

class drivertest : public preprocessortest {};

TEST_F(drivertest, builtinnames)
{
    runcases({
        {{}, "a\nb\nx := __LINE__;", "a\nb\nx := '3';"},
        {{}, "x := __line__ || __Line__;\r\n\r\ny := __line__;", "x := '1' || '1';\r\n\r\ny := '3';"},
        {{}, "f := __FILE__;", "f := 'test.sql';"},
        {{"__line__ 99"}, "x := __line__;", "x := '1';"},
    });
}

TEST_F(drivertest, builtinnamesfollowthelinedirective)
{
    state.lines.inforce = true;
    state.lines.offset = 6;
    EXPECT_EQ(process("a\nb\nc\nx := __line__;"), "a\nb\nc\nx := '10';");
    EXPECT_EQ(process("f := __file__;"), "f := 'test.sql';");
    state.lines.file = "b.sql";
    EXPECT_EQ(process("f := __file__;"), "f := 'b.sql';");
}

TEST_F(drivertest, fileisthetopleveltextevenwhileanincludeisread)
{
    state.currentfilename = "inc/part.sql";
    EXPECT_EQ(process("f := __file__;"), "f := 'test.sql';");
}

// A long #line file name repeated by __file__ grows the output with no macro at all: the
// output of a call is bounded by the text it reads as well.
TEST_F(drivertest, theoutputisboundedbythetextread)
{
    std::string source = "#line 1 \"" + std::string(30000, 'n') + "\"\n";
    for (int i = 0; i < 2500; ++i)
        source += "__file__\n";
    const std::string budget = std::to_string(callbytebase + callbytesperbyte * source.size());
    std::string error = call(source);
    EXPECT_EQ(error.substr(0, error.find('\n')), "a.sql line 2266:the preprocessed text exceeds " + budget + " bytes");
}

TEST_F(drivertest, linebreakaftereveryexpansion)
{
    runcases({
        {{"m x"}, "v := m;", "v := x\n;"},
        {{"f(a) [a]"}, "v := f(1);", "v := [1]\n;"},
        {{"m x"}, "prompt m\nv := m;", "prompt m\nv := x\n;"},
        // "a" is the SQL*Plus command APPEND at a statement start: its line is kept as written.
        {{"m x"}, "a := m;\nv := m;", "a := m;\nv := x\n;"},
    });
}

TEST_F(drivertest, linedirectivesafterexpansions)
{
    state.switches.ld = true;
    runcases({
        {{"m x", "f(a) [a]"}, "v := m;\nb := f(\n1);", "v := x\n#line 1 \"test.sql\"\n;\nb := [1]\n#line 3 \"test.sql\"\n;"},
        {{}, "x := __line__;", "x := '1';"},
    });
}

TEST_F(drivertest, linedirectivesnamethelinefileorthefilebeingread)
{
    state.switches.ld = true;
    define("m x");
    state.currentfilename = "inc/part.sql";
    EXPECT_EQ(process("m"), "x\n#line 1 \"inc/part.sql\"\n");

    state.lines.inforce = true;
    state.lines.offset = 9;
    state.lines.file = "b.sql";
    EXPECT_EQ(process("\nm"), "\nx\n#line 11 \"b.sql\"\n");
    EXPECT_EQ(state.currentfilename, "b.sql");
}

TEST_F(drivertest, statementstateoverexpansions)
{
    runcases({
        {{"slash /", "hi there"}, "begin\nnull;\nend;\nslash\nprompt hi\n", "begin\nnull;\nend;\n/\n\nprompt hi\n"},
        {{"slash /", "hi there"}, "begin\nnull;\nend;\n/* c */ slash\nprompt hi\n", "begin\nnull;\nend;\n/* c */ /\n\nprompt hi\n"},
        {{"slash /", "hi there"}, "begin\nnull;\nend; slash\nprompt hi\n", "begin\nnull;\nend; /\n\nprompt there\n\n"},
        {{"stmt x := 1;", "hi there"}, "stmt\nprompt hi\n", "x := 1;\n\nprompt hi\n"},
        {{"x 1", "m x; -\nprompt hello"}, "m\nset x\n", "1; \nprompt hello\n\nset x\n"},
        {{"f(a) a;", "hi there"}, "f(1)\nprompt hi\n", "1;\n\nprompt there\n\n"},
    });
}

TEST_F(drivertest, functionlikenamewithoutparenthesisconsumesnothing)
{
    runcases({
        {{"f(x) [x]"}, "f  \n  + 1", "f  \n  + 1"},
        {{"f(x) [x]"}, "f /* c */", "f /* c */"},
        {{"f(x) [x]"}, "f", "f"},
    });
}

TEST_F(drivertest, expansionisnotrescannedwiththetextthatfollows)
{
    runcases({
        {{"p(x) [x]", "q p"}, "q(1)", "p\n(1)"},
        {{"p(x) [x]", "q p(1)"}, "q(2)", "[1]\n(2)"},
    });
}

TEST_F(drivertest, errorsinarunnamethefileandline)
{
    define("f(x) x");
    EXPECT_EQ(processerror("a\nb := f(1;\n"), "test.sql line 2:, or ) is not found for macro\nAt source:a\nb := f(1;<<\n");
    state.currentfilename = "inc/part.sql";
    EXPECT_EQ(processerror("'open"), "inc/part.sql line 1:closing ' is not found\nAt source:<<\n");
}

TEST_F(drivertest, skipmodestopsafterthenexthash)
{
    const std::string text = "abc 'x#' -- #\n/* # */ q'[#]' \"#\" # rest";
    tokenoutput output;
    size_t position = 0;
    atoken token = processtext(state, false, output, position, text);
    EXPECT_EQ(token.kind, kinddirective);
    EXPECT_EQ(token.text, "#");
    EXPECT_EQ(text.substr(position), " rest");
    EXPECT_TRUE(output.recent().empty());

    token = processtext(state, false, output, position, text);
    EXPECT_EQ(token.kind, kindend);
    EXPECT_EQ(position, text.size());
}

TEST_F(drivertest, skipmodepassesoversqlpluslines)
{
    const std::string text = "prompt # one\n#";
    tokenoutput output;
    size_t position = 0;
    EXPECT_EQ(processtext(state, false, output, position, text).kind, kinddirective);
    EXPECT_EQ(position, text.size());
}

TEST_F(drivertest, skipmodestillraiseslexicalerrors)
{
    EXPECT_EQ(errorof([&] {
                  tokenoutput output;
                  size_t position = 0;
                  processtext(state, false, output, position, "a\n'b");
              }),
              "test.sql line 1:closing ' is not found\nAt source:a<<\n");
}
