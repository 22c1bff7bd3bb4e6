// The strict comparison of a text with its formatted form: literals, q-quotes, comments,
// quoted names and REM/PROMPT lines come back byte for byte (those lines may change only in
// their indentation); every other token may change only in letter case, and only white space
// between tokens may change. The text is read by a lexer of its own, not by brelm's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct stricttoken {
    enum kindcode { verbatim, scriptline, word };
    kindcode kind = word;
    std::string_view text;
    int32_t line = 1;   // where the token starts
};

// The tokens of a text, white space left out.
std::vector<stricttoken> stricttokens(std::string_view text);

struct strictresult {
    bool same = false;
    int64_t tokens = 0;       // tokens compared
    std::string difference;   // the first difference, for a message
};

strictresult strictcompare(std::string_view original, std::string_view formatted);
