// Input list: slot logic of -i/-o/-io, masks and recursion, exclusions, the output
// directory and default output names, over a scratch tree.
#include "inputlist.h"

#include "scratchtree.h"
#include "support.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using pairs = std::vector<std::pair<std::string, std::string>>;

class inputlist : public scratchtree {
protected:
    void SetUp() override {
        scratchtree::SetUp();
        setdefaults(s);
        args.messages.stringmode = 1;
    }
    // Hands each switch word and its value to the operation the parser would call; returns
    // the usage error text, or "" when none was raised.
    std::string run(const std::string& words) {
        std::vector<std::string> list = split(" ", words);
        try {
            for (size_t k = 0; k < list.size(); ++k) {
                const std::string& w = list[k];
                if (w == "-no") {
                    setoutputfile(args, "null", s);
                    continue;
                }
                const std::string& value = list.at(++k);
                if (w == "-i" || w == "-ir") addinputfile(s, value, w == "-ir");
                else if (w == "-o") setoutputfile(args, value, s);
                else if (w == "-io" || w == "-ior") addinputoutputfile(s, value, w == "-ior");
                else if (w == "-ef" || w == "-efr") addexcludedfile(args, value, w == "-efr");
                else if (w == "-od") setoutputdirectory(args, value);
                else ADD_FAILURE() << "unknown word " << w;
            }
        } catch (const std::string& thrown) {
            EXPECT_EQ(thrown, "2\n");
            return args.messages.text;
        }
        EXPECT_EQ(args.messages.text, "");
        return "";
    }
    // The filled pairs, empty slots left out.
    pairs filled() {
        pairs result;
        for (int32_t i = 0; i < s.inputfiles.size(); ++i)
            if (!s.inputfiles.at(i).empty()) result.emplace_back(s.inputfiles.at(i), s.outputfiles.at(i));
        return result;
    }

    settings s;
    commandlineargs args;
};

std::string usage(const std::string& message) {
    return message + "\n\n(Give -h as option if you want to see the usage info)\n";
}

TEST_F(inputlist, outputsattachtothelastplaininput) {
    for (const char* f : {"a.sql", "b.sql"}) write(f);
    struct slotcase {
        const char* words;
        pairs expected;
        const char* error;
    } cases[] = {
        {"-i a.sql -o b.sql -i c.sql -o d.sql", {{"a.sql", "b.sql"}, {"c.sql", "d.sql"}}, ""},
        {"-i a.sql -i c.sql", {{"a.sql", ""}, {"c.sql", ""}}, ""},
        {"-io a.sql", {{"a.sql", "a.sql"}}, ""},
        {"-i a.sql -io b.sql -i c.sql -o d.sql", {{"a.sql", ""}, {"b.sql", "b.sql"}, {"c.sql", "d.sql"}}, ""},
        {"-i *.sql -i z.sql -o zz.sql", {{"a.sql", ""}, {"b.sql", ""}, {"z.sql", "zz.sql"}}, ""},
        {"-i x.sql -i *.sql", {{"x.sql", ""}, {"a.sql", ""}, {"b.sql", ""}}, ""},
        {"-io *.sql -i c.sql", {{"a.sql", "a.sql"}, {"b.sql", "b.sql"}, {"c.sql", ""}}, ""},
        {"-i stdin -o stdout -i clipboard -no", {{"stdin", "stdout"}, {"clipboard", "null"}}, ""},
        {"-i none*.sql", {}, ""},
        {"-o b.sql", {}, "The input file (-i) is missing before -o b.sql"},
        {"-i a.sql -o b.sql -o c.sql", {{"a.sql", "b.sql"}}, "The input file (-i) is missing before -o c.sql"},
        {"-i *.sql -o x.sql", {{"a.sql", ""}, {"b.sql", ""}}, "The input file (-i) is missing before -o x.sql"},
        {"-io a.sql -o b.sql", {{"a.sql", "a.sql"}}, "The input file (-i) is missing before -o b.sql"},
        {"-i a.sql -i none*.sql -o x.sql", {{"a.sql", ""}}, "The input file (-i) is missing before -o x.sql"},
        {"-no", {}, "The input file (-i) is missing before -o null"},
    };
    for (const slotcase& c : cases) {
        s = settings{};
        setdefaults(s);
        args.messages.text.clear();
        std::string error = run(c.words);
        EXPECT_EQ(error, *c.error ? usage(c.error) : "") << c.words;
        EXPECT_EQ(filled(), c.expected) << c.words;
    }
}

TEST_F(inputlist, recursivemasksrecordtheirbase) {
    for (const char* f : {"src/a.sql", "src/sub/b.sql", "src/sub/deep/c.sql", "src/x.pkb", "top.sql"}) write(f);
    testing::internal::CaptureStdout();
    run("-i top.sql -ir src/*.sql -i src/*.pkb");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "subdir:src/sub\nsubdir:src/sub/deep\n");
    EXPECT_EQ(filled(), (pairs{{"top.sql", ""}, {"src/a.sql", ""}, {"src/sub/b.sql", ""}, {"src/sub/deep/c.sql", ""},
                              {"src/x.pkb", ""}}));
    const char* bases[] = {"", "src", "src", "src", ""};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(s.recursionbases.at(i), bases[i]) << i;

    s = settings{};
    testing::internal::CaptureStdout();
    run("-ior src/*.sql");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(filled(), (pairs{{"src/a.sql", "src/a.sql"}, {"src/sub/b.sql", "src/sub/b.sql"},
                              {"src/sub/deep/c.sql", "src/sub/deep/c.sql"}}));
    EXPECT_EQ(s.recursionbases.at(2), "src");
}

TEST_F(inputlist, aninputgivenwhileformattingnamesitsownoutput) {
    run("-i a.sql");
    s.inputfile = "a.sql";
    run("-o other.sql");
    EXPECT_EQ(s.outputfile, "other.sql");
    EXPECT_EQ(filled(), (pairs{{"a.sql", ""}}));
}

TEST_F(inputlist, exclusionstakethesameformasinputs) {
    for (const char* f : {"src/old1.sql", "src/old2.sql", "src/new.sql", "src/sub/old3.sql"}) write(f);
    testing::internal::CaptureStdout();
    run("-ef src/old*.sql -ef src/new.sql -ef ./src/old2.sql -efr src/sub*.sql -efr src/old*.sql");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(args.excludednames, (std::set<std::string>{"src/old1.sql", "src/old2.sql", "src/new.sql",
                                                         "./src/old2.sql", "src/sub/old3.sql"}));
    EXPECT_TRUE(filled().empty());
}

TEST_F(inputlist, outputdirectorymustexist) {
    write("out/keep");
    write("afile");
    EXPECT_EQ(run("-od out/"), "");
    EXPECT_EQ(args.outputdirectory, "out");
    EXPECT_EQ(run("-od " + root + "/out"), "");
    EXPECT_EQ(args.outputdirectory, root + "/out");
    EXPECT_EQ(run("-od /"), "");
    EXPECT_EQ(args.outputdirectory, "/");
    EXPECT_EQ(run("-od missing/"), usage("The output directory (-od) missing/ does not exist"));
    args.messages.text.clear();
    EXPECT_EQ(run("-od afile"), usage("The output directory (-od) afile does not exist"));
    EXPECT_FALSE(exists("missing"));
}

TEST_F(inputlist, defaultoutputnames) {
    struct namecase {
        const char* name;
        const char* oe;
        const char* outputdirectory;
        int recursive;
        const char* base;
        const char* expected;
    } cases[] = {
        {"a.sql", "+.vmq", "", 0, "", "a.sql.vmq"},
        {"src/a.sql", "+.vmq", "", 0, "", "src/a.sql.vmq"},
        {"src/a.sql", ".out", "", 0, "", "src/a.out"},
        {"a.b.sql", ".out", "", 0, "", "a.b.out"},
        {"noext", ".out", "", 0, "", "noext.out"},
        {"/a.sql", ".out", "", 0, "", "/a.out"},
        {"stdin", "+.vmq", "", 0, "", "stdin.vmq"},
        {"clipboard", ".out", "", 0, "", "clipboard.out"},
        {"src/a.sql", "+", "", 0, "", "src/a.sql"},
        {"src/a.sql", "+.vmq", "out", 0, "", "out/a.sql.vmq"},
        {"src/a.sql", ".out", "out", 0, "", "out/a.out"},
        {"src/sub/b.sql", "+.vmq", "out", 1, "src", "out/sub/b.sql.vmq"},
        {"src/sub/b.sql", ".out", "out", 1, "src", "out/sub/b.out"},
        {"src/b.sql", "+.vmq", "out", 1, "src", "out/b.sql.vmq"},
        {"sub/deep/b.sql", "+.vmq", "out", 1, "", "out/sub/deep/b.sql.vmq"},
        {"src/a.sql", "+.vmq", "/", 0, "", "/a.sql.vmq"},
    };
    for (const namecase& c : cases) {
        args.outputdirectory = c.outputdirectory;
        args.outputdirectoryrecursive = static_cast<char>(c.recursive);
        EXPECT_EQ(defaultoutputname(args, c.name, c.oe, c.base), c.expected) << c.name << " " << c.oe;
    }
    // Nothing is made while the names are chosen.
    EXPECT_FALSE(exists("out/sub"));
    EXPECT_FALSE(exists("out/src"));
}

// The part of a default name that the user named, where links are followed: the output
// directory, else the folder of the mask that listed the input, else the input's folder.
TEST_F(inputlist, defaultnamesnamethepartstheusergave) {
    listedfile plain, listed;
    listed.identity.known = true;
    listed.namedlength = 3;   // "src" of "src/*.sql"
    args.outputdirectory = "";
    EXPECT_EQ(defaultoutputnamedlength(args, "src/sub/b.sql", plain), 7);
    EXPECT_EQ(defaultoutputnamedlength(args, "src/sub/b.sql", listed), 3);
    EXPECT_EQ(defaultoutputnamedlength(args, "a.sql", plain), 0);
    args.outputdirectory = "out/x";
    EXPECT_EQ(defaultoutputnamedlength(args, "src/sub/b.sql", listed), 5);
}

TEST_F(inputlist, recursiveoutputdirectorymirrorsbelowthebase) {
    write("out/keep");
    args.outputdirectory = "out";
    args.outputdirectoryrecursive = 0;
    EXPECT_EQ(outputdirectoryfor(args, "src/sub/b.sql", "src"), "out");
    args.outputdirectoryrecursive = 1;
    EXPECT_EQ(outputdirectoryfor(args, "src/sub/b.sql", "src"), "out/sub");
    EXPECT_EQ(outputdirectoryfor(args, "src/b.sql", "src"), "out");
    EXPECT_EQ(outputdirectoryfor(args, "./src/x/y/b.sql", "./src"), "out/x/y");
    EXPECT_EQ(outputdirectoryfor(args, "src//s/b.sql", "src/"), "out/s");
    EXPECT_EQ(outputdirectoryfor(args, "/abs/b.sql", ""), "out/abs");
    for (const char* made : {"out/sub", "out/x/y", "out/s", "out/abs"}) EXPECT_FALSE(exists(made)) << made;
}

}  // namespace
