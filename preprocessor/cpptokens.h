// Preprocessor tokens: the token record, the token kinds, joining token lists into text,
// and the store of texts made during a call that tokens may point into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Token kinds; a parameter reference inside a stored macro body is kindparameter + its index.
enum : int32_t {
    kindend = 0,           // end of text, empty
    kindlinecomment = 1,   // "--" up to and including the line break
    kindquotedname = 2,    // "..." (also the results of # and ###)
    kindstring = 3,        // '...'
    kindblockcomment = 4,  // /* ... */
    kindidentifier = 5,
    kinddirective = 6,  // "#" when directives are off, empty when one was processed
    kindwhitespace = 7,
    kindother = 11,     // operator or any other single character
    kindhash = 12,      // #
    kindhashhash = 13,  // ##
    kinddecimal = 14,
    kindhexadecimal = 15,
    kindqquote = 16,        // q'[...]', also Q', nq' ...
    kindhashhashhash = 17,  // ###
    kindsqlplus = 18,       // SQL*Plus command line with its line break
    kindendofline = 19,     // end of a directive line or of a macro argument, empty
    kindparameter = 20,
};

// One token. The text is a view: into the scanned text, a stored macro definition, or a text
// kept by keeptext. noexpand marks an identifier found inside its own macro's expansion.
struct atoken {
    atoken() = default;
    atoken(int32_t kind, std::string_view text, bool noexpand = false) : text(text), kind(kind), noexpand(noexpand) {}

    // The text first: a token takes 24 bytes, not 32.
    std::string_view text;
    int32_t kind = kindend;
    bool noexpand = false;
};

using tokenlist = std::vector<atoken>;

// The texts made during a call that tokens view; a deque never moves its elements, so the views
// stay valid while it grows.
using textstore = std::deque<std::string>;

bool isparameterreference(const atoken& token);
// White space or a comment: what the peek operations and pasting pass over.
bool isinsignificant(const atoken& token);
bool holdslinebreak(std::string_view text);
// The length of the q', Q', nq', nQ', Nq' or NQ' that opens a q-quote at the start of text; 0
// when text does not start so.
size_t qquoteopenerlength(std::string_view text);

// The texts of the tokens, in order, with nothing between them.
std::string jointokens(std::span<const atoken> tokens);
// The same for tokens[first, last).
std::string jointokenrange(size_t first, size_t last, std::span<const atoken> tokens);
// The texts with separator before every token whose predecessor has a kind other than 0.
std::string jointokenswith(std::string_view separator, std::span<const atoken> tokens);

// The unprocessed tokens of a rescan: consumed at the front, and replaced at the front by
// expansions. Room is kept before the front so that replacing stays cheap.
class tokenqueue {
public:
    explicit tokenqueue(std::span<const atoken> tokens) : items(tokens.begin(), tokens.end()) {}
    bool empty() const { return front >= items.size(); }
    std::span<const atoken> rest() const { return std::span<const atoken>(items).subspan(front); }
    void drop(size_t count) { front += count; }
    // Replaces the first count tokens of the rest by the replacement.
    void replacefront(size_t count, const tokenlist& replacement);

private:
    tokenlist items;
    size_t front = 0;
};

// Keeps a made text until forgetkepttexts and returns a view of it.
std::string_view keeptext(textstore& kept, std::string text);
// Copies the texts of the tokens into kept storage and returns the tokens viewing that copy.
tokenlist keeptokens(textstore& kept, std::span<const atoken> tokens);
// Frees every kept text; called at the start of a call, when no token views them any longer.
void forgetkepttexts(textstore& kept);
