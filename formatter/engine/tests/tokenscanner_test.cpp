// The token scanner against the alternation of token kinds it stands for: at every position
// of many texts, both give the same kind and the same end.
#include "enginetesting.h"
#include "pattern.h"
#include "tokenscanner.h"

#include <array>
#include <random>

namespace {

std::string characterclass(std::string_view bytes) {
    std::array<bool, 256> seen{};
    for (char c : bytes) seen[static_cast<unsigned char>(c)] = true;
    std::string cls = "[";
    for (int b = 0; b < 256; ++b) {
        if (!seen[static_cast<size_t>(b)]) continue;
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", b);
        cls += hex;
    }
    return cls == "[" ? "(?!)" : cls + "]";
}

// The alternation of token kinds: group i+1 of a match decides kind[i] (group 5 is the
// q-quote delimiter); group 14 is an operator or any other byte.
class referencetokenizer {
public:
    referencetokenizer(std::string_view letters, std::string_view identchars) {
        const std::string lb = "(?:\\x0d\\x0a|\\x0d|\\x0a)";
        const std::string letter = characterclass(letters), identchar = characterclass(identchars);
        std::string id = letter + identchar + "*";
        std::string directive = "\\$\\$" + letter + identchar + "*|\\$(?i:if|elsif|else|end|then|error)(?![A-Za-z])(?!" +
                                identchar + ")";
        std::string text =
            "\\G(?:(--.*?(?=" + lb + ")|--.*?$)|(\".*?\")|((?:\\'.*?\\')+)|((?:[nN]?[qQ]\\'(.)))|"
            "(\\/\\*.*?\\*\\/)|([nN]?[qQ]\\')|(" + directive + "|" + id + "(?:\\.(?:" + id + "|\\*))*)|([\t ]+|" + lb +
            "[\t ]*)|(\")|(\\')|(\\/\\*|\\*\\/)|((?:\\d+(?:\\.(?!\\.)\\d*)?|\\.\\d+)(?:[Ee][+-]?\\d+)?"
            "(?:[fFdD](?!" + identchar + ")(?!" + letter + "))?)|"
            "(\\*\\*|=>|\\:=|\\|\\||<>|!=|<=|>=|~=|\\^=|\\.\\.|<<|>>|&\\w+|.))";
        alternation = &pattern::get(text, pattern::dotall);
    }

    scannedtoken scan(std::string_view text, size_t pos) const {
        static constexpr std::array<std::pair<int, int32_t>, 12> groupkinds{{
            {1, singlelinecomment}, {2, doublequotedname}, {3, stringliteral}, {4, qquoteliteral},
            {6, blockcomment}, {7, qquoteopener}, {8, identifier}, {9, whitespace},
            {10, lonedoublequote}, {11, lonesinglequote}, {12, lonecommentmark}, {13, number},
        }};
        patternmatch m;
        size_t end = pos;
        if (!alternation->consume(text, end, &m)) return {0, pos};
        for (auto [group, kind] : groupkinds)
            if (m.matched(static_cast<size_t>(group)) && !m.group(static_cast<size_t>(group)).empty())
                return {kind, end};
        return {othertoken, end};
    }

private:
    const pattern* alternation;
};

// Texts built from the pieces that make the kinds differ.
std::vector<std::string> randomtexts(uint32_t seed, int count) {
    static const std::vector<std::string> pieces{
        "'", "''", "\"", "q'", "q'[", "]'", "q'|", "|'", "--", "-", "/*", "*/", "/", "*", "\r", "\n",
        "\r\n", " ", "\t", "1", "23", ".", "..", "e", "E", "+", "-", "&", "#", ";", "&amp;", "a", "b_1",
        "$", "x.y", ".*", "\xe4", std::string(1, '\0'), "<", ">", "=", ":", "|", "!", "~", "^", "[",
        "]", "(", ")", "{", "}", "@", "\x7f", "\xff", "q", "Q", "n", "N", "$$", "if", "ELSE", "$end", "d",
        "F", "e5", "E-"};
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        std::string text;
        for (int n = static_cast<int>(random() % 24); n >= 0; --n) text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    return texts;
}

void expectsamescan(std::string_view letters, std::string_view identchars, const std::vector<std::string>& texts) {
    tokenscanner scanner(letters, identchars);
    referencetokenizer reference(letters, identchars);
    int differences = 0;
    for (const std::string& text : texts) {
        for (size_t pos = 0; pos < text.size() && differences < 10; ++pos) {
            scannedtoken expected = reference.scan(text, pos);
            scannedtoken got = scanner.scan(text, pos);
            if (got.kind != expected.kind || got.end != expected.end) {
                ++differences;
                ADD_FAILURE() << "at " << pos << " of \"" << text << "\": kind " << got.kind << " end " << got.end
                              << ", expected kind " << expected.kind << " end " << expected.end;
            }
        }
    }
}

TEST(tokenscanner, agreeswiththealternationofkindsinthestandardsets) {
    std::vector<std::string> texts = randomtexts(7, 4000);
    for (const char* text :
         {"select 'it''s' from \"T\" -- c\r\n", "q'[a]' q'<b>' q'", "1.5e+3 1.e-2 .5 1..2 1e+ 12.", "a.b.*.c a. a.5",
          "Q'[a]' nq'(b)' NQ'<c>' Nq' nq", "1e127d 10.5f .5E-3 2d_x 3fa 1e 1..10", "$if $$x $elsif$else $ends $$ $1",
          "&x; &#12; &#; &; &_ &", "/* x */ /* y", "*/ **/ ***", "--\n--", "'a'' 'b'c'", "x\"y\"z\"", "\r\r\n\n \t"})
        texts.emplace_back(text);
    for (const char* set : {"US7ASCII", "WE8ISO8859P1", "UTF8"}) {
        const charset named(set);
        expectsamescan(named.letters(), named.identchars(), texts);
    }
}

// Letters may be any bytes, even those that open other kinds: the order of the kinds decides.
TEST(tokenscanner, agreeswiththealternationforoddletters) {
    std::vector<std::string> texts = randomtexts(11, 3000);
    expectsamescan("'\"-/*q .1e&", "'\"-/*q .1e&#$_", texts);
    expectsamescan("]\\^-a", "]\\^-a0", texts);
    expectsamescan("", "", texts);
}

}  // namespace

TEST(findbytepair, findsthefirstpairatorafterthestart) {
    constexpr size_t none = std::string_view::npos;
    struct row {
        std::string_view text;
        char a, b;
        size_t from, expected;
    } rows[] = {
        {"x */ y */", '*', '/', 0, 2},
        {"x */ y */", '*', '/', 3, 7},
        {"***/", '*', '/', 0, 2},      // a run of the first byte before its pair
        {"a'''b", '\'', '\'', 0, 1},   // both bytes alike: pairs overlap
        {"a'''b", '\'', '\'', 2, 2},
        {"ab*", '*', '/', 0, none},    // the first byte last: no room for the second
        {"*/", '*', '/', 1, none},
        {"*/", '*', '/', 5, none},     // a start beyond the end
        {"", '*', '/', 0, none},
        {")']'", ']', '\'', 0, 2},
    };
    for (const row& r : rows) {
        EXPECT_EQ(findbytepair(r.text, r.a, r.b, r.from), r.expected) << r.text << " from " << r.from;
        EXPECT_EQ(findbytepair(r.text, r.a, r.b, r.from), r.from > r.text.size() ? none : r.text.find(std::string{r.a, r.b}, r.from));
    }
    EXPECT_EQ(findbyte("ab'c'", '\'', 3), 4u);
    EXPECT_EQ(findbyte("ab'c", '\'', 3), none);
    EXPECT_EQ(findbyte("ab", '\'', 9), none);
}
