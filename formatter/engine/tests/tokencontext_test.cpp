// The token context: line-break tests on texts, walking, runs, end tokens and
// the line breaks put before tokens.
#include "enginetesting.h"

namespace {

// A formatter over a tokenized text with its end tokens; find() gives the n-th token
// (counting from 0 after the leading token) whose text is `text`.
struct listed {
    formatter f;
    explicit listed(const std::string& text) {
        f.resettokencontext();
        f.tokenize(text);
        f.appendendtokens();
    }
    position find(const std::string& text, int n = 0) {
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p)
            if (p->text() == text && n-- == 0) return p;
        ADD_FAILURE() << "no token " << text;
        return f.tokens.end();
    }
    std::string all() { return f.jointokentexts(f.tokens.begin(), f.tokens.end()); }
};

TEST(linetexts, splitleadinglinebreak) {
    struct row {
        std::string text;
        int32_t count;
        std::string rest;
    };
    for (const row& r : {row{"\r\nabc", 2, "abc"}, row{"\r", 1, ""}, row{"abc", 0, "abc"},
                         row{"\n\rx", 1, "\rx"}, row{"\n", 1, ""}, row{"", 0, ""}}) {
        std::string rest = "stale";
        bool broke = false;
        EXPECT_EQ(splitleadinglinebreak(r.text, rest, broke), r.count) << r.text;
        EXPECT_EQ(broke, r.count != 0);
        EXPECT_EQ(rest, r.rest);
    }
}

TEST(linetexts, breakandtabtests) {
    EXPECT_TRUE(hastabonline("\t x"));
    EXPECT_TRUE(hastabonline("a\nb\t"));
    EXPECT_FALSE(hastabonline("\n\t"));
    EXPECT_FALSE(hastabonline(""));
    EXPECT_FALSE(hastabonline("abc"));
    EXPECT_TRUE(startswithlinebreak("\rx"));
    EXPECT_FALSE(startswithlinebreak(" \n"));
    EXPECT_EQ(withoutleadinglinebreak("\r\nx"), "x");
    EXPECT_EQ(withoutleadinglinebreak("\n\rx"), "\rx");
    EXPECT_EQ(withoutleadinglinebreak("\r"), "");
    EXPECT_EQ(withoutleadinglinebreak("x\n"), "x\n");
}

TEST(walking, overcommentsandblanks) {
    listed l("a /* c */ -- d\n  b");
    position a = l.find("a"), b = l.find("b");
    EXPECT_EQ(l.f.nextsignificant(std::next(a)), b);
    EXPECT_EQ(l.f.nextsignificant(a), a);
    EXPECT_EQ(l.f.previoussignificant(b), a);
    // Walking back stops at the first token, whatever its kind.
    EXPECT_EQ(l.f.previoussignificant(a), l.f.tokens.begin());
    EXPECT_EQ(l.f.previoussignificant(l.f.tokens.begin()), l.f.tokens.begin());
    EXPECT_EQ(l.f.previoustoken(l.f.tokens.begin()), l.f.tokens.end());
    EXPECT_EQ(l.f.previoustoken(b), std::prev(b));
    // The end tokens are significant, so forward walks stop there.
    EXPECT_EQ(l.f.nextsignificant(std::next(b))->kind, endtoken);
}

TEST(walking, withinaline) {
    listed l("a /* c */ b /* x\n*/ c\n d");
    position a = l.find("a");
    EXPECT_EQ(l.f.nextpastinlineblanks(std::next(a)), l.find("b"));
    position b = l.find("b");
    // A multi-line comment stops the walk at its piece that begins with the line break.
    EXPECT_EQ(l.f.nextpastinlineblanks(std::next(b))->text(), "\n*/");
    EXPECT_EQ(l.f.nextonsameline(std::next(a))->text(), "/* c */");
    EXPECT_TRUE(l.f.followedbylinebreak(l.find("c")));
    EXPECT_FALSE(l.f.followedbylinebreak(a));
    EXPECT_EQ(l.f.skipcommentsandblanks(std::next(a), "c"), l.find("/* c */"));
    EXPECT_EQ(l.f.skipcommentsandblanks(std::next(a), "zzz"), b);
    EXPECT_EQ(l.f.skipblanks(std::next(l.find("c")), "\\n"), std::next(l.find("c")));
    EXPECT_EQ(l.f.skipblanks(std::next(a), "\\n"), l.find("/* c */"));
    EXPECT_EQ(l.f.skipblanks(a, "\\n"), a);
}

TEST(walking, matchingbracketcountsnestingandstopsatasemicolon) {
    listed l("f(a, g(b), (c)) ; h(x ; y)");
    EXPECT_EQ(l.f.matchingbracket(l.find("(")), l.find(")", 2));
    EXPECT_EQ(l.f.matchingbracket(l.find("(", 1)), l.find(")"));
    EXPECT_EQ(l.f.matchingbracket(l.find("(", 3)), l.f.tokens.end());
}

TEST(walking, tokenlinefallsbacktotheprecedingline) {
    listed l("a\n\n\nb c");
    position c = l.find("c");
    position inserted = l.f.tokens.insert(c, token(" ", whitespace, 0, -5, -1));
    EXPECT_EQ(l.f.tokenline(inserted), 4);
    EXPECT_EQ(l.f.tokenline(c), 4);
}

TEST(runs, joinandremovethepiecesofamultilinetoken) {
    listed l("x /*1\n2\n3*/ y");
    position comment = l.find("/*1");
    EXPECT_EQ(l.f.jointokenrun(comment), "/*1\n2\n3*/");
    EXPECT_EQ(l.f.jointokenrun(l.find("x")), "x");
    int64_t before = std::distance(l.f.tokens.begin(), l.f.tokens.end());
    position after = l.f.removetokenrun(comment);
    EXPECT_EQ(std::distance(l.f.tokens.begin(), l.f.tokens.end()), before - 3);
    EXPECT_EQ(after->text(), " ");
    EXPECT_EQ(std::next(after)->text(), "y");
    EXPECT_EQ(l.f.jointokentexts(l.find("x"), l.find("y")), "x  ");
    EXPECT_EQ(l.f.jointokentexts(l.find("y"), l.find("y")), "");
}

TEST(upkeep, endtokensfollowthelasttoken) {
    listed l("a\nbb");
    position last = std::prev(l.f.tokens.end());
    ASSERT_EQ(last->kind, endtoken);
    EXPECT_EQ(l.f.endsentinel, std::prev(last));
    EXPECT_EQ(last->sequence, l.f.endsentinel->sequence);
    EXPECT_EQ(last->line, 2);
    EXPECT_EQ(last->column, 1);
    EXPECT_EQ(l.f.firstrealtoken, l.f.tokens.begin());
    EXPECT_TRUE(last->text().empty());
}

TEST(upkeep, breakbeforefirsttokenonlybeforeblanks) {
    listed indented("   x");
    indented.f.breakbeforefirsttoken(1);
    EXPECT_EQ(indented.f.leadingbreakadded, 1);
    EXPECT_EQ(indented.all(), "\n\n   x");
    listed flat("x");
    flat.f.breakbeforefirsttoken(1);
    EXPECT_EQ(flat.f.leadingbreakadded, 0);
    listed off("  x");
    off.f.breakbeforefirsttoken(0);
    EXPECT_EQ(off.all(), "\n  x");
}

struct breakcase {
    std::string text;
    std::string after;     // the break goes after this token
    std::string expected;  // the token the break must come before ("" for any)
    std::string result;
};

TEST(upkeep, ensurelinebreak) {
    for (const breakcase& c : {
             breakcase{"a b", "a", "", "\na\nb"},
             breakcase{"a b", "a", "b", "\na\nb"},
             breakcase{"a b", "a", "c", "\na b"},
             breakcase{"a /*c*/ b", "a", "", "\na /*c*/\nb"},
             breakcase{"a /*c*/b", "a", "", "\na /*c*/\nb"},
             breakcase{"a -- c\n b", "a", "", "\na -- c\n b"},
             breakcase{"a,b", "a", "", "\na\n,b"},
             breakcase{"a (b", "a", "(", "\na\n(b"},
         }) {
        listed l(c.text);
        l.f.ensurelinebreak(std::next(l.find(c.after)), c.expected);
        EXPECT_EQ(l.all(), c.result) << c.text << " / " << c.expected;
    }
    listed l("a b");
    l.f.ensurelinebreak(l.find("b"), "");
    position inserted = std::prev(l.find("b"));
    EXPECT_EQ(inserted->line, -1);
    EXPECT_LT(inserted->sequence, 0);
}

TEST(ifsblocks, applytherecordedswitchesinorder) {
    settings s = enginetesting::defaultsettings();
    s.ifsblocks.resize(2);
    ifsentry flag;
    flag.name = "uk";
    flag.kind = flagkind;
    flag.number = 0;
    flag.numberfield = &settings::uk;
    ifsentry number;
    number.name = "ps";
    number.kind = numberkind;
    number.number = 7;
    number.numberfield = &settings::ps;
    ifsentry text;
    text.name = "sbi.m";
    text.kind = stringkind;
    text.text = "end of:";
    text.textfield = &settings::sbi_m;
    ifsentry off;
    off.name = "0";
    off.kind = alloffkind;
    s.ifsblocks[1] = {flag, number, text};
    formatter::applyifsblock(s, 1);
    EXPECT_EQ(s.uk, 0);
    EXPECT_EQ(s.ps, 7);
    EXPECT_EQ(s.sbi_m, "end of:");
    s.ifsblocks[0] = {off, number};
    s.co = 1;
    formatter::applyifsblock(s, 0);
    EXPECT_EQ(s.co, 0);
    EXPECT_EQ(s.ps, 7);
    formatter::applyifsblock(s, 5);  // no such block: nothing happens
    EXPECT_EQ(s.ps, 7);
}

}  // namespace
