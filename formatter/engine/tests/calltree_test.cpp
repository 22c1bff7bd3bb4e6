// The call tree: calls of routines the source does not define are pruned, names match in any
// case, and a routine met again on its own path is marked and not expanded.
#include "enginetesting.h"

namespace {

class calltree : public testing::Test {
protected:
    void SetUp() override {
        f.s = enginetesting::defaultsettings();
        f.s.inputfilealias = "p.sql";
    }
    routinerecord& define(const std::string& name, int line) {
        std::string key = lc(name);
        f.routinedefinitions[key] = std::to_string(line);
        auto record = std::make_shared<routinerecord>(1);
        record->name = name;
        f.routines[key] = record;
        f.routinenames.push_back(key);
        return *record;
    }
    static void calls(routinerecord& caller, const std::string& name, const std::string& text) {
        caller.callednames.push_back(name);
        caller.callplaces.push_back(text);
    }
    std::string printed(const std::vector<std::string>& units) {
        testing::internal::CaptureStdout();
        f.printcalltree(units);
        return testing::internal::GetCapturedStdout();
    }

    formatter f;
};

TEST_F(calltree, onlyroutinesofthesourceremain) {
    routinerecord& load = define("Load", 3);
    calls(load, "dbms_output.put_line", "('x')");
    calls(load, "Check_Row", "(r)");
    calls(load, "raise_application_error", "(-20001, 'no')");
    calls(load, "CHECK_ROW", "");
    define("check_row", 10);
    f.prunecalls();
    EXPECT_EQ(load.callednames, (std::vector<std::string>{"Check_Row", "CHECK_ROW"}));
    EXPECT_EQ(load.callplaces, (std::vector<std::string>{"(r)", ""}));
    EXPECT_EQ(printed({"check_row", "load"}),
              "check_row p.sql:10\n"
              "Load p.sql:3\n"
              "  Check_Row(r) p.sql:10\n"
              "  CHECK_ROW p.sql:10\n");
}

TEST_F(calltree, recursionismarkedandnotexpanded) {
    routinerecord& a = define("a", 1);
    routinerecord& b = define("b", 5);
    routinerecord& c = define("c", 9);
    calls(a, "b", "(1)");
    calls(b, "a", "");
    calls(b, "c", "");
    calls(c, "c", "(n - 1)");
    f.prunecalls();
    EXPECT_EQ(printed({"a", "b", "c"}),
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

TEST_F(calltree, unitswithoutadefinitionprintnothing) {
    routinerecord& a = define("a", 1);
    calls(a, "a", "");
    auto caller = std::make_shared<routinerecord>(0);
    caller->callednames = {"a"};
    caller->callplaces = {""};
    f.routines["anonymous"] = caller;
    f.routinenames.push_back("anonymous");
    f.prunecalls();
    EXPECT_EQ(printed({"anonymous", "missing"}), "");
}

// A call names the routine whose body it stands in, however deep the blocks inside that body
// go, and follows a change of the levels below; each call looks at a few levels only.
TEST_F(calltree, callsnametheroutineoftheirbodyatanydepth) {
    constexpr int32_t depth = 3000, inner = 1500;
    f.s.ct = 1;
    f.resettokencontext();
    f.tokenize("load_row(1);\n");
    f.appendendtokens();
    f.currenttoken = std::next(f.tokens.begin());
    auto name = [&](int32_t level, const std::string& blockname, const std::string& unit = "") {
        linerecord& r = f.blocks.blockstack.at(level);
        r.blockname = blockname;
        r.unitname = unit;
    };
    name(1, "procedure", "Outer");
    name(2, "procedurebegin");
    for (int32_t level = 3; level <= depth; ++level) name(level, level % 2 ? "if" : "begin");
    name(inner, "procedure", "Inner");
    name(inner + 1, "procedurebegin");
    auto caller = [&](int32_t level) {
        f.blocks.blocklevel = level;
        f.routines.clear();
        f.registerdeclaration();
        return f.routines.size() == 1 ? f.routines.begin()->first : std::string("(none)");
    };
    int64_t asked = 0;
    for (int32_t level = 1; level <= depth; ++level, ++asked)
        ASSERT_EQ(caller(level), level > inner ? "inner" : level > 1 ? "outer" : "(none)") << level;
    for (int32_t level = depth; level >= 1; --level, ++asked)
        ASSERT_EQ(caller(level), level > inner ? "inner" : level > 1 ? "outer" : "(none)") << level;
    EXPECT_LT(f.routinesteps(), 8 * asked);
    // The inner body becomes a plain block: its calls belong to the outer routine.
    name(inner + 1, "begin");
    EXPECT_EQ(caller(depth), "outer");
    // The stack put back from a copy in which the inner body is one again.
    linetable copy = f.blocks.blockstack;
    copy.at(inner + 1).blockname = "procedurebegin";
    f.blocks.blockstack = copy;
    EXPECT_EQ(caller(depth), "inner");
}

}  // namespace
