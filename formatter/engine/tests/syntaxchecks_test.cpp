// Syntax checks: block pairs and brackets at the end of a text, missing THEN and LOOP, the
// block-stack listing, and the bracket and list searches of the statement rules.
#include "enginetesting.h"

namespace {

using enginetesting::formatrun;

class syntaxchecks : public formatrun {
protected:
    // A formatter over the tokens of text, with the two end tokens.
    void load(const std::string& text) {
        f.s = enginetesting::defaultsettings();
        f.s.inputfilealias = "p.sql";
        f.messages.stringmode = 1;
        f.sourcetext = text;
        f.tokenizesource();
        f.appendendtokens();
        f.currenttoken = f.tokens.begin();
    }
    // The n-th token (from 0) whose text is word.
    position find(const std::string& word, int n = 0) {
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p)
            if (p->text() == word && n-- == 0) return p;
        ADD_FAILURE() << "no token " << word;
        return f.tokens.end();
    }
    std::string text(position p) { return p == f.tokens.end() ? "<end>" : std::string(p->text()); }
    void push(const std::string& name, int32_t line) {
        linerecord& r = f.blocks.blockstack.at(++f.blocks.blocklevel);
        r.blockname = name;
        r.startline = line;
    }

    formatter f;
};

TEST_F(syntaxchecks, blockswithouttheirendfailthefile) {
    std::string file = inputname;
    struct paircase {
        std::string text;
        std::string messages;
    };
    for (const paircase& c : std::vector<paircase>{
             {"begin\n  x := 1;\n",
              file + " line 2 col 10 Syntax error:not found \"end\", the pair of begin, block level 1 \n"},
             {"begin\n  x := 1;\n  loop\n    y := 2;\n",
              file + " line 4 col 12 Syntax error:not found \"end loop\", the pair of loop, block level 2 \n"},
             // A block without a known END word.
             {"declare\n  x number;\n",
              file + " line 2 col 12 Syntax error:not found the pair of declare, block level 1 \n"},
             // An open exception handler is dropped: the BEGIN around it is reported.
             {"begin\n  null;\nexception\n  when others then\n    null;\n",
              file + " line 5 col 10 Syntax error:not found \"end\", the pair of begin, block level 1 \n"},
         }) {
        auto result = format(c.text);
        EXPECT_EQ(result.messages, c.messages) << c.text;
        EXPECT_EQ(result.thrown, "2\n") << c.text;
        EXPECT_FALSE(result.written);
    }
    EXPECT_EQ(format("begin\n  if a then\n    b;\n  end if;\nend;\n").thrown, "");
}

TEST_F(syntaxchecks, missingthenorloopisreportedoncepertext) {
    std::string file = inputname;
    auto loop = format("begin\n  for i in 1..3\n    x;\n  end loop;\n  while a\n    y;\n  end loop;\nend;\n",
                       [](settings& s) { s.cmk = 1; });
    EXPECT_EQ(loop.messages, "Syntax error: loop is missing after for ( " + file + " line 2) \n ");
    EXPECT_EQ(loop.thrown, "");
    EXPECT_TRUE(loop.written);
    auto then = format("begin\n  if a\n    x;\n  end if;\nend;\n", [](settings& s) { s.cmk = 1; });
    EXPECT_EQ(then.messages, "Syntax error:then is missing after if (" + file + " line 2)\n");
    auto whileloop = format("begin\n  while a\n    x;\n  end loop;\nend;\n", [](settings& s) { s.cmk = 1; });
    EXPECT_EQ(whileloop.messages, "Syntax error: loop is missing after while ( " + file + " line 2) \n ");
    // Complete keywords, or no -cmk: nothing to report.
    EXPECT_EQ(format("begin\n  if a then\n    for i in 1..3 loop\n      x;\n    end loop;\n  end if;\nend;\n",
                     [](settings& s) { s.cmk = 1; }).messages, "");
    EXPECT_EQ(format("begin\n  if a\n    x;\n  end if;\nend;\n").messages, "");
}

TEST_F(syntaxchecks, unbalancedbrackets) {
    load("x := f(a,\n  g(b);\n");
    EXPECT_TRUE(f.checkbrackets());
    f.brackets.bracketdepth = 2;
    f.brackets.bracketlines.at(2) = 2;
    f.brackets.bracketcolumns.at(2) = 4;
    f.currenttoken = find(";");
    EXPECT_FALSE(f.checkbrackets());
    EXPECT_EQ(f.messages.text,
              "Bracket problem found at p.sql line 2 col 7\n"
              "Syntax error:Brackets are unbalanced, open brackets:2\n"
              "Last opening bracket starts at p.sql line 2 col 4\n");
    // A closing bracket without its opening one: the messages come with no bracket open.
    f.messages.text.clear();
    f.brackets.bracketdepth = 0;
    f.bracketproblem = 1;
    EXPECT_FALSE(f.checkblockpairs());
    EXPECT_EQ(f.messages.text,
              "Bracket problem found at p.sql line 2 col 7\n"
              "Syntax error:Brackets are unbalanced, open brackets:0\n"
              "Last opening bracket starts at p.sql line 2 col 7\n");
}

TEST_F(syntaxchecks, blockstacklisting) {
    load("begin\n  if a > 1 then\n    x;\n  else\n     y;\n  end if;\nend;\n");
    push("begin", 1);
    push("if", 2);
    f.blocks.blockstack.at(2).elseseen = 1;
    f.blocks.blockstack.at(2).elseline = 4;
    f.listblockstack();
    EXPECT_EQ(f.messages.text,
              "p.sql line 4 else \"else\"\n"
              "p.sql line 2 if \"if a > 1 then\"\n"
              "p.sql line 1 begin \"begin\"\n");
    f.messages.text.clear();
    f.s.rl = 0;
    f.s.sf = 0;
    f.blocks.blockstack.at(2).multielse = 1;
    f.listblockstack();
    EXPECT_EQ(f.messages.text,
              "line 1 begin \"begin\"\n"
              "line 2 if \"if a > 1 then\"\n"
              "line 4 multielse \"else\"\n");
    // A bracketed part shows its tokens, white space squeezed; lines beyond the text are empty.
    f.messages.text.clear();
    push("{", 2);
    f.blocks.blockstack.at(3).openertoken = find("a");
    f.blocks.blockstack.at(3).lasttoken = find("then");
    push("loop", 99);
    f.listblockstack();
    EXPECT_EQ(f.messages.text,
              "line 1 begin \"begin\"\n"
              "line 2 if \"if a > 1 then\"\n"
              "line 4 multielse \"else\"\n"
              "line 2 { \"a > 1 then\"\n"
              "line 99 loop \"\"\n");
}

TEST_F(syntaxchecks, bracketandlistsearches) {
    load("select f(a, (b)), c from t, (select 1 from dual) s, u v where x = (1\n); d( e; g(\nh)");
    EXPECT_EQ(text(f.closingbracketafter(std::next(find("(")))), ",");
    EXPECT_EQ(text(f.closingbracketafter(std::next(find("(", 3)))), ";");
    // A ";" before the closing bracket: no match.
    EXPECT_EQ(text(f.closingbracketafter(std::next(find("(", 4)))), "<end>");
    EXPECT_EQ(text(f.closingbracketonline(std::next(find("(")))), ",");
    EXPECT_EQ(text(f.closingbracketonline(std::next(find("(", 3)))), "<end>");
    EXPECT_EQ(text(f.closingbracketonline(std::next(find("(", 5)))), "<end>");

    // Aliases are stepped over, after a name and after a bracketed part.
    EXPECT_EQ(f.collectnamelist(find("from")), (std::vector<std::string>{"t", "u"}));
    EXPECT_EQ(f.collectnamelist(find("where")), std::vector<std::string>{"x"});
    EXPECT_EQ(f.collectnamelist(find("d")), std::vector<std::string>{});

    EXPECT_TRUE(f.endsselectitem(find(")", 1)));    // "," follows
    EXPECT_TRUE(f.endsselectitem(find("c")));       // FROM follows
    EXPECT_FALSE(f.endsselectitem(find("f")));
    EXPECT_TRUE(f.endsselectitem(find("h")));       // ")" follows
    EXPECT_TRUE(f.isblankrunbreak(find("\n")));
    EXPECT_FALSE(f.isblankrunbreak(std::next(find("select"))));
}

}  // namespace
