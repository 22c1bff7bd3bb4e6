// The aligned-list rule token by token: where a list starts and at which column, the
// requests of BY and WITH, the set operators, -isis indentation and the stack operations.
#include "alignmenttesting.h"

#include <functional>

namespace {

// A formatter over a text whose tokens are handed to the select-alignment rule one by one.
class listbench {
public:
    explicit listbench(const std::string& text, const std::function<void(settings&)>& adjust = {}) {
        enginetesting::preparerules(f, text, adjust);
        next = f.tokens.begin();
    }

    // Runs the rule on every token up to and including the n-th one with this text.
    void through(const std::string& text, int n = 1) {
        for (; next != f.tokens.end(); ++next) {
            step(next);
            if (next->text() == text && --n == 0) {
                ++next;
                return;
            }
        }
        ADD_FAILURE() << "no token " << text;
    }

    formatter f;

private:
    void step(position t) {
        f.currenttoken = t;
        f.currentword = t->text();
        f.alignselects();
    }
    position next;
};

void asflag(settings& s) { s.as = 1; }

TEST(alignedlists, theitemsstartatthefirstitemorablankafterthekeyword) {
    struct row {
        std::string text;
        std::string item;   // the first item: the list has started there
        int32_t column;     // its 0-based column
    } rows[] = {
        // SELECT ends its line: one blank after the keyword, not the column of the item.
        {"SELECT\n      ename,\n      sal\n  FROM emp", "ename", 7},
        {"  SELECT\n ename", "ename", 9},
        // The first item on the keyword's line: its own column.
        {"SELECT  ename, sal FROM emp", "ename", 8},
        // A comment does not start the list; the item after it does.
        {"SELECT /* all */ ename FROM emp", "ename", 17},
        {"SELECT -- all\n  ename FROM emp", "ename", 7},
    };
    for (const row& r : rows) {
        listbench bench(r.text, asflag);
        bench.through(r.item);
        EXPECT_EQ(bench.f.alignment.alistlevel, 1) << r.text;
        EXPECT_EQ(bench.f.alignment.processingalignedlist, 1) << r.text;
        EXPECT_EQ(bench.f.alignment.alignmentrequested, 0) << r.text;
        EXPECT_EQ(bench.f.alignment.alistcol, r.column) << r.text;
        EXPECT_EQ(bench.f.alignment.alignedlists.at(1).word, "select") << r.text;
        EXPECT_EQ(bench.f.alignment.alignedlists.at(1).column, r.column) << r.text;
    }
}

TEST(alignedlists, distinctasksforalistofitsown) {
    listbench bench("SELECT DISTINCT ename, sal FROM emp", asflag);
    bench.through("DISTINCT");
    EXPECT_EQ(bench.f.alignment.alistcol, 7);
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 1);
    EXPECT_EQ(bench.f.alignment.alignmentword, "distinct");
    bench.through("ename");
    EXPECT_EQ(bench.f.alignment.alistcol, 16);
    EXPECT_EQ(bench.f.alignment.alistlevel, 2);
    EXPECT_EQ(bench.f.alignment.alignedlists.at(2).nested, 1);
    EXPECT_EQ(bench.f.alignment.alignedlists.at(1).nested, 0);
}

TEST(alignedlists, intoalignsonlyinafetch) {
    for (const std::string& word : {std::string("fetch"), std::string("select")}) {
        listbench bench("FETCH c INTO l_a, l_b;", asflag);
        bench.f.statement.statementword = word;
        bench.through("INTO");
        EXPECT_EQ(bench.f.alignment.alignmentrequested, word == "fetch" ? 1 : 0) << word;
        bench.through("l_a");
        EXPECT_EQ(bench.f.alignment.alistlevel, word == "fetch" ? 1 : 0) << word;
    }
}

TEST(alignedlists, noloadrequestinsideadeclarationheader) {
    listbench bench("SELECT ename FROM emp", asflag);
    bench.f.statement.indeclarationpart = 1;
    bench.through("ename");
    EXPECT_EQ(bench.f.alignment.alistlevel, 0);
}

TEST(alignedlists, aclausewordreplacesthelist) {
    listbench bench("SELECT ename,\n       sal\n  FROM emp,\n       dept", asflag);
    bench.through("sal");
    EXPECT_EQ(bench.f.alignment.alistcol, 7);
    bench.through("FROM");
    EXPECT_EQ(bench.f.alignment.alistlevel, 0);
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 1);
    EXPECT_EQ(bench.f.alignment.alignmentword, "from");
    bench.through("emp");
    EXPECT_EQ(bench.f.alignment.alistlevel, 1);
    EXPECT_EQ(bench.f.alignment.alistcol, 7);
    EXPECT_EQ(bench.f.alignment.alignedlists.at(1).word, "from");
}

TEST(alignedlists, orderbywaitsforitsbywithoutisis) {
    listbench bench("SELECT ename FROM emp ORDER BY ename, sal", asflag);
    bench.through("ORDER");
    EXPECT_EQ(bench.f.alignment.awaitby, 1);
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 0);
    bench.through("BY");
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 1);
    EXPECT_EQ(bench.f.alignment.alignmentword, "by");
    bench.through("ename");
    // The FROM list is still open below the BY list.
    EXPECT_EQ(bench.f.alignment.alistlevel, 2);
    EXPECT_EQ(bench.f.alignment.alistcol, 31);
}

TEST(alignedlists, isisindentsinsteadofaligning) {
    auto isis3 = [](settings& s) {
        s.ins = 1;
        s.isis = 3;
    };
    listbench bench("  SELECT ename\n    FROM emp\n   ORDER BY ename", isis3);
    bench.through("SELECT");
    // An indented level at once: the keyword's column + 3, 0-based.
    EXPECT_EQ(bench.f.alignment.alistlevel, 1);
    EXPECT_EQ(bench.f.alignment.alistcol, 5);
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 0);
    bench.through("FROM");
    EXPECT_EQ(bench.f.alignment.alistlevel, 1);
    EXPECT_EQ(bench.f.alignment.alistcol, 7);
    bench.through("ORDER");
    EXPECT_EQ(bench.f.alignment.alistlevel, 2);
    EXPECT_EQ(bench.f.alignment.alistcol, 6);
    EXPECT_EQ(bench.f.alignment.awaitby, 0);
    // START WITH the same way, START without WITH waits.
    listbench start("SELECT ename FROM emp START WITH mgr IS NULL", isis3);
    start.through("START");
    EXPECT_EQ(start.f.alignment.awaitwith, 0);
    EXPECT_EQ(start.f.alignment.alistcol, 25);
    listbench nowith("SELECT ename FROM emp START WITH mgr IS NULL", asflag);
    nowith.through("START");
    EXPECT_EQ(nowith.f.alignment.awaitwith, 1);
    nowith.through("WITH");
    EXPECT_EQ(nowith.f.alignment.alignmentword, "with");
}

TEST(alignedlists, setoperatorsclosethelistanddroptherequest) {
    listbench bench("SELECT ename FROM emp\nUNION\nSELECT dname FROM dept", asflag);
    bench.through("FROM");
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 1);
    bench.through("UNION");
    EXPECT_EQ(bench.f.alignment.processingalignedlist, 0);
    EXPECT_EQ(bench.f.alignment.alignmentrequested, 0);
    EXPECT_EQ(bench.f.alignment.alistlevel, 0);
}

TEST(alignedlists, stackoperations) {
    listbench bench("SELECT ename FROM emp");
    formatter& f = bench.f;
    auto push = [&](int32_t column, int32_t bracket, int32_t block, char nested, const char* word) {
        ++f.alignment.alistlevel;
        alignedlistentry& e = f.alignment.alignedlists.at(f.alignment.alistlevel);
        e.column = column;
        e.bracketlevel = bracket;
        e.blocklevel = block;
        e.nested = nested;
        e.word = word;
    };
    push(4, 0, 1, 0, "select");
    push(10, 1, 1, 1, "from");
    push(12, 1, 2, 1, "where");
    f.popalignedlistsatbracket(1);
    EXPECT_EQ(f.alignment.alistlevel, 1);
    f.popalignedlistsatbracket(1);
    EXPECT_EQ(f.alignment.alistlevel, 1);
    f.popalignedlist();
    f.popalignedlist();
    EXPECT_EQ(f.alignment.alistlevel, 0);

    // A list closed at its block gives the outer list back only when it was nested.
    push(4, 0, 1, 0, "select");
    push(10, 0, 2, 1, "when");
    f.blocks.blocklevel = 2;
    f.alignment.processingalignedlist = 0;
    f.closealignedlistatblock();
    EXPECT_EQ(f.alignment.alistlevel, 1);
    EXPECT_EQ(f.alignment.alistcol, 4);
    EXPECT_EQ(f.alignment.processingalignedlist, 1);
    EXPECT_EQ(f.alignment.alignmentword, "select");
    push(10, 0, 2, 0, "when");
    f.alignment.alistcol = 10;
    f.alignment.processingalignedlist = 0;
    f.closealignedlistatblock();
    EXPECT_EQ(f.alignment.alistlevel, 1);
    EXPECT_EQ(f.alignment.alistcol, 10);
    EXPECT_EQ(f.alignment.processingalignedlist, 0);
    // A list of an outer block stays.
    f.blocks.blocklevel = 3;
    f.closealignedlistatblock();
    EXPECT_EQ(f.alignment.alistlevel, 1);
}

}  // namespace

namespace {

// The continuation lines of the lists, laid out by the list indentation at the columns the
// aligned-list rule sets.
class aligned : public enginetesting::goldenrun {};

TEST_F(aligned, selectlistsandtheclausesafterthem) {
    const std::string query = "BEGIN\n  SELECT ename,\n  sal,\n  comm\n  INTO l_a,\n  l_b, l_c\n"
                              "  FROM emp\n  WHERE empno = 1\n  AND deptno = 2;\nEND;\n";
    verifyall({
        // Each clause word replaces the list; the statement's ";" ends it, so END stays.
        {"-as", [](settings& s) { s.as = 1; }, query,
         "BEGIN\n  SELECT ename,\n         sal,\n         comm\n  INTO l_a,\n       l_b, l_c\n"
         "  FROM emp\n  WHERE empno = 1\n        AND deptno = 2;\nEND;\n"},
        {"defaults", {}, query, query},
        // -ins with -isis indents the lists by 3 from their keyword instead.
        {"-ins -isis=3", [](settings& s) { s.ins = 1; s.isis = 3; }, query,
         "BEGIN\n  SELECT ename,\n     sal,\n     comm\n  INTO l_a,\n     l_b, l_c\n"
         "  FROM emp\n  WHERE empno = 1\n     AND deptno = 2;\nEND;\n"},
    });
}

TEST_F(aligned, updatesetandwherelists) {
    const std::string statements = "BEGIN\n  UPDATE emp\n  SET sal = sal * 1.1,\n  comm = 0\n  WHERE deptno = 10\n"
                                   "  AND job = 'CLERK';\n  DELETE FROM emp\n  WHERE deptno = 20\n  AND sal < 100;\nEND;\n";
    verifyall({
        {"-au", [](settings& s) { s.au = 1; }, statements,
         "BEGIN\n  UPDATE emp\n  SET sal = sal * 1.1,\n      comm = 0\n  WHERE deptno = 10\n"
         "        AND job = 'CLERK';\n  DELETE FROM emp\n  WHERE deptno = 20\n  AND sal < 100;\nEND;\n"},
        {"-aaw", [](settings& s) { s.aaw = 1; }, statements,
         "BEGIN\n  UPDATE emp\n  SET sal = sal * 1.1,\n  comm = 0\n  WHERE deptno = 10\n"
         "        AND job = 'CLERK';\n  DELETE FROM emp\n  WHERE deptno = 20\n        AND sal < 100;\nEND;\n"},
        {"-iu -iaw -isis=2", [](settings& s) { s.iu = 1; s.iaw = 1; s.isis = 2; }, statements,
         "BEGIN\n  UPDATE emp\n  SET sal = sal * 1.1,\n    comm = 0\n  WHERE deptno = 10\n"
         "    AND job = 'CLERK';\n  DELETE FROM emp\n  WHERE deptno = 20\n    AND sal < 100;\nEND;\n"},
        // -iu and -iaw do nothing without -isis.
        {"-iu -iaw", [](settings& s) { s.iu = 1; s.iaw = 1; }, statements, statements},
    });
}

TEST_F(aligned, conditionsandassignments) {
    const std::string block = "BEGIN\n  IF l_a > 0\n  AND l_b > 0 THEN\n  l_x := l_a +\n  l_b;\n  END IF;\n"
                              "  WHILE l_x > 0\n  AND l_y > 0 LOOP\n  l_x := l_x - 1;\n  END LOOP;\nEND;\n";
    verifyall({
        {"-ac -aroa", [](settings& s) { s.ac = 1; s.aroa = 1; }, block,
         "BEGIN\n  IF l_a > 0\n     AND l_b > 0 THEN\n    l_x := l_a +\n           l_b;\n  END IF;\n"
         "  WHILE l_x > 0\n        AND l_y > 0 LOOP\n    l_x := l_x - 1;\n  END LOOP;\nEND;\n"},
        // Without -ac the condition lines get the indentation of the block.
        {"-aroa", [](settings& s) { s.aroa = 1; }, block,
         "BEGIN\n  IF l_a > 0\n    AND l_b > 0 THEN\n    l_x := l_a +\n           l_b;\n  END IF;\n"
         "  WHILE l_x > 0\n    AND l_y > 0 LOOP\n    l_x := l_x - 1;\n  END LOOP;\nEND;\n"},
    });
}

}  // namespace
