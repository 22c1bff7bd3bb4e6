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

// Digits with an optional point and digits (or a point and digits), and an exponent with
// its mandatory sign; 0 when no number starts at pos.
size_t numberend(std::string_view text, size_t pos) {
    size_t end;
    if (isdigitbyte(text, pos)) {
        end = digitsend(text, pos);
        if (at(text, end, '.')) end = digitsend(text, end + 1);
    } else if (at(text, pos, '.') && isdigitbyte(text, pos + 1)) {
        end = digitsend(text, pos + 1);
    } else {
        return 0;
    }
    if ((at(text, end, 'E') || at(text, end, 'e')) && (at(text, end + 1, '+') || at(text, end + 1, '-')) &&
        isdigitbyte(text, end + 2))
        end = digitsend(text, end + 2);
    return end;
}

// The operators of two bytes, the character references and "&name"; else one byte.
size_t operatorend(std::string_view text, size_t pos) {
    const char c = text[pos];
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    bool pair = false;   // ** => := || <> != <= >= ~= ^= .. << >>
    switch (c) {
    case '*': pair = next == '*'; break;
    case '=': pair = next == '>'; break;
    case ':': case '!': case '~': case '^': pair = next == '='; break;
    case '|': pair = next == '|'; break;
    case '<': pair = next == '>' || next == '=' || next == '<'; break;
    case '>': pair = next == '=' || next == '>'; break;
    case '.': pair = next == '.'; break;
    default: break;
    }
    if (pair) return pos + 2;
    if (c == '&') {
        size_t words = pos + 1;
        while (iswordbyte(text, words)) ++words;
        if (words > pos + 1 && at(text, words, ';')) return words + 1;
        if (at(text, pos + 1, '#')) {
            size_t digits = digitsend(text, pos + 2);
            if (digits > pos + 2 && at(text, digits, ';')) return digits + 1;
        }
        if (words > pos + 1) return words;
    }
    return pos + 1;
}

}  // namespace

tokenscanner::tokenscanner(std::string_view letters, std::string_view identchars) {
    for (char c : letters) letter[static_cast<unsigned char>(c)] = true;
    for (char c : identchars) identchar[static_cast<unsigned char>(c)] = true;
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
    if (c == '-' && next == '-') return {singlelinecomment, commentend(text, pos)};
    if (c == '"') {
        size_t closing = findbyte(text, '"', pos + 1);
        if (closing != std::string_view::npos) return {doublequotedname, closing + 1};
    }
    if (c == '\'') {
        if (size_t end = literalend(text, pos)) return {stringliteral, end};
    }
    if (c == 'q' && next == '\'' && pos + 2 < text.size()) return {qquoteliteral, pos + 3};
    if (c == '/' && next == '*') {
        size_t closing = findbytepair(text, '*', '/', pos + 2);
        if (closing != std::string_view::npos) return {blockcomment, closing + 2};
    }
    if (c == 'q' && next == '\'') return {qquoteopener, pos + 2};
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
