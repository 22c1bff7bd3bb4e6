// Keyword and identifier case: the case switches and their precedence, fixed spellings,
// declaration spellings, national letters of the character set, and html keywords.
#include "enginetesting.h"

namespace {

using enginetesting::formatrun;

class wordcase : public formatrun {};

struct casecase {
    std::string label;   // the switches it stands for
    enginetesting::adjustment adjust;
    std::string input;
    std::string expected;
};

TEST_F(wordcase, keywordsandidentifiersunderthecaseswitches) {
    const std::string statement = "select Col_A, my_pkg.Get_Value(t.*) from Orders t where rownum = 1;\n";
    for (const casecase& c : std::vector<casecase>{
             {"defaults", {}, statement, "SELECT Col_A, my_pkg.Get_Value(t.*) FROM Orders t WHERE ROWNUM = 1;\n"},
             {"-uk- -lk", [](settings& s) { s.uk = 0; s.lk = 1; }, "SELECT Col_A FROM Orders WHERE ROWNUM = 1;\n",
              "select Col_A from Orders where rownum = 1;\n"},
             {"-uk- -ck", [](settings& s) { s.uk = 0; s.ck = 1; }, "SELECT Col_A FROM Orders WHERE ROWNUM = 1;\n",
              "Select Col_A From Orders Where Rownum = 1;\n"},
             {"-ui", [](settings& s) { s.ui = 1; },
              statement, "SELECT COL_A, MY_PKG.GET_VALUE(T.*) FROM ORDERS T WHERE ROWNUM = 1;\n"},
             {"-li", [](settings& s) { s.li = 1; },
              statement, "SELECT col_a, my_pkg.get_value(t.*) FROM orders t WHERE ROWNUM = 1;\n"},
             // -ci capitalises each part of a dotted name.
             {"-ci+", [](settings& s) { s.ci = 1; },
              statement, "SELECT Col_a, My_pkg.Get_value(T.*) FROM Orders T WHERE ROWNUM = 1;\n"},
             // The identifier switches leave keywords to the keyword switches.
             {"-uk- -lk -ui", [](settings& s) { s.uk = 0; s.lk = 1; s.ui = 1; },
              "SELECT col_a FROM orders;\n", "select COL_A from ORDERS;\n"},
             // No keyword switch: keywords keep their case.
             {"-uk-", [](settings& s) { s.uk = 0; }, "Select col_a From orders;\n", "Select col_a From orders;\n"},
             // Literals, quoted names and comments are never touched.
             {"-ui", [](settings& s) { s.ui = 1; },
              "x := 'select' || \"select\"; -- select\n", "X := 'select' || \"select\"; -- select\n"},
             // A fixed spelling wins over everything.
             {"-ui -si MyValue -si dbms_Output.Put_Line",
              [](settings& s) {
                  s.ui = 1;
                  s.si["dbms_output.put_line"] = "dbms_Output.Put_Line";
                  s.si["myvalue"] = "MyValue";
                  s.sigiven = 1;
              },
              "myvalue := MYVALUE + other; dbms_output.put_line(myvalue);\n",
              "MyValue := MyValue + OTHER; dbms_Output.Put_Line(MyValue);\n"},
             {"-si Count", [](settings& s) { s.si["count"] = "Count"; s.sigiven = 1; },
              "select count(*) from t;\n", "SELECT Count(*) FROM t;\n"},
             // A cursor's name is used as its declaration is written, case switches applied.
             {"-dbvn -ui", [](settings& s) { s.dbvn = 1; s.ui = 1; },
              "declare\n  cursor c_item is select 1 from dual;\nbegin\n  open c_item;\nend;\n",
              "DECLARE\nCURSOR C_ITEM IS SELECT 1 FROM DUAL;\nBEGIN\n  OPEN C_ITEM;\nEND;\n"},
         }) {
        SCOPED_TRACE(c.label);
        verifyformat(c.expected, c.input, c.adjust);
    }
}

// The parser keeps each group to one switch; the record may hold several, and then the
// first of each group wins.
TEST_F(wordcase, precedencewithinagroup) {
    struct precedence {
        std::function<void(settings&)> adjust;
        std::string expected;
    };
    for (const precedence& c : std::vector<precedence>{
             {[](settings& s) { s.uk = s.lk = s.ck = 1; }, "SELECT Abc FROM T;"},
             {[](settings& s) { s.uk = 0; s.lk = s.ck = 1; }, "select Abc from T;"},
             {[](settings& s) { s.ui = s.li = s.ci = 1; }, "SELECT ABC FROM T;"},
             {[](settings& s) { s.li = s.ci = 1; }, "SELECT abc FROM t;"},
             // Identifier switches never reach keywords: -ui does not undo -lk.
             {[](settings& s) { s.uk = 0; s.lk = s.ui = 1; }, "select ABC from T;"},
         }) {
        EXPECT_EQ(format("Select Abc From T;", c.adjust).output, c.expected);
    }
}

TEST_F(wordcase, nationallettersfollowthecharacterset) {
    // In ISO 8859-1 the e with acute accent is a letter with an upper-case partner.
    verifyformat("SELECT CAF\xC9_\xC9T\xC9 FROM DUAL;\n", "select caf\xE9_\xE9t\xE9 from dual;\n",
                 [](settings& s) { s.cs = "WE8ISO8859P1"; s.ui = 1; });
    verifyformat("SELECT \xC9t\xE9 FROM Dual;\n", "select \xE9T\xC9 from dual;\n",
                 [](settings& s) { s.cs = "WE8ISO8859P1"; s.ci = 1; });
}

// applywordcase on the tokens of a text, as the token loop calls it.
std::vector<enginetesting::seen> casedtokens(formatter& f, const std::string& text) {
    f.sourcetext = text;
    f.buildtables();
    f.tokenizesource();
    std::vector<enginetesting::seen> result;
    for (f.currenttoken = std::next(f.tokens.begin()); f.currenttoken != f.tokens.end(); ++f.currenttoken) {
        f.currentword = f.currenttoken->text();
        f.applywordcase();
        if (f.currenttoken->kind != whitespace) result.push_back({std::string(f.currenttoken->text()), f.currenttoken->kind});
    }
    return result;
}

TEST_F(wordcase, htmlmarkskeywordsevenwithoutacaseswitch) {
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.s.uk = 0;
    f.s.html = 1;
    std::vector<enginetesting::seen> expected{{"Begin", keywordtoken}, {"x", identifier}, {";", othertoken},
                                              {"end", keywordtoken}};
    EXPECT_EQ(casedtokens(f, "Begin x; end"), expected);
}

TEST_F(wordcase, declarationspellingoutsidedeclarations) {
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.s.dbvn = 1;
    f.declared.note("v_total", "V_Total", 0);
    f.declared.note("v_total", "v_TOTAL", 1);
    std::vector<enginetesting::seen> expected{{"v_TOTAL", identifier}, {":=", othertoken},
                                              {"v_TOTAL", identifier}, {"+", othertoken},
                                              {"other", identifier}};
    EXPECT_EQ(casedtokens(f, "V_TOTAL := v_total + other"), expected);
    // While declarations are read the written form stays; -si still wins.
    f.statement.indeclarations = 1;
    f.s.sigiven = 1;
    f.s.si["other"] = "Other";
    std::vector<enginetesting::seen> declaring{{"V_TOTAL", identifier}, {"Other", identifier}};
    EXPECT_EQ(casedtokens(f, "V_TOTAL Other"), declaring);
}

}  // namespace
