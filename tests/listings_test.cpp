// brelm's listings as a whole: the usage text, the default switches plain and annotated,
// the explanation of -x, switch text that loads back through -ls, and bad -tag sequences.
#include "programrun.h"

#include <fstream>
#include <sstream>

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "begin\n  null;\nend;\n/\n";

std::string expected(const std::string& name) {
    std::ifstream in(std::string(SOURCE_ROOT_DIR) + "/tests/expected/" + name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_FALSE(all.str().empty()) << name;
    return all.str();
}

class listings : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        writefile("a.sql", source);
    }

    // The explanation of the defaults, naming this test's own backup directory.
    std::string explanation() {
        std::string text = expected("explanation.txt");
        const std::string stored = "/tmp/brelmbackups";
        size_t at = text.find(stored);
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos) text.replace(at, stored.size(), backups.path().string());
        return text;
    }

    // The -sw text of the arguments, which must end the run with 0 and print nothing else.
    std::string switchtext(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-i", "a.sql"});
        arguments.push_back("-sw");
        programresult run = brelm(arguments);
        EXPECT_EQ(run.exitcode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        return run.err;
    }
};

}  // namespace

TEST_F(listings, usagetextgoestostandardoutputandendswithtwo) {
    const std::string usage = expected("help.txt");
    std::vector<std::vector<std::string>> runs = {
        {"-h"}, {"--help"}, {"-uk", "-h", "-nonsense", "-tag[bad]=x"}, {"-h", "-i"}, {"-i", "a.sql", "-h"},
    };
    for (const auto& arguments : runs) {
        programresult run = brelm(arguments);
        EXPECT_EQ(run.out, usage) << arguments[0];
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitcode, 2);
    }
    EXPECT_FALSE(exists("a.sql.vmq"));
}

TEST_F(listings, defaultswitchesareshownbeforeanyswitchapplies) {
    const std::string plain = expected("defaultswitches.txt");
    const std::string annotated = expected("defaultswitchesexplained.txt");
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-sdw"}, plain},
        {{"-lk", "-mcs", "80", "-sdw", "-i", "a.sql"}, plain},
        {{"-sdwx"}, annotated},
        {{"-0", "-sdwx", "-sdw"}, annotated},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err) << r.arguments[0];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, 0);
    }
}

TEST_F(listings, explanationofthedefaultsformatsnothing) {
    programresult run = brelm({"-i", "a.sql", "-x"});
    EXPECT_EQ(run.err, explanation());
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_FALSE(exists("a.sql.vmq"));

    run = brelm({"-i", "a.sql", "-x", "-v"});
    EXPECT_EQ(run.err, explanation());
    EXPECT_FALSE(exists("a.sql.vmq"));
}

TEST_F(listings, verboseexplainsandthenformats) {
    programresult run = brelm({"-i", "a.sql", "-v"});
    EXPECT_EQ(run.err, explanation() + "Backed up in " + mirror("a_b1.sql.bak") + "\n" +
                           "a.sql -> a.sql.vmq formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_TRUE(exists("a.sql.vmq"));
}

TEST_F(listings, showingtheswitchessuppressestheexplanation) {
    std::string shown = switchtext({"-x"});
    EXPECT_EQ(shown, expected("defaultswitches.txt"));
    EXPECT_FALSE(exists("a.sql.vmq"));
}

TEST_F(listings, everyflagloadsbackthroughasettingsfile) {
    std::string defaults = switchtext({});
    std::istringstream pieces(defaults);
    std::vector<std::string> flags;
    for (std::string word; pieces >> word;)
        if (word.size() > 2 && word[0] == '-' && (word.back() == '+' || word.back() == '-'))
            flags.push_back(word.substr(0, word.size() - 1));
    EXPECT_EQ(flags.size(), 105u);
    for (const std::string& flag : flags) {
        for (const char* sign : {"+", "-"}) {
            std::string shown = switchtext({flag + sign});
            writefile("saved.cfg", shown);
            EXPECT_EQ(switchtext({"-ls", "saved.cfg"}), shown) << flag << sign;
        }
    }
}

TEST_F(listings, valuespresetsandblocksloadbackthroughasettingsfile) {
    std::vector<std::vector<std::string>> runs = {
        {"-is", "4"}, {"-t", "3,6"}, {"-mcs", "90"}, {"-milipl", "2"}, {"-mlipl", "5"},
        {"-cs", "we8iso8859p1"}, {"-ps", "3"}, {"-brei", "2"}, {"-eiib", "3"}, {"-isis", "2"},
        {"-sbi", "-sbi.m", "end of block"}, {"-sbi.ml", "7"}, {"-sbi.max", "9"}, {"-sbi.m", "x"},
        {"-sic.m", "say \"it\""}, {"-sic", "-sic.m", "C:\\markers\\"}, {"-si", "EmpNo", "-si", "DName"},
        {"-tag[keyword]", "<b class=\"k w\">"}, {"-tag[number]=<>"},
        {"-pp.I", "C:\\inc\\;/usr/include"}, {"-pp.pf", "pre loaded.sql"}, {"-pp.D", "X=say \"a b\""},
        {"-pp.D", "PATH=C:\\dir\\"}, {"-pp.D", "Q=a\\\"b"}, {"-v"},
        {"-al"}, {"-ar"}, {"-ai"}, {"-lsql"}, {"-rsql"}, {"-isql"}, {"-alol"}, {"-ol"}, {"-sit+"}, {"-ck+"},
        {"-ifs", "select", "-uk-", "-mcs", "70", "-ei"},
        {"-ifs", "select into", "-eiib", "3", "-ei", "-ifs", "select", "-brei", "2", "-ei"},
        {"-ifs", "create procedure", "-rsql", "-0", "-isis", "4", "-as+", "-ei"},
        {"-ifs", "<< >>", "-ck", "-ei", "-ifs", "SELECT", "-lk+", "-ei"},
    };
    const std::string defaults = switchtext({});
    for (const auto& arguments : runs) {
        std::string shown = switchtext(arguments);
        EXPECT_NE(shown, defaults) << arguments[0];
        writefile("saved.cfg", shown);
        EXPECT_EQ(switchtext({"-ls", "saved.cfg"}), shown) << arguments[0] << " " << arguments.back();
    }
}

TEST_F(listings, annotatedswitchtextisasettingsfiletoo) {
    programresult run = brelm({"-i", "a.sql", "-sbi+", "-sbi.m", "a \"b\" c\\", "-ifs", "select", "-rsql", "-ei", "-swx"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_NE(run.err.find("-sbi.m \"a \"\"b\"\" c\\\" "), std::string::npos);
    EXPECT_NE(run.err.find("\n-ifs \"select\" "), std::string::npos);
    writefile("saved.cfg", run.err);
    EXPECT_EQ(switchtext({"-ls", "saved.cfg"}), switchtext({"-sbi+", "-sbi.m", "a \"b\" c\\", "-ifs", "select",
                                                            "-rsql", "-ei"}));
}

TEST_F(listings, badtagsequencesfaileveryfileasusageerrors) {
    struct row {
        std::string sequence;
        std::string message;
    } rows[] = {
        {"b>", "Starting < is missing in tag sequence b>"},
        {"<b", "Closing > is missing in tag sequence <b"},
        {"<<b>", "< > are not paired correctly in tag sequence <<b>"},
    };
    writefile("b.sql", source);
    for (const row& r : rows) {
        programresult run = brelm({"-i", "a.sql", "-tag[keyword]=" + r.sequence});
        EXPECT_EQ(run.err, r.message + "\n" + hint + "a.sql -> a.sql.vmq formatting failed because of errors.\n");
        EXPECT_EQ(run.exitcode, 2);
        EXPECT_FALSE(exists("a.sql.vmq"));

        run = brelm({"-i", "a.sql", "-i", "b.sql", "-soe-", "-tag[identifier]", r.sequence});
        std::string failed = r.message + "\n" + hint;
        EXPECT_EQ(run.err, failed + "a.sql -> a.sql.vmq formatting failed because of errors.\n" + failed +
                               "b.sql -> b.sql.vmq formatting failed because of errors.\n");
        EXPECT_EQ(run.exitcode, 2);
    }
}
