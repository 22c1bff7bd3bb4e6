// Line indentation: the indenter's columns of a block depth under the indentation switches and
// the sums it keeps, and the formatter's indentation text in blanks or TABs.
#include "enginetesting.h"

#include <functional>

namespace {

struct level {
    std::string name;
    int32_t startcolumn = 0;
    char extraindent = 1;
    char hasif = 0;
    char isasreached = 1;
};

struct indentcase {
    std::string what;
    std::vector<level> levels;   // levels 1, 2, ...
    int32_t depth;
    bool nice;
    std::function<void(settings&)> adjust;
    int32_t columns;
};

// A block stack that holds the levels, the settings, and an indenter over them, asked as the
// formatter asks it.
struct indentsetup {
    indentsetup(const std::vector<level>& levels, const std::function<void(settings&)>& adjust)
        : s(enginetesting::defaultsettings()) {
        if (adjust) adjust(s);
        int32_t index = 0;
        for (const level& l : levels) {
            linerecord& r = blockstack.at(++index);
            r.blockname = l.name;
            r.startcolumn = l.startcolumn;
            r.extraindent = l.extraindent;
            r.hasif = l.hasif;
            r.isasreached = l.isasreached;
        }
    }
    int32_t computeindent(int32_t depth, bool nice) {
        return indenter.computeindent(s, blockstack, blockstack.takelowestchanged(linetable::indentwatcher), depth,
                                      nice);
    }

    settings s;
    linetable blockstack;
    lineindenter indenter;
};

class lineindent : public testing::Test {
protected:

    // A formatter whose block stack holds the levels.
    static void prepare(formatter& f, const std::vector<level>& levels,
                        const std::function<void(settings&)>& adjust) {
        indentsetup setup(levels, adjust);
        f.s = setup.s;
        f.buildtabstops(f.s.t);
        f.blocks.blockstack = setup.blockstack;
        f.blocks.blocklevel = static_cast<int32_t>(levels.size());
    }
};

TEST_F(lineindent, columnsofablockdepth) {
    auto none = std::function<void(settings&)>();
    for (const indentcase& c : std::vector<indentcase>{
             {"outside blocks", {}, 0, false, none, 0},
             {"each level adds the indent size", {{"begin"}, {"if"}, {"loop"}}, 3, false, none, 6},
             {"a shallower depth counts its own levels", {{"begin"}, {"if"}, {"loop"}}, 1, false, none, 2},
             {"-is sets the size", {{"begin"}, {"if"}}, 2, false, [](settings& s) { s.is = numtostring(3); }, 6},
             {"-il gives one level its own size", {{"begin"}, {"if"}}, 2, false,
              [](settings& s) { s.is = numtostring(3); s.il.at(2) = 8; }, 11},
             {"a DECLARE without -id indents nothing", {{"declare", 0, 0}, {"begin"}}, 2, false, none, 2},
             {"-iibe- leaves begin bodies alone", {{"begin"}, {"if"}}, 2, false,
              [](settings& s) { s.iibe = 0; }, 2},
             {"-iibe- counts every kind of begin", {{"procedure", 0, 0}, {"procedurebegin"}}, 2, false,
              [](settings& s) { s.iibe = 0; }, 0},
             {"-iac- leaves a cursor alone", {{"declare", 0, 0}, {"cursor"}}, 2, false,
              [](settings& s) { s.iac = 0; }, 0},
             {"an IF after ELSE indents only with -iiie", {{"begin"}, {"if", 2, 1, 1}, {"if"}}, 3, false, none, 4},
             {"-iiie indents it too", {{"begin"}, {"if", 2, 1, 1}, {"if"}}, 3, false,
              [](settings& s) { s.iiie = 1; }, 6},
             {"a header waiting for IS or AS", {{"procedure", 0, 1, 0, 0}}, 1, false, none, 0},
             {"-ni indents from the column of the IF", {{"begin"}, {"if", 10}}, 2, true,
              [](settings& s) { s.is = numtostring(3); }, 13},
             {"-ni: levels inside the IF add to it", {{"begin"}, {"while", 10}, {"loop"}}, 3, true,
              [](settings& s) { s.is = numtostring(3); }, 16},
             {"-ni: the line that closes the IF lines up with it", {{"begin"}, {"if", 10}}, 1, true,
              [](settings& s) { s.is = numtostring(3); }, 10},
             {"-ni: an IF just above depth 0", {{"if", 6}}, 0, true, none, 6},
             {"-ni does nothing for other blocks", {{"begin"}, {"loop", 10}}, 2, true, none, 4},
             {"a negative size counts as 0", {{"begin"}, {"if"}}, 2, false,
              [](settings& s) { s.is = numtostring(-3); s.il.at(1) = -5; }, 0},
             {"a negative depth", {{"begin"}}, -1, true, none, 0},
         }) {
        indentsetup setup(c.levels, c.adjust);
        EXPECT_EQ(setup.computeindent(c.depth, c.nice), c.columns) << c.what;
    }
}

// The sums kept from one line to the next follow every change of the records and settings
// they come from: the indent equals that of a formatter set up afresh.
TEST_F(lineindent, keptsumsfollowchanges) {
    const std::vector<level> levels{{"begin"}, {"if", 10}, {"loop"}, {"begin"}, {"if", 20, 1, 1}, {"loop"}};
    struct change {
        std::string what;
        std::function<void(indentsetup&)> apply;
    };
    for (const change& c : std::vector<change>{
             {"a low level's indent step goes", [](indentsetup& f) { f.blockstack.at(1).extraindent = 0; }},
             {"a low level becomes an IF", [](indentsetup& f) { f.blockstack.at(2).blockname = "while"; }},
             {"the stack is put back from a copy",
              [](indentsetup& f) {
                  linetable copy = f.blockstack;
                  copy.at(3).isasreached = 0;
                  f.blockstack = copy;
              }},
             {"the indent size changes", [](indentsetup& f) { f.s.is = numtostring(5); }},
             {"-iiie is switched on", [](indentsetup& f) { f.s.iiie = 1; }},
             {"-iibe is switched off", [](indentsetup& f) { f.s.iibe = 0; }},
             {"a level size is set with the settings replaced",
              [](indentsetup& f) {
                  f.s.il.at(2) = 7;
                  f.indenter.forgetindentsums();
              }},
         }) {
        for (bool nice : {false, true}) {
            indentsetup kept(levels, nullptr);
            for (int32_t depth = 0; depth <= 6; ++depth) kept.computeindent(depth, nice);
            c.apply(kept);
            indentsetup fresh(levels, nullptr);
            c.apply(fresh);
            for (int32_t depth = 6; depth >= 0; --depth)
                EXPECT_EQ(kept.computeindent(depth, nice), fresh.computeindent(depth, nice))
                    << c.what << (nice ? " -ni" : "") << " depth " << depth;
        }
    }
}

// Thousands of nested levels, opened and closed one by one with a line at each: each line
// looks at a few levels, not at every level below it.
TEST_F(lineindent, deepnestinglooksatafewlevelsperline) {
    constexpr int32_t depth = 3000;
    indentsetup f({}, nullptr);
    int64_t total = 0;
    for (int32_t d = 1; d <= depth; ++d) {
        linerecord& r = f.blockstack.at(d);
        r.blockname = d % 2 ? "loop" : "if";
        r.extraindent = 1;
        total += f.computeindent(d, 0);
    }
    const int32_t step = stringtonum(f.s.is);
    ASSERT_GT(step, 0);
    for (int32_t d = depth; d >= 1; --d) {
        f.blockstack.at(d + 1) = linerecord();
        ASSERT_EQ(f.computeindent(d, 0), step * d) << d;
    }
    EXPECT_GT(total, 0);
    EXPECT_LT(f.indenter.indentsteps(), 8 * 2 * depth);
}

TEST_F(lineindent, indentationtextinblanksortabs) {
    struct textcase {
        std::string what;
        std::function<void(settings&)> adjust;
        std::string text;
    };
    std::vector<level> fivelevels{{"begin"}, {"if"}, {"loop"}, {"if"}, {"case"}};
    for (const textcase& c : std::vector<textcase>{
             {"blanks", [](settings&) {}, std::string(10, ' ')},
             {"-ut drops the columns a TAB does not fill", [](settings& s) { s.ut = 1; s.t = {8}; }, "\t"},
             {"-uts fills them with blanks", [](settings& s) { s.uts = 1; s.t = {8}; }, "\t  "},
             {"TABs of the listed widths first", [](settings& s) { s.ut = 1; s.t = {3, 4}; }, "\t\t"},
             {"then TABs of the last width", [](settings& s) { s.uts = 1; s.t = {2, 3}; }, "\t\t\t  "},
         }) {
        formatter f;
        prepare(f, fivelevels, c.adjust);
        EXPECT_EQ(f.indentline(5, 0), c.text) << c.what;
    }
}

}  // namespace
