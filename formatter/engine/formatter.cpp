// The formatter object: its parts, the file tables, and the -ifs block applier.
#include "formatter.h"

#include <iostream>

formatter::formatter() : calls(textcharset()), listings(&std::cout) { linebreaktext.assign(1, '\n'); }

// The file's tables from the settings it starts with; -au makes SET a clause word.
void formatter::buildtables() {
    builttables = buildfiletables(s);
    if (alignsupdate(s)) {
        clausewords.insert("set");
    } else {
        clausewords.erase("set");
    }
}

// The switches recorded for one -ifs block, applied in the order they were given. A flag
// entry carries its field as a number field.
void formatter::applyifsblock(settings& record, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= record.ifsblocks.size()) return;
    const ifsblock& block = record.ifsblocks[static_cast<size_t>(index)];
    for (const ifsentry& entry : block) {
        switch (entry.kind) {
        case flagkind:
            if (entry.numberfield) record.*entry.numberfield = entry.number != 0 ? 1 : 0;
            break;
        case numberkind:
            if (entry.numberfield) record.*entry.numberfield = entry.number;
            break;
        case stringkind:
            if (entry.textfield) record.*entry.textfield = entry.text;
            break;
        case alloffkind:
            if (entry.name == "0") setalloff(record, 0);
            break;
        default: break;
        }
    }
}
