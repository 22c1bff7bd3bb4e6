// Line indentation: the columns a block depth indents by (-is, -il, -ni, -iibe, -iac, -iiie,
// -id), with the sums over the levels kept from line to line.
#include "lineindent.h"
#include "wordset.h"
#include "support.h"

#include <algorithm>

namespace {

// Blocks whose body -ni indents from the column of their keyword.
bool nicelyindented(const std::string& blockname) {
    return istext(blockname, "while") || istext(blockname, "if") || istext(blockname, "else") ||
           istext(blockname, "case");
}

}  // namespace

// A negative size never makes a negative count.
int64_t lineindenter::indentsize(const settings& s, int32_t level) {
    int32_t own = s.il.peek(level);
    return std::max(own >= 0 ? own : stringtonum(s.is), 0);
}

// The sum over the levels is kept: a line costs only the levels changed since the last one
// (and the top few, which rules may still be changing through references they hold).
int32_t lineindenter::computeindent(const settings& s, const linetable& blockstack, int32_t changed, int32_t depth,
                                    int32_t nice) {
    constexpr int32_t recountedtop = 3;
    int32_t flags = (s.iibe ? 1 : 0) | (s.iac ? 2 : 0) | (s.iiie ? 4 : 0);
    if (flags != indentsumsflags || s.is != indentsumsis) {
        forgetindentsums();
        indentsumsflags = flags;
        indentsumsis = s.is;
    }
    for (int32_t& valid : indentsumsvalid) valid = std::max(0, std::min(valid, changed - 1));
    const int n = nice ? 1 : 0;
    std::vector<int64_t>& sums = indentsums[n];
    if (depth >= 0 && sums.size() <= static_cast<size_t>(depth)) sums.resize(static_cast<size_t>(depth) + 1, 0);
    int32_t from = std::max(0, std::min(indentsumsvalid[n], depth - recountedtop));
    int64_t indent = sums.empty() ? 0 : sums[static_cast<size_t>(from)];
    for (int32_t i = from + 1; i <= depth; ++i) {
        const linerecord& r = blockstack.peek(i);
        ++indentlevelsread;
        if (nice && nicelyindented(r.blockname)) {
            indent = int64_t(r.startcolumn) + indentsize(s, i);
        } else if ((s.iibe || !endswith(r.blockname, "begin")) && (s.iac || !istext(r.blockname, "cursor")) &&
                   (s.iiie || r.hasif != 1) && r.extraindent != 0 && r.isasreached != 0) {
            indent += indentsize(s, i);
        }
        sums[static_cast<size_t>(i)] = indent;
    }
    if (depth >= 0) indentsumsvalid[n] = depth;
    // The line that closes such a block lines up with its keyword.
    if (nice && depth >= -1) {
        const linerecord& closed = blockstack.peek(depth + 1);
        if (nicelyindented(closed.blockname)) indent = closed.startcolumn;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(indent, 0, INT32_MAX));
}
