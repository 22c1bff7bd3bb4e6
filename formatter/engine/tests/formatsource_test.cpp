// The format driver end to end on texts in memory: the text round trip, operator
// blanks, SQL*Plus lines, the end-of-input errors, the line break written, -ifs blocks and
// the hidden listings.
#include "enginetesting.h"

#include <iostream>
#include <sstream>

namespace {

using enginetesting::formatrun;

class driver : public formatrun {};

struct spacingcase {
    std::string text;
    std::string output;
};

TEST_F(driver, operatorsgetoneblankoneachside) {
    for (const spacingcase& c : {
             spacingcase{"v:=b;", "v := b;"},
             spacingcase{"v   :=    b;", "v := b;"},
             spacingcase{"x := -1;", "x := -1;"},
             // A sign after "(" or after a word that begins an expression keeps its number.
             spacingcase{"f(-1, -2);", "f(-1, -2);"},
             spacingcase{"return -1;", "RETURN -1;"},
             spacingcase{"x := case when a then -1 else +2 end;", "x := CASE WHEN a THEN -1 ELSE +2 END;"},
             spacingcase{"x := sysdate -1 + (a)-b;", "x := SYSDATE - 1 + (a) - b;"},
             spacingcase{"x:=y-1;", "x := y - 1;"},
             spacingcase{"f(a,b)", "f(a, b)"},
             // -rsaob takes the blank after "(".
             spacingcase{"f( a , b )", "f(a, b )"},
             spacingcase{"if a=b and c<>d then", "IF a = b AND c <> d THEN"},
             spacingcase{"x := a||b;", "x := a || b;"},
             spacingcase{"count(*)", "COUNT(*)"},
             // The continuation line of a statement at block level 0 is indented by nothing.
             spacingcase{"v :=\n  b;", "v :=\nb;"},
             // Removing a blank never glues two tokens into a comment or its marks.
             spacingcase{"x := - -- note\n", "x := - -- note\n"},
             spacingcase{"v * /* f */ b", "v * /* f */ b"},
             spacingcase{"v /* f */ * b", "v /* f */ * b"},
         }) {
        auto result = format(c.text);
        EXPECT_EQ(result.output, c.output) << c.text;
    }
    auto kept = format("v:=b;", [](settings& s) { s.co = 0; s.sao = 0; });
    EXPECT_EQ(kept.output, "v:=b;");
    auto removed = format("v := b ;", [](settings& s) { s.sao = 0; });
    EXPECT_EQ(removed.output, "v:=b ;");
    // A line that starts with a SQL*Plus command ("a" is APPEND) is left alone.
    EXPECT_EQ(format("a:=b;").output, "a:=b;");
}

struct endcase {
    std::string text;
    std::string thrown;
    std::string messages;
};

TEST_F(driver, unclosedquotesandcommentsendthefile) {
    std::string name = inputname;
    for (const endcase& c : {
             endcase{"x := \"abc;\n", name + " line 1 col 6 Syntax error:unclosed \" \n", ""},
             endcase{"x := 'abc;\n", "Error possible around " + name + " line 1\n",
                     "Syntax error:unclosed ' somewhere before " + name + " line 1\n"},
             // The missing quote is looked for where the earliest literal that swallowed a
             // line break begins.
             endcase{"v := 1;\nw := 'p\nq\nr';\nx := 'x\ny';\nz := 'z;\n",
                     "Error possible around " + name + " line 2\n",
                     "Syntax error:unclosed ' somewhere before " + name + " line 7\n"},
         }) {
        auto result = format(c.text);
        EXPECT_EQ(result.thrown, c.thrown) << c.text;
        EXPECT_EQ(result.messages, c.messages) << c.text;
        EXPECT_FALSE(result.written);
    }
    // Without the loop the checks do not run.
    auto skipped = format("v */ b", [](settings& s) { s.np = 1; });
    EXPECT_EQ(skipped.thrown, "");
    EXPECT_EQ(skipped.output, "v */ b");
}

TEST_F(driver, sqlpluslinesareleftalone) {
    std::string script =
        "PROMPT Don't panic\n"
        "REM it's a remark -\n"
        "continued's line\n"
        "PROMPT a:=b\n"
        "DOC\n"
        "text with ' quote\n"
        "#\n"
        "select a+b from dual;\n";
    auto result = format(script);
    EXPECT_EQ(result.thrown, "");
    EXPECT_EQ(result.output,
              "PROMPT Don't panic\nREM it's a remark -\ncontinued's line\nPROMPT a:=b\nDOC\n"
              "text with ' quote\n#\nSELECT a + b FROM dual;\n");
    // A script call (@ or @@) is a SQL*Plus line too: the lines after it are looked at again.
    std::string calls = "@@install_types.sql\nREM it's done\n@ grants.sql\nPROMPT don't stop\nbegin null; end;\n/\n";
    auto called = format(calls);
    EXPECT_EQ(called.thrown, "") << called.messages;
    EXPECT_EQ(called.output,
              "@@install_types.sql\nREM it's done\n@ grants.sql\nPROMPT don't stop\nBEGIN NULL; END;\n/\n");
    // The same quote outside a SQL*Plus line is an error.
    auto outside = format("select 1 from dual;\nx Don't panic\n");
    EXPECT_NE(outside.thrown, "");
}

TEST_F(driver, abyteordermarkstaysinfrontandisnoprogramtext) {
    const std::string mark = "\xEF\xBB\xBF";
    // The mark glued to the first word hid BEGIN and a SQL*Plus command.
    for (const spacingcase& c : {
             spacingcase{mark + "begin\n  null;\nend;\n", mark + "BEGIN\n  NULL;\nEND;\n"},
             spacingcase{mark + "PROMPT it's\nbegin null; end;\n/\n", mark + "PROMPT it's\nBEGIN NULL; END;\n/\n"},
         }) {
        auto result = format(c.text);
        EXPECT_EQ(result.thrown, "") << result.messages;
        EXPECT_EQ(result.output, c.output);
        EXPECT_EQ(format(c.output).output, c.output);
    }
}

TEST_F(driver, thelinebreakwrittenistheonemostused) {
    // With -in the first line's blanks get the line break in front while formatting; the
    // written text must not show it, in any of the break forms.
    // At block level 0 every line is indented by nothing.
    for (const auto& [text, output] : std::vector<std::pair<std::string, std::string>>{
             {"  a\r\n  b\r\nc\n", "a\r\nb\r\nc\n"}, {"  a\rb\r\n", "a\rb\r\n"}, {"  x\n", "x\n"}}) {
        auto result = format(text);
        EXPECT_EQ(result.output, output);
    }
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.sourcetext = "a\r\nb\r\nc\nd\r";
    f.tokenizesource();
    EXPECT_EQ(f.linebreaktext, "\r\n");
    f.sourcetext = "a\rb\nc";
    f.tokenizesource();
    EXPECT_EQ(f.linebreaktext, "\n");  // a tie keeps the earlier of LF, CR, CR LF
    f.sourcetext = "abc";
    f.linebreaktext = "\r";
    f.tokenizesource();
    EXPECT_EQ(f.linebreaktext, "\r");
}

TEST_F(driver, multilineliteralwarning) {
    auto result = format("x := 'a\nb';\n", [](settings& s) { s.w = 1; });
    EXPECT_EQ(result.messages, "Warning: quote spans multiple lines starting at line 2 col 1 in " +
                                   inputname + "\n");
    EXPECT_EQ(format("x := 'a\nb';\n").messages, "");
}

// A block given for a statement start switches the operator blanks off for that statement;
// the deepest keyword reached decides.
TEST_F(driver, conditionalblocksapplyatthestatementstart) {
    auto withblocks = [](settings& s) {
        ifsentry co, sao;
        co.name = "co";
        co.kind = sao.kind = flagkind;
        co.numberfield = &settings::co;
        sao.name = "sao";
        sao.numberfield = &settings::sao;
        s.ifsblocks = {{co, sao}};
        s.ifskeywords["select"].index = 0;
        s.ifskeywords["select"].children["into"].index = -1;
        s.ifskeywords["insert"].children["into"].index = 0;
    };
    struct row {
        std::string text, output;
    };
    for (const row& r : {row{"select a:=b", "SELECT a:=b"}, row{"SELECT a:=b", "SELECT a:=b"},
                         row{"select into a:=b", "SELECT INTO a := b"},
                         row{"insert /* c */ into a:=b", "INSERT /* c */ INTO a:=b"},
                         row{"insert a:=b", "INSERT a := b"}, row{"update a:=b", "UPDATE a := b"}}) {
        EXPECT_EQ(format(r.text, withblocks).output, r.output) << r.text;
    }
}

TEST_F(driver, hiddenlistingsendthefilewithoutoutput) {
    testing::internal::CaptureStdout();
    auto traced = format("x", [](settings& s) { s.str = 1; });
    auto numbered = format("x", [](settings& s) { s.l = 3; });
    auto tree = format("x", [](settings& s) { s.ct = 1; });
    std::string printed = testing::internal::GetCapturedStdout();
    for (const auto& result : {traced, numbered, tree}) {
        EXPECT_EQ(result.thrown, "");
        EXPECT_FALSE(result.written);
    }
    EXPECT_EQ(printed, "");
}

}  // namespace

// Large texts are written from the text the integrity check joined; it must be the very
// text the tokens spell, and a header or html still comes from the tokens.
TEST_F(driver, outputjoinedbytheintegritycheckmatchesthetokens) {
    const std::string unit =
        "PROMPT Don't stop\r\nPROMPT it's done\r\ncreate or replace package body p is\r\n"
        "  procedure q is begin x:=1+2; -- note\r\n  y := 'a''b' || q'[c]'; end;\r\nend p;\r\n/\r\n";
    struct variant {
        const char* what;
        std::function<void(settings&)> adjust;
        bool joins;
    };
    for (const variant& v : {variant{"plain", {}, true},
                             variant{"byte-order mark", {}, true},
                             variant{"header", [](settings& s) { s.pl = 1; }, false},
                             variant{"html", [](settings& s) { s.html = 1; }, false}}) {
        const std::string text = v.what == std::string("byte-order mark") ? "\xEF\xBB\xBF" + unit : unit;
        std::string outputs[2];
        for (int joined = 0; joined < 2; ++joined) {
            formatter f;
            f.s = enginetesting::defaultsettings();
            if (v.adjust) v.adjust(f.s);
            f.messages.stringmode = 1;
            f.joinedoutputfrom = joined ? 0 : SIZE_MAX;
            f.sourcetext = text;
            ASSERT_TRUE(f.formatsource(switches())) << v.what;
            EXPECT_EQ(f.outputjoined, joined && v.joins) << v.what;
            outputs[joined] = writtentext(f, switches()).text;
        }
        EXPECT_FALSE(outputs[0].empty()) << v.what;
        if (v.joins) {
            EXPECT_EQ(outputs[0].substr(0, 9), text.substr(0, 9)) << v.what;
        }
        EXPECT_EQ(outputs[1], outputs[0]) << v.what;
    }

    // A failed check joins nothing that could be written.
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.messages.stringmode = 1;
    enginetesting::scratchfolder dumps;
    f.s.bdir = dumps.root.string();   // the dumps of the failure
    f.joinedoutputfrom = 0;
    f.sourcetext = "select a from b;\n";
    f.tokenizesource();
    f.appendendtokens();
    std::next(f.tokens.begin())->settext("selectx");
    EXPECT_THROW(f.checkintegrity(), std::string);
    EXPECT_FALSE(f.outputjoined);
    EXPECT_EQ(f.joinedoutput, "");
}
