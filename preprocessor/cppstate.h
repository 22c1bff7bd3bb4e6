// The state of a preprocessing call in one record: switches and options, the macro table and
// the expansion in progress, file names, statement flags, the #if, #line and include state,
// the include cache's recording, the warnings, and the texts that the call's tokens view.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "charsettables.h"
#include "cpperrors.h"
#include "cppmacros.h"
#include "cpptokens.h"

// The five boolean switches; they keep their values from one call to the next.
struct switchstate {
    bool t = false;    // trace: report the include cache's work on the standard error stream
    bool c = false;    // generate and use include cache files
    bool ld = false;   // insert #line directives into the output
    bool ild = false;  // ignore #line directives found in the source
    bool kld = false;  // keep #line directives found in the source in the output
};

// The lists and names that the options of a call give.
struct optionstate {
    // Directories for quoted include names (-I) and for system names (-sI), in option order.
    std::vector<std::string> quotedpaths;
    std::vector<std::string> systempaths;
    // Files whose definitions are read before the source (-pf).
    std::vector<std::string> preloadfiles;
    // The Oracle character set (-cs), "US7ASCII" unless an option names another.
    std::string charsetname = "US7ASCII";
    // -D values in option order, defined once the character set is chosen.
    std::vector<std::string> pendingdefinitions;
};

// Lower-cased name -> macro. Names match in any letter case everywhere. Macros are added
// through definemacro only: findmacro consults the filter of names that it keeps.
struct macrostate {
    macromap table;
    // For each first byte of a lower-cased name, bit n (n < 63) marks names of n bytes and bit
    // 63 names of 63 bytes or more that may be in the table. Most identifiers are no macro: this
    // rejects them without lower-casing and hashing the name. #undef leaves the bits set.
    std::array<uint64_t, 256> namefilter{};
    // The lower-cased name of the last lookup; kept so that a lookup allocates nothing. A lookup
    // changes no macro: it may reuse this buffer through a const table.
    mutable std::string lookupkey;
};

// The expansions in progress and the budgets they draw on.
struct expansionstate {
    int depth = 0;
    size_t tokens = 0;      // made within the outermost expansion in progress
    size_t calltokens = 0;  // made by all expansions of the call
    size_t callbudget = callexpansionbase;
    size_t bytes = 0;      // of token text, within the outermost expansion in progress
    size_t callbytes = 0;  // of token text, by all expansions of the call
    size_t callbytebudget = callbytebase;
    // While set, a name that follows "defined" or "defined (" is not expanded: the condition
    // evaluator asks whether that name is a macro.
    bool keepdefinedoperands = false;
};

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

// One open conditional.
struct ifcondrec {
    bool taken = false;     // a branch of this conditional has been selected
    std::string file;       // currentfilename when the record was made
    std::string_view text;  // the text in which the directive stands
    uint32_t position = 0;  // byte index of the directive in that text, just after the "#"
    bool elseseen = false;
};

// The #line state. inforce is set by a #line directive with a number: from then on its offset
// counts; file is the file name it gave, empty when it gave none.
struct linestate {
    std::string file;
    int32_t offset = 0;
    bool inforce = false;
};

// One open #include, innermost last.
struct includeinfo {
    std::string file;  // found path of the included file
    int32_t line = 0;  // line of the #include in the including text
    int32_t ifdepth = 0;
};

struct includestate {
    std::vector<includeinfo> stack;
    // Found path -> text. A file is read the first time its path is found and kept from then
    // on, also from one call to the next.
    std::map<std::string, std::string, std::less<>> filetexts;
};

// The recording of the include cache (switch c).
struct cachestate {
    std::string cachefilename;  // of the include checked or recorded last
    // False when a file of that name is no cache file (or is a link): it is the user's, and
    // the recording does not replace it.
    bool mayreplace = true;
    std::set<std::string> includedfiles;  // paths included since the current recording began
    std::string recordedmacros;           // the macros in force when the recording began
    int64_t eventsatrecordingstart = 0;
    // Counts what makes an included text's output depend on more than its files and the
    // macros: #define, #undef, #warning and #line directives, and the names __line__ and
    // __file__.
    int64_t uncacheableevents = 0;
};

// What a call reads and changes besides its output. The library holds one: its switches and the
// texts of included files carry over from one call to the next, and each call resets the rest as
// it begins. A stage takes the parts it changes and const parts it only reads; only the stages
// that hand work to all the others (the driver, the directives, #include, the call) take it all.
struct preprocessstate {
    switchstate switches;
    optionstate options;
    casemap lowercase;  // of the chosen character set
    macrostate macros;
    expansionstate expansion;
    // The top-level file of the call, and the file being read.
    std::string sourcefilename;
    std::string currentfilename;
    statementstate statement;
    std::vector<ifcondrec> ifstack;
    linestate lines;
    includestate includes;
    cachestate cache;
    std::vector<std::string> warnings;
    // Texts made during the call that tokens view. Emptied at the start of the next call.
    textstore kepttexts;
    lineindexmap lineindexes;
};

// Makes name both the top-level file and the file being read; starts a fresh line index.
void setsourcefile(preprocessstate& state, const std::string& name);
// A statement starts; no statement has ended and no block is open. afterblank is kept.
void resetstatementstate(statementstate& statement);
