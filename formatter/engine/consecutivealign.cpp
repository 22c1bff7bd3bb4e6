// Consecutive alignment of :=, => and = (-acav, -acarv, -acev) with the two-pass rewind, the
// blank collapsing (-c) and the declared-name bookkeeping beside it.
#include "charsets.h"
#include "formatter.h"
#include "wordset.h"
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

bool isalignedoperator(const settings& s, std::string_view text) {
    return (istext(text, ":=") && s.acav) || (istext(text, "=>") && s.acarv) || (istext(text, "=") && s.acev);
}

// A TAB, or two blanks in a row: the text is not one blank per run.
bool needscollapsing(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\t' || (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ')) return true;
    return false;
}

// Replaces every run of blanks and tabs by one blank.
std::string collapsedblanks(std::string_view text) {
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
    if (!needscollapsing(t.text())) return;
    std::string collapsed = collapsedblanks(t.text());
    if (collapsed != t.text()) t.settext(collapsed);
}

// Adds the written form of a declaring token to the texts of its name and notes the name at
// the current block level.
static void registername(formatter& f, std::string_view text) {
    std::string key = f.textcharset().lc(text);
    f.declarednames[key].emplace_back(text);
    f.declarednamesatlevel.at(std::max(f.blocks.blocklevel, 0)).push_back(key);
}

void formatter::registerdeclaredname() {
    position t = currenttoken;
    // While tokens are laid out again their names are registered already.
    if (!statement.indeclarations || statement.statementstate != 1 || t->kind != identifier || !alignenabled) return;
    position after = std::next(t);
    if (after == tokens.end() || after->kind != whitespace) return;
    patternmatch m;
    if (!unregisteredword().partialmatch(t->text(), &m)) {
        registername(*this, t->text());
    } else if (m.matched(1)) {
        // The cursor's name is not cased yet: it is registered as it will be written.
        position name = nextsignificant(after);
        if (name != tokens.end() && name->kind == identifier) registername(*this, casedword(name->text()));
    }
}

// A declaration run's snapshot does not count: the block and bracket rules must not wait
// for it, since nothing but its own end lays it out.
bool formatter::alignmentpending() const {
    return (alignline > 0 || !alignrows.empty()) && previousrewindtoken != rewindtoken;
}

bool formatter::keepblankafter(position blank) {
    if (blank->protectedfollowingblank) return true;
    // In an alias list the blank in front of an alias stays (count(*) total).
    if (!alignment.declarationalignment.active || alignment.declarationalignment.mode != 5) return false;
    position next = std::next(blank);
    return next != tokens.end() && (next->kind == identifier || next->kind == doublequotedname);
}

void formatter::takerewindsnapshot(position at) {
    previousrewindtoken = rewindtoken;
    rewindtoken = at;
    rewindline = tokenline(at);
    savestate(rewindsnapshot);
}

void formatter::savestate(rewindstate& r) {
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

// The state the rules depend on where a branch of conditional compilation starts or ends.
std::shared_ptr<const rewindstate> formatter::branchstate() {
    auto r = std::make_shared<rewindstate>();
    savestate(*r);
    return r;
}

// Goes on from the state of a branch start or end. The line that the loop is on, the open
// directives and the blanks of the operator rules stay as they are.
void formatter::restorebranchstate(const rewindstate& branch) {
    linepart keptline = std::move(outputline);
    directivepart keptdirectives = std::move(directives);
    static_cast<loopstate&>(*this) = branch.loop;
    outputline = std::move(keptline);
    directives = std::move(keptdirectives);
    if (branch.settingssaved) {
        s = branch.workingsettings;
        savedsettings = branch.savedsettings;
    } else if (!savedsettings.empty()) {
        s = savedsettings.front();
        savedsettings.clear();
    }
    forgetindentsums();
    // A statement that began in another branch is not formatted again from its start.
    statementsnapshottaken = false;
}

void formatter::restorerewindsnapshot() { restorestate(rewindsnapshot, rewindtoken); }

// The state of the snapshot r, taken at the token `at`, where the loop goes on.
void formatter::restorestate(rewindstate& r, position at) {
    static_cast<loopstate&>(*this) = r.loop;
    if (r.settingssaved) {
        s = r.workingsettings;
        savedsettings = r.savedsettings;
    } else if (!savedsettings.empty()) {
        // An -ifs block applied after the snapshot: the file's settings come back.
        s = savedsettings.front();
        savedsettings.clear();
    }
    forgetindentsums();
    currenttoken = at;
    currentword = at->text();
    // The column bookkeeping restarts in front of the snapshot token, whose line the
    // padding may have widened.
    position before = previoustoken(at);
    column = tokencolumn(at);
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
// whitespace in front of the row's token, unless they would take a line that fits the
// column limit past it. Gives the largest column of the first run.
int32_t formatter::padconsecutiverows() {
    if (alignrows.empty()) return 0;
    alignrows.back().runend = 1;
    for (alignrow& row : alignrows) row.column = tokencolumn(row.token);
    int32_t firstrun = 0;
    size_t runstart = 0;
    paddedrows.clear();
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
            if (missing <= 0 || paddingpassesthelimit(row.token, 0, missing, tokens.end())) continue;
            paddedrows.push_back(row.token);
            std::string blanks(static_cast<size_t>(missing), ' ');
            position before = previoustoken(row.token);
            if (before != tokens.end() && before->kind == whitespace)
                {
                std::string widened(before->text());
                widened += blanks;
                before->settext(widened);
            }
            else
                tokens.insert(row.token, token(blanks, whitespace, 0, -(sequencecounter++), -1));
        }
        runstart = i + 1;
    }
    return firstrun;
}

// Notes the blanks in front of t on its line, the line's indentation included.
void formatter::noteblanksbefore(lineblanks& line, position t) const {
    line.texts.clear();
    line.before = previoustoken(t);
    line.relative = s.rs && statement.keeprelative;
    for (position p = t; p != tokens.begin();) {
        --p;
        if (p->kind == whitespace) line.texts.emplace_back(p, std::string(p->text()));
        if (p->breaksline()) break;
    }
}

// Going back to t, the blanks in front of it get the texts they had at its snapshot: the
// padding, and what the limit rules took from the line, go, as they do when the output is
// formatted again; a line break put in meanwhile stays, and so does what it began. A line
// that keeps its shape (-rs) keeps the indentation the limit left it: so it is read again.
void formatter::restoreblanksbefore(const lineblanks& line, position t) {
    // Only the blanks on the line now are looked up: a rule may have erased a noted one.
    for (position p = t; p != tokens.begin();) {
        --p;
        if (p->kind == whitespace && (!line.relative || !p->breaksline())) {
            auto noted = std::find_if(line.texts.begin(), line.texts.end(),
                                      [p](const auto& n) { return n.first == p; });
            if (noted != line.texts.end() && p->breaksline() == haslinebreak(noted->second) &&
                p->text() != noted->second)
                p->settext(noted->second);
        }
        if (p->breaksline()) break;
    }
    // A row without blanks in front of it got them as a token of their own.
    for (position p = previoustoken(t); p != line.before && p != tokens.end() && p->kind == whitespace &&
                                        p->sequence < 0 && !p->breaksline();
         p = previoustoken(t))
        tokens.erase(p);
}

// Ends the consecutive group at the current token; true when the loop was moved back.
bool formatter::endconsecutivegroup() {
    groupended = groupbroken = 0;
    int32_t firstrun = padconsecutiverows();
    bool rewind = !loopdone && previousrewindtoken != rewindtoken;
    if (!rewind) {
        alignline = 0;
        alignop.clear();
        alignrows.clear();
        return false;
    }
    const position start = rewindtoken;
    rewindtosnapshot();
    if (linesparted()) keepgroupsnapshot(start);
    if (firstrun != 0) alignment.aligncolumn = firstrun;
    alignop.clear();
    return true;
}

// A line break before t while the group is laid out again parts its line so that a piece holds
// the group's operator alone where the line held more (an operator left out for reaching
// beyond the limit too), sets an operator at a line's start, or breaks a padded row's line.
bool formatter::partsgrouprow(position t) const {
    if (regroupop.empty()) return false;
    auto isop = [this](const token& p) { return p.kind == othertoken && p.text() == regroupop; };
    int32_t before = 0, after = 0;
    bool padded = false;
    for (position p = t; p != tokens.begin();) {
        --p;
        if (p->breaksline()) break;
        if (!isop(*p)) continue;
        ++before;
        padded = padded || std::find(paddedrows.begin(), paddedrows.end(), p) != paddedrows.end();
    }
    for (position p = t; p != tokens.end() && p->kind != endtoken && !p->breaksline(); ++p)
        if (isop(*p)) ++after;
    // The padding was judged on the unbroken line: the broken one may not take it.
    if (padded) return true;
    if (after > 0 && isop(*t)) return true;
    return after == 1 || (after > 0 && before == 1);
}

// Under a column limit the group is laid out again with its padding; the line breaks that the
// limit puts in then can make lines of one operator out of a line that had several, or
// part a row from its operator, and those lines are rows when the output is formatted again.
// The group's snapshot is kept so that the group can be formed again from the output lines.
void formatter::keepgroupsnapshot(position start) {
    if (regroupstart != start) regroups = 0;
    regroupstart = start;
    regroupend = resumetoken;
    // The line of the last padded row goes on after the group's end: the line breaks the
    // limit puts into it are watched up to its end.
    regroupwatch = 0;
    if (!paddedrows.empty() && sameoutputline(paddedrows.back(), resumetoken)) {
        position p = resumetoken;
        while (p != tokens.end() && p->kind != endtoken && !p->breaksline()) ++p;
        if (p != tokens.end() && p->kind != endtoken) {
            regroupend = p;
            regroupwatch = 1;
            // A group of its own may begin on the rest of the line: the first one's snapshot
            // and line are kept for forming it again.
            regroupsnapshot = rewindsnapshot;
            regroupline = groupline;
        }
    }
    regroupop = alignop;
    replaybreaks = rowsparted;
    rowsparted = 0;
}

// The snapshot stays the group's unless a declaration run laid out again took its own; a
// group that began on the watched line left a copy.
bool formatter::regroupdue(position t) const {
    return replaybreaks > 0 && t == regroupend && regroupstart != position() && regroups < 2 &&
           (rewindtoken == regroupstart || (regroupwatch && !declarationsnapshot));
}

// The group starts again at its first row with the state of its snapshot, as on its first
// laying out: its rows are noted on the output lines, padded and laid out again.
void formatter::formgroupagain() {
    ++regroups;
    regroupwatch = 0;
    groupshared = position();
    replaybreaks = 0;
    rowsparted = 0;
    restoreblanksbefore(groupline, rewindtoken);
    // The line breaks that rules put in since are the text's own when the output is read
    // again: the rules that join lines of the source (-kpit, -kitt) may take them out.
    for (position p = rewindtoken; p != currenttoken && p != tokens.end(); ++p)
        if (p->kind == whitespace && p->classcode == classinserted && p->breaksline()) p->classcode = 0;
    restorerewindsnapshot();
    rewindtoken = previousrewindtoken = tokens.end();
    rewindline = 0;
    resumetoken = tokens.end();
    resumeline = 0;
    alignenabled = 1;
    alignline = 0;
    alignrows.clear();
    groupended = groupbroken = 0;
}

// Switches under which a rule may part a line (the column limit, list items per line, line
// breaks before clause words).
bool formatter::linesparted() const { return s.mcs || s.mlipl > 0 || s.bus || s.bbj; }

// A rule may part t's line: one that breaks lines at items or clause words, or the column
// limit where the line reaches beyond it.
bool formatter::mayparttheline(position t) {
    if (s.mlipl > 0 || s.bus || s.bbj) return true;
    if (!s.mcs) return false;
    int32_t column = tokencolumn(t);
    for (position p = t; p != tokens.end() && p->kind != endtoken && !p->breaksline(); ++p)
        column = columnafter(*p, column);
    return column - 1 > s.mcs;
}

// An operator left out because another one shares its line is judged again when the column
// limit parts the two (outside any group): the state at it is kept until then.
void formatter::takesharedsnapshot(position t) {
    // The first such operator of the line is the one a line break after it leaves alone.
    if (sharedtoken == t || (sharedtoken != position() && sameoutputline(sharedtoken, t))) return;
    savestate(sharedsnapshot);
    noteblanksbefore(sharedline, t);
    sharedtoken = t;
}

// At the end of an output line: an operator that was left out because another one shared its
// source line may stand alone on it now, when a rule or the column limit parted the two, as
// it will when the output is formatted again. Outside a group the loop goes back to that
// operator (true); inside one the group is formed again once it has been laid out.
[[gnu::noinline]] bool formatter::judgeendedline() {
    if (groupshared != position() && formgroupwithshared()) return true;
    const bool ingroup = !alignrows.empty() && alignenabled;
    if (sharedtoken == position() && !ingroup) return false;
    const position shared = sharedtoken;
    sharedtoken = position();
    const std::string_view op = shared != position() ? shared->text() : std::string_view(alignop);
    int32_t count = 0;
    position single;
    for (position p = currenttoken; p != tokens.begin();) {
        --p;
        if (p->breaksline()) break;
        if (p->kind != othertoken || p->text() != op) continue;
        ++count;
        single = previoustoken(p)->breaksline() ? position() : p;
    }
    if (count != 1 || single == position()) return false;
    if (ingroup) {
        if (single != alignrows.back().token) rowsparted = 1;
        return false;
    }
    if (single != shared || alignline != 0 || !alignenabled) return false;
    // The line takes back the indentation that the limit took from it since, as it has it
    // when the output is formatted again, unless the operator then reaches beyond the limit:
    // judged there it would be left out again.
    lineblanks now;
    noteblanksbefore(now, shared);
    restoreblanksbefore(sharedline, shared);
    if (tokenendcolumn(shared) > s.mcs) restoreblanksbefore(now, shared);
    noteblanksbefore(now, shared);
    restorestate(sharedsnapshot, shared);
    // The line keeps indentation the limit took from it after the snapshot (under -rs, or
    // where it would reach beyond the limit again): the columns measured on it move with it,
    // as they did when it was taken.
    const int32_t shift = notedindentation(sharedline) - notedindentation(now);
    if (shift != 0) followrelativeshift(std::next(linestartof(shared)), shift);
    return true;
}

// The indentation of the line whose blanks were noted, in columns; 0 without its line start.
int32_t formatter::notedindentation(const lineblanks& line) const {
    for (const auto& [blank, text] : line.texts) {
        if (!haslinebreak(text)) continue;
        const size_t at = text.find_last_of("\r\n") + 1;
        return rowtringtocolumn(std::string_view(text).substr(at), 1) - 1;
    }
    return 0;
}

// At the end of the output line of an operator that was left out of a group for sharing its
// source line: alone on the line now, it would be a row of the group when the output is
// formatted again, so the group, ended meanwhile, is formed again from its first row. True
// when the loop was moved back there.
bool formatter::formgroupwithshared() {
    const position shared = groupshared;
    int32_t count = 0;
    bool online = false;
    for (position p = currenttoken; p != tokens.begin();) {
        --p;
        if (p->breaksline()) break;
        if (p == shared) online = true;
        if (p->kind == othertoken && p->text() == shared->text()) ++count;
    }
    if (!online) return false;
    groupshared = position();
    if (count != 1 || !alignrows.empty() || alignline != 0 || !alignenabled || rewindtoken != groupsharedstart)
        return false;
    if (regroupstart != groupsharedstart) {
        regroupstart = groupsharedstart;
        regroups = 0;
    }
    if (regroups >= 2) return false;
    formgroupagain();
    return true;
}

// Notes one operator of the group, or breaks the group.
void formatter::addconsecutiverow(position t) {
    std::string_view op = t->text();
    int32_t line = tokenline(t);
    if (!alignenabled) return;
    if (declarationsnapshot && previousrewindtoken != rewindtoken) return;
    if (alignline != 0 && op != alignop) {
        groupbroken = 1;
        return;
    }
    // A line with a second such operator takes no part, and the run above ends there. It is
    // seen at the line's first operator, so no group waits for the line to be laid out.
    // An operator that begins its line, or that the column limit will put at a line's start,
    // lines up with nothing.
    const bool shares = operatorsharesline(t);
    if (shares || previoustoken(t)->breaksline() || (s.mcs && tokenendcolumn(t) > s.mcs)) {
        if (!alignrows.empty()) {
            alignrows.back().runend = 1;
            if (shares && t == currenttoken && mayparttheline(t)) {
                groupshared = t;
                groupsharedstart = rewindtoken;
            }
        } else if (alignline == 0 && t == currenttoken && mayparttheline(t)) {
            takesharedsnapshot(t);
        }
        return;
    }
    if (alignline == 0) {
        alignop = op;
        alignline = alignlastline = line;
        alignbracketlevel = brackets.bracketdepth;
        if (alignrows.empty()) {
            rowsparted = 0;
            sharedtoken = position();
            takerewindsnapshot(t);
            if (linesparted()) noteblanksbefore(groupline, t);
            // The group is laid out again from the start of t, which makes its own request for
            // an aligned list (-aroa) again: a line break put before t must not find it made.
            if (s.mcs && t == currenttoken)
                rewindsnapshot.loop.alignment.alignmentrequested = tokenstartlayout.alignmentrequested;
        }
        alignrows.push_back({t, 0, 0, 1, line});
    } else if (alignlastline != line || alignrows.empty() || !sameoutputline(alignrows.back().token, t)) {
        if (brackets.bracketdepth != alignbracketlevel) {
            groupbroken = 1;
        } else {
            alignlastline = line;
            alignrows.push_back({t, 0, 0, 1, line});
        }
    }
}

// The row token stands before t on t's output line.
bool formatter::sameoutputline(position row, position t) const {
    for (position p = t; p != tokens.begin();) {
        --p;
        if (p == row) return true;
        if (p->breaksline()) return false;
    }
    return false;
}

// Another operator with t's text on t's source line, before or after it (generated tokens
// belong to the line of the token before them), and on its output line: a line break that a
// rule or the column limit put before t parts them, as it will when the output is read.
bool formatter::operatorsharesline(position t) const {
    const int32_t line = tokenline(t);
    auto same = [t](const token& other) { return other.kind == t->kind && other.text() == t->text(); };
    auto otherline = [line](const token& other) { return (other.line >= 0 && other.line != line) || other.breaksline(); };
    for (position p = std::next(t); p != tokens.end() && !otherline(*p); ++p)
        if (same(*p)) return true;
    for (position p = t; p != tokens.begin();) {
        --p;
        if (otherline(*p)) break;
        if (same(*p)) return true;
    }
    return false;
}

bool formatter::alignconsecutive() {
    position t = currenttoken;
    if (t == resumetoken || (!alignenabled && resumeline > 0 && t->line > resumeline)) {
        alignenabled = 1;
        resumeline = 0;
    }
    if (t == regroupend) {
        if (regroupdue(t)) {
            if (rewindtoken != regroupstart) {
                rewindsnapshot = std::move(regroupsnapshot);
                groupline = std::move(regroupline);
                rewindtoken = regroupstart;
            }
            formgroupagain();
            return true;
        }
        regroupwatch = 0;
        regroupend = position();
    }
    if (t->kind == othertoken && isalignedoperator(s, t->text())) addconsecutiverow(t);
    if (!alignrows.empty() && istext(alignop, "=") &&
        (istext(t->text(), ";") ||
         (t->kind == identifier && clausewords.count(lowered(t->text()).view()) && !aggregategroup(t))))
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
