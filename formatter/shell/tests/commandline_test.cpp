// Command-line parsing: switch words in, settings fields, pairs and messages out.
#include "commandline.h"

#include "charsets.h"
#include "globals.h"
#include "configfolder.h"
#include "switchlistings.h"
#include "switchtable.h"

#include <functional>
#include <map>

namespace {

using words = std::vector<std::string>;

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";

struct parsed {
    settings s;
    commandlineargs args{1};
    std::string thrown;  // the message that ended the run, "" when parsing returned
};

class commandline : public configfolder {
protected:
    void SetUp() override {
        configfolder::SetUp();
        buildcharsettables();
        buildswitchtable();
        setdefaults(defaults);
        applyoptiondefaults(defaults);
    }
    parsed parse(const words& arguments, int fromcommandline = 1) { return parsefrom(defaults, arguments, fromcommandline); }

    static parsed parsefrom(const settings& start, const words& arguments, int fromcommandline = 1) {
        parsed p;
        p.s = start;
        p.args.arguments = arguments;
        try {
            parsecommandline(p.args, p.s, fromcommandline);
        } catch (const std::string& message) {
            p.thrown = message;
        }
        return p;
    }

    settings defaults;
};

// A field as text, by switch name or by a few names of its own.
std::string field(settings& s, const std::string& name) {
    auto flag = flagfields.find(name);
    if (flag != flagfields.end()) return std::to_string(s.*flag->second);
    const std::map<std::string, std::function<std::string()>> named = {
        {"in0", [&] { return s.inputfiles.at(0); }},
        {"out0", [&] { return s.outputfiles.at(0); }},
        {"cs", [&] { return s.cs; }},
        {"t", [&] {
             std::string text;
             for (int32_t width : s.t) {
                 if (!text.empty()) text += ',';
                 text += std::to_string(width);
             }
             return text;
         }},
        {"is", [&] { return s.is; }},
        {"il1", [&] { return std::to_string(s.il.at(1)); }},
        {"il2", [&] { return std::to_string(s.il.at(2)); }},
        {"il3", [&] { return std::to_string(s.il.at(3)); }},
        {"il1000", [&] { return std::to_string(s.il.at(1000)); }},
        {"continuationindent", [&] { return std::to_string(s.continuationindent); }},
        {"l", [&] { return std::to_string(s.l); }},
        {"sl", [&] { return std::to_string(s.sl); }},
        {"el", [&] { return std::to_string(s.el); }},
        {"b", [&] { return std::to_string(s.b); }},
        {"bdir", [&] { return s.bdir; }},
        {"ht", [&] { return s.ht; }},
        {"ps", [&] { return std::to_string(s.ps); }},
        {"mcs", [&] { return std::to_string(s.mcs); }},
        {"milipl", [&] { return std::to_string(s.milipl); }},
        {"mlipl", [&] { return std::to_string(s.mlipl); }},
        {"isis", [&] { return std::to_string(s.isis); }},
        {"eiib", [&] { return std::to_string(s.eiib); }},
        {"sbi_ml", [&] { return std::to_string(s.sbi_ml); }},
        {"sbi_max", [&] { return std::to_string(s.sbi_max); }},
        {"brei", [&] { return std::to_string(s.brei); }},
        {"sbi_m", [&] { return s.sbi_m; }},
        {"sic_m", [&] { return s.sic_m; }},
        {"si", [&] {
             std::string text;
             for (const auto& [key, value] : s.si) text += key + "=" + value + ";";
             return text;
         }},
        {"sigiven", [&] { return std::to_string(s.sigiven); }},
        {"tagkeyword", [&] { return s.tag["keyword"]; }},
        {"tags", [&] { return std::to_string(s.tag.size()); }},
        {"ppI", [&] { return std::to_string(s.pp_I.size()); }},
        {"oe", [&] { return s.oe; }},
        {"inputalias", [&] { return s.inputfilealias; }},
        {"outputalias", [&] { return s.outputfilealias; }},
        {"ctext", [&] { return s.ctext; }},
        {"str", [&] { return std::to_string(s.str); }},
        {"ct", [&] { return std::to_string(s.ct); }},
        {"lt", [&] { return std::to_string(s.lt); }},
        {"x", [&] { return std::to_string(s.x); }},
        {"slsf", [&] { return s.slsf; }},
    };
    return named.at(name)();
}

struct fieldcase {
    words arguments;
    std::map<std::string, std::string> fields;
    std::string messages = "";
};

// Each switch with a value has a case here, with the field it must reach.
const std::vector<fieldcase>& fieldcases() {
    static const std::vector<fieldcase> cases = {
        {{"-i", "a.sql", "-o", "b.sql"}, {{"in0", "a.sql"}, {"out0", "b.sql"}}},
        {{"-i=a.sql", "-o=b.sql"}, {{"in0", "a.sql"}, {"out0", "b.sql"}}},
        {{"-i", "a.sql"}, {{"in0", "a.sql"}, {"out0", "a.sql.vmq"}}},
        {{"-i=a=b"}, {{"in0", "a=b"}}},
        {{"-i", "-o"}, {{"in0", "-o"}, {"out0", "-o.vmq"}}},
        {{"-i", "src/a.sql", "-oe=.out"}, {{"out0", "src/a.out"}, {"oe", ".out"}}},
        {{"-ias", "A", "-oas=B", "-i", "a"}, {{"inputalias", "A"}, {"outputalias", "B"}}},
        {{"-i", "a", "-ci", "4"}, {{"continuationindent", "4"}, {"ci", "0"}}},
        {{"-i", "a", "-ci=3t"}, {{"continuationindent", "3"}}},
        {{"-i", "a", "-li", "-ci+"}, {{"ci", "1"}, {"li", "0"}, {"ui", "0"}, {"continuationindent", "0"}}},
        {{"-i", "a", "-lk"}, {{"lk", "1"}, {"uk", "0"}, {"ck", "0"}}},
        {{"-i", "a", "-uk-"}, {{"uk", "0"}, {"ck", "0"}, {"lk", "0"}}},
        {{"-i", "a", "-ck", "-uk+"}, {{"uk", "1"}, {"ck", "0"}}},
        {{"-i", "a", "-uts", "-ut"}, {{"ut", "1"}, {"uts", "0"}}},
        {{"-i", "a", "-sbi", "-rbi"}, {{"sbi", "0"}, {"rbi", "1"}}},
        {{"-i", "a", "-plo", "-pl"}, {{"pl", "1"}, {"plo", "0"}}},
        {{"-i", "a", "-t", "3,6", "-sit"}, {{"t", "3,6"}, {"is", "6"}, {"il1", "3"}, {"il2", "6"}, {"sit", "1"}}},
        {{"-i", "a", "-sit", "-t=3,6"}, {{"t", "3,6"}, {"is", "4"}, {"il1", "4"}}},
        {{"-i", "a", "-milipl=2"}, {{"milipl", "2"}, {"pcr", "1"}}},
        {{"-i", "a", "-milipl=0"}, {{"milipl", "0"}, {"pcr", "0"}}},
        {{"-i", "a", "-mlipl", "5", "-mcs=100"}, {{"mlipl", "5"}, {"mcs", "100"}}},
        {{"-i", "a", "-mcs", "-2147483648"}, {{"mcs", "-2147483648"}}},
        {{"-i", "a", "-il3=5", "-il1", "2"}, {{"il3", "5"}, {"il1", "2"}}},
        {{"-i", "a", "-il1000=2"}, {{"il1000", "2"}}},
        {{"-i", "a", "-is=3t"}, {{"is", "3t"}}},
        {{"-i", "a", "-is", "0"}, {{"is", "0"}}},
        {{"-i", "a", "-cs", "we8iso8859p1"}, {{"cs", "WE8ISO8859P1"}}},
        {{"-i", "a", "-cs=bogus", "-cs", "us7ascii"}, {{"cs", "US7ASCII"}}},
        {{"-i", "a"}, {{"l", "-1"}, {"sl", "0"}, {"el", "0"}, {"x", "0"}}},
        {{"-i", "a", "-l", "12", "-sl=3", "-el", "9"}, {{"l", "12"}, {"sl", "3"}, {"el", "9"}}},
        {{"-i", "a", "-b=3", "-bdir", "bk", "-ht=t.html"}, {{"b", "3"}, {"bdir", "bk"}, {"ht", "t.html"}}},
        {{"-i", "a", "-b", "0"}, {{"b", "0"}}},
        {{"-i", "a", "-si", "DBMS_Output"}, {{"si", "dbms_output=DBMS_Output;"}, {"sigiven", "1"}}},
        {{"-i", "a", "-tag[keyword]", "<b>"}, {{"tagkeyword", "<b>"}}},
        {{"-i", "a", "-tag[keyword]=<i>"}, {{"tagkeyword", "<i>"}}},
        {{"-i", "a", "-sbi.ml=5", "-sbi.m", "end:"}, {{"sbi_ml", "5"}, {"sbi_m", "end:"}}},
        {{"-i", "a", "-sic.m", "=>"}, {{"sic_m", "=>"}, {"sbi_m", "of block:"}}},
        {{"-i", "a", "-isis", "3"}, {{"isis", "3"}}},
        {{"-i", "a", "-eiib=2"}, {{"eiib", "2"}}},
        {{"-i", "a", "-brei", "3", "-sbi.max=30", "-ps", "4"}, {{"brei", "3"}, {"sbi_max", "30"}, {"ps", "4"}}},
        {{"-i", "a", "-pp.I=x;y", "-pp.I", "z"}, {{"ppI", "3"}}},
        {{"-i", "a", "-c=hello", "-ct", "-lt", "-str", "-x"},
         {{"ctext", "hello"}, {"ct", "1"}, {"lt", "1"}, {"str", "1"}, {"x", "1"}}},
        {{"-i", "a", "-v"}, {{"v", "1"}}},
        {{"-i", "a", "-slsf=sync.txt"}, {{"slsf", "sync.txt"}}},
        {{"-i", "a", "-0"}, {{"b", "0"}, {"uk", "0"}, {"tags", "0"}, {"ps", "1"}, {"soe", "0"}}},
        {{"-i", "a", "-al"}, {{"al", "0"}, {"rs", "0"}, {"mlacd", "1"}, {"rlafu", "1"}, {"uk", "1"}}},
        {{"-i", "a", "-al-"}, {{"al", "0"}, {"rs", "1"}, {"mlacd", "0"}}},
        {{"-i", "a", "-isql", "-lsql"}, {{"isis", "0"}, {"ins", "0"}, {"iu", "0"}, {"iaw", "0"}, {"as", "1"}}},
        {{"-i", "a", "-as+"}, {{"as", "1"}, {"isis", "0"}}},
        {{"-i", "a", "-ins", "-as-"}, {{"as", "0"}, {"ins", "1"}}},
        {{"-i", "a", "a.sql"}, {{"in0", "a"}}, "Argument a.sql is ignored\n"},
        {{"-i", "a", "-cmp.x", "-sbi.ml+", "-t=4,,8"}, {{"t", "4"}},
         "Argument -cmp.x is ignored\nArgument -sbi.ml+ is ignored\nArgument -t=4,,8 is ignored\n"},
    };
    return cases;
}

}  // namespace

TEST_F(commandline, valuesreachtheirfields) {
    for (const fieldcase& c : fieldcases()) {
        parsed p = parse(c.arguments);
        std::string label = testing::PrintToString(c.arguments);
        EXPECT_EQ(p.thrown, "") << label << "\n" << p.args.messages.text;
        EXPECT_EQ(p.args.messages.text, c.messages) << label;
        for (const auto& [name, value] : c.fields) EXPECT_EQ(field(p.s, name), value) << label << " " << name;
    }
}

namespace {

struct errorcase {
    words arguments;
    std::string messages;
    std::string thrown = "2\n";
};

}  // namespace

TEST_F(commandline, usageerrors) {
    const std::string kinds =
        "doublequotes,identifier,keyword,multilinecomment,number,other,qquotes,singlelinecomment,"
        "singlequotes,whitespace";
    const errorcase cases[] = {
        {{}, "No input file is given.\n" + hint},
        {{"a.sql"}, "Argument a.sql is ignored\nNo input file is given.\n" + hint},
        {{"-sw"}, "No input file is given.\n" + hint},
        {{"-i"}, "You have some incomplete option specified in your command line.\n(Input file is not given.)\n" + hint},
        {{"-i", "a", "-sbi.ml"},
         "You have some incomplete option specified in your command line.\n(Minimum lines in a block is not given.)\n" + hint},
        {{"-i", "a", "-il4"},
         "You have some incomplete option specified in your command line.\n(Specific indent size is not given.)\n" + hint},
        {{"-ei", "-i", "a"}, "Error:there is no corresponding opening -ifs for -ei\n" + hint},
        {{"-i", "a", "-ifs", "select"}, "-ifs is not closed by -ei\n\n" + hint},
        {{"-ifs", "select", "-i", "a"}, "Error:-i cannot be used in -ifs\n" + hint},
        {{"-ifs=select", "-odr", "x"}, "Error:-od(r) cannot be used in -ifs\n" + hint},
        {{"-ifs=select", "-tag[keyword]=x"}, "Error:-tag cannot be used in -ifs\n" + hint},
        {{"-ifs=select", "-il2=3"}, "Error:-il cannot be used in -ifs\n" + hint},
        {{"-ifs", "select", "-sbi.ml", "5", "-ei"}, "sbi.ml cannot be used in -ifs\n" + hint},
        {{"-ifs", "select", "-pp.clp", "-ei"}, "pp.clp cannot be used in -ifs\n" + hint},
        {{"-ifs", "a", "-ifs", "b"},
         "Error using -ifs:there is already a -ifs , that needs to be closed first or removed\n" + hint},
        {{"-ifs", "a,b"}, "Error using -ifs:argument is incorrect, it does not consist of keywords\n" + hint},
        {{"-tag[bogus]=x"},
         "-tag[bogus]=x is not valid,token type bogus is not known\nProper values are:" + kinds + "\n\n" + hint},
        {{"-i", "a", "-ps=0"}, "Padding size is 0 which is an incorrect value.\n" + hint},
        {{"-i", "a", "-ps", "x"}, "The value x of -ps is not a number.\n" + hint},
        {{"-i", "a", "-ifs", "select", "-isis", "1001", "-ei"}, "The value 1001 of -isis is too large, the largest allowed is 1000.\n" + hint},
        {{"-i", "a", "-sbi.max=+"}, "The value + of -sbi.max is not a number.\n" + hint},
        {{"-i", "a", "-l", "1e3"}, "The value 1e3 of -l is not a number.\n" + hint},
        {{"-i", "a", "-is", "3x"}, "The value 3x of -is is not a number.\n" + hint},
        {{"-i", "a", "-milipl", "\x1b[0m"}, "The value \\x1b[0m of -milipl is not a number.\n" + hint},
        {{"-i", "a", "-ps=-1"}, "Padding size -1 is negative which is an incorrect value.\n" + hint},
        {{"-i", "a", "-is=-1"}, "Indent size -1 is negative which is an incorrect value.\n" + hint},
        {{"-i", "a", "-il2", "-3"}, "Indent size -3 of level 2 is negative which is an incorrect value.\n" + hint},
        {{"-i", "a", "-il1001=2"}, "Indent level 1001 is too large, the highest level is 1000.\n" + hint},
        {{"-i", "a", "-il99999999999999999999"},
         "Indent level 99999999999999999999 is too large, the highest level is 1000.\n" + hint},
        {{"-i", "a", "-b=-1"}, "Maximum versions -1 is negative which is an incorrect value.\n" + hint},
        {{"-i", "a", "-t", ""}, "Tab size  is not correct, every tab width must be 1 or more.\n" + hint},
        {{"-i", "a", "-t", "4,0"}, "Tab size 4,0 is not correct, every tab width must be 1 or more.\n" + hint},
        {{"-i", "a", "-t", "-4"}, "Tab size -4 is not correct, every tab width must be 1 or more.\n" + hint},
        {{"-i", "a", "-cs", "xx"}, "Character set XX is not correct or not supported.\n" + hint},
        {{"-io", "a", "-html"}, "-io and -html cannot be used at the same time.\n\n" + hint},
        {{"-i", "a", "-pp.D=bad"},
         "the argument of macro definition (bad) is not correct, should be like macroname=value\n\n" + hint},
        {{"-i", "x.txt", "-ae=sql"},
         "The file x.txt with extension txt is not allowed/skipped as specified.\nAll files skipped. Nothing is done.\n"},
        {{"-i", "a.sql", "-ef", "a.sql"}, "All files skipped. Nothing is done.\n"},
        {{"-h", "-i"}, ""},
        {{"--help"}, ""},
        {{"-i", "-sdw"}, printswitches(defaults, 0) + "\n", "0\n"},
        {{"-i", "a", "-swc"}, "\n", "0\n"},
        {{"-i", "a", "-sw"}, printswitches(defaults, 0) + "\n", "0\n"},
        {{"-i", "a", "-sw", "-gsfif"}, "", ""},
    };
    for (const errorcase& c : cases) {
        parsed p = parse(c.arguments);
        std::string label = testing::PrintToString(c.arguments);
        EXPECT_EQ(p.thrown, c.thrown) << label;
        EXPECT_EQ(p.args.messages.text, c.messages) << label;
    }
}

namespace {

// A switch of the table with a value: the word that gives it, the name its messages use.
struct valueswitch {
    std::string word;
    std::string name;
    switchkind kind;
    numberrange range;
    int32_t settings::*number;
    std::vector<int32_t> settings::*numbers;
    std::string settings::*text;
    bool setter;  // a setter takes the value, and may change it on the way to the field
};

std::vector<valueswitch> valueswitches() {
    std::vector<valueswitch> switches;
    for (const switchrow& r : switchrows()) {
        if (r.kind == novaluekind) continue;
        const std::string name = r.name;
        // -il takes its level in the word.
        switches.push_back(
            {name == "-il" ? "-il1" : name, name, r.kind, r.range, r.number, r.numbers, r.text, r.apply != nullptr});
    }
    for (const auto& [name, object] : switchobjects)
        if (object.kind == numberkind || object.kind == numberfieldkind)
            switches.push_back(
                {"-" + name, "-" + name, numberkind, object.range, object.field, nullptr, nullptr, true});
    return switches;
}

bool hasfieldcase(const std::string& word) {
    for (const fieldcase& c : fieldcases())
        for (const std::string& argument : c.arguments)
            if (argument == word || argument.rfind(word + "=", 0) == 0) return true;
    return false;
}

}  // namespace

// Every number switch takes both ends of its range and refuses one past each, and a value
// reaches the field its row names; valuesreachtheirfields says which field that must be.
TEST_F(commandline, everyswitchofthetabletakesitsrangeintoitsfield) {
    for (const valueswitch& v : valueswitches()) {
        if (v.kind == numberkind || v.text != nullptr) {
            EXPECT_TRUE(hasfieldcase(v.word)) << v.word;
        }
        if (v.kind == stringkind) {
            if (v.text == nullptr || v.setter) continue;
            parsed p = parse({"-i", "a", v.word, "given"});
            EXPECT_EQ(p.thrown, "") << v.word << "\n" << p.args.messages.text;
            EXPECT_EQ(p.s.*v.text, "given") << v.word;
            continue;
        }
        for (int64_t bound : {v.range.lowest, v.range.highest}) {
            const std::string value = std::to_string(bound);
            parsed p = parse({"-i", "a", v.word, value});
            EXPECT_EQ(p.thrown, "") << v.word << " " << value << "\n" << p.args.messages.text;
            if (v.number != nullptr) {
                EXPECT_EQ(p.s.*v.number, bound) << v.word;
            }
            if (v.numbers != nullptr) {
                EXPECT_EQ(p.s.*v.numbers, std::vector<int32_t>{static_cast<int32_t>(bound)}) << v.word;
            }
            if (v.text != nullptr) {
                EXPECT_EQ(p.s.*v.text, value) << v.word;
            }
        }
        const std::string above = std::to_string(v.range.highest + 1);
        EXPECT_EQ(parse({"-i", "a", v.word, above}).args.messages.text,
                  "The value " + above + " of " + v.name + " is too large, the largest allowed is " +
                      std::to_string(v.range.highest) + ".\n" + hint);
        parsed below = parse({"-i", "a", v.word + "=" + std::to_string(v.range.lowest - 1)});
        EXPECT_EQ(below.thrown, "2\n") << v.word;
        EXPECT_NE(below.args.messages.text.find(std::to_string(v.range.lowest - 1)), std::string::npos) << v.word;
    }
}

TEST_F(commandline, extensionfilterdropsonlywhatitmust) {
    parsed p = parse({"-ae=sql", "-i", "x.txt", "-i", "y.sql", "-i", "noext", "-i", "z.SQL"});
    EXPECT_EQ(p.thrown, "");
    EXPECT_EQ(p.args.messages.text,
              "The file x.txt with extension txt is not allowed/skipped as specified.\n"
              "The file noext with extension  is not allowed/skipped as specified.\n"
              "The file z.SQL with extension SQL is not allowed/skipped as specified.\n");
    EXPECT_EQ(p.s.inputfiles.at(0), "");
    EXPECT_EQ(p.s.inputfiles.at(1), "y.sql");
    EXPECT_EQ(p.s.outputfiles.at(1), "y.sql.vmq");
    EXPECT_EQ(p.s.inputfiles.at(2), "");
}

TEST_F(commandline, inablockswitchesarerecordednotapplied) {
    parsed p = parse({"-ifs", "select", "-lk", "-uk-", "-rsql", "-isis", "2", "-mcs=80", "-0", "-ei", "-i", "a"});
    ASSERT_EQ(p.thrown, "") << p.args.messages.text;
    EXPECT_EQ(p.s.uk, 1);
    EXPECT_EQ(p.s.lk, 0);
    EXPECT_EQ(p.s.rsql, 0);
    EXPECT_EQ(p.s.isis, 0);
    EXPECT_EQ(p.s.mcs, 0);
    EXPECT_EQ(p.s.b, 40);
    EXPECT_EQ(p.s.inifsblock, 0);
    EXPECT_EQ(p.s.ifskeywords.at("select").index, 0);
    ASSERT_EQ(p.s.ifsblocks.size(), 1u);
    std::vector<std::string> names;
    for (const ifsentry& entry : p.s.ifsblocks[0]) names.push_back(entry.name);
    const std::vector<std::string> expected = {
        "lk", "uk", "ck", "uk", "rsql", "as", "au", "aaw", "aav", "bbj", "bus", "rs", "pius", "plouwh", "isis",
        "iaw", "iu", "ins", "rask", "rsql", "isis", "as", "au", "aaw", "mcs", "0"};
    EXPECT_EQ(names, expected);
    std::vector<int32_t> numbers;
    for (size_t k : {0, 1, 2, 3, 4, 19}) numbers.push_back(p.s.ifsblocks[0][k].number);
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 0, 0, 0, 1, 0}));
}

TEST_F(commandline, alloffoutsideablockemptiesthekeywordtree) {
    parsed p = parse({"-ifs", "select", "-lk", "-ei", "-0", "-i", "a"});
    ASSERT_EQ(p.thrown, "");
    EXPECT_TRUE(p.s.ifskeywords.empty());
    EXPECT_EQ(p.s.ifsblocks.size(), 1u);
}

TEST_F(commandline, configurationfilecomesfirstandisoverridden) {
    write("bin/brelm.cfg", "-uk\n-is 3\n");
    parsed p = parse({"-lk", "-i", "a"});
    ASSERT_EQ(p.thrown, "") << p.args.messages.text;
    EXPECT_EQ(p.s.lk, 1);
    EXPECT_EQ(p.s.uk, 0);
    EXPECT_EQ(p.s.ck, 0);
    EXPECT_EQ(p.s.is, "3");
    EXPECT_EQ(p.args.arguments, (words{"-uk", "-is", "3", "-lk", "-i", "a"}));
}

TEST_F(commandline, showdefaultsinconfigurationendstherunbeforeanyswitch) {
    write("bin/brelm.cfg", "-sdw\n");
    parsed p = parse({"-ps=0"});
    EXPECT_EQ(p.thrown, "0\n");
    EXPECT_EQ(p.args.messages.text, printswitches(defaults, 0) + "\n");
}

TEST_F(commandline, settingsfilewordsstandattheplaceofls) {
    write("f.txt", "-ck\n");
    parsed later = parse({"-ls", "f.txt", "-uk", "-i", "a"});
    ASSERT_EQ(later.thrown, "") << later.args.messages.text;
    EXPECT_EQ(later.s.uk, 1);
    EXPECT_EQ(later.s.ck, 0);
    parsed earlier = parse({"-uk", "-ls=f.txt", "-i", "a"});
    ASSERT_EQ(earlier.thrown, "");
    EXPECT_EQ(earlier.s.ck, 1);
    EXPECT_EQ(earlier.s.uk, 0);
}

TEST_F(commandline, settingsfilesnestandseenothingofthefirstpass) {
    write("outer.txt", "-ls inner.txt -lk -sdw");
    write("inner.txt", "-i a.sql -ck");
    parsed p = parse({"-ls", "outer.txt"});
    ASSERT_EQ(p.thrown, "") << p.args.messages.text;
    EXPECT_EQ(p.s.lk, 1);
    EXPECT_EQ(p.s.ck, 0);
    EXPECT_EQ(p.s.inputfiles.at(0), "a.sql");
    EXPECT_EQ(p.args.messages.text, "Argument -sdw is ignored\n");
}

TEST_F(commandline, settingsfilethatloadsitselfisrefused) {
    write("self.txt", "-uk -ls self.txt");
    parsed direct = parse({"-ls", "self.txt", "-i", "a"});
    EXPECT_EQ(direct.thrown, "2\n");
    EXPECT_EQ(direct.args.messages.text, "Error:settings file self.txt loads itself through -ls\n" + hint);

    write("a.txt", "-ls b.txt");
    write("b.txt", "-ls ./a.txt");
    parsed cycle = parse({"-ls", "a.txt", "-i", "a"});
    EXPECT_EQ(cycle.thrown, "2\n");
    EXPECT_EQ(cycle.args.messages.text, "Error:settings file ./a.txt loads itself through -ls\n" + hint);
}

TEST_F(commandline, settingsfilenestingisbounded) {
    auto name = [](int k) { return std::string("n").append(std::to_string(k)); };
    for (int k = 1; k <= 33; ++k) write(name(k), std::string("-ls ").append(name(k + 1)));
    write("n34", "-i a.sql");
    parsed deep = parse({"-ls", "n1"});
    EXPECT_EQ(deep.thrown, "2\n");
    EXPECT_EQ(deep.args.messages.text, "Error:settings files are nested deeper than 32 levels at n33\n" + hint);
    write("n32", "-i a.sql");
    parsed fits = parse({"-ls", "n1"});
    EXPECT_EQ(fits.thrown, "") << fits.args.messages.text;
    EXPECT_EQ(fits.s.inputfiles.at(0), "a.sql");
}

TEST_F(commandline, settingsfilesamefilemaybeloadedtwiceinsequence) {
    write("f.txt", "-ck");
    parsed p = parse({"-ls", "f.txt", "-ls", "f.txt", "-i", "a"});
    EXPECT_EQ(p.thrown, "") << p.args.messages.text;
}

TEST_F(commandline, missingsettingsfileendstherun) {
    parsed p = parse({"-i", "a", "-ls", "missing.txt"});
    EXPECT_EQ(p.thrown, "could not load settings from missing.txt: No such file or directory\n");
}

TEST_F(commandline, errorfileinamissingdirectoryendstherun) {
    parsed p = parse({"-i", "a", "-e=nodir/err.txt"});
    EXPECT_EQ(p.thrown, "can't redirect stderr to nodir/err.txt:No such file or directory\n");
}

TEST_F(commandline, insourceoptionsignorebackupsextensionsandpaths) {
    settings start = defaults;
    start.inputfiles.at(0) = "a.sql";
    start.outputfiles.at(0) = "a.out";
    start.x = start.v = 1;
    write("f.txt", "-lk");
    parsed p = parsefrom(start,
                         {"-b=3", "-bdir=x", "-ht=t.html", "-ae=sql", "-e=log", "-b", "3", "-i", "b.sql",
                          "-o", "c.sql", "-io=d.sql", "-ef", "a.sql", "-od", "nodir", "-oe=.x", "-ls",
                          "f.txt", "-slsf", "q.txt", "-tag[keyword]=<i>", "-no", "-ck"},
                         0);
    ASSERT_EQ(p.thrown, "") << p.args.messages.text;
    EXPECT_EQ(p.s.b, 40);
    EXPECT_EQ(p.s.bdir, defaults.bdir);
    EXPECT_EQ(p.s.ht, "");
    EXPECT_TRUE(p.s.ae.empty());
    EXPECT_EQ(p.s.e, "");
    EXPECT_EQ(p.s.inputfiles.size(), 1);
    EXPECT_EQ(p.s.outputfiles.at(0), "a.out");
    EXPECT_EQ(p.s.oe, "+.vmq");
    EXPECT_EQ(p.s.lk, 0);
    EXPECT_EQ(p.s.ck, 1);
    EXPECT_EQ(p.s.slsf, "");
    EXPECT_EQ(p.s.tag["keyword"], "<font color=blue>");
    EXPECT_EQ(p.s.x, 0);
    EXPECT_EQ(p.s.v, 0);
    EXPECT_EQ(p.args.messages.text, "");

    parsed bad = parsefrom(start, {"-tag[bogus]=x"}, 0);
    EXPECT_EQ(bad.thrown, "2\n");
}

TEST_F(commandline, recursiveoutputdirectorymirrorsthetree) {
    write("src/a.sql");
    write("src/sub/b.sql");
    std::filesystem::create_directories(root + "/out");
    parsed p = parse({"-ir", "src/*.sql", "-odr=out/"});
    ASSERT_EQ(p.thrown, "") << p.args.messages.text;
    std::map<std::string, std::string> pairs;
    for (int32_t i = 0; i < p.s.inputfiles.size(); ++i) pairs[p.s.inputfiles.at(i)] = p.s.outputfiles.at(i);
    EXPECT_EQ(pairs, (std::map<std::string, std::string>{{"src/a.sql", "out/a.sql.vmq"},
                                                          {"src/sub/b.sql", "out/sub/b.sql.vmq"}}));
    // The folders below out are made when the outputs are written, not while parsing.
    EXPECT_FALSE(std::filesystem::exists(root + "/out/sub"));
    EXPECT_EQ(p.s.outputnamedlengths.at(1), 3);

    parsed flat = parse({"-i", "src/sub/b.sql", "-od", "out", "-oe", ".out"});
    ASSERT_EQ(flat.thrown, "") << flat.args.messages.text;
    EXPECT_EQ(flat.s.outputfiles.at(0), "out/b.out");
}

TEST_F(commandline, maskthatmatchesnothingleavesnoinput) {
    write("a.sql");
    parsed p = parse({"-i", "*.none"});
    EXPECT_EQ(p.thrown, "2\n");
    EXPECT_EQ(p.args.messages.text, "No input file is given: *.none matches no file.\n" + hint);
    parsed excluded = parse({"-i", "a.sql", "-i", "*.none", "-ef", "a.sql"});
    EXPECT_EQ(excluded.args.messages.text, "All files skipped. Nothing is done.\n");
}
