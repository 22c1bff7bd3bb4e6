// Start-up steps, the guarded region and the per-file result lines.
#include "runfiles.h"

#include "globals.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

// Runs the guarded region on work; returns its exit code and what it wrote to stderr.
std::pair<int, std::string> guarded(const std::function<void()>& work) {
    testing::internal::CaptureStderr();
    int code = runguarded(work);
    return {code, testing::internal::GetCapturedStderr()};
}

settings pair(const std::string& in, const std::string& out, const std::string& inalias, const std::string& outalias) {
    settings s;
    setdefaults(s);
    s.inputfile = in;
    s.outputfile = out;
    s.inputfilealias = inalias;
    s.outputfilealias = outalias;
    return s;
}

}  // namespace

TEST(startup, argumentsanddirectory) {
    char program[] = "/opt/brelm/bin/brelm", first[] = "-i", second[] = "a b.sql";
    char* argv[] = {program, first, second, nullptr};
    keepargumentlist(3, argv);
    EXPECT_EQ(argumentlist, (std::vector<std::string>{"-i", "a b.sql"}));
    keepargumentlist(1, argv);
    EXPECT_TRUE(argumentlist.empty());

    struct row {
        std::string file, directory;
    } rows[] = {
        {"/opt/brelm/bin/brelm", "/opt/brelm/bin"},
        {"C:\\tools\\brelm.exe", "C:\\tools"},
        {"brelm", ""},
        {"/brelm", ""},
        {"", ""},
    };
    for (const row& r : rows) {
        keepprogramdirectory(r.file);
        EXPECT_EQ(programdirectory, r.directory) << r.file;
    }
}

TEST(startup, environmententriessplitatthefirstequalssign) {
    std::string entries[] = {"TMP=/tmp/a", "EMPTY=", "=C:=C:\\x", "NOEQUALS", "A=b=c", "TMP=/tmp/b", "ML=x\ny", "="};
    std::vector<char*> environment;
    for (std::string& e : entries) environment.push_back(e.data());
    environment.push_back(nullptr);
    environmenttable.clear();
    keepenvironment(environment.data());
    std::map<std::string, std::string> expected = {
        {"TMP", "/tmp/b"}, {"=C:", "C:\\x"}, {"A", "b=c"}, {"ML", "x\ny"}};
    EXPECT_EQ(environmenttable, expected);
    environmenttable.clear();
}

TEST(startup, guardedregionturnsendingsintoexitcodes) {
    struct row {
        std::function<void()> work;
        int code;
        std::string printed;
    } rows[] = {
        {[] {}, 0, ""},
        {[] { throw std::bad_alloc(); }, 3, "Error:program ran out of memory.\n"},
        {[] { throw std::string("12\n"); }, 12, ""},
        {[] { throw std::string("255\n"); }, 255, ""},
        {[] { throw std::string("0"); }, 0, ""},
        {[] { throw std::string("256\n"); }, 255, ""},
        {[] { throw std::string("12 apples\n"); }, 255, "12 apples\n"},
        {[] { throw std::string("Error:no newline"); }, 255, "Error:no newline"},
        {[] { throw std::out_of_range("index"); }, 255, "Internal error: index\n"},
    };
    for (const row& r : rows) {
        auto [code, printed] = guarded(r.work);
        EXPECT_EQ(code, r.code) << r.printed;
        EXPECT_EQ(printed, r.printed);
    }
}

TEST(perfile, resultlinesandfilecodes) {
    struct row {
        settings s;
        std::function<void()> driver;
        int32_t code, done;
        std::string printed;
    } rows[] = {
        {pair("a.sql", "b.sql", "a.sql", "b.sql"), [] {}, 0, 1, "a.sql -> b.sql formatting is done.\n"},
        {pair("a.sql", "a.sql", "a.sql", "a.sql"), [] {}, 0, 1, "a.sql formatting is done.\n"},
        // The done line compares the names, the failed line the aliases.
        {pair("a.sql", "a.sql", "A", "B"), [] {}, 0, 1, "A formatting is done.\n"},
        {pair("a.sql", "b.sql", "X", "X"), [] {}, 0, 1, "X -> X formatting is done.\n"},
        {pair("a.sql", "b.sql", "X", "X"), [] { throw std::string("bad\n"); }, 255, 0,
         "bad\nX formatting failed because of errors.\n"},
        {pair("a.sql", "a.sql", "A", "B"), [] { throw std::string("bad\n"); }, 255, 0,
         "bad\nA -> B formatting failed because of errors.\n"},
        {pair("a.sql", "b.sql", "a.sql", "b.sql"), [] { throw std::string("2\n"); }, 2, 0,
         "a.sql -> b.sql formatting failed because of errors.\n"},
        // A file ended by "0" is quiet: no line, code 0, and not done.
        {pair("a.sql", "b.sql", "a.sql", "b.sql"), [] { throw std::string("0"); }, 0, 0, ""},
    };
    for (row& r : rows) {
        messagestream sink;
        sink.stringmode = 1;
        int32_t done = 0;
        EXPECT_EQ(reportfile(r.s, sink, r.driver, done), r.code) << r.printed;
        EXPECT_EQ(done, r.done) << r.printed;
        EXPECT_EQ(sink.text, r.printed);
    }
}

TEST(perfile, withoutsrthedonelineisquietbutfailuresarenot) {
    settings s = pair("a.sql", "b.sql", "a.sql", "b.sql");
    s.sr = 0;
    messagestream sink;
    sink.stringmode = 1;
    int32_t done = 0;
    EXPECT_EQ(reportfile(s, sink, [] {}, done), 0);
    EXPECT_EQ(sink.text, "");
    EXPECT_EQ(done, 1);
    EXPECT_EQ(reportfile(s, sink, [] { throw std::string("bad\n"); }, done), 255);
    EXPECT_EQ(sink.text, "bad\na.sql -> b.sql formatting failed because of errors.\n");
}

TEST(perfile, outofmemorypassesthroughtothemainregion) {
    settings s = pair("a.sql", "b.sql", "a.sql", "b.sql");
    messagestream sink;
    int32_t done = 0;
    EXPECT_THROW(reportfile(s, sink, [] { throw std::bad_alloc(); }, done), std::bad_alloc);
}

// Any other fault inside one file fails that file only, so a run with -soe- goes on.
TEST(perfile, afaultinsideafilefailsthatfileonly) {
    settings s = pair("a.sql", "b.sql", "a.sql", "b.sql");
    messagestream sink;
    sink.stringmode = 1;
    int32_t done = 0;
    EXPECT_EQ(reportfile(s, sink, [] { throw std::length_error("basic_string::_M_create"); }, done), 255);
    EXPECT_EQ(sink.text, "Internal error: basic_string::_M_create\na.sql -> b.sql formatting failed because of errors.\n");
    EXPECT_EQ(done, 0);
}

TEST(perfile, countsnonemptyinputentries) {
    settings s;
    EXPECT_EQ(countnonemptyentries(s), 0);
    s.inputfiles.at(0) = "a.sql";
    s.inputfiles.at(3) = "b.sql";
    EXPECT_EQ(countnonemptyentries(s), 2);
    EXPECT_EQ(s.inputfiles.size(), 4);
}
