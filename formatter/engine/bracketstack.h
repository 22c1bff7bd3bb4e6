// State of the bracket stack: what a "(" saves of the list, alignment and statement state
// and gives back at its ")".
#pragma once

#include "tokencontext.h"

#include <cstdint>
#include <memory>

struct declarationgroup;

// The sequence number of no token: a -rs value not measured at any token yet.
constexpr int32_t notoken = INT32_MIN;

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
    // The tokens the two -rs values were measured at (their sequence numbers).
    int32_t relativeindentsequence = notoken;
    int32_t relativekeywordsequence = notoken;
    // The declaration-alignment state when the "(" came inside an aligned alias list;
    // copies of the entry share it.
    std::shared_ptr<declarationgroup> alignsnapshot;
    position opener;  // the "(" itself
};

// What the outermost "(" saves and its ")" gives back.
struct outerbracket {
    int32_t alistcol = 0;
    int32_t processingalignedlist = 0;
    int32_t keeprelative = 0;
};
