// Consecutive alignment of :=, => and = (-acav, -acarv, -acev) with the two-pass rewind, the
// blank collapsing (-c) and the declared-name bookkeeping beside it.
#include "charsets.h"
#include "formatter.h"
#include "support.h"

#include <algorithm>

namespace {

// Names that are no declared variables.
const pattern& unregisteredword() {
    static const pattern& compiled =
        pattern::get("^procedure$|^function$|(^cursor$)|^subtype$|^type$|^begin$|^declare$",
                     pattern::caseless);
    return compiled;
}

bool isalignedoperator(const settings& s, const std::string& text) {
    return (text == ":=" && s.acav) || (text == "=>" && s.acarv) || (text == "=" && s.acev);
}

// Replaces every run of blanks and tabs by one blank.
std::string collapsedblanks(const std::string& text) {
    std::string collapsed;
    collapsed.reserve(text.size());
    for (char c : text) {
        bool blank = c == ' ' || c == '\t';
        if (blank && !collapsed.empty() && collapsed.back() == ' ') continue;
        collapsed += blank ? ' ' : c;
    }
    return collapsed;
}

}  // namespace

void formatter::collapseblanks() {
    if (!s.c || alignenabled != 1) return;
    token& t = *currenttoken;
    if (t.kind != whitespace || startswithlinebreak(t.text())) return;
    if (rewindline > 0 && previousrewindtoken == rewindtoken) return;
    std::string collapsed = collapsedblanks(t.text());
    if (collapsed != t.text()) t.settext(collapsed);
}

// Adds the text of a declaring token to the texts of its name and notes the name at the
// current block level.
static void registername(formatter& f, position name) {
    std::string key = charsetlc(name->text());
    f.declarednames[key].push_back(name->text());
    f.declarednamesatlevel.at(std::max(f.blocklevel, 0)).push_back(key);
}

void formatter::registerdeclaredname() {
    position t = currenttoken;
    // While tokens are laid out again their names are registered already.
    if (!indeclarations || statementstate != 1 || t->kind != identifier || !alignenabled) return;
    position after = std::next(t);
    if (after == tokens.end() || after->kind != whitespace) return;
    patternmatch m;
    if (!unregisteredword().partialmatch(t->text(), &m)) {
        registername(*this, t);
    } else if (m.matched(1)) {
        position name = nextsignificant(after);
        if (name != tokens.end() && name->kind == identifier) registername(*this, name);
    }
}

bool formatter::alignmentpending() const {
    return (alignline > 0 || !alignrows.empty() || declarationsnapshot) &&
           previousrewindtoken != rewindtoken;
}

bool formatter::beyondrewindline() {
    return declarationsnapshot && previousrewindtoken != rewindtoken &&
           tokenline(currenttoken) > rewindline;
}

bool formatter::keepblankafter(position blank) {
    if (blank->protectedfollowingblank) return true;
    // In an alias list the blank in front of an alias stays (count(*) total).
    if (!declarationalignment.active || declarationalignment.mode != 5) return false;
    position next = std::next(blank);
    return next != tokens.end() && (next->kind == identifier || next->kind == doublequotedname);
}

// Notes the state that the layout of the tokens from `at` on depends on.
void formatter::takerewindsnapshot(position at) {
    previousrewindtoken = rewindtoken;
    rewindtoken = at;
    rewindline = tokenline(at);
    rewindstate& r = rewindsnapshot;
    r.blocklevel = blocklevel;
    r.blockstack = blockstack;
    r.statementstate = statementstate;
    r.statementcountdown = statementcountdown;
    r.statementcounter = statementcounter;
    r.tokenposition = tokenposition;
    r.savedtokenposition = savedtokenposition;
    r.statementstarttoken = statementstarttoken;
    r.statementstartposition = statementstartposition;
    r.statementstartdepth = statementstartdepth;
    r.statementword = statementword;
    r.indeclarationpart = indeclarationpart;
    r.indeclarations = indeclarations;
    r.thenexpected = thenexpected;
    r.loopexpected = loopexpected;
    r.assignmentseen = assignmentseen;
    r.lastvalue = lastvalue;
    r.lastvaluecount = lastvaluecount;
    r.sqlpluspossible = sqlpluspossible;
    r.insqlplusline = insqlplusline;
    r.sqlplusstatement = sqlplusstatement;
    r.sqlpluscommand = sqlpluscommand;
    r.spacingallowed = spacingallowed;
    r.lastinsertedblank = lastinsertedblank;
    r.listitemcount = listitemcount;
    r.alistcol = alistcol;
    r.processingalignedlist = processingalignedlist;
    r.alignmentrequested = alignmentrequested;
    r.alistlevel = alistlevel;
    r.alignedlists = alignedlists;
    r.alignmentword = alignmentword;
    r.awaitby = awaitby;
    r.awaitwith = awaitwith;
    r.endalistcomma = endalistcomma;
    r.bracketdepth = bracketdepth;
    r.andcolumn = andcolumn;
    r.logicalcolumn = logicalcolumn;
    r.aligncolumn = aligncolumn;
    r.linestarttoken = linestarttoken;
    r.lastlinestarttoken = lastlinestarttoken;
    r.linestarttext = linestarttext;
    r.linebreakstate = linebreakstate;
    r.keeplinebreak = keeplinebreak;
    r.removelinebreaks = removelinebreaks;
    r.declarationmode = declarationmode;
    r.declarationalignment = declarationalignment;
    // The settings differ from the file's only while an -ifs block is applied.
    r.settingssaved = !savedsettings.empty();
    if (r.settingssaved) {
        r.savedworkingsettings = s;
        r.savedsettings = savedsettings;
    } else {
        r.savedsettings.clear();
    }
}

// Puts the snapshot back and makes its token current again.
void formatter::restorerewindsnapshot() {
    const rewindstate& r = rewindsnapshot;
    blocklevel = r.blocklevel;
    blockstack = r.blockstack;
    statementstate = r.statementstate;
    statementcountdown = r.statementcountdown;
    statementcounter = r.statementcounter;
    tokenposition = r.tokenposition;
    savedtokenposition = r.savedtokenposition;
    statementstarttoken = r.statementstarttoken;
    statementstartposition = r.statementstartposition;
    statementstartdepth = r.statementstartdepth;
    statementword = r.statementword;
    indeclarationpart = r.indeclarationpart;
    indeclarations = r.indeclarations;
    thenexpected = r.thenexpected;
    loopexpected = r.loopexpected;
    assignmentseen = r.assignmentseen;
    lastvalue = r.lastvalue;
    lastvaluecount = r.lastvaluecount;
    sqlpluspossible = r.sqlpluspossible;
    insqlplusline = r.insqlplusline;
    sqlplusstatement = r.sqlplusstatement;
    sqlpluscommand = r.sqlpluscommand;
    spacingallowed = r.spacingallowed;
    lastinsertedblank = r.lastinsertedblank;
    listitemcount = r.listitemcount;
    alistcol = r.alistcol;
    processingalignedlist = r.processingalignedlist;
    alignmentrequested = r.alignmentrequested;
    alistlevel = r.alistlevel;
    alignedlists = r.alignedlists;
    alignmentword = r.alignmentword;
    awaitby = r.awaitby;
    awaitwith = r.awaitwith;
    endalistcomma = r.endalistcomma;
    bracketdepth = r.bracketdepth;
    andcolumn = r.andcolumn;
    logicalcolumn = r.logicalcolumn;
    linestarttoken = r.linestarttoken;
    lastlinestarttoken = r.lastlinestarttoken;
    linestarttext = r.linestarttext;
    linebreakstate = r.linebreakstate;
    keeplinebreak = r.keeplinebreak;
    removelinebreaks = r.removelinebreaks;
    declarationmode = r.declarationmode;
    declarationalignment = r.declarationalignment;
    if (r.settingssaved) {
        s = r.savedworkingsettings;
        savedsettings = r.savedsettings;
    } else if (!savedsettings.empty()) {
        // An -ifs block applied after the snapshot: the file's settings come back.
        s = savedsettings.front();
        savedsettings.clear();
    }
    currenttoken = rewindtoken;
    currentword = rewindtoken->text();
    // The column bookkeeping restarts in front of the snapshot token, whose line the
    // padding may have widened.
    position before = previoustoken(rewindtoken);
    column = tokencolumn(rewindtoken);
    previouscolumn = before != tokens.end() ? tokencolumn(before) : 1;
    position second = before != tokens.end() ? previoustoken(before) : tokens.end();
    columnbeforeprevious = second != tokens.end() ? tokencolumn(second) : 1;
}

// Lays the tokens from the snapshot on out again; new groups wait until the loop passes
// the token where this group ended.
void formatter::rewindtosnapshot() {
    resumetoken = currenttoken;
    resumeline = tokenline(currenttoken);
    groupended = groupbroken = 0;
    restorerewindsnapshot();
    alignenabled = 0;
    alignline = 0;
    alignrows.clear();
    declarationsnapshot = 0;
}

// Pads the rows of each run up to the largest column of the run: blanks go into the
// whitespace in front of the row's token. Gives the largest column of the first run.
int32_t formatter::padconsecutiverows() {
    if (alignrows.empty()) return 0;
    alignrows.back().runend = 1;
    for (alignrow& row : alignrows) row.column = tokencolumn(row.token);
    int32_t firstrun = 0;
    size_t runstart = 0;
    for (size_t i = 0; i < alignrows.size(); ++i) {
        if (!alignrows[i].runend) continue;
        int32_t largest = 0;
        for (size_t k = runstart; k <= i; ++k)
            if (alignrows[k].aligned) largest = std::max(largest, alignrows[k].column);
        if (runstart == 0) firstrun = largest;
        for (size_t k = runstart; k <= i; ++k) {
            alignrow& row = alignrows[k];
            if (!row.aligned) continue;
            row.token->protectedtoken = true;
            int32_t missing = largest - row.column;
            if (missing <= 0) continue;
            std::string blanks(static_cast<size_t>(missing), ' ');
            position before = previoustoken(row.token);
            if (before != tokens.end() && before->kind == whitespace)
                before->settext(before->text() + blanks);
            else
                tokens.insert(row.token, token(blanks, whitespace, 0, -(sequencecounter++), -1));
        }
        runstart = i + 1;
    }
    return firstrun;
}

// Ends the consecutive group at the current token; true when the loop was moved back.
bool formatter::endconsecutivegroup() {
    groupended = groupbroken = 0;
    int32_t firstrun = padconsecutiverows();
    int32_t savedaligncolumn = aligncolumn;
    bool rewind = !loopdone && previousrewindtoken != rewindtoken;
    if (!rewind) {
        alignline = 0;
        alignop.clear();
        alignrows.clear();
        return false;
    }
    rewindtosnapshot();
    aligncolumn = firstrun != 0 ? firstrun : savedaligncolumn;
    alignop.clear();
    return true;
}

// Notes one operator of the group, or breaks the group.
void formatter::addconsecutiverow(position t) {
    const std::string& op = t->text();
    int32_t line = tokenline(t);
    if (!alignenabled) return;
    if (declarationsnapshot && previousrewindtoken != rewindtoken) return;
    if (alignline != 0 && op != alignop) {
        groupbroken = 1;
        return;
    }
    if (alignline == 0) {
        alignop = op;
        alignline = alignlastline = line;
        alignbracketlevel = bracketdepth;
        if (alignrows.empty()) takerewindsnapshot(t);
        alignrows.push_back({t, 0, 0, 1, line});
    } else if (alignlastline != line) {
        if (bracketdepth != alignbracketlevel) {
            groupbroken = 1;
        } else {
            alignlastline = line;
            alignrows.push_back({t, 0, 0, 1, line});
        }
    } else {
        // A second operator on the line: the run above ends, and the line takes no part.
        if (alignrows.size() >= 2) alignrows[alignrows.size() - 2].runend = 1;
        if (!alignrows.empty()) alignrows.pop_back();
    }
}

bool formatter::alignconsecutive() {
    position t = currenttoken;
    if (t == resumetoken || (!alignenabled && resumeline > 0 && t->line > resumeline)) {
        alignenabled = 1;
        resumeline = 0;
    }
    if (t->kind == othertoken && isalignedoperator(s, t->text())) addconsecutiverow(t);
    if (!alignrows.empty() && alignop == "=" &&
        (t->text() == ";" || (t->kind == identifier && clausewords.count(lc(t->text())))))
        groupbroken = 1;
    bool ends = groupended || groupbroken || (t->kind == endtoken && !alignrows.empty()) ||
                (loopdone && alignline != 0);
    if (!ends) return false;
    if (alignline == 0 && alignrows.empty()) {
        groupended = groupbroken = 0;
        return false;
    }
    return endconsecutivegroup();
}
