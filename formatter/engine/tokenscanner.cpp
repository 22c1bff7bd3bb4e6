// The token scanner: ordered byte tests, one per alternative of the token kinds; where an
// alternative needs an end it cannot find (an unclosed quote), the next one is tried.
#include "tokenscanner.h"

#include "token.h"

namespace {

inline unsigned char byteat(std::string_view text, size_t pos) {
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

inline bool at(std::string_view text, size_t pos, char c) { return pos < text.size() && text[pos] == c; }

inline bool isdigitbyte(std::string_view text, size_t pos) {
    return pos < text.size() && text[pos] >= '0' && text[pos] <= '9';
}

inline bool iswordbyte(std::string_view text, size_t pos) {
    if (pos >= text.size()) return false;
    char c = text[pos];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

size_t digitsend(std::string_view text, size_t pos) {
    while (isdigitbyte(text, pos)) ++pos;
    return pos;
}

size_t blanksend(std::string_view text, size_t pos) {
    while (at(text, pos, ' ') || at(text, pos, '\t')) ++pos;
    return pos;
}

// "--" up to the first CR or LF, or to the end.
size_t commentend(std::string_view text, size_t pos) {
    for (pos += 2; pos < text.size(); ++pos)
        if (text[pos] == '\r' || text[pos] == '\n') break;
    return pos;
}

// One or more quoted runs '...' back to back; 0 when the first is not closed.
size_t literalend(std::string_view text, size_t pos) {
    size_t end = 0;
    while (at(text, pos, '\'')) {
        size_t closing = findbyte(text, '\'', pos + 1);
        if (closing == std::string_view::npos) break;
        end = pos = closing + 1;
    }
    return end;
}

// The length of the q', Q', nq' ... that opens a q-quote at pos (its delimiter follows); 0
// when none stands there.
size_t qquoteprefix(std::string_view text, size_t pos) {
    const char c = text[pos];
    if ((c == 'q' || c == 'Q') && at(text, pos + 1, '\'')) return 2;
    if ((c == 'n' || c == 'N') && (at(text, pos + 1, 'q') || at(text, pos + 1, 'Q')) && at(text, pos + 2, '\''))
        return 3;
    return 0;
}

// The operators of two bytes and "&name"; else one byte.
size_t operatorend(std::string_view text, size_t pos) {
    const char c = text[pos];
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    bool pair = false;  // ** => := || <> != <= >= ~= ^= .. << >>
    switch (c) {
    case '*': pair = next == '*'; break;
    case '=': pair = next == '>'; break;
    case ':':
    case '!':
    case '~':
    case '^': pair = next == '='; break;
    case '|': pair = next == '|'; break;
    case '<': pair = next == '>' || next == '=' || next == '<'; break;
    case '>': pair = next == '=' || next == '>'; break;
    case '.': pair = next == '.'; break;
    default: break;
    }
    if (pair) return pos + 2;
    // A substitution variable. A ";" after it is no part of it: it ends the statement
    // (grant ... to &&owner;), as after any other word.
    if (c == '&') {
        size_t words = pos + 1;
        while (iswordbyte(text, words)) ++words;
        if (words > pos + 1) return words;
    }
    return pos + 1;
}

// The words of the conditional compilation directives, after their "$".
bool isdirectiveword(std::string_view word) {
    auto is = [word](std::string_view directive) {
        if (word.size() != directive.size()) return false;
        for (size_t i = 0; i < word.size(); ++i)
            if ((word[i] | 0x20) != directive[i]) return false;
        return true;
    };
    return is("if") || is("elsif") || is("else") || is("end") || is("then") || is("error");
}

}  // namespace

tokenscanner::tokenscanner(std::string_view letters, std::string_view identchars) {
    for (char c : letters) letter[static_cast<unsigned char>(c)] = true;
    for (char c : identchars) identchar[static_cast<unsigned char>(c)] = true;
}

// Digits with an optional point and digits (not the first point of "1..2"), or a point and
// digits; an exponent with an optional sign; a BINARY_FLOAT or BINARY_DOUBLE suffix that
// no name character follows. 0 when no number starts at pos.
size_t tokenscanner::numberend(std::string_view text, size_t pos) const {
    size_t end;
    if (isdigitbyte(text, pos)) {
        end = digitsend(text, pos);
        if (at(text, end, '.') && !at(text, end + 1, '.')) end = digitsend(text, end + 1);
    } else if (at(text, pos, '.') && isdigitbyte(text, pos + 1)) {
        end = digitsend(text, pos + 1);
    } else {
        return 0;
    }
    if (at(text, end, 'E') || at(text, end, 'e')) {
        size_t digits = end + 1 + ((at(text, end + 1, '+') || at(text, end + 1, '-')) ? 1 : 0);
        if (isdigitbyte(text, digits)) end = digitsend(text, digits);
    }
    if ((at(text, end, 'f') || at(text, end, 'F') || at(text, end, 'd') || at(text, end, 'D')) &&
        !(end + 1 < text.size() && (identchar[byteat(text, end + 1)] || letter[byteat(text, end + 1)])))
        ++end;
    return end;
}

// A selection or error directive ($if, $then, ... $end) or an inquiry directive ($$name);
// pos when none starts at pos.
size_t tokenscanner::directiveend(std::string_view text, size_t pos) const {
    if (at(text, pos + 1, '$')) {
        if (!(pos + 2 < text.size() && letter[byteat(text, pos + 2)])) return pos;
        size_t end = pos + 3;
        while (end < text.size() && identchar[byteat(text, end)]) ++end;
        return end;
    }
    size_t end = pos + 1;
    while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || (text[end] >= 'A' && text[end] <= 'Z')))
        ++end;
    if (end < text.size() && identchar[byteat(text, end)]) return pos;
    return isdirectiveword(text.substr(pos + 1, end - pos - 1)) ? end : pos;
}

// A name and its dotted parts (".name" or ".*").
size_t tokenscanner::identifierend(std::string_view text, size_t pos) const {
    ++pos;
    while (pos < text.size() && identchar[byteat(text, pos)]) ++pos;
    while (at(text, pos, '.')) {
        if (pos + 1 < text.size() && letter[byteat(text, pos + 1)]) {
            pos += 2;
            while (pos < text.size() && identchar[byteat(text, pos)]) ++pos;
        } else if (at(text, pos + 1, '*')) {
            pos += 2;
        } else {
            break;
        }
    }
    return pos;
}

scannedtoken tokenscanner::scan(std::string_view text, size_t pos) const {
    const char c = text[pos];
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    const bool hasnext = pos + 1 < text.size();
    // The alternatives that begin with a byte of their own, in their order; a byte that
    // begins none of them goes on to the identifier.
    switch (c) {
    case '-':
        if (next == '-') return {singlelinecomment, commentend(text, pos)};
        break;
    case '"':
        if (size_t closing = findbyte(text, '"', pos + 1); closing != std::string_view::npos)
            return {doublequotedname, closing + 1};
        break;
    case '\'':
        if (size_t end = literalend(text, pos)) return {stringliteral, end};
        break;
    case 'q':
    case 'Q':
    case 'n':
    case 'N':
        if (size_t qquote = qquoteprefix(text, pos)) {
            if (pos + qquote < text.size()) return {qquoteliteral, pos + qquote + 1};
            return {qquoteopener, pos + qquote};
        }
        break;
    case '/':
        if (next == '*') {
            size_t closing = findbytepair(text, '*', '/', pos + 2);
            if (closing != std::string_view::npos) return {blockcomment, closing + 2};
        }
        break;
    case '$':
        if (size_t end = directiveend(text, pos); end != pos) return {identifier, end};
        break;
    default: break;
    }
    if (letter[static_cast<unsigned char>(c)]) return {identifier, identifierend(text, pos)};
    if (c == ' ' || c == '\t') return {whitespace, blanksend(text, pos)};
    if (c == '\r') return {whitespace, blanksend(text, pos + (next == '\n' && hasnext ? 2 : 1))};
    if (c == '\n') return {whitespace, blanksend(text, pos + 1)};
    if (c == '"') return {lonedoublequote, pos + 1};
    if (c == '\'') return {lonesinglequote, pos + 1};
    if ((c == '/' && next == '*') || (c == '*' && next == '/')) return {lonecommentmark, pos + 2};
    if (size_t end = numberend(text, pos)) return {number, end};
    return {othertoken, operatorend(text, pos)};
}
