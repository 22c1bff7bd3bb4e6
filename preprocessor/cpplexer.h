// The lexer: nexttoken over source text with the statement state that tells SQL*Plus command
// lines, PL/SQL blocks and SQL statements apart; tokenizeline for directive lines; the peeks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "charsettables.h"
#include "cpperrors.h"
#include "cppoutput.h"
#include "cppstate.h"
#include "cpptokens.h"

// The parts of nextplaintoken. White space: a line break in it starts a statement once one has
// ended. A "#": the token "#". Any other token: its kind, with the statement state moved over it;
// a SQL*Plus command word takes the rest of its line.
void scanwhitespace(statementstate& statement, size_t& position, std::string_view text);
atoken scanhash(statementstate& statement, size_t& position);
int32_t scansignificant(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                        std::string_view text);
// The directive after a "#" at position, handed to processdirective (which may append to output);
// gives an empty kind-6 token.
atoken readdirective(preprocessstate& state, tokenoutput& output, size_t& position, std::string_view text);

// Reads one token at position and advances past it; kind 0 at the end of the text. A "#" is a
// kind-6 token "#". Inline: the driver calls it for every token, and a token returned through
// memory stalls the copy.
inline atoken nextplaintoken(statementstate& statement, const casemap& lowercase, errorreporter errors,
                             size_t& position, std::string_view text) {
    atoken token;
    if (position >= text.size()) return token;
    size_t start = position;
    char c = text[position];
    if (c == '#') {
        token = scanhash(statement, position);
        return token;
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        scanwhitespace(statement, position, text);
        token.kind = kindwhitespace;
    } else {
        token.kind = scansignificant(statement, lowercase, errors, position, text);
    }
    token.text = std::string_view(text.data() + start, position - start);
    return token;
}

// The same with directives on or off: with directives on, a "#" hands the directive to
// processdirective and gives an empty kind-6 token.
inline atoken nexttoken(preprocessstate& state, bool directives, tokenoutput& output, size_t& position,
                        std::string_view text) {
    if (directives && position < text.size() && text[position] == '#')
        return readdirective(state, output, position, text);
    return nextplaintoken(state.statement, state.lowercase, errorreporter(state), position, text);
}

// For an identifier at a statement start: a SQL*Plus command word takes the rest of its line
// (kind 18); "begin" and "declare" open a PL/SQL block.
void classifystatementword(statementstate& statement, const casemap& lowercase, atoken& token, size_t& position,
                           std::string_view text);
// The same over a token list made by a macro, from the identifier at index; index ends on the
// first token the test did not use (past a command's line breaks, or the end of the list).
void classifystatementwordinlist(statementstate& statement, const casemap& lowercase, size_t& index,
                                 std::span<const atoken> tokens);
// The rest of a directive line as tokens ending in a kind-19 token; position ends after the
// line break. With dropblanks, white space and comments are left out.
tokenlist tokenizeline(errorreporter errors, bool dropblanks, size_t& position, std::string_view text);
// The first token other than white space and comments; position is left at its start.
atoken peektoken(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                 std::string_view text);
// The same over a token list; a kind-0 token with index at the end when the list runs out.
atoken peektokenat(size_t& index, std::span<const atoken> tokens);
