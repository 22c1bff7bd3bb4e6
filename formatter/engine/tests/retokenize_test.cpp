// Tokenizing again after a SQL*Plus line cut a literal: the result equals tokenizing the
// rest of the text anew, lines run on, and the work stays linear in the text.
#include "enginetesting.h"

#include <iterator>
#include <random>

namespace {

struct spelled {
    std::string text;
    int32_t kind;
    int32_t line;
    bool operator==(const spelled&) const = default;
};

std::ostream& operator<<(std::ostream& out, const spelled& t) {
    return out << "{\"" << t.text << "\", " << t.kind << ", " << t.line << "}";
}

std::vector<spelled> spell(const formatter& f) {
    std::vector<spelled> all;
    for (const token& t : f.tokens) all.push_back({std::string(t.text()), t.kind, t.line});
    return all;
}

// Cuts every multi-line string literal after its first piece, in text order, as the driver
// does for literals on SQL*Plus lines. With `joined`, each cut first marks the tail as
// edited, so the tail is joined and tokenized anew.
void cutallliterals(formatter& f, bool joined) {
    for (position p = f.tokens.begin(); p != f.tokens.end(); ++p) {
        position after = std::next(p);
        if (p->kind != stringliteral || haslinebreak(p->text()) || after == f.tokens.end() ||
            after->sequence != p->sequence + 1)
            continue;
        if (joined) after->settext(after->text());
        f.retokenizeafter(p);
    }
}

formatter& prepared(formatter& f, const std::string& text) {
    f.resettokencontext();
    f.tokenize(text);
    f.appendendtokens();
    return f;
}

// PROMPT lines with apostrophes; `mixed` puts statements between them whose comments
// hide a quote, so that the two quote parities meet again.
std::string promptscript(int lines, bool mixed = true) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "PROMPT Don't stop " + std::to_string(i) + "\n";
        if (mixed && i % 7 == 3) text += "select 'a' from dual; -- it's fine\n";
        if (mixed && i % 11 == 5) text += "/* Bob's */ x := 'y';\n";
    }
    return text;
}

// Lines drawn at random from pieces that open, close or hide quotes, so that the ways of
// pairing the quotes part and meet again at many places.
std::string randomscript(uint32_t seed, int lines) {
    static const char* const pieces[] = {"PROMPT Don't", "PROMPT ok", "x := 'a';", "-- it's", "/* it's */",
                                         "q'[it's]'", "'", "y := 'b", "c';", "\"n'm\"", "/*", "*/ '"};
    std::mt19937 random(seed);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += pieces[random() % std::size(pieces)];
        if (random() % 3 == 0) text += std::string(" ") + pieces[random() % std::size(pieces)];
        text += "\n";
    }
    return text;
}

TEST(retokenize, equalsjoiningandtokenizingthetailanew) {
    std::vector<std::string> texts{std::string("PROMPT Don't\nPROMPT It's\nPROMPT Isn't\nselect 1 from dual;\n"),
                                   std::string("PROMPT a'b\nx 'c\nd' e\n'f\ng'\n"), std::string("REM ' \n'\n"),
                                   promptscript(40), promptscript(40, false)};
    for (uint32_t seed = 1; seed <= 30; ++seed) texts.push_back(randomscript(seed, 60));
    for (const std::string& text : texts) {
        formatter quick, reference;
        cutallliterals(prepared(quick, text), false);
        cutallliterals(prepared(reference, text), true);
        EXPECT_EQ(spell(quick), spell(reference)) << text;
        EXPECT_EQ(quick.jointokentexts(quick.tokens.begin(), quick.tokens.end()), "\n" + text);
        EXPECT_EQ(std::prev(quick.tokens.end())->kind, endtoken);
        EXPECT_EQ(quick.endsentinel, std::prev(std::prev(quick.tokens.end())));
    }
}

// After the cut the line numbers go on from the cut literal's line.
TEST(retokenize, linesrunonfromthecutliteral) {
    formatter f;
    prepared(f, "x\nPROMPT Don't\nPROMPT ok\n'unclosed\n");
    cutallliterals(f, false);
    std::vector<std::pair<std::string, int32_t>> lines;
    for (const token& t : f.tokens)
        if (t.kind == identifier || t.kind == lonesinglequote) lines.push_back({std::string(t.text()), t.line});
    EXPECT_EQ(lines, (std::vector<std::pair<std::string, int32_t>>{
                         {"x", 1}, {"PROMPT", 2}, {"Don", 2}, {"PROMPT", 3}, {"ok", 3},
                         {"'", 4}, {"unclosed", 4}}));
}

// Thousands of PROMPT lines with apostrophes: every cut meets tokens made before, so the
// tokenizer's work stays a small multiple of the text's tokens. Without statements between
// them the two ways of pairing the quotes never meet before the end of the text: both stay.
TEST(retokenize, promptlineswithapostrophesstaylinear) {
    for (bool mixed : {true, false}) {
        std::string text = promptscript(3000, mixed);
        formatter once;
        prepared(once, text);
        int64_t single = once.tokenizermatches();
        formatter f;
        prepared(f, text);
        cutallliterals(f, false);
        EXPECT_LT(f.tokenizermatches(), 4 * single) << (mixed ? "mixed" : "prompts only");
        EXPECT_EQ(f.jointokentexts(f.tokens.begin(), f.tokens.end()), "\n" + text);
    }
}

}  // namespace
