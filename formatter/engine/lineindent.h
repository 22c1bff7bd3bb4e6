// Line indentation: the columns a block depth indents by under -is, -il, -ni, -iibe, -iac,
// -iiie and -id, read from the block stack and the settings.
//
// The indenter owns the sums it keeps over the levels from one line to the next. No rewind
// restores them because they are a cache of what they are read from: a block stack put back
// reports every level changed, a change of -is, -iibe, -iac or -iiie is seen at the next line,
// and whoever replaces the settings otherwise (an -ifs block, an options comment, a rewind)
// calls forgetindentsums.
#pragma once

#include "blockstack.h"
#include "settings.h"

#include <cstdint>
#include <string>
#include <vector>

class lineindenter {
public:
    // The columns for a block depth (nice: -ni); changed is the lowest level of the stack that
    // may have changed since the last call.
    int32_t computeindent(const settings& s, const linetable& blockstack, int32_t changed, int32_t depth, int32_t nice);
    // The settings that line indentation reads were replaced: its kept sums go.
    void forgetindentsums() { indentsumsvalid[0] = indentsumsvalid[1] = 0; }
    // Levels line indentation has looked at (a measure of its work).
    int64_t indentsteps() const { return indentlevelsread; }

private:
    // Line indentation kept per -ni value: indentsums[n][i] is the indent after levels 1..i,
    // good up to level indentsumsvalid[n] while the records and these settings stay.
    std::vector<int64_t> indentsums[2];
    int32_t indentsumsvalid[2] = {0, 0};
    std::string indentsumsis;
    int32_t indentsumsflags = -1;
    int64_t indentlevelsread = 0;
    static int64_t indentsize(const settings& s, int32_t level);
};
