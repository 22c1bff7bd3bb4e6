// brelm on bad input and in bad surroundings: binary bytes, huge lines, deep nesting, literals
// left open, unreadable inputs and unwritable outputs. Each run ends with a clear message and
// its code, and never harms the input file.
#include "plsqlgenerator.h"
#include "programrun.h"

#include <unistd.h>

#include <algorithm>
#include <random>

namespace {

namespace fs = std::filesystem;

const std::string done = " formatting is done.\n";
const std::string failed = " formatting failed because of errors.\n";

bool endswith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every byte value but the two quotes, in ascending order: no comment mark or quote can form.
std::string everybytebutquotes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\'' && b != '"') bytes += static_cast<char>(b);
    return bytes;
}

class badinput : public programtest {
protected:
    // Runs brelm so that permission bits bind it: as root, without the capabilities that
    // let root read and write everything.
    programresult brelmobeyingpermissions(const std::vector<std::string>& arguments) {
        if (::geteuid() != 0) return brelm(arguments);
        std::vector<std::string> wrapped{"--bounding-set=-dac_override,-dac_read_search", "--", programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/usr/bin/setpriv", wrapped, folder, std::nullopt, environment);
    }
    bool canobeypermissions() { return ::geteuid() != 0 || fs::exists("/usr/bin/setpriv"); }

    // Runs brelm with written files limited to about `kilobytes`; with ignored, SIGXFSZ is
    // ignored when it starts, else it has its usual action (which brelm sets aside).
    programresult brelmwithfilelimit(int kilobytes, const std::vector<std::string>& arguments, bool ignored = true) {
        std::vector<std::string> wrapped{"-c", std::string(ignored ? "trap '' XFSZ; " : "") + "ulimit -f " +
                                                   std::to_string(kilobytes) + " && exec \"$0\" \"$@\"",
                                         programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/bin/sh", wrapped, folder, std::nullopt, environment);
    }

    // The names in a folder, sorted.
    std::vector<std::string> names(const fs::path& directory) {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(directory)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }
    bool nobackups() { return fs::is_empty(backups.path()); }
};

}  // namespace

// Bytes of every value, NULs inside every kind of token, and lone CRs pass through: the text
// is formatted and keeps every non-blank byte, and -np copies it byte for byte.
TEST_F(badinput, binarybytesandnulsareformattedwithoutlosingabyte) {
    const std::string nul(1, '\0');
    std::string texts[] = {
        "x := 1;\n" + everybytebutquotes() + "\ny := 2;\n",
        "x := 'a" + nul + "b' || \"n" + nul + "m\" || q'[" + nul + "]';\n-- c" + nul + "\n/* " + nul +
            " */ y" + nul + "z := 1;" + nul + "\n",
        nul + nul + "\r" + nul + "\r\n" + nul,
        "begin\rif a\x80\xff then\rnull;\rend if;\rend;\r",
    };
    for (const std::string& text : texts) {
        writefile("bin.sql", text);
        programresult run = brelm({"-i", "bin.sql", "-o", "bin.out"});
        EXPECT_EQ(run.err, "bin.sql -> bin.out" + done);
        EXPECT_EQ(run.exitcode, 0);
        EXPECT_EQ(significant(readfile("bin.out")), significant(text));
        EXPECT_EQ(readfile("bin.sql"), text);

        run = brelm({"-i", "bin.sql", "-o", "copy.out", "-np", "-sr-"});
        EXPECT_EQ(run.exitcode, 0);
        EXPECT_EQ(readfile("copy.out"), text);
    }
}

// UTF-16 and UTF-32 text, with a byte-order mark or without, from a file or from standard
// input, would be cut into single bytes and spliced into nonsense: it is refused before
// anything is written, and the file stays as it was, without a backup.
TEST_F(badinput, utf16andutf32textisrefused) {
    const std::string text = "begin\n  x := 1; -- caf\u00e9\nend;\n";
    // The text (ASCII and U+00E9) in units of width bytes, with U+FEFF in front when marked.
    auto widened = [&text](int width, bool bigendian, bool marked) {
        std::string wide;
        auto unit = [&](unsigned value) {
            for (int k = 0; k < width; ++k) {
                const int shift = 8 * (bigendian ? width - 1 - k : k);
                wide += static_cast<char>((value >> shift) & 0xFF);
            }
        };
        if (marked) unit(0xFEFF);
        for (size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte < 0x80) {
                unit(byte);
            } else {
                unit(((byte & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
                ++i;
            }
        }
        return wide;
    };
    struct row {
        int width;
        bool bigendian, marked;
        const char* name;
    } rows[] = {{2, false, true, "UTF-16"}, {2, true, true, "UTF-16"}, {2, false, false, "UTF-16"},
                {2, true, false, "UTF-16"}, {4, false, true, "UTF-32"}, {4, true, false, "UTF-32"}};
    for (const row& r : rows) {
        const std::string wide = widened(r.width, r.bigendian, r.marked);
        writefile("w.sql", wide);
        programresult run = brelm({"-io", "w.sql"});
        EXPECT_EQ(run.err, "w.sql is " + std::string(r.name) +
                               " text; convert it to UTF-8 or a single-byte character set\nw.sql" + failed)
            << r.width << r.bigendian << r.marked;
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_TRUE(readfile("w.sql") == wide);
        EXPECT_TRUE(nobackups());
    }
    programresult run = brelm({"-i", "stdin", "-o", "stdout"}, widened(2, false, true));
    EXPECT_EQ(run.err, "stdin is UTF-16 text; convert it to UTF-8 or a single-byte character set\nstdin -> stdout" + failed);
    EXPECT_EQ(run.out, "");
    // The same text in UTF-8 is formatted.
    run = brelm({"-i", "stdin", "-o", "stdout", "-sr-"}, text);
    EXPECT_EQ(run.out, "BEGIN\n  x := 1; -- caf\u00e9\nEND;\n");
}

// Random bytes, with the default switches and heavy ones. Without quotes, "*" and brackets
// nothing can stay open, so the file is formatted; with them it may fail with a syntax
// error (code 255 for a literal, 2 for brackets). Either way the input stays as it was.
TEST_F(badinput, randombytesformatorfailcleanly) {
    const std::vector<std::vector<std::string>> switchsets = {
        {}, {"-mcs", "40", "-acs", "-aci", "-asc", "-abuc"}, {"-al", "-acav", "-actv", "-sbi"}, {"-uk", "-ui", "-ctis", "-ut"}};
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        const bool closable = seed % 2 == 1;
        std::string text(64 * 1024, '\0');
        for (char& c : text) {
            c = static_cast<char>(random());
            if (closable && (c == '\'' || c == '"' || c == '*' || c == '(' || c == ')')) c = ' ';
        }
        writefile("noise.sql", text);
        std::vector<std::string> arguments{"-i", "noise.sql", "-o", "noise.out"};
        const std::vector<std::string>& switches = switchsets[(seed / 2) % switchsets.size()];
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        programresult run = brelm(arguments);
        if (closable || run.exitcode == 0) {
            EXPECT_EQ(run.err, "noise.sql -> noise.out" + done) << "seed " << seed;
            EXPECT_EQ(run.exitcode, 0);
            EXPECT_EQ(significant(readfile("noise.out")), significant(text));
        } else {
            EXPECT_TRUE(run.exitcode == 255 || run.exitcode == 2) << "seed " << seed << ": " << run.err;
            EXPECT_NE(run.err.find("Syntax error:"), std::string::npos) << run.err;
            EXPECT_TRUE(endswith(run.err, "noise.sql -> noise.out" + failed)) << run.err;
            EXPECT_FALSE(exists("noise.out"));
        }
        EXPECT_EQ(readfile("noise.sql"), text);
        fs::remove(folder / "noise.out");
    }
}

// One line of 10 MB holding a long comment, a long literal and many tokens.
TEST_F(badinput, atenmegabytelineisformatted) {
    std::string line = "/* " + std::string(1 << 20, 'c') + " */ v := '" + std::string(1 << 20, 's') + "' || ";
    const std::string name(58, 'n');
    for (int k = 0; line.size() < (10u << 20); ++k) line += name + std::to_string(k % 10) + " + ";
    line += "1;";
    writefile("long.sql", line);
    programresult run = brelm({"-i", "long.sql", "-o", "long.out"});
    EXPECT_EQ(run.err, "long.sql -> long.out" + done);
    EXPECT_EQ(run.exitcode, 0);
    std::string output = readfile("long.out");
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 0);
    EXPECT_EQ(significant(output), significant(line));
    EXPECT_EQ(readfile("long.sql"), line);
}

// 1,000 levels of BEGIN and IF (the most a file may nest), closed again: the block stack
// grows as deep as the text. (Without re-indentation: indented, the output itself grows with
// the square of the depth.)
TEST_F(badinput, athousandnestedlevelsareformatted) {
    std::string text;
    for (int k = 0; k < 500; ++k) text += "begin\nif x" + std::to_string(k) + " > 0 then\n";
    text += "null;\n";
    for (int k = 0; k < 500; ++k) text += "end if;\nend;\n";
    writefile("deep.sql", text);
    programresult run = brelm({"-i", "deep.sql", "-o", "deep.out", "-in-"});
    EXPECT_EQ(run.err, "deep.sql -> deep.out" + done);
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(significant(readfile("deep.out")), significant(text));
    EXPECT_EQ(readfile("deep.sql"), text);
}

// The same levels left open: the pair check names the innermost block and fails the file
// with code 2; formatting in place leaves the file and makes no backup.
TEST_F(badinput, athousandunclosedlevelsfailwithcodetwo) {
    std::string text;
    for (int k = 0; k < 500; ++k) text += "begin\nif x" + std::to_string(k) + " > 0 then\n";
    text += "null;\n";
    writefile("deep.sql", text);
    programresult run = brelm({"-io", "deep.sql", "-is", "0"});
    EXPECT_EQ(run.err, "deep.sql line 1001 col 6 Syntax error:not found \"end if\", the pair of if, block level 1000 \n"
                       "deep.sql" + failed);
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(readfile("deep.sql"), text);
    EXPECT_TRUE(nobackups());
}

// A literal or comment left open at the very end of a large file, with LF and CR LF line
// ends: the message names the last line, and the file formatted in place is left untouched.
TEST_F(badinput, literalsleftopenattheendfailthefile) {
    const std::string body = generateplsql(256 << 10, 5);
    struct row {
        std::string tail, err;  // err: the message after "open.sql line N"
    } rows[] = {
        {"x := 'never closed;\n", ""},
        {"x := q'[never closed\n", " col 6 Syntax error:unclosed q' \n"},
        {"x := 1; /* never closed\n", " col 9 Syntax error:unclosed /* \n"},
        {"x := \"never closed\n", " col 6 Syntax error:unclosed \" \n"},
        {"x := 1; */\n", " col 9 Syntax error:unopened */ \n"},
    };
    for (bool crlf : {false, true}) {
        for (const row& r : rows) {
            std::string text = body + r.tail;
            if (crlf) {
                std::string converted;
                for (char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
                text = converted;
            }
            const std::string line = std::to_string(std::count(body.begin(), body.end(), '\n') + 1);
            writefile("open.sql", text);
            programresult run = brelm({"-io", "open.sql"});
            std::string message = r.err.empty() ? "Syntax error:unclosed ' somewhere before open.sql line " + line +
                                                      "\nError possible around open.sql line " + line + "\n"
                                                : "open.sql line " + line + r.err;
            EXPECT_EQ(run.err, message + "open.sql" + failed) << r.tail;
            EXPECT_EQ(run.exitcode, 255);
            EXPECT_TRUE(readfile("open.sql") == text) << r.tail;
            EXPECT_TRUE(nobackups());
        }
    }
}

// Inputs that cannot be read fail with the system's reason; the run goes on with -soe-.
TEST_F(badinput, unreadableinputsnamethereason) {
    if (!canobeypermissions()) GTEST_SKIP() << "setpriv is needed to test permissions as root";
    writefile("locked.sql", "x:=1;\n");
    writefile("dir.sql/inner.sql", "x:=1;\n");
    writefile("ok.sql", "x:=1;\n");
    fs::permissions(folder / "locked.sql", fs::perms::none);
    programresult run = brelmobeyingpermissions(
        {"-soe-", "-io", "locked.sql", "-io", "dir.sql", "-io", "gone.sql", "-i", "ok.sql", "-o", "ok.out"});
    EXPECT_EQ(run.err,
              "can't open locked.sql: Permission denied\nlocked.sql" + failed +
              "can't open dir.sql: Is a directory\ndir.sql" + failed +
              "can't open gone.sql: No such file or directory\ngone.sql" + failed +
              "ok.sql -> ok.out" + done);
    EXPECT_EQ(run.exitcode, 255);
    fs::permissions(folder / "locked.sql", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readfile("locked.sql"), "x:=1;\n");
    EXPECT_EQ(readfile("ok.out"), "x := 1;\n");
    EXPECT_FALSE(exists("gone.sql"));
}

// A read-only directory takes no output, neither a new file nor one formatted in place: the
// original stays, and no temporary file is left behind.
TEST_F(badinput, readonlyoutputdirectoryfailsthefile) {
    if (!canobeypermissions()) GTEST_SKIP() << "setpriv is needed to test permissions as root";
    writefile("a.sql", "x:=1;\n");
    writefile("ro/c.sql", "y:=2;\n");
    fs::permissions(folder / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    programresult run = brelmobeyingpermissions({"-soe-", "-i", "a.sql", "-o", "ro/b.sql", "-io", "ro/c.sql"});
    fs::permissions(folder / "ro", fs::perms::owner_all);
    EXPECT_EQ(run.err, "could not write ro/b.sql: Permission denied\na.sql -> ro/b.sql" + failed +
                       "could not write ro/c.sql: Permission denied\nro/c.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(names(folder / "ro"), std::vector<std::string>{"c.sql"});
    EXPECT_EQ(readfile("ro/c.sql"), "y:=2;\n");
    EXPECT_EQ(readfile("a.sql"), "x:=1;\n");
}

// A device that is full, and writes cut off part way by the file size limit: the file
// fails, nothing half-written stays behind, and a file formatted in place keeps its text.
TEST_F(badinput, writesthatfailpartwaylosenothing) {
    writefile("a.sql", "x:=1;\n");
    if (fs::exists("/dev/full")) {
        programresult run = brelm({"-i", "a.sql", "-o", "/dev/full"});
        EXPECT_EQ(run.err, "could not write /dev/full: No space left on device\na.sql -> /dev/full" + failed);
        EXPECT_EQ(run.exitcode, 255);
    }

    const std::string text = generateplsql(256 << 10, 9);
    writefile("big.sql", text);
    for (bool ignored : {true, false}) {
        programresult run =
            brelmwithfilelimit(64, {"-soe-", "-b", "0", "-i", "big.sql", "-o", "big.out", "-io", "big.sql"}, ignored);
        EXPECT_EQ(run.err, "could not write big.out: File too large\nbig.sql -> big.out" + failed +
                           "could not write big.sql: File too large\nbig.sql" + failed) << ignored;
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_TRUE(readfile("big.sql") == text);
        EXPECT_EQ(names(folder), (std::vector<std::string>{"a.sql", "big.sql"}));
    }
}

// The numbered backup is written before the output; when it cannot be completed the file
// fails before anything is written, and no partial copy is kept.
TEST_F(badinput, abackupthatfailspartwaystopsthefile) {
    const std::string text = generateplsql(256 << 10, 11);
    writefile("big.sql", text);
    programresult run = brelmwithfilelimit(64, {"-io", "big.sql"}, false);
    EXPECT_EQ(run.err, "copy failed (big.sql -> " + mirror("big_b1.sql.bak") + "): File too large\nbig.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_TRUE(readfile("big.sql") == text);
    EXPECT_TRUE(fs::is_empty(mirror()));   // the cut copy was removed
    EXPECT_EQ(names(folder), std::vector<std::string>{"big.sql"});
}

// With -pp a NUL byte would cut the text short inside the library: the file fails instead.
// Macros that name themselves expand once; a file that includes itself fails cleanly.
TEST_F(badinput, preprocessingrefusesnulsandendlessrecursion) {
    const std::string withnul = std::string("x := 1;\n") + '\0' + "y := 2;\n";
    writefile("nul.sql", withnul);
    programresult run = brelm({"-pp", "-i", "nul.sql", "-o", "nul.out"});
    EXPECT_EQ(run.err, "nul.sql holds a NUL byte and cannot be preprocessed\nnul.sql -> nul.out" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_TRUE(readfile("nul.sql") == withnul);

    writefile("macros.sql", "#define a a+1\n#define p q\n#define q p\nx:=a;\ny:=p;\n");
    run = brelm({"-pp", "-i", "macros.sql", "-o", "macros.out"});
    EXPECT_EQ(run.err, "macros.sql -> macros.out" + done);
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(significant(readfile("macros.out")), "x:=a+1;y:=p;");

    writefile("self.sql", "x := 1;\n#include \"self.sql\"\n");
    run = brelm({"-pp", "-i", "self.sql", "-o", "self.out"});
    EXPECT_TRUE(endswith(run.err, "self.sql line 2:#include nested too deeply\nAt source:x := 1;\n#include \"self.sql\"<<\n"
                                  "self.sql -> self.out" + failed))
        << run.err.substr(run.err.size() > 400 ? run.err.size() - 400 : 0);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("self.sql"), "x := 1;\n#include \"self.sql\"\n");
}

// Each line's expansion stays under the budget of one expansion, but together they would
// make output without end from a short text: the file fails once all expansions of the text
// pass their budget, and a few such lines still format.
TEST_F(badinput, preprocessingendsexpansionsthatgrowwithouttheirtext) {
    // d(d(...(1)...)) with d(x) = x x: 2^16 ones per line.
    std::string line = "x := ";
    for (int i = 0; i < 16; ++i) line += "d(";
    line += '1';
    line.append(16, ')');
    line += ";\n";
    auto lines = [&line](int count) {
        std::string text = "#define d(x) x x\n";
        for (int i = 0; i < count; ++i) text += line;
        return text;
    };

    const std::string few = lines(3);
    writefile("few.sql", few);
    programresult run = brelm({"-pp", "-i", "few.sql", "-o", "few.out"});
    EXPECT_EQ(run.err, "few.sql -> few.out" + done);
    EXPECT_EQ(run.exitcode, 0);
    const std::string output = readfile("few.out");
    EXPECT_EQ(std::count(output.begin(), output.end(), '1'), 3 * 65536);

    const std::string many = lines(200);
    writefile("many.sql", many);
    run = brelm({"-pp", "-i", "many.sql", "-o", "many.out"});
    EXPECT_NE(run.err.find(":macro expansions exceed "), std::string::npos) << run.err.substr(0, 300);
    EXPECT_NE(run.err.find(" tokens in all\n"), std::string::npos) << run.err.substr(0, 300);
    EXPECT_TRUE(endswith(run.err, "many.sql -> many.out" + failed));
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_TRUE(readfile("many.sql") == many);
}
