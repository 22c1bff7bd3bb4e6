// Display columns: tab stops, the column after a text or token, TAB expansion, the start
// column of a token (exact under edits, linear over a long line) and indentation text.
#include "enginetesting.h"

#include <random>

namespace {

struct tabcase {
    std::vector<int32_t> widths;
    int32_t from;
    int32_t reached;
};

TEST(tabstops, atabreachesthenextstop) {
    for (const tabcase& c : {tabcase{{4}, 1, 5}, tabcase{{4}, 2, 5}, tabcase{{4}, 4, 5},
                             tabcase{{4}, 5, 9}, tabcase{{4}, 8, 9}, tabcase{{4}, 9, 13},
                             tabcase{{2, 8}, 1, 3}, tabcase{{2, 8}, 2, 3}, tabcase{{2, 8}, 3, 11},
                             tabcase{{2, 8}, 10, 11}, tabcase{{2, 8}, 11, 19},
                             tabcase{{2, 8}, 18, 19}, tabcase{{2, 8}, 19, 27}, tabcase{{1}, 7, 8},
                             tabcase{{0}, 3, 4}, tabcase{{3, 3, 5}, 7, 12}}) {
        tokencontext tc;
        tc.buildtabstops(c.widths);
        EXPECT_EQ(tc.rowtringtocolumn("\t", c.from), c.reached) << c.widths[0] << " from " << c.from;
        EXPECT_EQ(tc.expandtabs(c.from, "\t"), std::string(static_cast<size_t>(c.reached - c.from), ' '));
    }
}

TEST(tabstops, textsandtabsalong) {
    tokencontext tc;
    EXPECT_EQ(tc.rowtringtocolumn("ab\tc", 1), 6);
    EXPECT_EQ(tc.rowtringtocolumn("", 7), 7);
    EXPECT_EQ(tc.rowtringtocolumn("\t\t", 1), 9);
    EXPECT_EQ(tc.expandtabs(1, "ab\tc\td"), "ab  c   d");
    EXPECT_EQ(tc.expandtabs(3, "\tx"), "  x");
}

TEST(columns, advancecolumnbykind) {
    tokencontext tc;
    EXPECT_EQ(tc.advancecolumn(token("\r\n  ", whitespace), 9), 3);
    EXPECT_EQ(tc.advancecolumn(token("   ", whitespace), 5), 8);
    EXPECT_EQ(tc.advancecolumn(token(" \t", whitespace), 1), 5);
    EXPECT_EQ(tc.advancecolumn(token("\n  x'", stringliteral), 12), 5);
    EXPECT_EQ(tc.advancecolumn(token("'a\tb", stringliteral), 2), 6);
    EXPECT_EQ(tc.advancecolumn(token("-- x", singlelinecomment), 3), 7);
    EXPECT_EQ(tc.advancecolumn(token("\tab", identifier), 3), 6);  // length only
}

struct columnline {
    formatter f;
    explicit columnline(const std::string& text, std::vector<int32_t> widths = {4}) {
        f.buildtabstops(widths);
        f.resettokencontext();
        f.tokenize(text);
        f.appendendtokens();
    }
    // The start column of every token, worked out from the joined text before it.
    std::vector<int32_t> expected() {
        std::vector<int32_t> columns;
        std::string before;
        for (const token& t : f.tokens) {
            size_t lastbreak = before.find_last_of("\r\n");
            std::string_view line = lastbreak == std::string::npos
                                        ? std::string_view(before)
                                        : std::string_view(before).substr(lastbreak + 1);
            columns.push_back(f.rowtringtocolumn(line, 1));
            before += t.text();
        }
        return columns;
    }
    std::vector<int32_t> measured() {
        std::vector<int32_t> columns;
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p) columns.push_back(f.tokencolumn(p));
        return columns;
    }
};

TEST(columns, tokencolumnafteratabbedlinestart) {
    columnline l("x\n\tx := y");
    position assign = std::next(l.f.tokens.begin(), 5);
    ASSERT_EQ(assign->text(), ":=");
    EXPECT_EQ(l.f.tokencolumn(assign), 7);
    EXPECT_EQ(l.f.tokencolumn(std::next(assign, 2)), 10);
    EXPECT_EQ(l.f.tokencolumn(std::next(l.f.tokens.begin(), 3)), 5);
    EXPECT_EQ(l.f.tokencolumn(std::next(l.f.tokens.begin(), 2)), 2);
    EXPECT_EQ(l.f.tokencolumn(l.f.tokens.begin()), 1);
    EXPECT_EQ(l.measured(), l.expected());
}

// Columns are cached per token, and every kind of edit forgets exactly the ones it moves.
TEST(columns, cachedcolumnsfollowedits) {
    columnline l("begin\n  a := b + c;\n\tif x then y; end if;\nend;");
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        // Measure a few tokens so that caches exist, then edit somewhere.
        for (int i = 0; i < 3; ++i) {
            position p = std::next(l.f.tokens.begin(), static_cast<int64_t>(random() % 20));
            l.f.tokencolumn(p);
        }
        int64_t size = std::distance(l.f.tokens.begin(), l.f.tokens.end());
        position at = std::next(l.f.tokens.begin(), 1 + static_cast<int64_t>(random() % (size - 3)));
        switch (random() % 5) {
        case 0: at->settext(std::string(at->text()) + "\t"); break;
        case 1: at->settext(random() % 2 ? "\n  " : "xy"); break;
        case 2: l.f.tokens.insert(at, token(random() % 2 ? "\t" : " ab", whitespace)); break;
        case 3: l.f.tokens.erase(at); break;
        default: at->settext(""); break;
        }
        ASSERT_EQ(l.measured(), l.expected()) << "round " << round;
    }
}

// Measuring every token of a 20,000-token line measures each token about once.
TEST(columns, alonglinecostsonemeasurepertoken) {
    std::string text = "x :=";
    for (int i = 0; i < 10000; ++i) text += " a\t+";
    columnline l(text);
    int64_t count = std::distance(l.f.tokens.begin(), l.f.tokens.end());
    ASSERT_GT(count, 20000);
    // Each token's blank before it changes, then its column is asked for.
    for (position p = std::next(l.f.tokens.begin()); p != l.f.tokens.end(); ++p) {
        if (p->kind == whitespace) p->settext("  ");
        l.f.tokencolumn(p);
    }
    EXPECT_LT(l.f.columnsteps(), 3 * count);
    std::string line = l.f.jointokentexts(std::next(l.f.tokens.begin()), std::prev(l.f.tokens.end()));
    EXPECT_EQ(l.f.tokencolumn(std::prev(l.f.tokens.end())), l.f.rowtringtocolumn(line, 1));
}

struct indentcase {
    int32_t ut, uts;
    std::vector<int32_t> widths;
    int32_t width;
    std::string text;
};

TEST(indentation, blanksortabsbytheswitches) {
    for (const indentcase& c : {indentcase{0, 0, {4}, 10, std::string(10, ' ')},
                                indentcase{0, 1, {4}, 10, "\t\t  "},
                                indentcase{1, 0, {4}, 10, "\t\t"},
                                indentcase{1, 0, {4}, 3, ""},
                                indentcase{0, 1, {2, 8}, 12, "\t\t  "},
                                indentcase{0, 1, {8, 2}, 5, "\t\t "},
                                indentcase{0, 1, {3}, 0, ""},
                                indentcase{0, 0, {4}, 0, ""}}) {
        formatter f;
        f.s = enginetesting::defaultsettings();
        f.s.ut = c.ut;
        f.s.uts = c.uts;
        f.s.t = c.widths;
        f.buildtabstops(c.widths);
        EXPECT_EQ(f.indentstring(c.width), c.text) << c.width << " ut " << c.ut << " uts " << c.uts;
    }
}

TEST(indentation, converttabsreplacesinlinetabsonly) {
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.s.ctis = 1;
    f.resettokencontext();
    f.tokenize("a\t-- x\ty\n\tb /*\tq*/");
    f.appendendtokens();
    f.trackedcolumn = 1;
    std::string converted;
    for (f.currenttoken = f.tokens.begin(); f.currenttoken != f.tokens.end(); ++f.currenttoken) {
        f.trackcolumns();
        converted += f.currenttoken->text();
    }
    EXPECT_EQ(converted, "\na   -- x    y\n\tb /*    q*/");
}

}  // namespace
