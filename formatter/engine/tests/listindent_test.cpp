// List indentation on real PL/SQL: statements that keep their shape (-rs), bracketed lists
// (-clb, -brei, -eiib), right-aligned clause keywords (-rask, -pius), AND/OR/NOT under
// WHERE (-plouwh), THEN and LOOP (-itlwb), branches one level out, and comment lines
// (-isc, -isc2, -iic).
#include "enginetesting.h"

#include <limits>

namespace {

using enginetesting::formatrun;

class listindent : public formatrun {};

TEST_F(listindent, statementskeeptheirshape) {
    std::string input =
        "BEGIN\n"
        "        SELECT a,\n"
        "               b\n"
        "          FROM t\n"
        "         WHERE c = 1;\n"
        "END;\n";
    verifyformat(
        "BEGIN\n"
        "  SELECT a,\n"
        "         b\n"
        "    FROM t\n"
        "   WHERE c = 1;\n"
        "END;\n",
        input);
    // Without -rs every line of the statement takes the block's indentation.
    verifyformat(
        "BEGIN\n"
        "  SELECT a,\n"
        "  b\n"
        "  FROM t\n"
        "  WHERE c = 1;\n"
        "END;\n",
        input, [](settings& s) { s.rs = 0; });
    // The statement after it is indented by its block again.
    verifyformat(
        "BEGIN\n"
        "  UPDATE t\n"
        "       SET a = 1\n"
        "   WHERE b = 2;\n"
        "  x := 1;\n"
        "END;\n",
        "BEGIN\n"
        "UPDATE t\n"
        "     SET a = 1\n"
        " WHERE b = 2;\n"
        "      x := 1;\n"
        "END;\n");
}

TEST_F(listindent, bracketedlistslineupinacolumn) {
    std::string input =
        "BEGIN\n"
        "  p(a,\n"
        " b,\n"
        "         g(c,\n"
        "     d));\n"
        "  q(\n"
        " x,\n"
        "   y);\n"
        "END;\n";
    verifyformat(
        "BEGIN\n"
        "  p(a,\n"
        "    b,\n"
        "    g(c,\n"
        "      d));\n"
        "  q(\n"
        "    x,\n"
        "    y);\n"
        "END;\n",
        input);
    // Two columns right of the list's column.
    verifyformat(
        "BEGIN\n"
        "  p(a,\n"
        "      b,\n"
        "      g(c,\n"
        "          d));\n"
        "  q(\n"
        "      x,\n"
        "      y);\n"
        "END;\n",
        input, [](settings& s) { s.brei = 2; });
    // Three columns right of the indentation of the bracket's line.
    verifyformat(
        "BEGIN\n"
        "  p(a,\n"
        "     b,\n"
        "     g(c,\n"
        "        d));\n"
        "  q(\n"
        "     x,\n"
        "     y);\n"
        "END;\n",
        input, [](settings& s) { s.eiib = 3; });
    verifyformat(
        "BEGIN\n"
        "  p(a,\n"
        "  b,\n"
        "  g(c,\n"
        "  d));\n"
        "  q(\n"
        "  x,\n"
        "  y);\n"
        "END;\n",
        input, [](settings& s) { s.clb = 0; });
}

// Extra indents as large as the switches take hold the column at the largest one instead of
// running past it; nested brackets add theirs again.
TEST_F(listindent, hugeextraindentsholdthecolumn) {
    constexpr int32_t largest = std::numeric_limits<int32_t>::max();
    struct indentcase {
        int32_t brei, eiib, column, expected;
    };
    const indentcase cases[] = {
        {2, 0, 10, 12},
        {largest, 0, 10, largest},
        {largest - 5, 0, largest - 5, largest},
        {0, largest, 10, largest},
    };
    for (const indentcase& c : cases) {
        formatter f;
        f.s.brei = c.brei;
        f.s.eiib = c.eiib;
        f.tokens.push_back(token("\n  ", whitespace, 0, 1, 1));
        f.outputline.linestarttoken = f.tokens.begin();
        f.brackets.listcolumn = c.column;
        EXPECT_TRUE(f.bracketlistadjust());
        EXPECT_EQ(f.brackets.listcolumn, c.expected) << c.brei << " " << c.eiib;
    }
}

TEST_F(listindent, blanksinsidebrackets) {
    // -rsaob is on by default; -rsbcb takes the blanks before ")" but not a line break.
    verifyformat("BEGIN\n  f(a, b );\n  g(c,\n    d\n    );\nEND;\n",
                 "BEGIN\n  f( a, b );\n  g( c,\n    d\n    );\nEND;\n");
    verifyformat("BEGIN\n  f(a, b);\n  g(c,\n    d\n    );\nEND;\n",
                 "BEGIN\n  f( a, b );\n  g( c,\n    d\n    );\nEND;\n", [](settings& s) { s.rsbcb = 1; });
    verifyformat("BEGIN\n  f( a, b );\nEND;\n", "BEGIN\n  f( a, b );\nEND;\n", [](settings& s) { s.rsaob = 0; });
}

TEST_F(listindent, clausekeywordsrightaligned) {
    std::string input =
        "BEGIN\n"
        "  SELECT a\n"
        "  INTO v\n"
        "  FROM t\n"
        "  WHERE b = 1\n"
        "  GROUP BY a\n"
        "  ORDER BY a;\n"
        "  UPDATE t\n"
        "  SET a = 1\n"
        "  WHERE b = 2;\n"
        "  INSERT INTO t (a)\n"
        "  VALUES (1);\n"
        "  FETCH c\n"
        "  INTO v;\n"
        "END;\n";
    verifyformat(
        "BEGIN\n"
        "  SELECT a\n"
        "    INTO v\n"
        "    FROM t\n"
        "   WHERE b = 1\n"
        "   GROUP BY a\n"
        "   ORDER BY a;\n"
        "  UPDATE t\n"
        "     SET a = 1\n"
        "   WHERE b = 2;\n"
        "  INSERT INTO t (a)\n"
        "  VALUES (1);\n"
        "  FETCH c\n"
        "  INTO v;\n"
        "END;\n",
        input, [](settings& s) { s.rask = 1; });
    // With -pius INTO is the one keyword placed, under SELECT and under FETCH.
    verifyformat(
        "BEGIN\n"
        "  SELECT a\n"
        "    INTO v\n"
        "  FROM t\n"
        "  WHERE b = 1\n"
        "  GROUP BY a\n"
        "  ORDER BY a;\n"
        "  UPDATE t\n"
        "  SET a = 1\n"
        "  WHERE b = 2;\n"
        "  INSERT INTO t (a)\n"
        "  VALUES (1);\n"
        "  FETCH c\n"
        "   INTO v;\n"
        "END;\n",
        input, [](settings& s) { s.pius = 1; });
    // The keywords of a query in brackets line up with its own SELECT.
    verifyformat(
        "BEGIN\n"
        "  SELECT a\n"
        "    INTO v\n"
        "    FROM (SELECT b\n"
        "            FROM u\n"
        "           WHERE c = 1)\n"
        "   WHERE a = 2;\n"
        "END;\n",
        "BEGIN\n"
        "  SELECT a\n"
        "  INTO v\n"
        "  FROM (SELECT b\n"
        "  FROM u\n"
        "  WHERE c = 1)\n"
        "  WHERE a = 2;\n"
        "END;\n",
        [](settings& s) { s.rask = 1; });
}

TEST_F(listindent, logicaloperatorsunderwhere) {
    verifyformat(
        "BEGIN\n"
        "  SELECT a\n"
        "    FROM t\n"
        "   WHERE x = 1\n"
        "     AND y = 2\n"
        "      OR z = 3\n"
        "     AND w BETWEEN 1\n"
        "               AND 5\n"
        "     AND\n"
        "     NOT EXISTS (SELECT 1 FROM dual);\n"
        "END;\n",
        "BEGIN\n"
        "  SELECT a\n"
        "    FROM t\n"
        "   WHERE x = 1\n"
        "   AND y = 2\n"
        "   OR z = 3\n"
        "   AND w BETWEEN 1\n"
        "   AND 5\n"
        "   AND\n"
        "   NOT EXISTS (SELECT 1 FROM dual);\n"
        "END;\n",
        [](settings& s) { s.plouwh = 1; });
}

TEST_F(listindent, thenandloopindentedwiththeirblockornot) {
    std::string input =
        "BEGIN\n"
        "  IF a = 1\n"
        "  THEN\n"
        "    NULL;\n"
        "  END IF;\n"
        "  WHILE x < 1\n"
        "  LOOP\n"
        "    x := x + 1;\n"
        "  END LOOP;\n"
        "END;\n";
    // With the default they are indented with the block (see the statement rule tests).
    verifyformat(input, input, [](settings& s) { s.itlwb = 0; });
}

TEST_F(listindent, branchesstandonelevelout) {
    verifyformat(
        "BEGIN\n"
        "  IF a THEN\n"
        "    NULL;\n"
        "  ELSIF b THEN\n"
        "    NULL;\n"
        "  ELSE\n"
        "    NULL;\n"
        "  END IF;\n"
        "EXCEPTION\n"
        "  WHEN no_data_found THEN\n"
        "    NULL;\n"
        "  WHEN OTHERS THEN\n"
        "    NULL;\n"
        "END;\n",
        "begin\n"
        "if a then\n"
        "null;\n"
        "    elsif b then\n"
        "null;\n"
        "      else\n"
        "null;\n"
        "end if;\n"
        "   exception\n"
        "when no_data_found then\n"
        "null;\n"
        "        when others then\n"
        "null;\n"
        "end;\n");
}

TEST_F(listindent, emptylinesandtheendgetnoblanks) {
    verifyformat("BEGIN\n\n  NULL;\n\nEND;\n", "BEGIN\n   \nNULL;\n\t\n    END;\n  ");
    // Without -in even their blanks stay.
    verifyformat("BEGIN\n   \nNULL;\nEND;\n  ", "BEGIN\n   \nNULL;\nEND;\n  ", [](settings& s) { s.in = 0; });
}

TEST_F(listindent, standalonecomments) {
    std::string input =
        "BEGIN\n"
        "      -- standalone\n"
        "  x := 1;\n"
        "      SELECT a\n"
        "        -- in a statement\n"
        "        FROM t;\n"
        "END;\n";
    verifyformat(
        "BEGIN\n"
        "      -- standalone\n"
        "  x := 1;\n"
        "  SELECT a\n"
        "        -- in a statement\n"
        "    FROM t;\n"
        "END;\n",
        input);
    verifyformat(
        "BEGIN\n"
        "  -- standalone\n"
        "  x := 1;\n"
        "  SELECT a\n"
        "    -- in a statement\n"
        "    FROM t;\n"
        "END;\n",
        input, [](settings& s) { s.isc = 1; });
    verifyformat(
        "BEGIN\n"
        "      -- standalone\n"
        "  x := 1;\n"
        "  SELECT a\n"
        "    -- in a statement\n"
        "    FROM t;\n"
        "END;\n",
        input, [](settings& s) { s.isc2 = 1; });
    // Without -in no line is indented.
    verifyformat(
        "BEGIN\n"
        "      -- standalone\n"
        "  x := 1;\n"
        "      SELECT a\n"
        "        -- in a statement\n"
        "        FROM t;\n"
        "END;\n",
        input, [](settings& s) { s.isc = 1; s.in = 0; });
}

TEST_F(listindent, linesinsideblockcomments) {
    std::string input =
        "BEGIN\n"
        "  /* first\n"
        "        second\n"
        "   third */\n"
        "  NULL;\n"
        "END;\n";
    verifyformat(input, input);
    verifyformat(
        "BEGIN\n"
        "  /* first\n"
        "  second\n"
        "  third */\n"
        "  NULL;\n"
        "END;\n",
        input, [](settings& s) { s.iic = 1; });
}

}  // namespace
