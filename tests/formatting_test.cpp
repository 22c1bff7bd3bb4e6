// brelm formatting files as a whole: the output targets, html output with its template,
// the formatted-by header, the line synchronization file and the end-of-input errors.
#include "programrun.h"

#include <regex>

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "select x+1 from dual;\n";
const std::string formatted = "SELECT x + 1 FROM dual;\n";

class formatting : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        writefile("a.sql", source);
    }
};

}  // namespace

TEST_F(formatting, outputtargets) {
    struct row {
        std::vector<std::string> arguments;
        std::string out, err;
    } rows[] = {
        {{"-i", "a.sql", "-o", "b.sql"}, "", "a.sql -> b.sql formatting is done.\n"},
        {{"-i", "a.sql", "-o", "STDOUT"}, formatted, "a.sql -> STDOUT formatting is done.\n"},
        {{"-i", "a.sql", "-o", "stderr"}, "", formatted + "a.sql -> stderr formatting is done.\n"},
        {{"-i", "a.sql", "-o", "null"}, "", "a.sql -> null formatting is done.\n"},
        {{"-i", "a.sql", "-o", "clipboard"}, "", "a.sql -> clipboard formatting is done.\n"},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.out, r.out) << r.arguments[3];
        EXPECT_EQ(run.err, r.err);
        EXPECT_EQ(run.exitcode, 0);
    }
    EXPECT_EQ(readfile("b.sql"), formatted);
    EXPECT_EQ(readfile(".clipboard"), formatted);
    EXPECT_EQ(readfile("a.sql"), source);
}

TEST_F(formatting, standardinputandtheclipboardasinput) {
    programresult run = brelm({"-i", "stdin", "-o", "stdout", "-sr-"}, std::string("v:=1;\nw:=2;\n"));
    EXPECT_EQ(run.out, "v := 1;\nw := 2;\n");
    EXPECT_EQ(run.exitcode, 0);
    writefile(".clipboard", "v:=1;\r\nw:=2;");
    run = brelm({"-i", "clipboard", "-o", "stdout", "-sr-"});
    EXPECT_EQ(run.out, "v := 1;\nw := 2;");
}

TEST_F(formatting, noprocessingkeepsthetextbyteforbyte) {
    std::string text = "  select\tx+1\r\nfrom dual; -- it's\r\n/* a\n b */\n";
    writefile("raw.sql", text);
    programresult run = brelm({"-i", "raw.sql", "-o", "out.sql", "-np"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("out.sql"), text);
}

TEST_F(formatting, inplaceformattingkeepsanumberedbackup) {
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql"});
    EXPECT_EQ(run.err, "a.sql formatting is done.\n");
    EXPECT_EQ(readfile("a.sql"), formatted);
    EXPECT_EQ(testfolder::readall(mirror("a_b1.sql.bak")), source);
}

TEST_F(formatting, unwritableoutputsfailthefile) {
    programresult run = brelm({"-i", "a.sql", "-o", "missing/b.sql"});
    EXPECT_EQ(run.err, "could not write missing/b.sql: No such file or directory\na.sql -> missing/b.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    environment["BRELM_CLIPBOARD_FILE"] = folder.string();
    run = brelm({"-i", "a.sql", "-o", "clipboard"});
    EXPECT_EQ(run.err, "could not write clipboard: " + folder.string() + ": Is a directory\na.sql -> clipboard formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(formatting, htmlwithdefaulttags) {
    writefile("h.sql", "x:='<a>';");
    programresult run = brelm({"-i", "h.sql", "-o", "stdout", "-html", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(run.out,
              "<b>x</b><font color=blue>&nbsp;</font><font color=black>:=</font>"
              "<font color=blue>&nbsp;</font><font color=yellow>'&lt;a&gt;'</font>"
              "<font color=black>;</font>");
}

TEST_F(formatting, htmltemplate) {
    writefile("page.html", "<html>$formatted</html>\n$formatted");
    writefile("n.sql", "1\n");
    programresult run = brelm({"-i", "n.sql", "-o", "n.html", "-html", "-ht", "page.html"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(readfile("n.html"), "<html><i><font color=blue>1</font></i><font color=blue><br>\n</font></html>\n$formatted");

    writefile("bare.html", "<html></html>");
    run = brelm({"-i", "n.sql", "-o", "m.html", "-html", "-ht", "bare.html"});
    EXPECT_EQ(run.err, "$formatted string is missing from html template file\n" + hint +
                           "n.sql -> m.html formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_FALSE(exists("m.html"));

    run = brelm({"-i", "n.sql", "-o", "m.html", "-html", "-ht", "none.html"});
    EXPECT_EQ(run.err, "could not open html template file none.html: No such file or directory\n"
                       "n.sql -> m.html formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(formatting, htmlneverreplacestheinput) {
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql", "-html"});
    EXPECT_EQ(run.err, "-io and -html cannot be used at the same time.\n\n" + hint +
                           "a.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(readfile("a.sql"), source);
}

TEST_F(formatting, headerisreplacednotstacked) {
    const std::regex header(
        "/\\*formatted by Vellmarq Pl/Sql Formatter 2\\.6\\.1 on: \\d\\d:\\d\\d:\\d{1,2} \\d{1,2}/\\d{1,2}/\\d{4}"
        " options:-[^\n]* \\*/\n");
    ASSERT_EQ(brelm({"-i", "a.sql", "-o", "once.sql", "-pl"}).exitcode, 0);
    std::string once = readfile("once.sql");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(once, m, header)) << once;
    EXPECT_EQ(m.position(0), 0);
    EXPECT_EQ(once.substr(static_cast<size_t>(m.length(0))), formatted);

    ASSERT_EQ(brelm({"-i", "once.sql", "-o", "twice.sql", "-pl"}).exitcode, 0);
    std::string twice = readfile("twice.sql");
    ASSERT_TRUE(std::regex_search(twice, m, header));
    EXPECT_EQ(twice.substr(static_cast<size_t>(m.length(0))), formatted);

    ASSERT_EQ(brelm({"-i", "once.sql", "-o", "logo.sql", "-plo"}).exitcode, 0);
    std::string logo = readfile("logo.sql");
    EXPECT_TRUE(std::regex_search(logo, std::regex("^/\\*formatted by Vellmarq Pl/Sql Formatter 2\\.6\\.1 on: "
                                                   "[0-9:]+ [0-9/]+\\*/\n")))
        << logo;
    EXPECT_EQ(logo.substr(logo.find("*/\n") + 3), formatted);

    // Without -pl an old header is ordinary text.
    ASSERT_EQ(brelm({"-i", "once.sql", "-o", "kept.sql"}).exitcode, 0);
    EXPECT_EQ(readfile("kept.sql").find("/*formatted by"), 0u);
}

TEST_F(formatting, linesynchronizationfile) {
    writefile("s.sql", "x:=1;\ny:=2;\nz:=3;\n");
    programresult run = brelm({"-i", "s.sql", "-o", "s.out", "-slsf", "s.sync"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(readfile("s.sync"), "1 1\n2 2\n3 3\n");
}

TEST_F(formatting, unclosedquotesandcommentsfailthefile) {
    struct row {
        std::string text, err;
    } rows[] = {
        {"x := \"abc;\n", "e.sql line 1 col 6 Syntax error:unclosed \" \n"},
        {"x := 1;\n/* no end\n", "e.sql line 2 col 1 Syntax error:unclosed /* \n"},
        {"x := 1; */\n", "e.sql line 1 col 9 Syntax error:unopened */ \n"},
        {"x := q'", "e.sql line 1 col 6 Syntax error:unclosed q' \n"},
        {"x := 1;\ny := 'abc;\n",
         "Syntax error:unclosed ' somewhere before e.sql line 2\nError possible around e.sql line 2\n"},
    };
    for (const row& r : rows) {
        writefile("e.sql", r.text);
        programresult run = brelm({"-i", "e.sql", "-o", "e.out"});
        EXPECT_EQ(run.err, r.err + "e.sql -> e.out formatting failed because of errors.\n") << r.text;
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_FALSE(exists("e.out"));
    }
    writefile("p.sql", "PROMPT Don't panic\nx:=1;\n");
    programresult run = brelm({"-i", "p.sql", "-o", "stdout", "-sr-"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(run.out, "PROMPT Don't panic\nx := 1;\n");
}
