// The bracket stack rule by itself: what a "(" saves and its ")" gives back, the statement
// a bracket opens, the alias-alignment snapshot, closing every level at once, and the
// error of a ")" without its "(".
#include "enginetesting.h"

namespace {

// A formatter over the tokens of a text, with the bracket rule run token by token.
struct bracketwalk {
    formatter f;
    explicit bracketwalk(const std::string& text) {
        f.s = enginetesting::defaultsettings();
        f.s.inputfilealias = "walk.sql";
        f.messages.stringmode = 1;
        f.resettokencontext();
        f.tokenize(text);
        f.appendendtokens();
        at = f.tokens.begin();
    }
    // Runs the rule on the tokens up to and including the next one with this text.
    void runto(const std::string& text) {
        for (++at; at != f.tokens.end(); ++at) {
            f.currenttoken = at;
            f.currentword = at->text();
            f.bracketrule(1);
            if (at->text() == text) return;
        }
        FAIL() << "no " << text;
    }
    position at;
};

TEST(bracketstack, closingbracketsgivebackwhattheopeningonessaved) {
    bracketwalk w("f(a, g(b), c)");
    formatter& f = w.f;
    f.statement.logicalcolumn = 5;
    f.statement.andcolumn = 6;
    f.statement.keywordcolumn = 7;
    f.statement.relativeindent = 3;
    f.alignment.alistcol = 11;
    f.alignment.processingalignedlist = 1;
    f.statement.keeprelative = 1;
    f.brackets.listcolumn = 9;
    w.runto("(");
    EXPECT_EQ(f.brackets.bracketdepth, 1);
    EXPECT_EQ(f.brackets.insidebrackets, 1);
    EXPECT_EQ(f.statement.logicalcolumn, -1);
    EXPECT_EQ(f.statement.andcolumn, -1);
    EXPECT_EQ(f.statement.keywordcolumn, -1);
    // With -clb the list inside is laid out by the bracket, not by the aligned list.
    EXPECT_EQ(f.alignment.processingalignedlist, 0);
    EXPECT_EQ(f.brackets.listinprogress, 1);
    EXPECT_EQ(f.brackets.bracketlistpending, 1);
    EXPECT_EQ(f.brackets.listopener->text(), "(");
    position outer = f.brackets.listopener;
    EXPECT_EQ(f.brackets.bracketlines.at(1), 1);
    EXPECT_EQ(f.brackets.bracketcolumns.at(1), 2);
    f.brackets.listcolumn = 2;
    f.statement.keywordcolumn = 20;
    w.runto("(");
    EXPECT_EQ(f.brackets.bracketdepth, 2);
    EXPECT_EQ(f.brackets.bracketcolumns.at(2), 7);
    EXPECT_NE(f.brackets.listopener, outer);
    f.brackets.listcolumn = 7;
    w.runto(")");
    EXPECT_EQ(f.brackets.bracketdepth, 1);
    EXPECT_EQ(f.brackets.listopener, outer);
    EXPECT_EQ(f.brackets.listcolumn, 2);
    EXPECT_EQ(f.statement.keywordcolumn, 20);
    EXPECT_EQ(f.brackets.insidebrackets, 1);
    w.runto(")");
    EXPECT_EQ(f.brackets.bracketdepth, 0);
    EXPECT_TRUE(f.brackets.bracketstack.empty());
    EXPECT_EQ(f.brackets.insidebrackets, 0);
    EXPECT_EQ(f.brackets.listinprogress, 0);
    EXPECT_EQ(f.statement.logicalcolumn, 5);
    EXPECT_EQ(f.statement.andcolumn, 6);
    EXPECT_EQ(f.statement.keywordcolumn, 7);
    EXPECT_EQ(f.statement.relativeindent, 3);
    EXPECT_EQ(f.alignment.alistcol, 11);
    EXPECT_EQ(f.alignment.processingalignedlist, 1);
    EXPECT_EQ(f.statement.keeprelative, 1);
}

TEST(bracketstack, withoutclbthealignedlistgoeson) {
    bracketwalk w("f(a)");
    w.f.s.clb = 0;
    w.f.alignment.processingalignedlist = 1;
    w.runto("(");
    EXPECT_EQ(w.f.alignment.processingalignedlist, 1);
    EXPECT_EQ(w.f.brackets.listinprogress, 0);
}

TEST(bracketstack, abracketinablockopensastatement) {
    bracketwalk w("x := f(a) + (b);");
    formatter& f = w.f;
    f.blocks.blocklevel = 1;
    f.statement.keywordcolumn = 4;
    w.runto("(");
    EXPECT_EQ(f.statement.sqlstatement, 2);
    f.statement.statementword = "select";
    w.runto(")");
    EXPECT_EQ(f.statement.sqlstatement, 0);
    EXPECT_EQ(f.statement.statementword, "");
    EXPECT_EQ(f.statement.keywordcolumn, -1);
    // Inside a SQL statement the bracket opens none of its own.
    f.statement.sqlstatement = 1;
    w.runto(")");
    EXPECT_EQ(f.statement.sqlstatement, 1);
    // Outside blocks neither.
    bracketwalk top("f(a)");
    top.runto("(");
    EXPECT_EQ(top.f.statement.sqlstatement, 0);
}

TEST(bracketstack, analiaslistinbracketsisgivenback) {
    bracketwalk w("SELECT f(a) x FROM t");
    formatter& f = w.f;
    f.alignment.declarationmode = 5;
    f.alignment.declarationalignment.active = 1;
    f.alignment.declarationalignment.typecolumn = 42;
    f.alignment.declarationalignment.bracketlevel = 0;
    w.runto("(");
    ASSERT_TRUE(f.brackets.bracketstack.back().alignsnapshot);
    f.alignment.declarationalignment.typecolumn = 1;
    w.runto(")");
    EXPECT_EQ(f.alignment.declarationalignment.typecolumn, 42);
    EXPECT_EQ(f.alignment.declarationalignment.active, 1);
    // Outside an alias list nothing is kept.
    bracketwalk plain("f(a)");
    plain.runto("(");
    EXPECT_FALSE(plain.f.brackets.bracketstack.back().alignsnapshot);
}

TEST(bracketstack, adeclarationlistendsatthebracketthatopenedit) {
    bracketwalk w("CURSOR c(a NUMBER) IS");
    formatter& f = w.f;
    w.runto("(");
    f.alignment.declarationalignment.active = 1;
    f.alignment.declarationalignment.bracketlevel = 1;
    f.alignment.declarationmode = 1;
    w.runto(")");
    EXPECT_EQ(f.alignment.declarationalignment.active, 0);
    EXPECT_EQ(f.alignment.declarationalignment.ended, 1);
    EXPECT_EQ(f.alignment.declarationmode, 6);
}

TEST(bracketstack, allbracketscloseatonce) {
    bracketwalk w("f(a, g(b");
    formatter& f = w.f;
    f.alignment.alistcol = 3;
    f.alignment.processingalignedlist = 1;
    f.statement.keeprelative = 1;
    f.blocks.blocklevel = 1;
    w.runto("(");
    w.runto("(");
    f.alignment.alistcol = 8;
    f.statement.keeprelative = 0;
    f.statement.keywordcolumn = 12;
    f.closeallbrackets();
    EXPECT_EQ(f.brackets.bracketdepth, 0);
    EXPECT_TRUE(f.brackets.bracketstack.empty());
    EXPECT_EQ(f.brackets.insidebrackets, 0);
    EXPECT_EQ(f.brackets.listinprogress, 0);
    EXPECT_EQ(f.alignment.alistcol, 3);
    EXPECT_EQ(f.alignment.processingalignedlist, 1);
    EXPECT_EQ(f.statement.keeprelative, 1);
    EXPECT_EQ(f.statement.sqlstatement, 0);
    EXPECT_EQ(f.statement.keywordcolumn, -1);
}

TEST(bracketstack, aclosingbracketwithoutitsopeningoneendsthefile) {
    bracketwalk w("x := a);");
    try {
        w.runto(")");
        FAIL() << "no error";
    } catch (const std::string& message) {
        EXPECT_EQ(message, "2\n");
    }
    EXPECT_EQ(w.f.messages.text, "Syntax error:\nToo many closing brackets at line 1 col 7 in walk.sql \n");
    EXPECT_EQ(w.f.bracketproblem, 1);
}

}  // namespace
