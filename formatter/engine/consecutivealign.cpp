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
        pattern::get("^procedure$|^function$|(^cursor$)|^subtype$|^type$|^begin$|^declare$", pattern::caseless);
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
    if (!s.c || rewinds.alignenabled != 1) return;
    token& t = *currenttoken;
    if (t.kind != whitespace || startswithlinebreak(t.text())) return;
    if (rewinds.rewindline > 0 && rewinds.previousrewindtoken == rewinds.rewindtoken) return;
    if (!needscollapsing(t.text())) return;
    std::string collapsed = collapsedblanks(t.text());
    if (collapsed != t.text()) t.settext(collapsed);
}

// Adds the written form of a declaring token to the texts of its name and notes the name at
// the current block level.
static void registername(formatter& f, std::string_view text) {
    f.declared.note(f.textcharset().lc(text), text, f.blocks.blocklevel);
}

void formatter::registerdeclaredname() {
    position t = currenttoken;
    // While tokens are laid out again their names are registered already.
    if (!statement.indeclarations || statement.statementstate != 1 || t->kind != identifier || !rewinds.alignenabled)
        return;
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
    return (rewinds.alignline > 0 || !rewinds.alignrows.empty()) && rewinds.previousrewindtoken != rewinds.rewindtoken;
}

bool formatter::keepblankafter(position blank) {
    if (blank->protectedfollowingblank) return true;
    // In an alias list the blank in front of an alias stays (count(*) total).
    if (!alignment.declarationalignment.active || alignment.declarationalignment.mode != 5) return false;
    position next = std::next(blank);
    return next != tokens.end() && (next->kind == identifier || next->kind == doublequotedname);
}

// Lays the tokens from the snapshot on out again; new groups wait until the loop passes
// the token where this group ended.
void formatter::rewindtosnapshot() {
    rewinds.resumetoken = currenttoken;
    rewinds.resumeline = tokenline(currenttoken);
    rewinds.groupended = rewinds.groupbroken = 0;
    restore(rewinds.rewindsnapshot, rewinds.rewindtoken);
    rewinds.alignenabled = 0;
    rewinds.alignline = 0;
    rewinds.alignrows.clear();
    rewinds.declarationsnapshot = 0;
}

// Pads the rows of each run up to the largest column of the run: blanks go into the
// whitespace in front of the row's token, unless they would take a line that fits the
// column limit past it. Gives the largest column of the first run.
int32_t formatter::padconsecutiverows() {
    if (rewinds.alignrows.empty()) return 0;
    rewinds.alignrows.back().runend = 1;
    for (alignrow& row : rewinds.alignrows) row.column = tokencolumn(row.token);
    int32_t firstrun = 0;
    size_t runstart = 0;
    rewinds.paddedrows.clear();
    for (size_t i = 0; i < rewinds.alignrows.size(); ++i) {
        if (!rewinds.alignrows[i].runend) continue;
        int32_t largest = 0;
        for (size_t k = runstart; k <= i; ++k)
            if (rewinds.alignrows[k].aligned) largest = std::max(largest, rewinds.alignrows[k].column);
        if (runstart == 0) firstrun = largest;
        for (size_t k = runstart; k <= i; ++k) {
            alignrow& row = rewinds.alignrows[k];
            if (!row.aligned) continue;
            row.token->protectedtoken = true;
            int32_t missing = largest - row.column;
            if (missing <= 0 || paddingpassesthelimit(row.token, 0, missing, tokens.end())) continue;
            rewinds.paddedrows.push_back(row.token);
            std::string blanks(static_cast<size_t>(missing), ' ');
            position before = previoustoken(row.token);
            if (before != tokens.end() && before->kind == whitespace) {
                std::string widened(before->text());
                widened += blanks;
                before->settext(widened);
            } else tokens.insert(row.token, token(blanks, whitespace, 0, -(sequencecounter++), -1));
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
            auto noted =
                std::find_if(line.texts.begin(), line.texts.end(), [p](const auto& n) { return n.first == p; });
            if (noted != line.texts.end() && p->breaksline() == haslinebreak(noted->second) &&
                p->text() != noted->second)
                p->settext(noted->second);
        }
        if (p->breaksline()) break;
    }
    // A row without blanks in front of it got them as a token of their own.
    for (position p = previoustoken(t);
         p != line.before && p != tokens.end() && p->kind == whitespace && p->sequence < 0 && !p->breaksline();
         p = previoustoken(t))
        tokens.erase(p);
}

// Ends the consecutive group at the current token; true when the loop was moved back.
bool formatter::endconsecutivegroup() {
    rewinds.groupended = rewinds.groupbroken = 0;
    int32_t firstrun = padconsecutiverows();
    bool rewind = !rewinds.loopdone && rewinds.previousrewindtoken != rewinds.rewindtoken;
    if (!rewind) {
        rewinds.alignline = 0;
        rewinds.alignop.clear();
        rewinds.alignrows.clear();
        return false;
    }
    const position start = rewinds.rewindtoken;
    rewindtosnapshot();
    if (linesparted()) keepgroupsnapshot(start);
    if (firstrun != 0) alignment.aligncolumn = firstrun;
    rewinds.alignop.clear();
    return true;
}

// A line break before t while the group is laid out again parts its line so that a piece holds
// the group's operator alone where the line held more (an operator left out for reaching
// beyond the limit too), sets an operator at a line's start, or breaks a padded row's line.
bool formatter::partsgrouprow(position t) const {
    if (rewinds.regroupop.empty()) return false;
    auto isop = [this](const token& p) { return p.kind == othertoken && p.text() == rewinds.regroupop; };
    int32_t before = 0, after = 0;
    bool padded = false;
    for (position p = t; p != tokens.begin();) {
        --p;
        if (p->breaksline()) break;
        if (!isop(*p)) continue;
        ++before;
        padded =
            padded || std::find(rewinds.paddedrows.begin(), rewinds.paddedrows.end(), p) != rewinds.paddedrows.end();
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
    if (rewinds.regroupstart != start) rewinds.regroups = 0;
    rewinds.regroupstart = start;
    rewinds.regroupend = rewinds.resumetoken;
    // The line of the last padded row goes on after the group's end: the line breaks the
    // limit puts into it are watched up to its end.
    rewinds.regroupwatch = rewinds.regroupkept = 0;
    if (!rewinds.paddedrows.empty() && sameoutputline(rewinds.paddedrows.back(), rewinds.resumetoken)) {
        position p = rewinds.resumetoken;
        while (p != tokens.end() && p->kind != endtoken && !p->breaksline()) ++p;
        if (p != tokens.end() && p->kind != endtoken) {
            rewinds.regroupend = p;
            rewinds.regroupwatch = 1;
            // A group of its own may begin on the rest of the line: the first one's snapshot
            // and line are kept for forming it again.
            keepregroupsnapshot();
        }
    }
    rewinds.regroupop = rewinds.alignop;
    rewinds.replaybreaks = rewinds.rowsparted;
    rewinds.rowsparted = 0;
}

void formatter::keepregroupsnapshot() {
    rewinds.regroupsnapshot = rewinds.rewindsnapshot;
    rewinds.regroupline = rewinds.groupline;
    rewinds.regroupkept = 1;
}

// A declaration run that takes its snapshot while a group is laid out again, before the group's
// end: the group's snapshot is kept, so the group is still formed again from the lines the
// limit made.
void formatter::keepgroupbeforedeclarationrun() {
    if (rewinds.regroupend == position() || rewinds.regroupkept || rewinds.rewindtoken != rewinds.regroupstart) return;
    keepregroupsnapshot();
}

// The snapshot stays the group's unless another took its place: a group that began on the
// watched line, or a declaration run laid out again, and then a copy was kept.
bool formatter::regroupdue(position t) const {
    return rewinds.replaybreaks > 0 && t == rewinds.regroupend && rewinds.regroupstart != position() &&
           rewinds.regroups < 2 &&
           (rewinds.rewindtoken == rewinds.regroupstart || (rewinds.regroupkept && !rewinds.declarationsnapshot));
}

// The group starts again at its first row with the state of its snapshot, as on its first
// laying out: its rows are noted on the output lines, padded and laid out again.
void formatter::formgroupagain() {
    ++rewinds.regroups;
    rewinds.regroupwatch = rewinds.regroupkept = 0;
    rewinds.groupshared = position();
    rewinds.replaybreaks = 0;
    rewinds.rowsparted = 0;
    restoreblanksbefore(rewinds.groupline, rewinds.rewindtoken);
    // The line breaks that rules put in since are the text's own when the output is read
    // again: the rules that join lines of the source (-kpit, -kitt) may take them out. Their
    // blanks are not indentation as read, though: -rs puts such a line under its statement's
    // first word, as the rule did.
    for (position p = rewinds.rewindtoken; p != currenttoken && p != tokens.end(); ++p) {
        if (p->kind == whitespace && p->classcode == classinserted && p->breaksline()) {
            p->classcode = 0;
            sourceindentbyline[p->sequence] = rulebreakindent;
        }
    }
    restore(rewinds.rewindsnapshot, rewinds.rewindtoken);
    rewinds.rewindtoken = rewinds.previousrewindtoken = tokens.end();
    rewinds.rewindline = 0;
    rewinds.resumetoken = tokens.end();
    rewinds.resumeline = 0;
    rewinds.alignenabled = 1;
    rewinds.alignline = 0;
    rewinds.alignrows.clear();
    rewinds.groupended = rewinds.groupbroken = 0;
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
    if (rewinds.sharedtoken == t || (rewinds.sharedtoken != position() && sameoutputline(rewinds.sharedtoken, t)))
        return;
    take(rewinds.sharedsnapshot);
    noteblanksbefore(rewinds.sharedline, t);
    rewinds.sharedtoken = t;
}

// At the end of an output line: an operator that was left out because another one shared its
// source line may stand alone on it now, when a rule or the column limit parted the two, as
// it will when the output is formatted again. Outside a group the loop goes back to that
// operator (true); inside one the group is formed again once it has been laid out.
[[gnu::noinline]] bool formatter::judgeendedline() {
    if (rewinds.groupshared != position() && formgroupwithshared()) return true;
    const bool ingroup = !rewinds.alignrows.empty() && rewinds.alignenabled;
    if (rewinds.sharedtoken == position() && !ingroup) return false;
    const position shared = rewinds.sharedtoken;
    rewinds.sharedtoken = position();
    const std::string_view op = shared != position() ? shared->text() : std::string_view(rewinds.alignop);
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
        if (single != rewinds.alignrows.back().token) rewinds.rowsparted = 1;
        return false;
    }
    if (single != shared || rewinds.alignline != 0 || !rewinds.alignenabled) return false;
    // The line takes back the indentation that the limit took from it since, as it has it
    // when the output is formatted again, unless the operator then reaches beyond the limit:
    // judged there it would be left out again.
    lineblanks now;
    noteblanksbefore(now, shared);
    restoreblanksbefore(rewinds.sharedline, shared);
    if (tokenendcolumn(shared) > s.mcs) restoreblanksbefore(now, shared);
    noteblanksbefore(now, shared);
    restore(rewinds.sharedsnapshot, shared);
    // The line keeps indentation the limit took from it after the snapshot (under -rs, or
    // where it would reach beyond the limit again): the columns measured on it move with it,
    // as they did when it was taken.
    const int32_t shift = notedindentation(rewinds.sharedline) - notedindentation(now);
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
    const position shared = rewinds.groupshared;
    int32_t count = 0;
    bool online = false;
    for (position p = currenttoken; p != tokens.begin();) {
        --p;
        if (p->breaksline()) break;
        if (p == shared) online = true;
        if (p->kind == othertoken && p->text() == shared->text()) ++count;
    }
    if (!online) return false;
    rewinds.groupshared = position();
    if (count != 1 || !rewinds.alignrows.empty() || rewinds.alignline != 0 || !rewinds.alignenabled ||
        rewinds.rewindtoken != rewinds.groupsharedstart)
        return false;
    if (rewinds.regroupstart != rewinds.groupsharedstart) {
        rewinds.regroupstart = rewinds.groupsharedstart;
        rewinds.regroups = 0;
    }
    if (rewinds.regroups >= 2) return false;
    formgroupagain();
    return true;
}

// Notes one operator of the group, or breaks the group.
void formatter::addconsecutiverow(position t) {
    std::string_view op = t->text();
    int32_t line = tokenline(t);
    if (!rewinds.alignenabled) return;
    if (rewinds.declarationsnapshot && rewinds.previousrewindtoken != rewinds.rewindtoken) return;
    if (rewinds.alignline != 0 && op != rewinds.alignop) {
        rewinds.groupbroken = 1;
        return;
    }
    // A line with a second such operator takes no part, and the run above ends there. It is
    // seen at the line's first operator, so no group waits for the line to be laid out.
    // An operator that begins its line, or that the column limit will put at a line's start,
    // lines up with nothing.
    const bool shares = operatorsharesline(t);
    if (shares || previoustoken(t)->breaksline() || (s.mcs && tokenendcolumn(t) > s.mcs)) {
        if (!rewinds.alignrows.empty()) {
            rewinds.alignrows.back().runend = 1;
            if (shares && t == currenttoken && mayparttheline(t)) {
                rewinds.groupshared = t;
                rewinds.groupsharedstart = rewinds.rewindtoken;
            }
        } else if (rewinds.alignline == 0 && t == currenttoken && mayparttheline(t)) {
            takesharedsnapshot(t);
        }
        return;
    }
    if (rewinds.alignline == 0) {
        rewinds.alignop = op;
        rewinds.alignline = rewinds.alignlastline = line;
        rewinds.alignbracketlevel = brackets.bracketdepth;
        if (rewinds.alignrows.empty()) {
            rewinds.rowsparted = 0;
            rewinds.sharedtoken = position();
            rewinds.movesnapshot(t, line);
            take(rewinds.rewindsnapshot);
            if (linesparted()) noteblanksbefore(rewinds.groupline, t);
            // The group is laid out again from the start of t, which makes its own request for
            // an aligned list (-aroa) again: a line break put before t must not find it made.
            if (s.mcs && t == currenttoken)
                rewinds.rewindsnapshot.loop.alignment.alignmentrequested = rewinds.tokenstartlayout.alignmentrequested;
        }
        rewinds.alignrows.push_back({t, 0, 0, 1, line});
    } else if (rewinds.alignlastline != line || rewinds.alignrows.empty() ||
               !sameoutputline(rewinds.alignrows.back().token, t)) {
        if (brackets.bracketdepth != rewinds.alignbracketlevel) {
            rewinds.groupbroken = 1;
        } else {
            rewinds.alignlastline = line;
            rewinds.alignrows.push_back({t, 0, 0, 1, line});
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
    auto otherline = [line](const token& other) {
        return (other.line >= 0 && other.line != line) || other.breaksline();
    };
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
    if (t == rewinds.resumetoken || (!rewinds.alignenabled && rewinds.resumeline > 0 && t->line > rewinds.resumeline)) {
        rewinds.alignenabled = 1;
        rewinds.resumeline = 0;
    }
    if (t == rewinds.regroupend) {
        if (regroupdue(t)) {
            if (rewinds.rewindtoken != rewinds.regroupstart) {
                rewinds.rewindsnapshot = std::move(rewinds.regroupsnapshot);
                rewinds.groupline = std::move(rewinds.regroupline);
                rewinds.rewindtoken = rewinds.regroupstart;
            }
            formgroupagain();
            return true;
        }
        rewinds.regroupwatch = 0;
        rewinds.regroupend = position();
    }
    if (t->kind == othertoken && isalignedoperator(s, t->text())) addconsecutiverow(t);
    if (!rewinds.alignrows.empty() && istext(rewinds.alignop, "=") &&
        (istext(t->text(), ";") ||
         (t->kind == identifier && clausewords.count(lowered(t->text()).view()) && !aggregategroup(t))))
        rewinds.groupbroken = 1;
    bool ends = rewinds.groupended || rewinds.groupbroken || (t->kind == endtoken && !rewinds.alignrows.empty()) ||
                (rewinds.loopdone && rewinds.alignline != 0);
    if (!ends) return false;
    if (rewinds.alignline == 0 && rewinds.alignrows.empty()) {
        rewinds.groupended = rewinds.groupbroken = 0;
        return false;
    }
    return endconsecutivegroup();
}
