// State of the bracket stack and the statement rules: what a "(" saves of the list,
// alignment and statement state and gives back at its ")", and what a rewind of the
// alignment rules puts back.
#pragma once

#include "autoarray.h"
#include "tokencontext.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct declarationgroup;

// The values of the formatter at a "(", given back at the matching ")".
struct bracketentry {
    int32_t insidebrackets = 0;
    int32_t bracketlistpending = 0;
    position listopener;
    int32_t bracketlistmethod = 1;
    int32_t listcolumn = 0;
    int32_t alistcol = 0;
    int32_t processingalignedlist = 0;
    int32_t logicalcolumn = -1;
    int32_t andcolumn = -1;
    int32_t keywordcolumn = -1;
    int32_t relativeindent = 0;
    int32_t relativekeywordcolumn = 0;
    // The declaration-alignment state when the "(" came inside an aligned alias list;
    // copies of the entry share it.
    std::shared_ptr<declarationgroup> alignsnapshot;
    position opener;   // the "(" itself
};

// What the outermost "(" saves and its ")" gives back.
struct outerbracket {
    int32_t alistcol = 0;
    int32_t processingalignedlist = 0;
    int32_t keeprelative = 0;
};

// The state of the statement rules, the bracket stack and the bracketed list that the layout
// of later tokens depends on: taken with a rewind snapshot and put back by the rewind.
struct statementlayout {
    int32_t sqlstatement = 0;
    int32_t keeprelative = 0;
    int32_t relativeindent = 0;
    int32_t relativekeywordcolumn = 0;
    int32_t keywordcolumn = -1;
    position keywordcolumntoken;
    int32_t lineitems = 0;
    int32_t previouslineitems = 0;
    char headerpending = 0;
    int32_t createpending = 0;
    position statementfirsttoken;
    int32_t keepthenpending = 0;
    int32_t keeplooppending = 0;
    position lastsolidtoken;
    // Brackets and the bracketed list.
    int32_t bracketdepth = 0;
    int32_t insidebrackets = 0;
    std::vector<bracketentry> bracketstack;
    outerbracket outerbracketstate;
    autoarray<int32_t> bracketlines;
    autoarray<int32_t> bracketcolumns;
    char bracketproblem = 0;
    int32_t listinprogress = 0;
    int32_t listcolumn = 0;
    int32_t bracketlistpending = 0;
    int32_t bracketlistmethod = 1;
    int32_t bracketlistset = 0;
    int32_t bracketcomma = 0;
    position listopener;
};
