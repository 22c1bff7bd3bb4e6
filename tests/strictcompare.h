// The strict comparison of a text with its formatted form: literals, q-quotes, comments,
// quoted names and REM/PROMPT lines come back byte for byte (those lines may change only in
// their indentation); SQL*Plus command lines come back with the same words and blanks (their
// case may change); every other token may change only in letter case, and only white space
// between tokens may change. The text is read by a lexer of its own, not by brelm's.
//
// The SQL*Plus meaning check: the REM/PROMPT and command lines come back as lines of their own,
// in order, with the same words and blanks (case and indentation aside), and as many lines end
// in a continuation "-" as before. Command lines are found as SQL*Plus finds them: a line that
// begins with a command word where no statement is open (after ";", after a "/" line, after a
// PL/SQL unit's "/" line, or after another command).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct stricttoken {
    // scriptline: a REM or PROMPT line, or a line that a "-" continues; commandline: a line
    // of another SQL*Plus command, or a line that a "-" continues; each without its indentation.
    enum kindcode { verbatim, scriptline, commandline, word };
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

struct sqlplusresult {
    bool same = false;
    int64_t lines = 0;     // REM/PROMPT and command lines compared
    int64_t hyphens = 0;   // lines that end in a continuation "-"
    std::string difference;
};

sqlplusresult sqlpluscompare(std::string_view original, std::string_view formatted);
