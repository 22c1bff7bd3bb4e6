// Module-wide state of the preprocessor: boolean switches, file names, statement flags,
// the #if stack, the #line state, the include stack and the warnings of a call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The five boolean switches; they keep their values from one call to the next.
struct switchstate {
    bool t = false;    // accepted and stored; nothing reads it
    bool c = false;    // generate and use include cache files
    bool ld = false;   // insert #line directives into the output
    bool ild = false;  // ignore #line directives found in the source
    bool kld = false;  // keep #line directives found in the source in the output
};
extern switchstate switches;

// The lexer's statement flags.
struct statementstate {
    bool atstatementstart = true;  // the next significant token begins a statement
    bool statementended = false;   // a statement has ended; the next line break starts one
    bool inplsqlblock = false;     // a block begun by "begin" or "declare" is open until a "/"
    bool afterblank = false;       // the previous token was white space
    // The statement began with a word that begins no SQL statement (a script command the
    // lexer does not know, such as LOAD): a REM or PROMPT line after it is a command.
    bool aftercommand = false;
};
extern statementstate statement;

// The top-level file of the call, and the file being read.
extern std::string sourcefilename;
extern std::string currentfilename;

// One open conditional.
struct ifcondrec {
    bool taken = false;      // a branch of this conditional has been selected
    std::string file;        // currentfilename when the record was made
    std::string_view text;   // the text in which the directive stands
    uint32_t position = 0;   // byte index of the directive in that text, just after the "#"
    bool elseseen = false;
};
extern std::vector<ifcondrec> ifstack;

// The #line state. lineinforce is set by a #line directive with a number: from then on its
// offset counts; linefile is the file name it gave, empty when it gave none.
extern std::string linefile;
extern int32_t lineoffset;
extern bool lineinforce;

// One open #include, innermost last.
struct includeinfo {
    std::string file;   // found path of the included file
    int32_t line = 0;   // line of the #include in the including text
    int32_t ifdepth = 0;
};
extern std::vector<includeinfo> includestack;

extern std::vector<std::string> warninglist;

// Counts what makes an included text's output depend on more than its files and the macros:
// #define, #undef, #warning and #line directives, and the names __line__ and __file__.
extern int64_t uncacheableevents;

// Makes name both the top-level file and the file being read; starts a fresh line index.
void setsourcefile(const std::string& name);
// A statement starts; no statement has ended and no block is open. afterblank is kept.
void resetstatementstate();
