// The tokenizer: the token scanner applied at the current position of the text, with
// q-quote ends found literally and multi-line tokens cut into line pieces.
#include "messages.h"
#include "support.h"
#include "tokencontext.h"

#include <memory>

namespace {

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

// Tokens keep their offsets in 32 bits: a text to tokenize must end below the limit (the last
// offset below it marks the end). Inputs are far smaller; only a text that grows past 4 GB
// as it is formatted reaches it.
void checkoffsetroom(int64_t base, size_t size) {
    if (base + static_cast<int64_t>(size) >= token::offsetlimit - 1)
        die("The text grows past 4 GB while it is formatted, which is more than brelm can hold\n");
}

bool issubstitutionglue(std::string_view text) {
    return text == "." || text == ".." || text == "_" || text == "$" || text == "#";
}

// The word glued to a substitution variable (&&tbs._data, &x..sql, &&owner..level) is a piece
// of the name SQL*Plus builds, not a keyword or a name of its own: it keeps its text and
// opens or ends nothing. glued tells whether the tokens before were such a variable and glue.
int32_t substitutionpiece(std::string_view text, int32_t kind, bool& glued) {
    if (kind == identifier && glued) {
        glued = false;
        return othertoken;
    }
    if (kind == othertoken && text.size() > 1 && text[0] == '&') glued = true;
    else if (!(glued && kind == othertoken && issubstitutionglue(text))) glued = false;
    return kind;
}

}  // namespace

// A token of the text: it refers to its bytes; breaks tells whether they hold a line break.
void tokencontext::addtoken(std::string_view text, int32_t kind, int32_t classcode, int32_t column, bool breaks,
                            scanstate& state) {
    position at = tokens.appendtokenized(text, kind, classcode, sequencecounter++, state.line, column, state.offset,
                                         state.firstofmatch, breaks);
    state.firstofmatch = false;
    state.offset += static_cast<int64_t>(text.size());
    auto after = [](int64_t from, size_t length) {
        return static_cast<int32_t>(std::min<int64_t>(from + static_cast<int64_t>(length), INT32_MAX));
    };
    if (kind == identifier || kind == number || kind == othertoken) {
        state.column = after(state.column, text.size());
    } else if (kind == whitespace && text.find('\t') == std::string_view::npos) {
        // Blanks without a TAB: the column moves by their count, from 1 after a line break.
        size_t skip = linebreaklength(text);
        state.column = skip ? after(1, text.size() - skip) : after(state.column, text.size());
    } else {
        state.column = advancecolumn(*at, state.column);
    }
    ++state.added;
}

// Appends the tokens of the match at pos and moves pos past it.
void tokencontext::scanmatch(std::string_view text, size_t& pos, int64_t base, scanstate& state) {
    size_t start = pos;
    ++matchcount;
    scannedtoken found = scanner->scan(text, pos);
    int32_t kind = found.kind;
    pos = found.end;
    std::string_view tokentext = text.substr(start, pos - start);
    if (kind == qquoteliteral) {
        // The scan ends after the delimiter.
        size_t end = findbytepair(text, closingdelimiter(text[pos - 1]), '\'', pos);
        if (end == std::string_view::npos) {
            kind = qquoteopener;
        } else {
            pos = end + 2;
            tokentext = text.substr(start, pos - start);
        }
    }
    if (tokentext.empty()) die("Internal error with tokenizer. Contact " + supportaddress);
    kind = substitutionpiece(tokentext, kind, state.gluedtosubstitution);

    state.offset = base + static_cast<int64_t>(start);
    state.firstofmatch = true;
    if (kind == stringliteral || kind == qquoteliteral || kind == blockcomment) {
        size_t at = 0;
        while (at < tokentext.size()) {
            std::string_view piece = nextlinepiece(tokentext, at);
            bool breaks = countlinebreak(piece, state);
            addtoken(piece, kind, 0, 1, breaks, state);
        }
    } else {
        int32_t classcode = kind == identifier ? keywordlookup.valueoflowered(tokentext) : 0;
        // Blanks break a line only at their start; quoted names and q' openers may hold one.
        bool breaks = kind == whitespace ? startswithlinebreak(tokentext)
                      : kind == doublequotedname || kind == qquoteopener || (kind == identifier && namesbreak)
                          ? haslinebreak(tokentext)
                          : false;
        addtoken(tokentext, kind, classcode, state.column, breaks, state);
        if (kind == whitespace) countlinebreak(tokentext, state);
    }
    ++sequencecounter;
}

// A line break at the start of the text: tallied, and the line count goes up. True when
// there is one.
bool tokencontext::countlinebreak(std::string_view text, scanstate& state) {
    size_t length = linebreaklength(text);
    if (length == 0) return false;
    ++state.breaks[length == 2 ? 2 : text[0] == '\r' ? 1 : 0];
    ++state.line;
    return true;
}

void tokencontext::usecharset(charset set) {
    characterset = std::move(set);
    scanner.reset();
}

void tokencontext::preparescan() {
    if (!scanner) scanner = std::make_unique<const tokenscanner>(characterset.letters(), characterset.identchars());
    namesbreak = scanner->namesholdbreaks();
    keywordlookup.clear();
    for (const auto& [word, code] : keywordclasses)
        if (code != 0) keywordlookup.insert(word, code);
}

void tokencontext::finishscan(const scanstate& state) {
    static const char* const forms[3] = {"\n", "\r", "\r\n"};
    for (int i = 0; i < 3; ++i)
        if (state.breaks[i]) linebreakcounts[forms[i]] += state.breaks[i];
    tokensadded = state.added;
}

void tokencontext::keeptokenizedtext(std::string text) {
    checkoffsetroom(tokenizedbase, text.size());
    tokenizedtexts.push_back(std::make_unique<std::string>(std::move(text)));
    tokenizedtext = *tokenizedtexts.back();
}

// Offsets run on from the text of an earlier call, so that they stay in text order.
void tokencontext::tokenize(std::string_view text) {
    tokenizedtexts.push_back(std::make_unique<std::string>(text));
    tokenizeinplace(*tokenizedtexts.back());
}

void tokencontext::tokenizeinplace(std::string_view text) {
    tokenizedbase += static_cast<int64_t>(tokenizedtext.size());
    checkoffsetroom(tokenizedbase, text.size());
    tokenizedtext = text;
    preparescan();
    scanstate state;
    size_t pos = 0;
    while (pos < tokenizedtext.size()) scanmatch(tokenizedtext, pos, tokenizedbase, state);
    finishscan(state);
}
