// The output writer: targets, the header, the line synchronization file, html escaping and
// templates, and files replaced whole or not at all.
#include "charsets.h"
#include "formatfile.h"
#include "formatter.h"
#include "formattext.h"
#include "header.h"
#include "htmlwriter.h"
#include "globals.h"
#include "outputwriter.h"
#include "settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

class outputwriter : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("brelmoutput_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        versiontext = "2.6.1";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    static std::string contents(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // A formatter whose token list spells text, as the driver leaves it before writing.
    void prepare(formatter& f, const std::string& text) {
        setdefaults(f.s);
        f.s.inputfile = path("in.sql");
        f.s.outputfile = path("out.sql");
        f.messages.stringmode = 1;
        f.resettokencontext();
        f.tokenize(text);
        f.appendendtokens();
        f.tokens.begin()->settext("");
    }
    // Writes f's output as the file driver does; handedover is the text of a source handed
    // over as a string.
    std::string write(formatter& f, const std::string& handedover = "") {
        try {
            formattedtext output = writtentext(f, commandlineswitches());
            writeoutput(f.s, output, {}, !handedover.empty(), outputstring, f.messages);
        } catch (const std::string& message) {
            return message;
        }
        return "";
    }
    std::filesystem::path folder;
    std::string outputstring;   // what "output_str" was given
};

TEST_F(outputwriter, plaintexttoafile) {
    formatter f;
    prepare(f, "select 1\nfrom dual;\n");
    EXPECT_EQ(write(f), "");
    EXPECT_EQ(contents(path("out.sql")), "select 1\nfrom dual;\n");
}

TEST_F(outputwriter, nullwritesnothingatall) {
    formatter f;
    prepare(f, "x");
    f.s.outputfile = "NuLL";
    f.s.pl = 1;
    f.s.slsf = path("sync.txt");
    EXPECT_EQ(write(f), "");
    EXPECT_FALSE(std::filesystem::exists(path("sync.txt")));
    EXPECT_EQ(f.jointokentexts(f.tokens.begin(), f.tokens.end()), "x");
}

TEST_F(outputwriter, outputstringgetscrlfwhenthesourcecameasastring) {
    formatter f;
    prepare(f, "a\nb\r\n");
    f.s.outputfile = "output_str";
    EXPECT_EQ(write(f, "a\nb\r\n"), "");
    EXPECT_EQ(outputstring, "a\r\nb\r\r\n");
    formatter g;
    prepare(g, "x");
    g.s.outputfile = path("output_str");
    EXPECT_EQ(write(g), "");
    EXPECT_EQ(contents(path("output_str")), "x");
}

TEST_F(outputwriter, clipboardtarget) {
    ::setenv("BRELM_CLIPBOARD_FILE", path("clip").c_str(), 1);
    formatter f;
    prepare(f, "a\nb");
    f.s.outputfile = "Clipboard";
    EXPECT_EQ(write(f), "");
    EXPECT_EQ(contents(path("clip")), "a\nb");
    ::setenv("BRELM_CLIPBOARD_FILE", path("no/such/dir/clip").c_str(), 1);
    EXPECT_EQ(write(f), "could not write clipboard: " + path("no/such/dir/clip") + ": No such file or directory\n");
    ::unsetenv("BRELM_CLIPBOARD_FILE");
}

// A file that cannot be written fails the file and leaves what was there.
TEST_F(outputwriter, failedwritesloseneither) {
    formatter f;
    prepare(f, "new");
    f.s.outputfile = path("missing/out.sql");
    EXPECT_EQ(write(f), "could not write " + path("missing/out.sql") + ": No such file or directory\n");
    f.s.outputfile = folder.string();
    EXPECT_EQ(write(f), "could not write " + folder.string() + ": Is a directory\n");
    std::filesystem::create_directories(path("locked"));
    std::ofstream(path("locked/out.sql")) << "old";
    ::chmod(path("locked").c_str(), 0555);
    f.s.outputfile = path("locked/out.sql");
    if (::geteuid() != 0) {
        EXPECT_EQ(write(f), "could not write " + path("locked/out.sql") + ": Permission denied\n");
        EXPECT_EQ(contents(path("locked/out.sql")), "old");
    }
    ::chmod(path("locked").c_str(), 0755);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("locked")), {}), 1);
}

TEST_F(outputwriter, replacingkeepsthemodeandwritesthroughlinks) {
    std::ofstream(path("target.sql")) << "old";
    ::chmod(path("target.sql").c_str(), 0640);
    std::filesystem::create_symlink(path("target.sql"), path("link.sql"));
    ASSERT_EQ(replacefile(path("link.sql"), wholetext("new text")).outcome, replaceoutcome::replaced);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.sql")));
    EXPECT_EQ(contents(path("target.sql")), "new text");
    struct stat st {};
    ::stat(path("target.sql").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST_F(outputwriter, headerlinereplacesanoldheader) {
    formatter f;
    prepare(f, "/*formatted by Vellmarq Pl/Sql Formatter 2.6.0 on: 01:02:3 4/5/2020 options:-uk */\nbegin null; end;\n");
    f.s.plo = 1;
    EXPECT_EQ(write(f), "");
    std::string written = contents(path("out.sql"));
    EXPECT_EQ(written.rfind("/*formatted by Vellmarq Pl/Sql Formatter 2.6.1 on: ", 0), 0u);
    size_t end = written.find("*/\n");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(written.substr(end), "*/\nbegin null; end;\n");
    EXPECT_EQ(written.find(" options:"), std::string::npos);
}

TEST_F(outputwriter, linesynchronizationpairsinputandoutputlines) {
    formatter f;
    prepare(f, "a\nb\nc\n");
    f.tokens.begin()->settext("\n");
    f.s.slsf = path("sync.txt");
    int32_t index = 0;
    for (const token& t : f.tokens)
        if (haslinebreak(t.text())) f.linearray.at(index++) = t.sequence;
    // A rule joined lines 1 and 2: the first input break is gone.
    position firstbreak = std::next(f.tokens.begin(), 2);
    firstbreak->settext(" ");
    f.tokens.begin()->settext("");
    f.s.outputfile = path("out.sql");
    EXPECT_EQ(write(f), "");
    EXPECT_EQ(contents(path("sync.txt")), "2 1\n3 2\n");
}

struct escapecase {
    std::string text;
    std::string html;
};

TEST_F(outputwriter, htmlescapesandtagseverytoken) {
    for (const escapecase& c : {
             escapecase{"'a<b & c'", "<S>'a&lt;b&nbsp;&amp;&nbsp;c'</S>"},
             escapecase{"x\n    y", "<I>x</I><W><br>\n&nbsp;&nbsp;&nbsp;&nbsp;</W><I>y</I>"},
             escapecase{"a>b", "<I>a</I><O>&gt;</O><I>b</I>"},
             escapecase{"x\t1", "<I>x</I><W>&nbsp;&nbsp;&nbsp;</W>1"},
             escapecase{"/* a\n\tb */", "<C>/*&nbsp;a</C><C><br>\n&nbsp;&nbsp;&nbsp;&nbsp;b&nbsp;*/</C>"},
             escapecase{"<script>", "<O>&lt;</O><I>script</I><O>&gt;</O>"},
         }) {
        formatter f;
        prepare(f, c.text);
        f.s.html = 1;
        f.opentags = {{stringliteral, "<S>"}, {whitespace, "<W>"}, {identifier, "<I>"},
                      {othertoken, "<O>"}, {blockcomment, "<C>"}, {number, "<>"}};
        f.closetags = {{stringliteral, "</S>"}, {whitespace, "</W>"}, {identifier, "</I>"},
                       {othertoken, "</O>"}, {blockcomment, "</C>"}, {number, ""}};
        EXPECT_EQ(htmltext(f, headermarker()), c.html) << c.text;
        EXPECT_EQ(f.s.ctis, 1);
    }
}

TEST_F(outputwriter, htmltemplateheadandtail) {
    std::ofstream(path("page.html")) << "<p>$formatted</p>$formatted";
    formatter f;
    prepare(f, "x");
    f.s.html = 1;
    f.s.ht = path("page.html");
    EXPECT_EQ(write(f), "");
    EXPECT_EQ(contents(path("out.sql")), "<p>x</p>$formatted");

    std::ofstream(path("bare.html")) << "<p></p>";
    f.s.ht = path("bare.html");
    EXPECT_EQ(write(f), "2\n");
    EXPECT_EQ(f.messages.text, "$formatted string is missing from html template file\n\n"
                               "(Give -h as option if you want to see the usage info)\n");
    f.s.ht = path("none.html");
    EXPECT_EQ(write(f), "could not open html template file " + path("none.html") + ": No such file or directory\n");
}

TEST_F(outputwriter, htmlneverreplacesitsinput) {
    std::ofstream(path("in.sql")) << "keep";
    formatter f;
    prepare(f, "x");
    f.s.html = 1;
    f.s.outputfile = f.s.inputfile;
    EXPECT_EQ(write(f), "2\n");
    EXPECT_EQ(f.messages.text.rfind("-io and -html cannot be used at the same time.\n", 0), 0u);
    EXPECT_EQ(contents(path("in.sql")), "keep");
}

}  // namespace
