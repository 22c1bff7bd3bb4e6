// The engine's entry in memory: the listings' stream, the sink it lends out, the source it
// hands back for the backup, the header, the -slsf lines, the output name that takes no
// text, and texts formatted on two threads at once.
#include "enginetesting.h"
#include "formattext.h"
#include "globals.h"

#include <algorithm>
#include <sstream>
#include <thread>
#include <vector>

namespace {

class entry : public ::testing::Test {
protected:
    void SetUp() override {
        s = enginetesting::defaultsettings();
        s.inputfile = s.inputfilealias = "in.sql";
        s.outputfile = s.outputfilealias = "out.sql";
        sink.stringmode = 1;
    }
    formattedtext run(const std::string& source) { return formattext(s, enginetesting::noswitches(), source, sink, listed); }

    settings s;
    messagestream sink;
    std::ostringstream listed;
};

TEST_F(entry, listingsgotothestreamgivennotstandardoutput) {
    testing::internal::CaptureStdout();
    s.lt = 1;
    formattedtext tables = run("select a from emp e, dept d where e.d = d.id;\n");
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(listed.str(), "deptemp");
    EXPECT_EQ(printed, "");
    EXPECT_TRUE(tables.formatted);

    listed.str("");
    s.lt = 0;
    s.ct = 1;
    testing::internal::CaptureStdout();
    formattedtext tree = run("create package body k is\nprocedure p is begin q(1); end;\n"
                             "procedure q(n number) is begin null; end;\nend;\n/\n");
    printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(listed.str(), "p in.sql:2\n  q(1) in.sql:3\nq in.sql:3\n");
    EXPECT_EQ(printed, "");
    EXPECT_FALSE(tree.formatted);   // the call tree ends the file
    EXPECT_EQ(tree.text, "");
}

TEST_F(entry, thesinkcomesbackwithwhatwasprintedhoweverthetextends) {
    sink.text = "before\n";
    s.w = 1;
    run("ELSE x;\n");
    EXPECT_EQ(sink.text, "before\nWarning:ELSE is ignored as it is not in a block at line 1 col 1 in in.sql\n");
    EXPECT_EQ(sink.stringmode, 1);

    sink.text.clear();
    EXPECT_THROW(run("begin\n  null;\n"), std::string);
    EXPECT_EQ(sink.text, "in.sql line 2 col 8 Syntax error:not found \"end\", the pair of begin, block level 1 \n");
}

// The backup is made from the source as handed in, whatever the engine took off or replaced.
TEST_F(entry, thesourceishandedbackasitcame) {
    s.b = 1;
    const std::string marked = "\xEF\xBB\xBF" "select 1 from dual;\n";
    formattedtext withmark = run(marked);
    EXPECT_EQ(withmark.input, marked);
    EXPECT_EQ(withmark.text, "\xEF\xBB\xBF" "SELECT 1 FROM dual;\n");

    s.pp = 1;
    const std::string macros = "#define N 2\nx := N;\n";
    formattedtext expanded = run(macros);
    EXPECT_EQ(expanded.input, macros);
    EXPECT_EQ(expanded.text.find("#define"), std::string::npos);
    const std::string markedmacros = "\xEF\xBB\xBF" + macros;
    formattedtext both = run(markedmacros);
    EXPECT_EQ(both.input, markedmacros);
    EXPECT_EQ(both.text, "\xEF\xBB\xBF" + expanded.text);

    s.pp = 0;
    EXPECT_EQ(run("x:=1;\n").input, "x:=1;\n");
}

TEST_F(entry, headersidefileandthenulloutput) {
    versiontext = "2.6.1";
    s.plo = 1;
    s.slsf = "sync.txt";
    formattedtext result = run("/*formatted by Vellmarq Pl/Sql Formatter 2.6.0 on: 1:2:3 4/5/2020*/\nx:=1;\ny:=2;\n");
    EXPECT_EQ(result.text.rfind("/*formatted by Vellmarq Pl/Sql Formatter 2.6.1 on: ", 0), 0u);
    EXPECT_EQ(result.text.substr(result.text.find("*/\n")), "*/\nx := 1;\ny := 2;\n");
    EXPECT_EQ(result.sidefile, "2 1\n3 2\n");

    s.outputfile = "NULL";
    formattedtext nothing = run("x:=1;\n");
    EXPECT_TRUE(nothing.formatted);
    EXPECT_EQ(nothing.text, "");
    EXPECT_EQ(nothing.sidefile, "");
}

// Under US7ASCII every byte above 127 is a letter without a case; under WE8ISO8859P1 0xE4 is a
// letter with an upper case and 0xD7 no letter. The character set is the text's own: a text
// formatted while another is formatted under another set comes out as it does alone.
TEST_F(entry, textsunderdifferentcharactersetsformatatonceasalone) {
    std::string text = "declare\n";
    for (int i = 0; i < 40; ++i)
        text += "  v_\xe4" + std::to_string(i) + " number := \xd7" "begin" + std::to_string(i) + ";\n";
    text += "begin\n  select v_\xe4" "1 into v_\xe4" "2 from \xd7" "t where \xe4 = 1;\nend;\n/\n";
    s.ui = 1;
    settings latin = s, ascii = s;
    latin.cs = "WE8ISO8859P1";
    ascii.cs = "US7ASCII";
    auto format = [&text](const settings& under) {
        messagestream messages;
        messages.stringmode = 1;
        std::ostringstream listings;
        try {
            return formattext(under, enginetesting::noswitches(), text, messages, listings).text + messages.text;
        } catch (const std::string& message) {
            return "ended: " + message + messages.text;
        }
    };
    const std::string latinalone = format(latin), asciialone = format(ascii);
    ASSERT_NE(latinalone, asciialone);
    constexpr int rounds = 60;
    std::vector<std::string> latinruns(rounds), asciiruns(rounds);
    std::thread other([&] {
        for (std::string& result : asciiruns) result = format(ascii);
    });
    for (std::string& result : latinruns) result = format(latin);
    other.join();
    EXPECT_EQ(std::count(latinruns.begin(), latinruns.end(), latinalone), rounds);
    EXPECT_EQ(std::count(asciiruns.begin(), asciiruns.end(), asciialone), rounds);
}

}  // namespace
