// The call tree: calls of routines the source does not define are pruned, names match in any
// case, and a routine met again on its own path is marked and not expanded.
#include "enginetesting.h"

namespace {

class calltree : public testing::Test {
protected:
    void SetUp() override {
        enginetesting::usecharset("US7ASCII");
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

}  // namespace
