// The tokenizer: one anchored alternation of the token kinds, matched at the current position
// of the text, with q-quote ends found literally and multi-line tokens cut into line pieces.
#include "charsets.h"
#include "messages.h"
#include "pattern.h"
#include "support.h"
#include "tokencontext.h"

#include <array>

namespace {

const std::string linebreak = "(?:\\x0d\\x0a|\\x0d|\\x0a)";

// A character class of the given bytes; every byte is escaped, so data bytes such as "]"
// or "\" cannot change the pattern. A class of no byte matches nothing.
std::string characterclass(std::string_view bytes) {
    std::array<bool, 256> seen{};
    for (char c : bytes) seen[static_cast<unsigned char>(c)] = true;
    std::string cls = "[";
    static const char hex[] = "0123456789abcdef";
    bool any = false;
    for (int b = 0; b < 256; ++b) {
        if (!seen[static_cast<size_t>(b)]) continue;
        any = true;
        bool plain = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (plain) {
            cls += static_cast<char>(b);
        } else {
            cls += "\\x";
            cls += hex[b >> 4];
            cls += hex[b & 15];
        }
    }
    return any ? cls + "]" : "(?!)";
}

}  // namespace

// The token pattern for the current character set; the cache keeps one compiled form per
// set, and the tokenizer looks it up once per text.
const pattern& tokencontext::tokenpattern() {
    static std::string letters, identchars;
    static const pattern* last = nullptr;
    if (last && letters == charsetletters && identchars == charsetidentchars) return *last;
    letters = charsetletters;
    identchars = charsetidentchars;
    std::string id = characterclass(charsetletters) + characterclass(charsetidentchars) + "*";
    std::string text =
        "\\G(?:(--.*?(?=" + linebreak + ")|--.*?$)|(\".*?\")|((?:\\'.*?\\')+)|((?:q\\'(.)))|"
        "(\\/\\*.*?\\*\\/)|(q\\')|(" + id + "(?:\\.(?:" + id + "|\\*))*)|([\t ]+|" + linebreak +
        "[\t ]*)|(\")|(\\')|(\\/\\*|\\*\\/)|((?:\\d+\\.?\\d*|\\.\\d+)(?:(?:E|e)(?:\\+|\\-)\\d+)?)|"
        "(\\*\\*|=>|\\:=|\\|\\||<>|!=|<=|>=|~=|\\^=|\\.\\.|<<|>>|&\\w+;|&\\#\\d+;|&\\w+|.))";
    last = &pattern::get(text, pattern::dotall);
    return *last;
}

namespace {

// Capture groups in the order they decide the kind (group 5 is the q-quote delimiter).
constexpr std::array<std::pair<int, int32_t>, 12> groupkinds{{
    {1, singlelinecomment}, {2, doublequotedname}, {3, stringliteral}, {4, qquoteliteral},
    {6, blockcomment}, {7, qquoteopener}, {8, identifier}, {9, whitespace},
    {10, lonedoublequote}, {11, lonesinglequote}, {12, lonecommentmark}, {13, number},
}};

char closingdelimiter(char open) {
    switch (open) {
    case '(': return ')';
    case '<': return '>';
    case '[': return ']';
    case '{': return '}';
    default: return open;
    }
}

// Length of the line break at the start of text (CR LF, CR or LF), 0 when none.
size_t linebreaklength(std::string_view text) {
    if (text.empty()) return 0;
    if (text[0] == '\r') return text.size() > 1 && text[1] == '\n' ? 2 : 1;
    return text[0] == '\n' ? 1 : 0;
}

// The next line piece of a multi-line token: an optional leading line break and the rest
// of that line.
std::string_view nextlinepiece(std::string_view text, size_t& pos) {
    size_t start = pos;
    pos += linebreaklength(text.substr(pos));
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    return text.substr(start, pos - start);
}

const std::string supportaddress = "brelm-support@example.org";

}  // namespace

void tokencontext::addtoken(token t, scanstate& state) {
    t.sourceoffset = state.offset;
    t.matchstart = state.firstofmatch;
    state.firstofmatch = false;
    state.offset += static_cast<int64_t>(t.text().size());
    state.column = advancecolumn(t, state.column);
    tokens.append(std::move(t));
    ++state.added;
}

// Appends the tokens of the match at pos and moves pos past it.
void tokencontext::scanmatch(std::string_view text, size_t& pos, int64_t base, scanstate& state) {
    patternmatch& m = scanmatchdata;
    size_t start = pos;
    ++matchcount;
    if (!alternation->consume(text, pos, &m)) die("Internal error with tokenizer. Contact " + supportaddress);
    int32_t kind = othertoken;
    int group = 14;
    for (auto [g, k] : groupkinds) {
        if (m.matched(static_cast<size_t>(g)) && !m.group(static_cast<size_t>(g)).empty()) {
            kind = k;
            group = g;
            break;
        }
    }
    std::string_view tokentext = m.group(static_cast<size_t>(group));
    if (kind == qquoteliteral) {
        std::string closing{closingdelimiter(m.group(5)[0]), '\''};
        size_t end = text.find(closing, pos);
        if (end == std::string_view::npos) {
            kind = qquoteopener;
        } else {
            pos = end + 2;
            tokentext = text.substr(start, pos - start);
        }
    }
    if (tokentext.empty()) die("Internal error with tokenizer. Contact " + supportaddress);

    state.offset = base + static_cast<int64_t>(start);
    state.firstofmatch = true;
    if (kind == stringliteral || kind == qquoteliteral || kind == blockcomment) {
        size_t at = 0;
        while (at < tokentext.size()) {
            std::string_view piece = nextlinepiece(tokentext, at);
            if (size_t lb = linebreaklength(piece)) {
                ++linebreakcounts[std::string(piece.substr(0, lb))];
                ++state.line;
            }
            addtoken(token(std::string(piece), kind, 0, sequencecounter++, state.line, 1), state);
        }
    } else {
        int32_t classcode = 0;
        if (kind == identifier) {
            auto found = keywordclasses.find(lc(tokentext));
            if (found != keywordclasses.end()) classcode = found->second;
        }
        addtoken(token(std::string(tokentext), kind, classcode, sequencecounter++, state.line,
                       state.column),
                 state);
        if (kind == whitespace) {
            if (size_t lb = linebreaklength(tokentext)) {
                ++linebreakcounts[std::string(tokentext.substr(0, lb))];
                ++state.line;
            }
        }
    }
    ++sequencecounter;
}

// Offsets run on from the text of an earlier call, so that they stay in text order.
void tokencontext::tokenize(std::string_view text) {
    tokenizedbase += static_cast<int64_t>(tokenizedtext.size());
    tokenizedtext.assign(text);
    alternation = &tokenpattern();
    scanstate state;
    size_t pos = 0;
    while (pos < tokenizedtext.size()) scanmatch(tokenizedtext, pos, tokenizedbase, state);
    tokensadded = state.added;
}
