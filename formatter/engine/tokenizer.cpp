// The tokenizer: the token scanner applied at the current position of the text, with
// q-quote ends found literally and multi-line tokens cut into line pieces.
#include "charsets.h"
#include "messages.h"
#include "support.h"
#include "tokencontext.h"

#include <memory>

// The scanner for the current character set; rebuilt when the set's letters change.
const tokenscanner& tokencontext::currentscanner() {
    static std::string letters, identchars;
    static std::unique_ptr<tokenscanner> last;
    if (last && letters == charsetletters && identchars == charsetidentchars) return *last;
    letters = charsetletters;
    identchars = charsetidentchars;
    last = std::make_unique<tokenscanner>(letters, identchars);
    return *last;
}

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

}  // namespace

void tokencontext::addtoken(token&& t, scanstate& state) {
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
    size_t start = pos;
    ++matchcount;
    scannedtoken found = scanner->scan(text, pos);
    int32_t kind = found.kind;
    pos = found.end;
    std::string_view tokentext = text.substr(start, pos - start);
    if (kind == qquoteliteral) {
        char closing[2] = {closingdelimiter(text[start + 2]), '\''};
        size_t end = text.find(std::string_view(closing, 2), pos);
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
            countlinebreak(piece, state);
            addtoken(token::referring(piece, kind, 0, sequencecounter++, state.line, 1), state);
        }
    } else {
        int32_t classcode = kind == identifier ? keywordlookup.find(tokentext) : 0;
        addtoken(token::referring(tokentext, kind, classcode, sequencecounter++, state.line, state.column),
                 state);
        if (kind == whitespace) countlinebreak(tokentext, state);
    }
    ++sequencecounter;
}

// A line break at the start of the text: tallied, and the line count goes up.
void tokencontext::countlinebreak(std::string_view text, scanstate& state) {
    size_t length = linebreaklength(text);
    if (length == 0) return;
    ++state.breaks[length == 2 ? 2 : text[0] == '\r' ? 1 : 0];
    ++state.line;
}

void tokencontext::preparescan() {
    scanner = &currentscanner();
    keywordlookup.build(keywordclasses);
}

void tokencontext::finishscan(const scanstate& state) {
    static const char* const forms[3] = {"\n", "\r", "\r\n"};
    for (int i = 0; i < 3; ++i)
        if (state.breaks[i]) linebreakcounts[forms[i]] += state.breaks[i];
    tokensadded = state.added;
}

void tokencontext::keeptokenizedtext(std::string text) {
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
    tokenizedtext = text;
    preparescan();
    scanstate state;
    size_t pos = 0;
    while (pos < tokenizedtext.size()) scanmatch(tokenizedtext, pos, tokenizedbase, state);
    finishscan(state);
}
