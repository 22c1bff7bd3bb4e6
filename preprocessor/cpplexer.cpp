// The lexer: source tokens with the statement state, directive-line tokens, and the peeks.
#include "cpplexer.h"

#include <string>

#include "charsettables.h"
#include "cppdirectives.h"
#include "cpperrors.h"
#include "cppsqlplus.h"
#include "cppstate.h"

namespace {

bool isblank(char c) { return c == ' ' || c == '\t'; }

bool isbreak(char c) { return c == '\r' || c == '\n'; }

bool isdigit(char c) { return c >= '0' && c <= '9'; }

bool ishexdigit(char c) { return isdigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool startsidentifier(char c) { return identifierstart[static_cast<unsigned char>(c)]; }

bool continuesidentifier(char c) { return identifierpart[static_cast<unsigned char>(c)]; }

// text[start, end) without the bounds check of substr: the scanners keep start <= end <= size.
std::string_view slice(std::string_view text, size_t start, size_t end) {
    return std::string_view(text.data() + start, end - start);
}

bool at(size_t position, std::string_view text, std::string_view what) {
    return text.substr(position, what.size()) == what;
}

// The two bytes at the position are first and second.
bool atpair(size_t position, std::string_view text, char first, char second) {
    return position + 1 < text.size() && text[position] == first && text[position + 1] == second;
}

// Moves past one line break (CR LF, CR or LF); false when none stands at the position.
bool skiplinebreak(size_t& position, std::string_view text) {
    if (position < text.size() && text[position] == '\r') {
        ++position;
        if (position < text.size() && text[position] == '\n') ++position;
        return true;
    }
    if (position < text.size() && text[position] == '\n') {
        ++position;
        return true;
    }
    return false;
}

void skiptolineend(size_t& position, std::string_view text) {
    while (position < text.size() && !isbreak(text[position])) ++position;
    skiplinebreak(position, text);
}

// A SQL*Plus command line with its line break, and each line that a "-" at the end of the
// line before continues (blanks may follow the "-").
void skipcommandlines(size_t& position, std::string_view text) {
    for (;;) {
        size_t start = position;
        while (position < text.size() && !isbreak(text[position])) ++position;
        size_t end = position;
        while (end > start && isblank(text[end - 1])) --end;
        const bool continued = end > start && text[end - 1] == '-' && position < text.size();
        skiplinebreak(position, text);
        if (!continued) return;
    }
}

// Only blanks and tabs stand between the last line break (or the start) and the position.
bool startsline(size_t position, std::string_view text) {
    while (position > 0 && isblank(text[position - 1])) --position;
    return position == 0 || isbreak(text[position - 1]);
}

// REM, REMARK, PROMPT and their short forms.
bool isremarkorprompt(std::string_view loweredword) {
    if (loweredword.size() < 3 || loweredword.size() > 6) return false;
    return std::string_view("remark").starts_with(loweredword) || std::string_view("prompt").starts_with(loweredword);
}

// The words that begin SQL statements and PL/SQL blocks of a script.
bool startssqlstatement(std::string_view loweredword) {
    static constexpr std::string_view words[] = {
        "alter",     "analyze", "associate", "audit",        "begin",  "call",    "comment",   "commit",
        "create",    "declare", "delete",    "disassociate", "drop",   "explain", "flashback", "grant",
        "insert",    "lock",    "merge",     "noaudit",      "purge",  "rename",  "revoke",    "rollback",
        "savepoint", "select",  "truncate",  "update",       "values", "with"};
    for (std::string_view word : words)
        if (word == loweredword) return true;
    return false;
}

// A host command: "$" or "!" and no name or operator right after it ($if, $$name and != are none).
bool athostcommand(size_t position, std::string_view text) {
    if (text[position] != '$' && text[position] != '!') return false;
    if (position + 1 >= text.size()) return true;
    char next = text[position + 1];
    return isblank(next) || isbreak(next) || (text[position] == '!' && next != '=' && !continuesidentifier(next)) ||
           (text[position] == '$' && !continuesidentifier(next));
}

// "--" up to and including the line break, or to the end of the text.
void scanlinecomment(size_t& position, std::string_view text) {
    position += 2;
    skiptolineend(position, text);
}

// A quoted name or string literal; a doubled quote inside stands for one.
void scanquoted(errorreporter errors, char quote, size_t& position, std::string_view text) {
    size_t opening = position;
    ++position;
    for (;;) {
        size_t closing = text.find(quote, position);
        if (closing == std::string_view::npos)
            raiseerror(errors, quote == '"' ? "closing \" is not found" : "closing ' is not found", opening, text);
        if (closing + 1 < text.size() && text[closing + 1] == quote) {
            position = closing + 2;
            continue;
        }
        position = closing + 1;
        return;
    }
}

char closingdelimiter(char opening) {
    switch (opening) {
    case '{': return '}';
    case '(': return ')';
    case '<': return '>';
    case '[': return ']';
    default: return opening;
    }
}

// q' delimiter text delimiter ' (or Q', nq', nQ', Nq', NQ')
void scanqquote(errorreporter errors, size_t& position, std::string_view text) {
    position += qquoteopenerlength(text.substr(position));
    if (position >= text.size()) raiseerror(errors, "marker after q' is not found", position, text);
    char closing = closingdelimiter(text[position]);
    ++position;
    for (;;) {
        size_t found = text.find(closing, position);
        if (found == std::string_view::npos || found + 1 >= text.size())
            raiseerror(errors, "closing ' is not found for q'", text.size(), text);
        if (text[found + 1] == '\'') {
            position = found + 2;
            return;
        }
        position = found + 1;
    }
}

// 2 for != ** .. := <= << <> => >= >> ^= || ~=, else 1.
size_t operatorlength(size_t position, std::string_view text) {
    if (position + 1 >= text.size()) return 1;
    const char next = text[position + 1];
    switch (text[position]) {
    case '!':
    case ':':
    case '^':
    case '~': return next == '=' ? 2 : 1;
    case '*': return next == '*' ? 2 : 1;
    case '.': return next == '.' ? 2 : 1;
    case '<': return next == '=' || next == '<' || next == '>' ? 2 : 1;
    case '=': return next == '>' ? 2 : 1;
    case '>': return next == '=' || next == '>' ? 2 : 1;
    case '|': return next == '|' ? 2 : 1;
    default: return 1;
    }
}

void scanidentifierbytes(size_t& position, std::string_view text) {
    ++position;
    while (position < text.size() && continuesidentifier(text[position])) ++position;
}

bool atqquote(size_t position, std::string_view text) {
    const char c = text[position];
    return (c == 'q' || c == 'Q' || c == 'n' || c == 'N') && qquoteopenerlength(text.substr(position)) != 0;
}

// The quotes, q-quotes, operators and identifiers that both scanners read alike.
int32_t scancommon(errorreporter errors, size_t& position, std::string_view text) {
    char c = text[position];
    if (c == '"' || c == '\'') {
        scanquoted(errors, c, position, text);
        return c == '"' ? kindquotedname : kindstring;
    }
    if (atqquote(position, text)) {
        scanqquote(errors, position, text);
        return kindqquote;
    }
    if (startsidentifier(c)) {
        scanidentifierbytes(position, text);
        return kindidentifier;
    }
    position += operatorlength(position, text);
    return kindother;
}

// A directive consumes its line break; the next line then starts as after one.
void afterdirective(statementstate& statement, bool atstart, size_t position, std::string_view text) {
    statement.atstatementstart = atstart && !statement.inplsqlblock;
    statement.afterblank = false;
    if (position > 0 && position <= text.size() && isbreak(text[position - 1])) {
        statement.afterblank = true;
        if (statement.statementended) {
            statement.statementended = false;
            statement.atstatementstart = true;
        }
    }
}

// Only blanks and tabs stand between the position and the next line break (or the end).
bool endsline(size_t position, std::string_view text) {
    while (position < text.size() && isblank(text[position])) ++position;
    return position == text.size() || isbreak(text[position]);
}

// Only blanks, tabs and block comments that begin on this line stand between its start and the
// position. The look back stays within the line, so a text of many such lines is read once.
bool firstonline(size_t position, std::string_view text) {
    const size_t lastbreak = position == 0 ? std::string_view::npos : text.find_last_of("\r\n", position - 1);
    const size_t linestart = lastbreak == std::string_view::npos ? 0 : lastbreak + 1;
    std::string_view line = text.substr(linestart, position - linestart);
    for (;;) {
        while (!line.empty() && isblank(line.back())) line.remove_suffix(1);
        if (line.size() < 4 || !line.ends_with("*/")) return line.empty();
        const size_t opening = line.rfind("/*", line.size() - 3);
        if (opening == std::string_view::npos) return false;
        line = line.substr(0, opening);
    }
}

// Slash: a block comment, or a "/" that closes an open block when only block comments share its line. A
// "/" alone on its line ends any statement, also one without ";" (GRANT ... or CREATE TABLE ...).
int32_t scanslash(statementstate& statement, errorreporter errors, size_t& position, std::string_view text) {
    if (atpair(position, text, '/', '*')) {
        size_t closing = text.find("*/", position + 2);
        if (closing == std::string_view::npos) raiseerror(errors, "closing */ is not found", text.size(), text);
        position = closing + 2;
        return kindblockcomment;
    }
    // A division ("a / b", or "/ b" at a line's start) closes nothing.
    const bool endsonline = endsline(position + 1, text);
    const bool aloneonline = startsline(position, text) && endsonline;
    const bool closesblock = endsonline && firstonline(position, text);
    ++position;
    statement.aftercommand = false;
    if ((statement.inplsqlblock && closesblock) || aloneonline) {
        statement.inplsqlblock = false;
        statement.statementended = true;
    }
    return kindother;
}

}  // namespace

void classifystatementword(statementstate& statement, const casemap& lowercase, atoken& token, size_t& position,
                           std::string_view text) {
    std::string word = charsetlower(lowercase, token.text);
    if (issqlpluscommand(word)) {
        size_t start = static_cast<size_t>(token.text.data() - text.data());
        skipcommandlines(position, text);
        token = {kindsqlplus, slice(text, start, position)};
        statement.atstatementstart = true;
        statement.aftercommand = false;
        return;
    }
    if (word == "begin" || word == "declare") statement.inplsqlblock = true;
    statement.aftercommand = !startssqlstatement(word);
}

void classifystatementwordinlist(statementstate& statement, const casemap& lowercase, size_t& index,
                                 std::span<const atoken> tokens) {
    if (index >= tokens.size()) return;
    std::string word = charsetlower(lowercase, tokens[index].text);
    ++index;
    if (issqlpluscommand(word)) {
        while (index < tokens.size() && !holdslinebreak(tokens[index].text)) ++index;
        while (index < tokens.size() && holdslinebreak(tokens[index].text)) ++index;
        statement.atstatementstart = true;
        return;
    }
    if (word == "begin" || word == "declare") statement.inplsqlblock = true;
    statement.atstatementstart = false;
}

namespace {

// A "--" comment that takes its line break ends its line as white space would: after a
// ended statement the next line starts one, and a comment line between statements hides no
// statement start (a PROMPT line after it must not be read as SQL).
bool commentkeepsstatementstart(statementstate& statement, size_t position, std::string_view text) {
    if (position == 0 || !isbreak(text[position - 1])) return false;
    if (statement.statementended) {
        statement.statementended = false;
        return true;
    }
    return statement.atstatementstart;
}

}  // namespace

int32_t scansignificant(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                        std::string_view text) {
    size_t start = position;
    char c = text[position];
    bool atstart = false;
    bool blank = false;
    int32_t kind;
    if (c == '/') {
        kind = scanslash(statement, errors, position, text);
        if (kind == kindblockcomment) {
            atstart = statement.atstatementstart;
            blank = statement.afterblank;
        }
    } else if (atpair(position, text, '-', '-')) {
        scanlinecomment(position, text);
        kind = kindlinecomment;
        atstart = commentkeepsstatementstart(statement, position, text);
    } else if (c == ';') {
        ++position;
        kind = kindother;
        statement.aftercommand = false;
        if (!statement.inplsqlblock) statement.statementended = true;
    } else if (statement.atstatementstart && (athostcommand(position, text) || c == '@')) {
        // "@file", "@@file" and host commands: SQL*Plus lines, never macro-processed.
        skipcommandlines(position, text);
        kind = kindsqlplus;
        atstart = true;
    } else {
        kind = scancommon(errors, position, text);
    }
    // A REM or PROMPT line after a command the lexer does not know is a command too, though no
    // statement ended.
    if (kind == kindidentifier && statement.aftercommand && !statement.atstatementstart && !statement.inplsqlblock &&
        position - start >= 3 && position - start <= 6 && startsline(start, text) &&
        isremarkorprompt(charsetlower(lowercase, slice(text, start, position))))
        statement.atstatementstart = true;
    if (kind == kindidentifier && statement.atstatementstart) {
        statement.atstatementstart = false;
        atoken word{kind, slice(text, start, position)};
        classifystatementword(statement, lowercase, word, position, text);
        kind = word.kind;
        atstart = statement.atstatementstart;
    }
    statement.atstatementstart = atstart;
    statement.afterblank = blank;
    return kind;
}

void scanwhitespace(statementstate& statement, size_t& position, std::string_view text) {
    while (position < text.size() && (isblank(text[position]) || isbreak(text[position]))) {
        if (isbreak(text[position]) && statement.statementended) {
            statement.statementended = false;
            statement.atstatementstart = true;
        }
        ++position;
    }
    statement.afterblank = true;
}

atoken scanhash(statementstate& statement, size_t& position) {
    ++position;
    statement.atstatementstart = false;
    statement.afterblank = false;
    return {kinddirective, "#"};
}

atoken readdirective(preprocessstate& state, tokenoutput& output, size_t& position, std::string_view text) {
    ++position;
    bool atstart = state.statement.atstatementstart;
    processdirective(state, -1, true, output, position, text);
    afterdirective(state.statement, atstart, position, text);
    return {kinddirective, {}};
}

tokenlist tokenizeline(errorreporter errors, bool dropblanks, size_t& position, std::string_view text) {
    tokenlist list;
    auto add = [&](int32_t kind, size_t start) {
        if (!(dropblanks && (kind == kindwhitespace || kind == kindlinecomment || kind == kindblockcomment)))
            list.push_back({kind, slice(text, start, position)});
    };
    while (position < text.size()) {
        size_t start = position;
        char c = text[position];
        if (skiplinebreak(position, text)) break;
        if (isblank(c)) {
            while (position < text.size() && isblank(text[position])) ++position;
            add(kindwhitespace, start);
        } else if (at(position, text, "--")) {
            // A comment ends the directive line together with its line break.
            scanlinecomment(position, text);
            add(kindlinecomment, start);
            break;
        } else if (c == '-' && position + 1 < text.size() && isbreak(text[position + 1])) {
            // Line continuation: the "-" is dropped, its line break is white space.
            ++position;
            start = position;
            skiplinebreak(position, text);
            add(kindwhitespace, start);
        } else if (c == '#') {
            size_t count = 1;
            while (count < 3 && position + count < text.size() && text[position + count] == '#') ++count;
            position += count;
            add(count == 1 ? kindhash : count == 2 ? kindhashhash : kindhashhashhash, start);
        } else if (isdigit(c)) {
            bool hexadecimal = at(position, text, "0x");
            if (hexadecimal) {
                position += 2;
                while (position < text.size() && ishexdigit(text[position])) ++position;
            } else {
                while (position < text.size() && isdigit(text[position])) ++position;
            }
            if (at(position, text, "ULL")) position += 3;
            else if (at(position, text, "UL") || at(position, text, "LL")) position += 2;
            else if (at(position, text, "L") || at(position, text, "U")) position += 1;
            add(hexadecimal ? kindhexadecimal : kinddecimal, start);
        } else {
            add(scancommon(errors, position, text), start);
        }
    }
    if (!list.empty()) {
        std::string_view& last = list.back().text;
        while (!last.empty() && (isblank(last.back()) || isbreak(last.back()))) last.remove_suffix(1);
    }
    list.push_back({kindendofline, {}});
    return list;
}

atoken peektoken(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                 std::string_view text) {
    for (;;) {
        size_t start = position;
        atoken token = nextplaintoken(statement, lowercase, errors, position, text);
        if (!isinsignificant(token)) {
            position = start;
            return token;
        }
    }
}

atoken peektokenat(size_t& index, std::span<const atoken> tokens) {
    while (index < tokens.size() && isinsignificant(tokens[index])) ++index;
    if (index >= tokens.size()) return {kindend, {}};
    return tokens[index];
}
