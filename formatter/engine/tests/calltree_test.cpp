// The call tree: calls of routines the source does not define are pruned, names match in any
// case, a routine met again on its own path is marked and not expanded, a call names the
// routine of its body at any depth, and -ct finds the definitions and calls of a text.
#include "enginetesting.h"

#include <sstream>

namespace {

class calltreetest : public testing::Test {
protected:
    void define(const std::string& name, int32_t line) { tree.registerroutine(name, lc(name), "", line); }
    void calls(const std::string& caller, const std::string& name, const std::string& text) {
        tree.registercall(lc(caller), name, text, ++sequence);
    }
    std::string printed() {
        tree.prunecalls();
        std::ostringstream out;
        tree.printcalltree(out, "p.sql");
        return out.str();
    }

    charset ascii{"US7ASCII"};
    calltree tree{ascii};
    int32_t sequence = 0;
};

TEST_F(calltreetest, onlyroutinesofthesourceremain) {
    define("Load", 3);
    calls("Load", "dbms_output.put_line", "('x')");
    calls("Load", "Check_Row", "(r)");
    calls("Load", "raise_application_error", "(-20001, 'no')");
    calls("Load", "CHECK_ROW", "");
    define("check_row", 10);
    EXPECT_EQ(printed(),
              "check_row p.sql:10\n"
              "Load p.sql:3\n"
              "  Check_Row(r) p.sql:10\n"
              "  CHECK_ROW p.sql:10\n");
}

TEST_F(calltreetest, recursionismarkedandnotexpanded) {
    define("a", 1);
    define("b", 5);
    define("c", 9);
    calls("a", "b", "(1)");
    calls("b", "a", "");
    calls("b", "c", "");
    calls("c", "c", "(n - 1)");
    EXPECT_EQ(printed(),
              "a p.sql:1\n"
              "  b(1) p.sql:5\n"
              "    a(recursion) p.sql:1\n"
              "    c p.sql:9\n"
              "      c(n - 1)(recursion) p.sql:9\n"
              "b p.sql:5\n"
              "  a p.sql:1\n"
              "    b(1)(recursion) p.sql:5\n"
              "  c p.sql:9\n"
              "    c(n - 1)(recursion) p.sql:9\n"
              "c p.sql:9\n"
              "  c(n - 1)(recursion) p.sql:9\n");
}

// A block that calls without being a routine of the source is no root of the tree.
TEST_F(calltreetest, callerswithoutadefinitionprintnothing) {
    define("a", 1);
    calls("anonymous", "a", "");
    calls("anonymous", "missing", "(1)");
    EXPECT_EQ(printed(), "a p.sql:1\n");
}

// A call names the routine whose body it stands in, however deep the blocks inside that body
// go, and follows a change of the levels below; each call looks at a few levels only.
TEST_F(calltreetest, callsnametheroutineoftheirbodyatanydepth) {
    constexpr int32_t depth = 3000, inner = 1500;
    linetable stack;
    auto name = [&](int32_t level, const std::string& blockname, const std::string& unit = "") {
        linerecord& r = stack.at(level);
        r.blockname = blockname;
        r.unitname = unit;
    };
    name(1, "procedure", "Outer");
    name(2, "procedurebegin");
    for (int32_t level = 3; level <= depth; ++level) name(level, level % 2 ? "if" : "begin");
    name(inner, "procedure", "Inner");
    name(inner + 1, "procedurebegin");
    auto caller = [&](int32_t level) {
        const calltree::routinelevel at =
            tree.routinelevelat(stack, stack.takelowestchanged(linetable::routinewatcher), level);
        const std::string routine = at.begin >= 0 ? tree.callingroutine(stack, at.body) : "";
        return routine.empty() ? std::string("(none)") : routine;
    };
    int64_t asked = 0;
    for (int32_t level = 1; level <= depth; ++level, ++asked)
        ASSERT_EQ(caller(level), level > inner ? "inner" : level > 1 ? "outer" : "(none)") << level;
    for (int32_t level = depth; level >= 1; --level, ++asked)
        ASSERT_EQ(caller(level), level > inner ? "inner" : level > 1 ? "outer" : "(none)") << level;
    EXPECT_LT(tree.routinesteps(), 8 * asked);
    // The inner body becomes a plain block: its calls belong to the outer routine.
    name(inner + 1, "begin");
    EXPECT_EQ(caller(depth), "outer");
    // The stack put back from a copy in which the inner body is one again.
    linetable copy = stack;
    copy.at(inner + 1).blockname = "procedurebegin";
    stack = copy;
    EXPECT_EQ(caller(depth), "inner");
}

// -ct over a text: definitions after PROCEDURE and FUNCTION, calls with and without brackets,
// a qualified name, and calls of routines the text does not define left out; the calls of
// rows that alignment lays out again are listed once.
TEST_F(calltreetest, thetreeofatext) {
    const std::string text =
        "create or replace procedure Load_Row(n number) is\n"
        "begin\n"
        "  if n > 0 then\n"
        "    Check_Row(n);\n"
        "  end if;\n"
        "  ok := check_row(n);\n"
        "  ok2 := check_row(n + 1);\n"
        "  dbms_output.put_line('x');\n"
        "  tidy;\n"
        "end;\n"
        "/\n"
        "create or replace function check_row(n number) return boolean is\n"
        "begin\n"
        "  return check_row(n - 1);\n"
        "end;\n"
        "/\n"
        "create or replace procedure tidy is\n"
        "begin\n"
        "  null;\n"
        "end;\n"
        "/\n";
    for (const enginetesting::strictset& set : std::vector<enginetesting::strictset>{
             {"defaults", {}}, {"alignment under a column limit", enginetesting::alignedunderlimit}}) {
        settings s = enginetesting::defaultsettings();
        if (set.adjust) set.adjust(s);
        s.ct = 1;
        s.inputfile = s.inputfilealias = "input.sql";
        s.outputfile = s.outputfilealias = "output.sql";
        messagestream messages;
        messages.stringmode = 1;
        std::ostringstream listing;
        formattedtext result = formattext(s, enginetesting::noswitches(), text, messages, listing);
        EXPECT_FALSE(result.formatted) << set.label;
        EXPECT_EQ(listing.str(),
                  "check_row input.sql:12\n"
                  "  check_row(n - 1)(recursion) input.sql:12\n"
                  "Load_Row input.sql:1\n"
                  "  Check_Row(n) input.sql:12\n"
                  "    check_row(n - 1)(recursion) input.sql:12\n"
                  "  check_row(n) input.sql:12\n"
                  "    check_row(n - 1)(recursion) input.sql:12\n"
                  "  check_row(n + 1) input.sql:12\n"
                  "    check_row(n - 1)(recursion) input.sql:12\n"
                  "  tidy input.sql:17\n"
                  "tidy input.sql:17\n")
            << set.label;
    }
}

}  // namespace
