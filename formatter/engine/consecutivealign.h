// State of the alignment rules: the open aligned lists, the rows of a consecutive-alignment
// group and the declaration-alignment group that brackets save and restore.
#pragma once

#include "settings.h"
#include "tokencontext.h"

#include <cstdint>
#include <string>
#include <vector>

// One open aligned list (a select list, the tables after FROM, a condition ...).
struct alignedlistentry {
    std::string word;          // the word that requested the list
    int32_t column = 0;        // the list's alistcol
    int32_t bracketlevel = 0;  // bracket depth when the list started
    int32_t blocklevel = 0;    // block depth when the list started
    position starttoken;       // the token the list is anchored at
    int32_t statement = 0;     // the statement's start position when the list started
    int32_t line = 0;          // source line where the list started
    char nested = 0;           // another aligned list was open already
    static alignedlistentry autoarraydefault() { return {}; }
};

// One line of an alignment group: the token to line up and its display column.
struct alignrow {
    position token;
    char runend = 0;     // last row of a run
    int32_t column = 0;  // filled when the group ends
    char aligned = 1;    // takes part in the alignment
    int32_t line = 0;    // source line of the row
};

// The blanks in front of a snapshot token on its output line, its indentation included, as
// they were when the snapshot was taken: the limit rules may have changed them since.
struct lineblanks {
    std::vector<std::pair<position, std::string>> texts;
    position before;        // the token in front of the snapshot token then
    bool relative = false;  // the line keeps its shape (-rs): its indentation is read again
};

// The declaration-alignment group: the list being aligned, its rows, and the settings it
// began with. A bracket opened inside an alias list keeps a copy and assigns it back at
// its closing bracket.
struct declarationgroup {
    char active = 0;           // a declaration list (record, cursor, table, object type,
                               // parameter or alias list) is being aligned
    char ended = 0;            // the run ends at the next token
    int32_t mode = 6;          // the declarationmode of the list
    int32_t bracketlevel = 0;  // bracket depth of the list's items
    int32_t typecolumn = 0;    // widest name end of the last run
    int32_t itemcount = 0;     // items of the run (the list rules count them)
    char severalitems = 0;     // the run has more than one item
    std::vector<alignrow> rows;
    int32_t padding = 1;  // the -ps value when the run began
    // Blanks found on the last row's line by the two latest checks, the older first: a
    // check walks back only to the older one, so a long line is not walked once per item.
    // Compared by identity only, never read.
    const token* checkedblank = nullptr;
    const token* latestblank = nullptr;
    size_t checkedrows = 0;  // rows when they were found
};
