// Taking and putting back the snapshots of the rewinds, and the slice of the loop state that a
// token formatted anew gets back.
#include "formatter.h"
#include "rewinds.h"

void layoutvalues::take(const loopstate& loop) {
    linecolumn = loop.outputline.linecolumn;
    lineitems = loop.outputline.lineitems;
    alignmentrequested = loop.alignment.alignmentrequested;
    alistlevel = loop.alignment.alistlevel;
    processingalignedlist = loop.alignment.processingalignedlist;
    alistcol = loop.alignment.alistcol;
    endalistcomma = loop.alignment.endalistcomma;
    loopheaderopen = loop.blocks.loopheaderopen;
    afterend = loop.blocks.afterend;
    keeprelative = loop.statement.keeprelative;
    relativeindent = loop.statement.relativeindent;
    relativeindentsequence = loop.statement.relativeindentsequence;
    andcolumn = loop.statement.andcolumn;
    logicalcolumn = loop.statement.logicalcolumn;
    keywordcolumn = loop.statement.keywordcolumn;
    statementstate = loop.statement.statementstate;
    statementcountdown = loop.statement.statementcountdown;
    headerpending = loop.statement.headerpending;
    createpending = loop.statement.createpending;
    linebreakstate = loop.outputline.linebreakstate;
    keeplinebreak = loop.outputline.keeplinebreak;
    removelinebreaks = loop.outputline.removelinebreaks;
    blocklevel = loop.blocks.blocklevel;
    begincount = loop.blocks.begincount;
    units = loop.blocks.subprogramnames.size();
}

void layoutvalues::restore(loopstate& loop) const {
    loop.outputline.linecolumn = linecolumn;
    loop.outputline.lineitems = lineitems;
    loop.alignment.alignmentrequested = alignmentrequested;
    loop.alignment.alistlevel = alistlevel;
    loop.alignment.processingalignedlist = processingalignedlist;
    loop.alignment.alistcol = alistcol;
    loop.alignment.endalistcomma = endalistcomma;
    loop.blocks.loopheaderopen = loopheaderopen;
    loop.blocks.afterend = afterend;
    loop.statement.keeprelative = keeprelative;
    loop.statement.relativeindent = relativeindent;
    loop.statement.relativeindentsequence = relativeindentsequence;
    loop.statement.andcolumn = andcolumn;
    loop.statement.logicalcolumn = logicalcolumn;
    loop.statement.keywordcolumn = keywordcolumn;
    loop.statement.statementstate = statementstate;
    loop.statement.statementcountdown = statementcountdown;
    loop.statement.headerpending = headerpending;
    loop.statement.createpending = createpending;
    loop.outputline.linebreakstate = linebreakstate;
    loop.outputline.keeplinebreak = keeplinebreak;
    loop.outputline.removelinebreaks = removelinebreaks;
    loop.blocks.blocklevel = blocklevel;
    loop.blocks.begincount = begincount;
    if (loop.blocks.subprogramnames.size() > units) {
        loop.blocks.subprogramnames.resize(units);
        loop.blocks.subprogrambegins.resize(units);
    }
}

void formatter::take(rewindstate& r) const {
    r.loop = *this;
    // The settings differ from the file's only while an -ifs block is applied.
    r.settingssaved = !savedsettings.empty();
    if (r.settingssaved) {
        r.workingsettings = s;
        r.savedsettings = savedsettings;
    } else {
        r.savedsettings.clear();
    }
}

void formatter::restore(const rewindstate& r, position at, keptparts kept) {
    if (kept == keptparts::lineanddirectives) {
        linepart keptline = std::move(outputline);
        directivepart keptdirectives = std::move(directives);
        static_cast<loopstate&>(*this) = r.loop;
        outputline = std::move(keptline);
        directives = std::move(keptdirectives);
    } else {
        static_cast<loopstate&>(*this) = r.loop;
    }
    if (r.settingssaved) {
        s = r.workingsettings;
        savedsettings = r.savedsettings;
    } else if (!savedsettings.empty()) {
        // An -ifs block applied after the snapshot: the file's settings come back.
        s = savedsettings.front();
        savedsettings.clear();
    }
    forgetindentsums();
    if (kept == keptparts::lineanddirectives) {
        // A statement that began in another branch is not formatted again from its start.
        rewinds.statementsnapshottaken = false;
        return;
    }
    currenttoken = at;
    currentword = at->text();
    // The column bookkeeping restarts at the snapshot token, whose line the padding may have
    // widened.
    trackedcolumn = tokencolumn(at);
}
