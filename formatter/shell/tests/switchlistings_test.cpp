// Switches written as settings text: piece order, quoting that the splitter reads back,
// conditional blocks and the annotated form.
#include "switchlistings.h"

#include "charsets.h"
#include "commandline.h"
#include "formatter.h"
#include "ifsblocks.h"
#include "settingsfiles.h"
#include "support.h"
#include "switchfixture.h"

#include <algorithm>
#include <functional>

namespace {

using words = std::vector<std::string>;

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";

std::string blanks(size_t count) { return std::string(count, ' '); }

class switchlistings : public switchfixture {
protected:
    void SetUp() override {
        switchfixture::SetUp();
        buildcharsettables();
    }

    words pieces() { return switchpieces(s); }

    // The words that follow the first word equal to name when the text is split again.
    std::string valueafter(const std::string& name) {
        words split = splitsettingstext(printswitches(s, 0));
        auto found = std::find(split.begin(), split.end(), name);
        if (found == split.end() || found + 1 == split.end()) return "<missing>";
        return *(found + 1);
    }

    bool has(const std::string& piece) {
        words all = pieces();
        return std::find(all.begin(), all.end(), piece) != all.end();
    }

    // A record whose only block holds what the parser records for the words.
    settings recordinblock(const words& given) {
        settings record = s;
        commandlineargs args(1);
        args.arguments = {"-ifs", "select"};
        args.arguments.insert(args.arguments.end(), given.begin(), given.end());
        args.arguments.push_back("-ei");
        try {
            parsecommandline(args, record, 0);
        } catch (const std::string&) {
        }
        EXPECT_EQ(args.messages.text, "No input file is given.\n" + hint);
        return record;
    }

    // Opens a block for keywords through the -ifs handler, runs body in it, closes it.
    void block(const std::string& keywords, const std::function<void()>& body) {
        ASSERT_EQ(ifshandler(keywords, s), "");
        body();
        s.inifsblock = 0;
    }
};

}  // namespace


TEST_F(switchlistings, verboseisshownwithoutsignandthelistingswitchesnever) {
    EXPECT_FALSE(has("-v "));
    s.sw = s.swx = 1;
    s.v = 1;
    EXPECT_TRUE(has("-v "));
    EXPECT_FALSE(has("-sw+ "));
    EXPECT_FALSE(has("-swx+ "));
    s.v = 2;
    EXPECT_FALSE(has("-v "));
}

TEST_F(switchlistings, valuesofthesettingsappearintheirpieces) {
    s.t = {4, 8};
    s.mcs = 100;
    s.cs = "WE8ISO8859P1";
    s.sbi = 1;
    s.sbi_ml = 5;
    s.sic = 1;
    s.si = {{"empno", "EmpNo"}, {"ab", "aB"}, {"dname", "DName"}};
    s.pp_I = {"inc", "lib"};
    s.pp_pf = {"pre.sql"};
    s.pp_D = {{"B", "2"}, {"A", "1"}};
    words all = pieces();
    std::string text = join(all, "");
    EXPECT_NE(text.find("-t 4,8 -mcs 100 "), std::string::npos);
    EXPECT_NE(text.find("-cs WE8ISO8859P1 "), std::string::npos);
    EXPECT_NE(text.find("-eiib 0 -sbi.m \"of block:\" -sbi.ml 5 -sbi.max 40 -sic.m \"<-\" -isis 0 "
                        "-si DName -si EmpNo -si aB -aav- "),
              std::string::npos);
    EXPECT_NE(text.find("-pp.I \"inc\" -pp.I \"lib\" -pp.pf \"pre.sql\" -pp.D \"A=1\" -pp.D \"B=2\" "),
              std::string::npos);
    s.t.clear();
    EXPECT_EQ(pieces()[1], "-t  ");
}

TEST_F(switchlistings, changedmarkersarewrittenevenwiththeirflagoff) {
    s.sbi_m = "end:";
    s.sic_m = "=>";
    std::string text = printswitches(s, 0);
    EXPECT_NE(text.find("-sbi.m \"end:\" -sic.m \"=>\" -isis"), std::string::npos);
    s.sbi_m = "of block:";
    s.sbi_max = 10;
    EXPECT_NE(printswitches(s, 0).find("-eiib 0 -sbi.max 10 -sic.m"), std::string::npos);
}

TEST_F(switchlistings, quotedvaluessplitbacktothesametext) {
    const char* values[] = {
        "of block:", "", "two words", "say \"hi\"", "\"", "\"\"", "ends in \\", "\\", "a\\\"b",
        "\\\"", "x\\\"\"y", "tab\there", "line\nbreak", "-- not a comment", "\\\\", "back\\\\\"q",
    };
    for (const char* value : values) {
        s.sbi = 1;
        s.sbi_m = value;
        EXPECT_EQ(valueafter("-sbi.m"), value);
        s.pp_I = {value};
        EXPECT_EQ(valueafter("-pp.I"), value);
        s.tag["keyword"] = value;
        EXPECT_EQ(valueafter("-tag[keyword]"), value);
    }
}

TEST_F(switchlistings, barevaluesgetquotesonlywhentheywouldnotsplitback) {
    struct row {
        const char* look;
        const char* piece;
    } rows[] = {
        {"EmpNo", "-si EmpNo "},
        {"\"Mixed Case\"", "-si \"\"\"Mixed Case\"\"\" "},
        {"--x", "-si \"--x\" "},
        {"a-b", "-si a-b "},
        {"", "-si \"\" "},
    };
    for (const row& r : rows) {
        s.si = {{lc(r.look), r.look}};
        EXPECT_TRUE(has(r.piece)) << r.look;
        EXPECT_EQ(valueafter("-si"), r.look);
    }
    s.is = "3 t";
    EXPECT_EQ(pieces()[0], "-is \"3 t\" ");
}


TEST_F(switchlistings, blocksarewrittendepthfirstonebyone) {
    block("select", [&] { setfield(&settings::uk, 0, s); });
    block("SELECT into", [&] { recordtext("0", "", s); });
    block("create procedure", [&] { setnumber(&settings::isis, 3, s); });
    words text = ifstreetext(s.ifskeywords, s, "");
    EXPECT_EQ(text, (words{"-ifs \"create procedure\" ", "-isis 3 ", "-ei ", "-ifs \"select\" ", "-uk- ",
                           "-ei ", "-ifs \"select into\" ", "-0 ", "-ei "}));
    words all = pieces();
    EXPECT_TRUE(std::equal(text.rbegin(), text.rend(), all.rbegin()));
}


TEST_F(switchlistings, blockswitchesarewrittenastheyweregiven) {
    struct row {
        words given;
        words written;
    } rows[] = {
        // A flag of an exclusive group switches its partners off in the block: they are listed.
        {{"-rsql", "-al-", "-ck"}, {"-rsql+ ", "-al- ", "-ck+ ", "-uk- ", "-lk- "}},
        {{"-eiib", "3", "-brei", "2", "-brei", "0", "-eiib=0"}, {"-eiib 3 ", "-brei 2 ", "-eiib 0 ", "-eiib 0 "}},
        {{"-as", "-isis", "4", "-isis", "0", "-iaw+"}, {"-as+ ", "-isis 4 ", "-isis 0 ", "-iaw+ "}},
        {{"-ai", "-ol", "-ci+", "-ui-", "-pl", "-mcs", "70", "-0", "-uts"},
         {"-ai+ ", "-ol+ ", "-ci+ ", "-ui- ", "-li- ", "-pl+ ", "-plo- ", "-mcs 70 ", "-0 ", "-uts+ ", "-ut- "}},
    };
    for (const row& r : rows) {
        settings given = recordinblock(r.given);
        ASSERT_EQ(given.ifsblocks.size(), 1u);
        words written = ifsblockswitchtext(given, 0);
        EXPECT_EQ(written, r.written) << r.given[0];
        settings again = recordinblock(splitsettingstext(join(written, "")));
        EXPECT_EQ(ifsblockswitchtext(again, 0), written);
        // Loaded back, the pieces switch the same settings as the switches given.
        settings appliedgiven, appliedagain;
        setdefaults(appliedgiven);
        setdefaults(appliedagain);
        appliedgiven.ifsblocks = given.ifsblocks;
        appliedagain.ifsblocks = again.ifsblocks;
        formatter::applyifsblock(appliedgiven, 0);
        formatter::applyifsblock(appliedagain, 0);
        appliedgiven.ifsblocks.clear();
        appliedagain.ifsblocks.clear();
        EXPECT_EQ(printswitches(appliedagain, 0), printswitches(appliedgiven, 0)) << r.given[0];
    }
}

TEST_F(switchlistings, theswitchesofagroupflaginablockarelisted) {
    settings given = recordinblock({"-lk"});
    EXPECT_EQ(ifsblockswitchtext(given, 0), (words{"-lk+ ", "-uk- ", "-ck- "}));
    // Given once more, the partners switched off already add nothing.
    given = recordinblock({"-lk", "-uk-", "-ck-", "-lk+"});
    EXPECT_EQ(ifsblockswitchtext(given, 0), (words{"-lk+ ", "-uk- ", "-ck- ", "-lk+ ", "-uk- ", "-ck- "}));
    given = recordinblock({"-ui", "-0", "-ci-"});
    EXPECT_EQ(ifsblockswitchtext(given, 0), (words{"-ui+ ", "-ci- ", "-li- ", "-0 ", "-ci- "}));
}


TEST_F(switchlistings, annotatedlinesshareonecolumn) {
    words input = {"-uk+ ", "-isc- ", "-0 ", "-pp.D \"A=1\" ", "-pp.pf \"x\" "};
    EXPECT_EQ(annotateswitches(input, 0),
              "-uk+" + blanks(8) + "-- -uk[+-]" + blanks(8) + "uppercase keywords yes/no\n" +
              "-isc-" + blanks(7) + "-- -isc2[+-]" + blanks(6) + "indent standalone comments in some special cases too\n" +
              "-0" + blanks(10) + "-- -0" + blanks(13) + "sets all switches to off\n" +
              "-pp.D \"A=1\" -- -pp.D macro=value define macros\n" +
              "-pp.pf \"x\"" + blanks(2) + "-- -pp.pf filename preload this file\n");
    std::string wider = annotateswitches(input, 1);
    EXPECT_EQ(wider.substr(0, 15), "-uk+" + blanks(9) + "--");
    EXPECT_EQ(std::count(wider.begin(), wider.end(), '\n'), 5);
    EXPECT_EQ(annotateswitches({}, 0), "");
}

TEST_F(switchlistings, helplinesmovetheirdescriptiontothesixteenthcolumn) {
    struct row {
        const char* name;
        std::string line;
    } rows[] = {
        {"uk", "-- -uk[+-]" + blanks(8) + "uppercase keywords yes/no\n"},
        {"mcs", "-- -mcs size" + blanks(6) + "maximum allowed size of columns\n"},
        {"ins", "-- -ins[+-]" + blanks(7) + "extra indentation after selects\n"},
        {"tag", "-- -tag\\[type\\] tags use html tags for token type\n"},
        {"pp", "-- -pp[+-]" + blanks(8) + "preprocess(yes/no)\n"},
        {"sbi.max", "-- -sbi.max chars maximum characters to show from the start of the block\n"},
        {"io", "-- \n"},
    };
    for (const row& r : rows) EXPECT_EQ(helplinefor(r.name), r.line) << r.name;
}

TEST_F(switchlistings, everywrittenpiecehasahelpline) {
    s.sbi = s.sic = s.v = 1;
    s.si = {{"x", "X"}};
    s.pp_I = {"i"};
    s.pp_pf = {"p"};
    s.pp_D = {{"A", "1"}};
    block("select", [&] { recordtext("0", "", s); });
    for (const std::string& piece : pieces())
        EXPECT_EQ(helpbykey.count(switchnamefromtext(piece)), 1u) << piece;
}

