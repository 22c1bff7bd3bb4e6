// Directives through whole calls: definitions, conditionals and their skipping, #line under
// ld, ild and kld, #error, #warning and #pragma, and the state each top-level text starts with.
#include "marloxtesting.h"

#include <vector>

namespace {

struct callcase {
    std::vector<std::string> options;
    std::string source;
    std::string expected;  // the result, or the error text
};

} // namespace

class directivetest : public preprocessortest {
protected:
    void runcalls(const std::vector<callcase>& cases)
    {
        for (const callcase& c : cases) {
            state.switches = {};
            testing::internal::CaptureStderr();
            std::string outcome = call(c.source, c.options);
            testing::internal::GetCapturedStderr();
            EXPECT_EQ(outcome, c.expected) << c.source;
        }
    }
};

TEST_F(directivetest, definitions)
{
    runcalls({
        {{}, "#define X 1\nv := x;\n", "v := 1\n;\n"},
        {{}, "#DEFINE x 1\nv := X;\n", "v := 1\n;\n"},
        {{}, "#define x 1\n#undef X\nv := x;\n", "\nv := x;\n"},
        {{}, "#undef nothing\nv\n", "\nv\n"},
        {{}, "#define f(a,b) a+b\nv := F(1,2);\n", "v := 1+2\n;\n"},
        {{}, "#define x 1\n#define x 2\nv := x;\n", "v := 2\n;\n"},
        {{}, "#if 0\n#define x 1\n#undef y\n#endif\nv := x || y;\n", "\nv := x || y;\n"},
        {{"-D", "y=1"}, "#if 0\n#undef y\n#endif\nv := y;\n", "\nv := 1\n;\n"},
        {{}, "#define\n", "a.sql line 1:the name of macro is missing\nAt source:#define<<\n"},
        {{}, "#undef 1\n", "a.sql line 1:the name of macro is missing in #undef\nAt source:#undef<<\n"},
        {{}, "#if 0\n#define (\n#endif\n", "a.sql line 2:the name of macro is missing\nAt source:#if 0\n#define<<\n"},
    });
}

TEST_F(directivetest, conditionalsections)
{
    runcalls({
        {{}, "#define A\n#ifdef a\nyes\n#else\nno\n#endif\n", "yes\n\n"},
        {{}, "#ifndef A\nyes\n#else\nno\n#endif\n", "yes\n\n"},
        {{}, "#ifdef A\nyes\n#else\nno\n#endif\n", "\nno\n\n"},
        {{}, "#IFDEF A ignored words\nyes\n#ENDIF\n", "\n"},
        {{}, "#if 1\na\n#elif 1\nb\n#else\nc\n#endif\n", "a\n\n"},
        {{}, "#if 0\na\n#elif 1\nb\n#else\nc\n#endif\n", "b\n\n"},
        {{}, "#if 0\na\n#elif 0\nb\n#else\nc\n#endif\n", "\nc\n\n"},
        {{}, "#if 0\na\n#elif 0\nb\n#elif 2 > 1\nc\n#elif 1\nd\n#endif\n", "c\n\n"},
        {{}, "#define max 10\n#if max + 1 = 11\nyes\n#endif\n", "yes\n\n"},
        {{}, "#if 0\n'unclosed\n#endif\n", "a.sql line 1:closing ' is not found\nAt source:#if 0<<\n"},
        {{}, "#\nx\n", "#\nx\n"},
    });
}

TEST_F(directivetest, nestedconditionals)
{
    runcalls({
        // An inner conditional inside a taken branch.
        {{}, "#if 1\n#if 0\nA\n#else\nB\n#endif\n#else\nC\n#endif\n", "\nB\n\n\n"},
        // A whole conditional inside a skipped section: its #else belongs to it, not to the skip.
        {{}, "#if 0\n#if 1\nA\n#else\nB\n#endif\nC\n#else\nD\n#endif\n", "\nD\n\n"},
        {{}, "#ifdef X\n#ifndef Y\nA\n#elif 1\nB\n#endif\n#elif 1\nE\n#endif\n", "E\n\n"},
        {{}, "#if 1\n#if 1\n#if 1\ndeep\n#endif\n#endif\n#endif\n", "deep\n\n\n\n"},
        // Directives of skipped sections are still read.
        {{}, "#if 0\n#bogus\n#endif\n", "a.sql line 2:this directive is not known\nAt source:#if 0\n#bogus<<\n"},
    });
}

TEST_F(directivetest, conditionalerrors)
{
    runcalls({
        {{}, "#elif 1\n", "a.sql line 1:#elif found but there are no #if or #ifdef\nAt source:#elif 1<<\n"},
        {{}, "#else\n", "a.sql line 1:#else found but there are no #if or #ifdef\nAt source:#else<<\n"},
        {{}, "#endif\n", "a.sql line 1:#endif found but there are no #if or #ifdef\nAt source:#endif<<\n"},
        {{}, "#ifdef\n", "a.sql line 1:the name of macro is missing in #ifdef\nAt source:#ifdef<<\n"},
        {{}, "#ifndef\n", "a.sql line 1:the name of macro is missing in #ifndef\nAt source:#ifndef<<\n"},
        // An open conditional at the end of the text, taken or skipped.
        {{}, "#if 1\nx\n", "a.sql line 2:#endif not found\nAt source:#if 1\nx<<\n"},
        {{}, "#if 0\nx\n", "a.sql line 2:#endif not found\nAt source:#if 0\nx<<\n"},
        // A second #else, or an #elif after #else, is a mistake in either branch.
        {{}, "#if 0\n#else\n#else\n#endif\n", "a.sql line 3:#else found after #else or #elif\nAt source:#if 0\n#else\n#else<<\n"},
        {{}, "#if 1\n#else\n#elif 1\n#endif\n",
         "a.sql line 3:#elif found after #else or #elif\nAt source:#if 1\n#else\n#elif 1<<\n"},
        {{}, "#if 1\n#else\n#else\n#endif\n", "a.sql line 3:#else found after #else or #elif\nAt source:#if 1\n#else\n#else<<\n"},
    });
}

TEST_F(directivetest, errorswarningsandpragmas)
{
    runcalls({
        {{}, "a\n#error stop  here\nb\n", "a.sql line 2:#error:stop  here\nAt source:a\n#error stop  here<<\n"},
        {{}, "#if 0\n#error no\n#warning no\n#endif\nok\n", "\nok\n"},
        {{}, "#pragma once\nx\n", "x\n"},
        {{}, "#warning:one\n#WARNING two\n#error three\n",
         "#warning::one\n#warning:two\na.sql line 3:#error:three\nAt source:#warning:one\n#WARNING two\n#error three<<\n"},
    });
    callresult warned = preprocesscall(state, "a.sql", {}, "#warning   check this\nx\n#warning /* c */ and -- that\n");
    EXPECT_EQ(warned.result, "x\n");
    EXPECT_EQ(warned.warnings, "#warning:check this\n#warning:and -- that");
    EXPECT_EQ(warned.error, "");
}

TEST_F(directivetest, linedirectives)
{
    runcalls({
        {{"-kld+"}, "a\nb\n#line 10 \"b.sql\"\nc := __line__;\nf := __file__;\n",
         "a\nb\n#line 10 \"b.sql\"\nc := '10';\nf := 'b.sql';\n"},
        {{}, "a\n#line 10\nx := __line__;\nf := __file__;\n", "a\nx := '10';\nf := 'a.sql';\n"},
        {{"-ild+"}, "#line 10\nx := __line__;\n", "x := '2';\n"},
        {{"-ild+", "-kld+"}, "#line 10 /* c */ \"b\"\nx := __line__;\n", "#line 10 /* c */ \"b\"\nx := '2';\n"},
        {{"-kld+"}, "#define N 20\n#define F \"f.sql\"\n#line N F\nx := __line__;\n",
         "#line 20 \"f.sql\"\nx := '20';\n"},
        {{}, "#line x\ny := __line__;\n", "y := '2';\n"},
        // The state changes in skipped sections too.
        {{}, "#if 0\n#line 50\n#endif\nx := __line__;\n", "\nx := '51';\n"},
        {{}, "#line 99999999999\n", "a.sql line 1:the line number of #line is too big\nAt source:#line 99999999999<<\n"},
    });
}

TEST_F(directivetest, linetokensunderld)
{
    runcalls({
        // A directive that read its line is followed by the next line's number.
        {{"-ld+"}, "a\n#define m 1\nb\n", "a\n#line 3 \"a.sql\"\nb\n"},
        // #undef, #else and #endif leave their line break: their own line is named.
        {{"-ld+"}, "#if 1\nx\n#endif\ny\n", "#line 2 \"a.sql\"\nx\n#line 3 \"a.sql\"\n\ny\n"},
        {{"-ld+"}, "#undef q\nz\n", "#line 1 \"a.sql\"\n\nz\n"},
        {{"-ld+"}, "#if 0\nx\n#else\ny\n#endif\n",
         "#line 3 \"a.sql\"\n\ny\n#line 5 \"a.sql\"\n\n"},
        // A #line directive in force numbers the tokens; it makes none of its own.
        {{"-ld+"}, "#line 100 \"z.sql\"\n#define q 1\nv\n", "#line 101 \"z.sql\"\nv\n"},
        {{"-ld+", "-kld+"}, "#line 7\nv\n", "#line 7\nv\n"},
    });
}

// Skipped directives under ld make no #line text of their own: a long #line name and many
// skipped lines would otherwise keep a copy of the name per line until the call ends.
TEST_F(directivetest, skippeddirectiveskeepnotext)
{
    std::string source = "#line 1 \"" + std::string(1000, 'n') + "\"\n#if 0\n";
    for (int i = 0; i < 2000; ++i)
        source += "#pragma\n";
    source += "#endif\n";
    EXPECT_EQ(call(source, {"-ld+"}), "#line 2002 \"" + std::string(1000, 'n') + "\"\n\n");
    size_t kept = 0;
    for (const std::string& text : state.kepttexts)
        kept += text.size();
    EXPECT_LT(kept, 10000u);
}

TEST_F(directivetest, adirectivelineendsthelinebeforeaslash)
{
    // The directive takes its line break with it, yet the "/" after it still stands at a line
    // start: it closes the block, and the SQL*Plus line after it is kept as written.
    EXPECT_EQ(call("begin\n  null;\nend;\n#define x 1\n/\nprompt x\n"), "begin\n  null;\nend;\n/\nprompt x\n");
    EXPECT_EQ(call("begin\n  null;\nend;\n#define x 1\n/\nx\n"), "begin\n  null;\nend;\n/\n1\n\n");
}

TEST_F(directivetest, eachtoplevelstartsafresh)
{
    // A call that fails inside a conditional leaves nothing open for the next one.
    EXPECT_EQ(call("#if 1\n#error inside\n#endif\n"), "a.sql line 2:#error:inside\nAt source:#if 1\n#error inside<<\n");
    EXPECT_EQ(call("#endif\n"), "a.sql line 1:#endif found but there are no #if or #ifdef\nAt source:#endif<<\n");
    EXPECT_EQ(call("#line 100 \"z.sql\"\n"), "");
    EXPECT_EQ(call("x := __line__ || __file__;\n"), "x := '1' || 'a.sql';\n");
}

TEST_F(directivetest, linetokensinalargetext)
{
    std::string source;
    std::string expected;
    for (int block = 0; block < 2000; ++block) {
        std::string number = std::to_string(block);
        source += "#if 0\nskip\n#else\nkeep " + number + "\n#endif\n";
        expected += "#line ";
        expected += std::to_string(5 * block + 3);
        expected += " \"a.sql\"\n\nkeep " + number + "\n";
        expected += "#line ";
        expected += std::to_string(5 * block + 5);
        expected += " \"a.sql\"\n\n";
    }
    EXPECT_EQ(call(source, {"-ld+"}), expected);
}
