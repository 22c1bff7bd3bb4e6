// The token context: the token list with its leading and end tokens and the current token,
// the keyword class map, the line-break tally, the tab stops and the input's lines.
#pragma once

#include "charsets.h"
#include "pattern.h"
#include "token.h"
#include "tokenscanner.h"
#include "wordset.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using position = tokenlist::iterator;

// The line-break bytes at the start of a text: one CR, then one LF (0, 1 or 2).
int32_t splitleadinglinebreak(std::string_view text, std::string& rest, bool& broke);
bool startswithlinebreak(std::string_view text);
// The text without one leading CR, LF or CR LF.
std::string withoutleadinglinebreak(std::string_view text);
// A TAB on a text that does not begin with a line break.
bool hastabonline(std::string_view text);
// Two touching tokens that no line break may part.
bool readtogether(const token& before, const token& after);

class tokencontext {
public:
    tokencontext();
    ~tokencontext();
    tokencontext(const tokencontext&) = delete;
    tokencontext& operator=(const tokencontext&) = delete;

    std::string linebreaktext;      // the line break the engine writes
    int32_t leadingbreakadded = 0;  // breakbeforefirsttoken put a break in front
    int32_t sequencecounter = 0;    // next sequence number
    std::map<std::string, int32_t> keywordclasses;
    std::map<std::string, int32_t> linebreakcounts;  // "\n", "\r", "\r\n" as met

    tokenlist tokens;
    position firsttoken;    // the leading whitespace token
    position currenttoken;  // where the per-token rules are
    position endsentinel;   // the first of the two end tokens
    position firstrealtoken;
    int32_t tokensadded = 0;  // tokens the last tokenizing appended

    // Tab stops: the listed widths cover columns 1 .. tabstopcount - 1, tab span i starting
    // at tabstopstarts[i]; beyond them stops repeat every lasttabstop columns.
    std::vector<int32_t> tabwidths;
    std::vector<int32_t> tabstopstarts;
    int32_t tabstopcount = 1;
    int32_t lasttabstop = 1;

    // The character set of the text: the tokenizer's letters and the case tables of the
    // rules. A context starts under US7ASCII, the set of a text without switches; a new set
    // takes effect from the next tokenizing on.
    const charset& textcharset() const { return characterset; }
    void usecharset(charset set);

    // Tokenizing.
    // Fills the keyword class map, empties the list and the tally, puts the leading token.
    void resettokencontext();
    // Appends the tokens of text to the list.
    void tokenize(std::string_view text);
    // The same without a copy of the text: the tokens refer to it, so it must stay as it is
    // while they are read.
    void tokenizeinplace(std::string_view text);
    // Cuts a multi-line literal after its first piece `literal` and tokenizes the text after
    // it again, so that it no longer runs into later lines; the list gets new end tokens.
    void retokenizeafter(position literal);
    // Stashed tokens before pos are of no more use once the token loop is past it: their slots
    // go back to the list for the tokens rules insert.
    void forgetstashbefore(position pos) {
        if (!stash.empty() && pos != tokens.end() && pos->sourceoffset() >= 0) trimstash(pos->sourceoffset());
    }
    // Regex matches the tokenizer has run (a measure of tokenizing work).
    int64_t tokenizermatches() const { return matchcount; }
    // The text the tokenizer last read and where it starts in the source: token offsets at
    // or after that start point into it (an edited tail tokenized again reads edited text).
    std::string_view lasttokenizedtext() const { return tokenizedtext; }
    int64_t lasttokenizedbase() const { return tokenizedbase; }

    // List upkeep.
    void breakbeforefirsttoken(int32_t flag);
    void appendendtokens();
    // The line break that it writes gets the class code given (54 when a rule made it).
    void ensurelinebreak(position pos, std::string_view expected, int32_t classcode = 0);

    // Walking.
    position nextsignificant(position pos) const;
    position previoussignificant(position pos) const;
    position previoustoken(position pos) const;
    position skipcommentsandblanks(position pos, std::string_view patterntext) const;
    position skipblanks(position pos, std::string_view patterntext) const;
    position nextpastinlineblanks(position pos) const;
    position nextonsameline(position pos) const;
    bool followedbylinebreak(position pos) const;
    // A "-" that ends its line (blanks may follow it): SQL*Plus reads the next line as the
    // rest of this one. No rule moves it, puts a token after it or takes its line break.
    bool iscontinuationhyphen(position pos) const;
    // The last token before pos on its line, blanks passed, is a "-": a line break at pos (or
    // in place of the blanks before it) would make it a continuation.
    bool hyphenbefore(position pos) const;
    // SQL*Plus reads the line after pos as the rest of the line before pos: that line ends in a
    // "-", also the one of a "--" comment (rem --, set echo off --).
    bool continuedbefore(position pos) const;
    // A line break at pos (before it, or in place of the blanks there) is allowed: it would
    // continue no line and part no tokens read together.
    bool breakableat(position pos) const;
    // The bracket that closes the opening bracket at pos; the end when a ";" or the end
    // of the list comes first.
    position matchingbracket(position opening) const;
    int32_t tokenline(position pos) const;

    // Texts of tokens.
    std::string jointokentexts(position first, position end) const;  // end excluded
    std::string jointokenrun(position pos) const;
    position removetokenrun(position pos);

    // Columns.
    void buildtabstops(const std::vector<int32_t>& widths);
    int32_t rowtringtocolumn(std::string_view text, int32_t column) const;
    std::string expandtabs(int32_t column, std::string_view text) const;
    int32_t advancecolumn(const token& t, int32_t column) const;
    // The display column at which the token starts on its output line. Columns are cached
    // per token; the list forgets the ones an edit can move.
    int32_t tokencolumn(position pos);
    // Tokens tokencolumn has measured (a measure of its work).
    int64_t columnsteps() const { return measuredtokens; }

    // The start column of the token after t, when t starts at start.
    int32_t columnafter(const token& t, int32_t start) const;

private:
    int32_t tabspan(int64_t column) const;
    // Where the tokenizer stands: line and column, and the offset of the next token.
    struct scanstate {
        int32_t line = 1;
        int32_t column = 1;
        int32_t added = 0;
        int64_t offset = 0;
        bool firstofmatch = true;
        int32_t breaks[3] = {};  // LF, CR and CR LF met, for the line-break tally
        // A substitution variable and the glue after it (".", "..", "_", "$", "#") were the
        // last tokens: a word now is a piece of the name SQL*Plus builds (&&tbs._data).
        bool gluedtosubstitution = false;
    };
    // Starts a scan with the scanner and keyword index of the text's character set and map.
    void preparescan();
    bool countlinebreak(std::string_view text, scanstate& state);
    void finishscan(const scanstate& state);
    void scanmatch(std::string_view text, size_t& pos, int64_t base, scanstate& state);
    void addtoken(std::string_view text, int32_t kind, int32_t classcode, int32_t column, bool breaks,
                  scanstate& state);
    void freechain(token* first, token* stop);
    void freestash();
    void trimstash(int64_t offset);
    void renumberlines(token* first, int32_t shift);
    void retokenizejoined(position cut, int32_t line);

    // The text given to the last tokenize call and its offset in the source; tokens keep
    // their offsets into it, so that a tail can be tokenized again from any token.
    // Tokens of the tokenizer refer to the texts tokenized: copies kept here until the reset,
    // or a text that tokenizeinplace was given.
    std::string_view tokenizedtext;
    std::vector<std::unique_ptr<std::string>> tokenizedtexts;
    void keeptokenizedtext(std::string text);
    int64_t tokenizedbase = 0;
    // Tails cut off by retokenizeafter, in the order cut, wait here until the tokenizer
    // meets one of their match starts again.
    std::vector<tokenlist::chain> stash;
    charset characterset;
    std::unique_ptr<const tokenscanner> scanner;  // for characterset: made by the first scan under it
    bool namesbreak = false;                      // its identifiers may hold a line break
    wordset keywordlookup;                        // the keyword class map, for lookups without copies
    int64_t matchcount = 0;
    int64_t measuredtokens = 0;
};
