// The tokenizer: kinds, texts, lines, columns, sequence numbers and keyword classes.
#include "enginetesting.h"

using enginetesting::seen;
using enginetesting::tokensof;

namespace {

struct tokencase {
    std::string text;
    std::vector<seen> tokens;
};

void PrintTo(const tokencase& c, std::ostream* out) { *out << "\"" << c.text << "\""; }

class tokenizing : public ::testing::TestWithParam<tokencase> {};

TEST_P(tokenizing, splitsthetextintokensofthegivenkinds) {
    EXPECT_EQ(tokensof(GetParam().text), GetParam().tokens) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    kinds, tokenizing,
    ::testing::Values(
        tokencase{"", {}},
        tokencase{"a.b.c", {{"a.b.c", identifier}}},
        tokencase{"a.*", {{"a.*", identifier}}},
        tokencase{"a.5", {{"a", identifier}, {".5", number}}},
        // Every q-quote form Oracle accepts; n on its own stays a name.
        tokencase{"Q'[x]'", {{"Q'[x]'", qquoteliteral}}},
        tokencase{"nq'[a'b]' nQ'(c)' Nq'{d}' NQ'<e>'",
                  {{"nq'[a'b]'", qquoteliteral}, {" ", whitespace}, {"nQ'(c)'", qquoteliteral}, {" ", whitespace},
                   {"Nq'{d}'", qquoteliteral}, {" ", whitespace}, {"NQ'<e>'", qquoteliteral}}},
        tokencase{"n'x' nx'", {{"n", identifier}, {"'x'", stringliteral}, {" ", whitespace}, {"nx", identifier},
                               {"'", lonesinglequote}}},
        tokencase{"NQ'[abc", {{"NQ'[", qquoteopener}, {"abc", identifier}}},
        tokencase{"q'[a'b]'", {{"q'[a'b]'", qquoteliteral}}},
        tokencase{"q'[abc", {{"q'[", qquoteopener}, {"abc", identifier}}},
        tokencase{"x q'", {{"x", identifier}, {" ", whitespace}, {"q'", qquoteopener}}},
        tokencase{"q'{a}'q'<b>'q'(c)'", {{"q'{a}'", qquoteliteral}, {"q'<b>'", qquoteliteral},
                                          {"q'(c)'", qquoteliteral}}},
        // Delimiters that mean something in a pattern are taken literally.
        tokencase{"q'|a|'", {{"q'|a|'", qquoteliteral}}},
        tokencase{"q'*x*' y", {{"q'*x*'", qquoteliteral}, {" ", whitespace}, {"y", identifier}}},
        tokencase{"q'.a.'", {{"q'.a.'", qquoteliteral}}},
        tokencase{"q'\\a\\'", {{"q'\\a\\'", qquoteliteral}}},
        tokencase{"q'+a+b'", {{"q'+", qquoteopener}, {"a", identifier}, {"+", othertoken},
                              {"b", identifier}, {"'", lonesinglequote}}},
        tokencase{"'it''s'", {{"'it''s'", stringliteral}}},
        tokencase{"-- note", {{"-- note", singlelinecomment}}},
        tokencase{"x--a\ny", {{"x", identifier}, {"--a", singlelinecomment}, {"\n", whitespace},
                              {"y", identifier}}},
        tokencase{"\r\n   x", {{"\r\n   ", whitespace}, {"x", identifier}}},
        tokencase{"1.5e+3", {{"1.5e+3", number}}},
        // BINARY_FLOAT and BINARY_DOUBLE literals and exponents without a sign are one number.
        tokencase{"1.5e3", {{"1.5e3", number}}},
        tokencase{"1e127d 10.5f .5E-3 7D 2.F", {{"1e127d", number}, {" ", whitespace}, {"10.5f", number},
                                                {" ", whitespace}, {".5E-3", number}, {" ", whitespace},
                                                {"7D", number}, {" ", whitespace}, {"2.F", number}}},
        tokencase{"1from 2desc 3e", {{"1", number}, {"from", identifier}, {" ", whitespace}, {"2", number},
                                     {"desc", identifier}, {" ", whitespace}, {"3", number}, {"e", identifier}}},
        tokencase{"1..10", {{"1", number}, {"..", othertoken}, {"10", number}}},
        tokencase{"12.", {{"12.", number}}},
        // Conditional compilation: directive words and inquiry directives are one token.
        tokencase{"$IF $$plsql_unit $Then $error 'x' $end $else",
                  {{"$IF", identifier}, {" ", whitespace}, {"$$plsql_unit", identifier}, {" ", whitespace},
                   {"$Then", identifier}, {" ", whitespace}, {"$error", identifier}, {" ", whitespace},
                   {"'x'", stringliteral}, {" ", whitespace}, {"$end", identifier}, {" ", whitespace}, {"$else", identifier}}},
        tokencase{"$ del $ifx $$ $$1", {{"$", othertoken}, {" ", whitespace}, {"del", identifier}, {" ", whitespace},
                                        {"$", othertoken}, {"ifx", identifier}, {" ", whitespace}, {"$", othertoken},
                                        {"$", othertoken}, {" ", whitespace}, {"$", othertoken}, {"$", othertoken},
                                        {"1", number}}},
        // A ";" after a substitution variable ends the statement: it is a token of its own.
        tokencase{"&&owner;&#38;&x.;", {{"&", othertoken}, {"&owner", othertoken}, {";", othertoken}, {"&", othertoken},
                                      {"#", othertoken}, {"38", number}, {";", othertoken}, {"&x", othertoken},
                                      {".", othertoken}, {";", othertoken}}},
        tokencase{"a**b=>c:=d||e<>f!=g<=h>=i~=j^=k..l<<m>>",
                  {{"a", identifier}, {"**", othertoken}, {"b", identifier}, {"=>", othertoken},
                   {"c", identifier}, {":=", othertoken}, {"d", identifier}, {"||", othertoken},
                   {"e", identifier}, {"<>", othertoken}, {"f", identifier}, {"!=", othertoken},
                   {"g", identifier}, {"<=", othertoken}, {"h", identifier}, {">=", othertoken},
                   {"i", identifier}, {"~=", othertoken}, {"j", identifier}, {"^=", othertoken},
                   {"k", identifier}, {"..", othertoken}, {"l", identifier}, {"<<", othertoken},
                   {"m", identifier}, {">>", othertoken}}},
        tokencase{"\"My Name\".x", {{"\"My Name\"", doublequotedname}, {".", othertoken},
                                    {"x", identifier}}},
        tokencase{"/* a */ /* b", {{"/* a */", blockcomment}, {" ", whitespace}, {"/*", lonecommentmark},
                                   {" ", whitespace}, {"b", identifier}}},
        tokencase{"a */", {{"a", identifier}, {" ", whitespace}, {"*/", lonecommentmark}}},
        tokencase{"x \"y", {{"x", identifier}, {" ", whitespace}, {"\"", lonedoublequote},
                            {"y", identifier}}},
        tokencase{"x 'y", {{"x", identifier}, {" ", whitespace}, {"'", lonesinglequote},
                           {"y", identifier}}},
        tokencase{"a_1#$ _b", {{"a_1#$", identifier}, {" ", whitespace}, {"_", othertoken},
                               {"b", identifier}}},
        tokencase{"\t \n\n  x", {{"\t ", whitespace}, {"\n", whitespace}, {"\n  ", whitespace},
                                 {"x", identifier}}}));

// A multi-line literal or comment becomes one token per line; the pieces keep their line
// breaks in front and are numbered consecutively.
TEST(tokenizer, multilinetokensarecutintolinepieces) {
    formatter f;
    f.resettokencontext();
    f.tokenize("x\n'a\nb\r\nc' /*1\n2*/");
    std::vector<const token*> t;
    for (auto p = std::next(f.tokens.begin()); p != f.tokens.end(); ++p) t.push_back(p.get());
    ASSERT_EQ(t.size(), 8u);
    const token& piece1 = *t[2];
    const token& piece2 = *t[3];
    const token& piece3 = *t[4];
    EXPECT_EQ(piece1.text(), "'a");
    EXPECT_EQ(piece2.text(), "\nb");
    EXPECT_EQ(piece3.text(), "\r\nc'");
    for (const token* p : {&piece1, &piece2, &piece3}) {
        EXPECT_EQ(p->kind, stringliteral);
        EXPECT_EQ(p->column, 1);
    }
    EXPECT_EQ(piece1.line, 2);
    EXPECT_EQ(piece2.line, 3);
    EXPECT_EQ(piece3.line, 4);
    EXPECT_EQ(piece2.sequence, piece1.sequence + 1);
    EXPECT_EQ(piece3.sequence, piece2.sequence + 1);
    // Tokens of different matches are never numbered consecutively.
    EXPECT_EQ(t[1]->sequence + 2, piece1.sequence);
    EXPECT_EQ(t[6]->text(), "/*1");
    EXPECT_EQ(t[7]->text(), "\n2*/");
    EXPECT_EQ(t[7]->line, 5);
    EXPECT_EQ((f.linebreakcounts), (std::map<std::string, int32_t>{{"\n", 3}, {"\r\n", 1}}));
    EXPECT_EQ(f.tokensadded, 8);
}

TEST(tokenizer, abreakbelongstothelineitends) {
    formatter f;
    f.resettokencontext();
    f.tokenize("a\r\n   x\ty");
    auto p = std::next(f.tokens.begin());
    EXPECT_EQ(p->line, 1);
    EXPECT_EQ((++p)->text(), "\r\n   ");
    EXPECT_EQ(p->line, 1);
    EXPECT_EQ(p->column, 2);
    EXPECT_EQ((++p)->text(), "x");
    EXPECT_EQ(p->line, 2);
    EXPECT_EQ(p->column, 4);
    ++p;  // the TAB at column 5 reaches 9
    EXPECT_EQ((++p)->column, 9);
    EXPECT_EQ(f.linebreakcounts.at("\r\n"), 1);
}

TEST(tokenizer, identifiersgettheirkeywordclasswholeandcaseless) {
    formatter f;
    f.resettokencontext();
    f.tokenize("SELECT Select select a.select selects between");
    std::vector<int32_t> classes;
    for (const token& t : f.tokens)
        if (t.kind == identifier) classes.push_back(t.classcode);
    EXPECT_EQ(classes, (std::vector<int32_t>{17, 17, 17, 0, 0, 46}));
}

TEST(tokenizer, emptytextaddsnothing) {
    formatter f;
    f.resettokencontext();
    f.tokenize("");
    EXPECT_EQ(f.tokensadded, 0);
    EXPECT_EQ(std::distance(f.tokens.begin(), f.tokens.end()), 1);
}

// Letters come from the character set: US7ASCII counts every byte above 127 as a letter,
// and a set's letters never break the pattern, whatever bytes they are.
TEST(tokenizer, identifiercharacterscomefromthecharacterset) {
    EXPECT_EQ(tokensof("\xe4x\xe9"), (std::vector<seen>{{"\xe4x\xe9", identifier}}));
    EXPECT_EQ(tokensof("\xe4x", "WE8ISO8859P1"), (std::vector<seen>{{"\xe4x", identifier}}));
    formatter f;
    f.usecharset(charset("]\\^-a", "]\\^-a", ""));
    f.resettokencontext();
    f.tokenize("]^x");
    ASSERT_EQ(std::distance(f.tokens.begin(), f.tokens.end()), 3);
    EXPECT_EQ(std::next(f.tokens.begin())->text(), "]^");
    EXPECT_EQ(std::next(f.tokens.begin())->kind, identifier);
}

TEST(tokenizer, binarybytesbecomesinglecharactertokens) {
    std::string text("a\0b\x01", 4);
    std::vector<seen> expected{{"a", identifier}, {std::string(1, '\0'), othertoken},
                               {"b", identifier}, {"\x01", othertoken}};
    EXPECT_EQ(tokensof(text), expected);
}

}  // namespace
