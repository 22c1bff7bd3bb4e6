// The state of the token loop that the layout of the tokens after a snapshot depends on, in
// parts; an alignment rewind or a branch of conditional compilation puts it back whole.
#pragma once

#include "autoarray.h"
#include "blockstack.h"
#include "bracketstack.h"
#include "consecutivealign.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct rewindstate;

// An open $if of conditional compilation: the state its branches start from, the state its
// first branch ended in (once an $elsif or $else came), and the indentation of its line.
struct conditionalbranch {
    std::shared_ptr<const rewindstate> start;
    std::shared_ptr<const rewindstate> firstend;
    int32_t column = -1;  // -1: the $if does not begin its line
};

// Block stack, END handling and the keywords an open block waits for.
struct blockpart {
    int32_t blocklevel = 0;
    linetable blockstack;                        // the per-level records of the open blocks
    autoarray<int32_t> relativeindentatlevel;    // relativeindent saved where a CASE opened
    autoarray<int32_t> relativesequenceatlevel;  // and the token it was measured at
    std::vector<std::string> subprogramnames;    // PROCEDURE, FUNCTION or TRIGGER as written,
    std::vector<int32_t> subprogrambegins;       // and 1 once the BEGIN of its body was seen
    char afterend = 0;                           // an END was met; the driver clears it after the next word
    char loopheaderopen = 0;                     // a FOR or WHILE waits for its LOOP
    int32_t begincount = 0;
    char newunit = 0;  // a "/" at level 0 ended a compilation unit
    int32_t thenexpected = 0;
    int32_t loopexpected = 0;
    int32_t thenline = 0;  // -cmk: the line of the IF that waits for THEN,
    int32_t loopline = 0;  // and of the FOR or WHILE that waits for LOOP
    std::string loopkeyword;
};

// Statement rules, SQL*Plus lines and the -rs and keyword columns of the statement.
// statementstate: 0 before the first statement, 1 at the first word of a statement or
// declaration, 2 after a statement ended (or a BEGIN, DECLARE, IS or AS), 3 while a
// statement goes on.
struct statementpart {
    int32_t statementstate = 0;
    int32_t statementcountdown = 0;
    position statementstarttoken;
    position statementfirsttoken;  // the word that made statementstate 1
    int32_t statementstartposition = 0;
    int32_t statementstartdepth = 0;
    int32_t sqlstatement = 0;     // 1 inside a SQL statement, 2 in one opened by a bracket
    std::string statementword;    // the lower-cased word that started the SQL statement
    char insidemerge = 0;         // a MERGE or INSERT ALL/FIRST runs up to its ";": its THENs end nothing
    char privilegestatement = 0;  // the statement is a GRANT or REVOKE: its words open nothing
    int32_t indeclarationpart = 0;
    int32_t indeclarations = 0;  // inside a declaration section
    char headerpending = 0;      // a PACKAGE or CREATE header waits for its IS or AS
    int32_t createpending = 0;   // a CREATE of another object waits for its IS or AS
    std::string currentunit;     // the name of the routine whose header came last
    char assignmentseen = 0;
    std::string lastvalue;
    int32_t lastvaluecount = 0;
    int32_t sqlpluspossible = 0;  // a SQL*Plus command may start at the next line start
    int32_t insqlplusline = 0;
    char sqlplusstatement = 0;
    std::string sqlpluscommand;
    int32_t keepthenpending = 0;  // -kitt / -kwtt: THEN is to join its IF or WHEN
    int32_t keeplooppending = 0;  // -kflt / -kwlt: LOOP is to join its FOR or WHILE
    position lastsolidtoken;
    int32_t listitemcount = -1;
    int32_t keeprelative = 0;  // -rs mode of the current statement
    int32_t relativeindent = 0;
    int32_t relativekeywordcolumn = 0;          // 0-based column of the -rs statement's keyword
    int32_t relativeindentsequence = notoken;   // the token relativeindent was measured at
    int32_t relativekeywordsequence = notoken;  // that keyword
    int32_t keywordcolumn = -1;
    position keywordcolumntoken;  // the keyword that last set keywordcolumn
    int32_t andcolumn = -1;
    int32_t logicalcolumn = -1;
};

// The output line the loop is on, the pending line-break request and the blanks of the
// operator rules: a branch of conditional compilation goes on from these as they are.
struct linepart {
    int32_t atlinestart = 0;  // the current token ends a line: the next one starts it
    int32_t linecolumn = 1;   // display column reached on the output line (layout pass)
    char linebroken = 0;      // the line was already broken for the column limit
    position linestarttoken;
    position lastlinestarttoken;
    std::string linestarttext;
    int32_t lineitems = 0;  // list items (commas) on the current line
    int32_t previouslineitems = 0;
    int32_t linebreakstate = 0;
    int32_t keeplinebreak = 0;
    int32_t removelinebreaks = 0;
    int32_t tokenposition = 0;
    int32_t savedtokenposition = 0;
    position lastinsertedblank;  // the blank put after the previous operator
    position sqlpluslineend;     // the line break that ended the last SQL*Plus line
    char spacingallowed = 1;
};

// The bracket stack and the bracketed list in progress.
struct bracketpart {
    int32_t bracketdepth = 0;
    int32_t insidebrackets = 0;  // bracketdepth counts the open brackets
    std::vector<bracketentry> bracketstack;
    outerbracket outerbracketstate;
    autoarray<int32_t> bracketlines;  // line and column of the "(" of each open level
    autoarray<int32_t> bracketcolumns;
    int32_t listinprogress = 0;
    int32_t listcolumn = 0;          // 0-based column of the items of a bracketed list
    int32_t bracketlistpending = 0;  // a "(" waits for its first item
    int32_t bracketlistmethod = 1;   // 1: the first item follows the "("; 2: "(" ends its line
    int32_t bracketlistset = 0;      // the list column is known
    int32_t bracketcomma = 0;        // a comma was seen in the bracketed list
    position listopener;             // the "(" of the bracketed list
};

// Aligned lists and the declaration-alignment group.
struct alignmentpart {
    int32_t alistcol = 0;  // 0-based column of the newest aligned list's items
    int32_t processingalignedlist = 0;
    int32_t alignmentrequested = 0;  // a keyword asked for a list that has not started
    int32_t alistlevel = 0;
    autoarray<alignedlistentry> alignedlists;  // indexed by alistlevel; 0 holds no list
    std::string alignmentword;                 // the lower-cased word of the last request
    int32_t awaitby = 0;                       // GROUP, ORDER or CONNECT wait for their BY
    int32_t awaitwith = 0;                     // START waits for its WITH
    int32_t endalistcomma = 0;
    int32_t aligncolumn = 0;  // largest column of the first run of the last group
    int32_t declarationmode = 6;
    declarationgroup declarationalignment;  // copied into a bracket's alignsnapshot
};

// Conditional compilation: a condition or error message is being read (1: up to $then,
// 2: up to $end), and the open $if directives.
struct directivepart {
    int32_t directivetext = 0;
    std::vector<conditionalbranch> conditionals;
};

// The formatter derives from it, so a rule names the part it touches (blocks.blocklevel,
// brackets.bracketdepth); a snapshot copies it with one assignment and a rewind assigns it back.
struct loopstate {
    blockpart blocks;
    statementpart statement;
    linepart outputline;
    bracketpart brackets;
    alignmentpart alignment;
    directivepart directives;
};
