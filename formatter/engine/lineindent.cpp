// Line indentation: the columns a block depth indents by (-is, -il, -ni, -iibe, -iac, -iiie,
// -id) and the indentation text for them (-ut, -uts).
#include "formatter.h"
#include "support.h"

#include <algorithm>

namespace {

// Blocks whose body -ni indents from the column of their keyword.
bool nicelyindented(const std::string& blockname) {
    return blockname == "while" || blockname == "if" || blockname == "else" || blockname == "case";
}

}  // namespace

int32_t formatter::computeindent(int32_t depth, int32_t nice) {
    // A negative size never makes a negative count.
    auto size = [this](int32_t level) {
        int32_t own = s.il.at(level);
        return std::max(own >= 0 ? own : stringtonum(s.is), 0);
    };
    int64_t indent = 0;
    for (int32_t i = 1; i <= depth; ++i) {
        const linerecord& r = blockstack.at(i);
        if (nice && nicelyindented(r.blockname)) {
            indent = int64_t(r.startcolumn) + size(i);
            continue;
        }
        if (!s.iibe && endswith(r.blockname, "begin")) continue;
        if (!s.iac && r.blockname == "cursor") continue;
        if (!s.iiie && r.hasif == 1) continue;
        if (r.extraindent == 0 || r.isasreached == 0) continue;
        indent += size(i);
    }
    // The line that closes such a block lines up with its keyword.
    if (nice && depth >= -1) {
        const linerecord& closed = blockstack.at(depth + 1);
        if (nicelyindented(closed.blockname)) indent = closed.startcolumn;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(indent, 0, INT32_MAX));
}

std::string formatter::indentline(int32_t depth, int32_t nice) {
    return indentstring(computeindent(depth, nice));
}
