// The integrity check on token lists that rules have changed: what passes, what fails, the
// excerpts around the difference, the dumps and the leading-token cleanup.
#include "enginetesting.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using enginetesting::formatrun;

// The outcome of the check on one changed token list.
struct checked {
    std::string thrown;
    std::string messages;
    std::string output;   // the list's text after the check
};

class integrity : public formatrun {
protected:
    // Tokenizes text as the driver does, lets change edit the list, and runs the check with
    // the dumps going to dumpfolder.
    checked check(const std::string& text, const std::function<void(formatter&)>& change,
                  const std::string& dumpfolder) {
        formatter f;
        f.s = enginetesting::defaultsettings();
        f.s.bdir = dumpfolder;
        f.messages.stringmode = 1;
        f.sourcetext = text;
        f.tokenizesource();
        f.breakbeforefirsttoken(f.s.in);
        f.appendendtokens();
        change(f);
        f.clearleadingtoken();
        checked result;
        try {
            f.checkintegrity();
        } catch (const std::string& message) {
            result.thrown = message;
        }
        result.messages = f.messages.text;
        result.output = f.jointokentexts(f.tokens.begin(), f.tokens.end());
        return result;
    }
    checked check(const std::string& text, const std::function<void(formatter&)>& change) {
        return check(text, change, folder.string());
    }

    static position find(formatter& f, const std::string& text) {
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p)
            if (p->text() == text) return p;
        ADD_FAILURE() << "no token " << text;
        return f.tokens.begin();
    }
    static void settext(formatter& f, const std::string& from, const std::string& to) {
        find(f, from)->settext(to);
    }

    static void writefile(const std::string& name, const std::string& text) {
        std::ofstream out(name, std::ios::binary);
        out << text;
    }
    static std::string readfile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string path(const std::string& name) const { return scratch.path(name); }

    // The folder the dumps go to.
    enginetesting::scratchfolder scratch;
    const std::filesystem::path& folder = scratch.root;
};

const std::string failure = "Integrity failure. Stop. Nothing is changed.\n";

const std::string unit =
    "BEGIN\n"
    "  v := 'It''s' || \"Quoted Name\"; -- note\n"
    "  w := q'[Text]';\n"
    "END;\n";

struct passcase {
    const char* what;
    std::function<void(formatter&)> change;
};

TEST_F(integrity, changesofwhitespaceandcasepass) {
    for (const passcase& c : {
             passcase{"nothing", [](formatter&) {}},
             passcase{"keyword case", [](formatter& f) { settext(f, "BEGIN", "begin"); }},
             passcase{"identifier case", [](formatter& f) { settext(f, "v", "V"); }},
             passcase{"re-indented", [](formatter& f) { settext(f, "\n  ", "\n\t\t"); }},
             passcase{"line joined",
                      [](formatter& f) { std::next(find(f, "BEGIN"))->settext(" "); }},
             passcase{"blank removed", [](formatter& f) {
                  position blank = std::next(find(f, "v"));
                  f.tokens.erase(blank);
              }},
             passcase{"comment moved to its own line", [](formatter& f) {
                  position note = find(f, "-- note");
                  f.tokens.insert(note, token("\n  ", whitespace, 54, -1));
              }},
         }) {
        checked result = check(unit, c.change);
        EXPECT_EQ(result.thrown, "") << c.what << result.messages;
        EXPECT_EQ(result.messages, "") << c.what;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "orifile.txt"));
}

struct failcase {
    const char* what;
    std::function<void(formatter&)> change;
    bool textchangedpasses;   // a content rule having marked the text lets it through
};

TEST_F(integrity, changesofcontentfail) {
    for (const failcase& c : {
             failcase{"a character changed", [](formatter& f) { settext(f, "v", "x"); }, true},
             failcase{"a token lost", [](formatter& f) { f.tokens.erase(find(f, ":=")); }, true},
             // Tokens still showing the bytes they were read from, in another order or twice.
             failcase{"words swapped", [](formatter& f) {
                  position v = find(f, "v"), assign = find(f, ":=");
                  f.tokens.insert(v, std::move(*assign));
                  f.tokens.insert(assign, std::move(*v));
                  f.tokens.erase(v);
                  f.tokens.erase(assign);
              }, true},
             failcase{"a word twice", [](formatter& f) {
                  position w = find(f, "w");
                  f.tokens.insert(w, std::move(*std::next(w)));
                  f.tokens.insert(w, token(*w));
              }, true},
             failcase{"the first word lost", [](formatter& f) { f.tokens.erase(find(f, "BEGIN")); }, true},
             // Case never counts for keywords, but inside literals and quoted names it is content.
             failcase{"literal case", [](formatter& f) { settext(f, "'It''s'", "'IT''S'"); }, false},
             failcase{"quoted name case",
                      [](formatter& f) { settext(f, "\"Quoted Name\"", "\"quoted name\""); }, false},
             failcase{"q-quote case", [](formatter& f) { settext(f, "q'[Text]'", "q'[text]'"); }, false},
             failcase{"literals swapped", [](formatter& f) {
                  position a = find(f, "'It''s'"), b = find(f, "q'[Text]'");
                  token first = *a, second = *b;
                  f.tokens.insert(a, second);
                  f.tokens.insert(b, first);
                  f.tokens.erase(a);
                  f.tokens.erase(b);
              }, false},
             // The code after a comment that lost its line break would be commented out.
             failcase{"comment line end lost",
                      [](formatter& f) { std::next(find(f, "-- note"))->settext(" "); }, false},
         }) {
        checked result = check(unit, c.change);
        EXPECT_EQ(result.thrown, failure) << c.what;
        checked marked = check(unit, [&](formatter& f) {
            c.change(f);
            f.textchanged = 1;
        });
        EXPECT_EQ(marked.thrown, c.textchangedpasses ? "" : failure) << c.what;
    }
}

TEST_F(integrity, thefailureshowsthedifferenceanddumpsbothtexts) {
    std::string text = "select alpha, beta from gamma where delta = 1;\n";
    checked result = check(text, [](formatter& f) { settext(f, "delta", "delta2"); });
    std::string dumps = folder.string();
    EXPECT_EQ(result.messages,
              "Around 1:wheredelta=1;\n"
              "Around 2:wheredelta2=1;\n"
              "file1 " + dumps + "/orifile.txt\n"
              "file2 " + dumps + "/newfile.txt\n");
    EXPECT_EQ(result.thrown, failure);
    EXPECT_EQ(readfile(path("orifile.txt")), "selectalpha,betafromgammawheredelta=1;");
    EXPECT_EQ(readfile(path("newfile.txt")), "selectalpha,betafromgammawheredelta2=1;");

    // A difference within the first ten characters is shown from the difference on.
    result = check(text, [](formatter& f) { settext(f, "alpha", "omega"); });
    EXPECT_EQ(result.messages.substr(0, result.messages.find("file1")),
              "Around 1:alpha,betafromgammawheredelta=1;\n"
              "Around 2:omega,betafromgammawheredelta=1;\n");

    // The excerpts hold at most 100 characters.
    std::string longtext = "x := " + std::string(150, 'a') + ";\n";
    result = check(longtext, [](formatter& f) { settext(f, "x", "y"); });
    EXPECT_EQ(result.messages.substr(0, result.messages.find("file1")),
              "Around 1:x:=" + std::string(97, 'a') + "\nAround 2:y:=" + std::string(97, 'a') + "\n");

    // A failure that keeps the letters is shown at the token that broke the rule.
    result = check("a := 1; -- one\nb := 2;\n",
                   [](formatter& f) { std::next(find(f, "-- one"))->settext(" "); });
    EXPECT_EQ(result.messages.substr(0, result.messages.find("file1")),
              "Around 1:--oneb:=2;\nAround 2:--oneb:=2;\n");
}

TEST_F(integrity, dumppaths) {
    auto changed = [](formatter& f) { settext(f, "x", "y"); };
    std::filesystem::create_directory(folder / "dumps");
    // One trailing separator is dropped, so the names join with a single one.
    for (const std::string& given : {path("dumps") + "/", path("dumps") + "\\", path("dumps")}) {
        checked result = check("x;", changed, given);
        EXPECT_NE(result.messages.find("file1 " + path("dumps") + "/orifile.txt\n"), std::string::npos)
            << given;
        EXPECT_EQ(readfile(path("dumps/newfile.txt")), "y;");
    }
    // A dump that cannot be written ends the file with that path; nothing is tried after it.
    checked result = check("x;", changed, path("missing"));
    EXPECT_EQ(result.thrown, "could not write " + path("missing") + "/orifile.txt: No such file or directory\n");
    EXPECT_EQ(result.messages, "Around 1:x;\nAround 2:y;\n");

    // An old dump is replaced, and a link standing at the name is replaced, not followed.
    writefile(path("target.txt"), "keep");
    std::filesystem::remove(folder / "dumps" / "orifile.txt");
    std::filesystem::create_symlink(path("target.txt"), folder / "dumps" / "orifile.txt");
    check("x;", changed, path("dumps"));
    EXPECT_EQ(readfile(path("target.txt")), "keep");
    EXPECT_EQ(readfile(path("dumps/orifile.txt")), "x;");
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "dumps" / "orifile.txt"));
}

TEST_F(integrity, theleadingtokenleavestheoutput) {
    // With -in the first line's blanks carry a line break while formatting; it goes again.
    checked result = check("  x := 1;\n", [](formatter&) {});
    EXPECT_EQ(result.output, "  x := 1;\n");
    // A comment that took the blanks' place keeps its line breaks.
    result = check("  /* a\nb */ x;\n", [](formatter& f) { f.tokens.erase(std::next(f.tokens.begin())); });
    EXPECT_EQ(result.output, "/* a\nb */ x;\n");
    EXPECT_EQ(result.thrown, "");
}

// Whole formatting runs: what the rules on the road do passes the check.
TEST_F(integrity, formattedtextspasses) {
    for (const std::string& text : {
             std::string("PROMPT Don't panic\nbegin\n   x:='a';\nend;\n/\n"),
             std::string("declare\n  s varchar2(10) := 'A  b';\nbegin\n  s:=s||\"Col\";\nend;\n"),
             std::string("select 'x' -- c\n, 2 from dual;\n"),
         }) {
        auto result = format(text);
        EXPECT_EQ(result.thrown, "") << text << result.messages;
        EXPECT_TRUE(result.written);
    }
}

}  // namespace
