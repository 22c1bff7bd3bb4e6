// Alignment of declaration types (-actv, -actvct) and select-list aliases (-aav): the list
// kinds, one row per line, and the padding that starts the types -ps columns after the
// longest name.
#include "formatter.h"
#include "support.h"

#include <algorithm>
#include <set>

namespace {

// Words that end a run of declarations where a name would stand.
const pattern& runendword() {
    static const pattern& compiled = pattern::get(
        "^procedure$|^function$|^type$|^cursor$|^begin$|^declare$|^end$|^foreign$|^primary$|"
        "^constraint$|^constructor$|^member$",
        pattern::caseless);
    return compiled;
}

bool istext(position pos, const formatter& f, std::string_view text) {
    return pos != f.tokens.end() && pos->text() == text;
}

bool isname(position pos, const formatter& f) {
    return pos != f.tokens.end() && (pos->kind == identifier || pos->kind == doublequotedname);
}

bool isinlineblank(position pos, const formatter& f) {
    return pos != f.tokens.end() && pos->kind == whitespace && !pos->breaksline();
}

// Reserved words that still end an expression in a select list.
bool isvalueword(const std::string& word) {
    static const std::set<std::string> words = {"end",    "null",    "sysdate", "systimestamp", "user",
                                                "rownum", "rowid",   "level",   "uid",          "true",
                                                "false",  "sqlcode", "sqlerrm"};
    return words.count(word) != 0;
}

// The token can be the last of a select item's expression.
bool isexpressionend(position pos, const formatter& f) {
    if (pos == f.tokens.end()) return false;
    switch (pos->kind) {
    case doublequotedname:
    case stringliteral:
    case qquoteliteral:
    case number: return true;
    case othertoken: return pos->text() == ")";
    case identifier: {
        if (pos->text().find('.') != std::string::npos) return true;
        std::string word = lc(pos->text());
        return isvalueword(word) || !f.tables().reservedwords.count(word);
    }
    default: return false;
    }
}

// An alias: a quoted name, or an undotted identifier that is no reserved word.
bool isaliasname(position pos, const formatter& f) {
    if (pos == f.tokens.end()) return false;
    if (pos->kind == doublequotedname) return true;
    return pos->kind == identifier && pos->text().find('.') == std::string::npos &&
           !f.tables().reservedwords.containslowered(pos->text());
}

}  // namespace

position formatter::skiptypeterm(position pos) const {
    if (!isname(pos, *this)) return tokens.end();
    position after = std::next(pos);
    // emp.ename%type, emp%rowtype
    if (istext(after, *this, "%") && isname(std::next(after), *this)) after = std::next(after, 2);
    position bracket = nextonsameline(after);
    if (!istext(bracket, *this, "(")) return after;
    position closing = matchingbracket(bracket);
    return closing == tokens.end() ? tokens.end() : std::next(closing);
}

position formatter::skiptypeexpression(position pos) const {
    position end = skiptypeterm(pos);
    while (end != tokens.end()) {
        position sign = nextonsameline(end);
        if (!istext(sign, *this, "+") && !istext(sign, *this, "-")) break;
        position next = skiptypeterm(nextonsameline(std::next(sign)));
        if (next == tokens.end()) break;
        end = next;
    }
    return end;
}

// With -mcs: width blanks in place of the blank run `blank` would take its line past the
// limit, which one blank keeps. The tokens of the run were laid out while it waited, so only
// those from the current one on may still move to the next line.
bool formatter::paddingpassesthelimit(position blank, int32_t width) {
    if (!s.mcs || width <= 1) return false;
    const int32_t blankwidth = tokencolumn(std::next(blank)) - tokencolumn(blank);
    return paddingpassesthelimit(std::next(blank), 1 - blankwidth, width - 1, currenttoken);
}

// With -mcs: a line whose end lies `shift` columns from where it does now fits the limit,
// and `extra` columns more at `from` would take it past. The padded line ends where the limit
// will break it: before the first token from `movable` on that the padding takes past the
// limit and that may start a line (none when `movable` is the end). So a line is judged by
// the part the next run finds on it.
bool formatter::paddingpassesthelimit(position from, int32_t shift, int32_t extra, position movable) {
    if (!s.mcs || extra <= 0) return false;
    int32_t end = tokencolumn(from);  // past the last character of the line
    int32_t kept = end;               // past the last character the limit leaves on it
    bool moves = false;
    for (position p = from; p != tokens.end() && p->kind != endtoken && !p->breaksline(); ++p) {
        end = columnafter(*p, end);
        moves = moves || p == movable;
        if (p->kind == whitespace) continue;
        if (moves && p != from && int64_t(end) - 1 + shift + extra > s.mcs && limitbreaksbefore(p)) break;
        kept = end;
    }
    const int64_t last = int64_t(kept) - 1 + shift;
    return last <= s.mcs && last + extra > s.mcs;
}

// Pads the rows of the run: the types (or aliases) start ps columns after the longest
// name; a row whose padding would take its line past the column limit keeps one blank.
// True when the loop was moved back to the run's snapshot (-mcs).
bool formatter::finishdeclarationrun(bool mayrewind) {
    declarationgroup& g = alignment.declarationalignment;
    g.ended = 0;
    if (!g.rows.empty()) {
        int32_t padding = std::max(g.padding, 1);
        g.typecolumn = 0;
        for (alignrow& row : g.rows) {
            row.column = tokencolumn(row.token);
            if (row.aligned) g.typecolumn = std::max(g.typecolumn, row.column - 1);
        }
        for (alignrow& row : g.rows) {
            if (!row.aligned || row.token->breaksline()) continue;
            int32_t width = g.typecolumn - (row.column - 1) + padding;
            if (paddingpassesthelimit(row.token, width)) width = 1;
            std::string blanks(static_cast<size_t>(width), ' ');
            if (row.token->text() != blanks) row.token->settext(blanks);
            row.token->protectedfollowingblank = true;
        }
        g.rows.clear();
    }
    if (!rewinds.declarationsnapshot) return false;
    bool rewind = mayrewind && !rewinds.loopdone && rewinds.previousrewindtoken != rewinds.rewindtoken;
    rewinds.declarationsnapshot = 0;
    if (!rewind) {
        // The snapshot is spent: the blanks after it are collapsed again.
        rewinds.rewindline = 0;
        return false;
    }
    // A group laid out again before the run is formed again at its end only from a kept snapshot.
    if (!rewinds.regroupkept) {
        rewinds.regroupend = position();
        rewinds.regroupwatch = 0;
    }
    rewindtosnapshot();
    return true;
}

// True when blank is on the output line of the group's last row. The walk goes back from
// blank and ends at that row or at the older blank an earlier check found on its line.
static bool onlastrowline(declarationgroup& g, position blank, position first) {
    bool known = g.checkedrows == g.rows.size();
    const token* stop = known ? g.checkedblank : nullptr;
    position row = g.rows.back().token;
    for (position p = blank; p != row && p != first;) {
        --p;
        if (p->breaksline()) return false;
        if (&*p == stop) break;
    }
    g.checkedblank = known ? g.latestblank : nullptr;
    g.latestblank = &*blank;
    g.checkedrows = g.rows.size();
    return true;
}

// Adds the whitespace in front of a type or alias as the row of its line: of its output
// line, which a rule (-mlipl) may have broken since the source line began.
void formatter::adddeclarationrow(position blank) {
    declarationgroup& g = alignment.declarationalignment;
    int32_t line = tokenline(blank);
    if (!g.rows.empty() && onlastrowline(g, blank, tokens.begin())) return;
    if (g.rows.empty()) {
        g.padding = s.ps;
        if (s.mcs && !alignmentpending() && !rewinds.declarationsnapshot) {
            keepgroupbeforedeclarationrun();
            rewinds.movesnapshot(currenttoken, tokenline(currenttoken));
            take(rewinds.rewindsnapshot);
            rewinds.declarationsnapshot = 1;
        }
    }
    g.rows.push_back({blank, 0, 0, 1, line});
}

// A declaration item starts at name: a row when a type follows on its line.
bool formatter::notedeclarationitem(position name, bool checkreserved) {
    if (runendword().partialmatch(name->text())) return finishdeclarationrun(true);
    if (checkreserved && name->kind == identifier && tables().reservedwords.containslowered(name->text())) return false;
    position blank = std::next(name);
    if (!isinlineblank(blank, *this)) return false;
    if (skiptypeexpression(std::next(blank)) == tokens.end()) return false;
    adddeclarationrow(blank);
    return false;
}

// The select item that ends at `end` has an alias: its blank is the row of its line.
void formatter::notealias(position end) {
    position alias = previoussignificant(end);
    if (!isaliasname(alias, *this)) return;
    position blank = std::prev(alias);
    if (!isinlineblank(blank, *this)) return;
    position before = beforeemptied(blank);
    if (before->kind == identifier && isword(before->text(), "as")) {
        blank = std::prev(before);
        if (!isinlineblank(blank, *this)) return;
        before = beforeemptied(blank);
    }
    if (isexpressionend(before, *this)) adddeclarationrow(blank);
}

// The token before blank, past whitespace that a join emptied (-kpit leaves the blanks at the
// end of a line that way): the second run, which no longer has it, must find the same word.
position formatter::beforeemptied(position blank) const {
    position before = std::prev(blank);
    while (before != tokens.begin() && before->kind == whitespace && before->text().empty()) --before;
    return before;
}

bool formatter::startdeclarationlistat(int32_t mode, int32_t level) {
    if (finishdeclarationrun(true)) return true;
    declarationgroup& g = alignment.declarationalignment;
    g.active = 1;
    g.mode = mode;
    g.bracketlevel = level;
    g.itemcount = 0;
    g.severalitems = 0;
    alignment.declarationmode = mode;
    return false;
}

bool formatter::enddeclarationlist() {
    bool rewound = finishdeclarationrun(true);
    if (rewound) return true;
    alignment.declarationalignment.active = 0;
    alignment.declarationmode = 6;
    return false;
}

// A "(" follows the cursor's name before its IS or ";".
static bool cursorhasparameters(const formatter& f, position cursor) {
    for (position pos = std::next(cursor); pos != f.tokens.end() && pos->kind != endtoken; ++pos) {
        if (pos->text() == "(") return true;
        if (pos->text() == ";" || pos->classcode == classis) return false;
    }
    return false;
}

// CREATE stands among the three significant tokens before pos, and a "(" comes after it
// before ";" or AS.
static bool createslist(const formatter& f, position pos) {
    position before = pos;
    bool created = false;
    for (int i = 0; i < 3 && !created && before != f.tokens.begin(); ++i) {
        before = f.previoussignificant(before);
        created = isword(before->text(), "create");
    }
    if (!created) return false;
    for (position next = std::next(pos); next != f.tokens.end() && next->kind != endtoken; ++next) {
        if (next->text() == "(") return true;
        if (next->text() == ";" || next->classcode == classas) return false;
    }
    return false;
}

// The list that the current token starts, -1 when none.
int32_t formatter::declarationlistat(position t) const {
    if (t->kind != identifier) return -1;
    int32_t code = t->classcode;
    if (s.actv && (statement.indeclarations || statement.indeclarationpart)) {
        if (code == classrecord && istext(nextsignificant(std::next(t)), *this, "(")) return 0;
        if (code == classcursor && cursorhasparameters(*this, t)) return 1;
    }
    if (s.actvct && blocks.blocklevel == 0) {
        if ((code == classtable || code == classview) && createslist(*this, t)) return 2;
        if (code == classobject && istext(nextsignificant(std::next(t)), *this, "(")) return 3;
    }
    if (s.aav && (code == classselect || code == classfrom)) return 5;
    return -1;
}

bool formatter::aligndeclarations() {
    declarationgroup& g = alignment.declarationalignment;
    position t = currenttoken;
    // A bracket may have given back an alias list that was open before it.
    if (g.active) alignment.declarationmode = g.mode;
    if (g.ended && finishdeclarationrun(true)) return true;
    if (t->kind == endtoken || rewinds.loopdone) {
        bool rewound = finishdeclarationrun(!rewinds.loopdone);
        if (!rewound) g.active = 0;
        return rewound;
    }
    bool atlistlevel = g.active && brackets.bracketdepth == g.bracketlevel;
    // The end of an item or of the list.
    if (atlistlevel) {
        bool listend = t->text() == ")" || t->text() == ";" ||
                       (g.mode == 5 && t->kind == identifier && clausewords.count(lowered(t->text()).view()) &&
                        !aggregategroup(t));
        if (g.mode == 5 && (listend || t->text() == ",")) notealias(t);
        if (listend && enddeclarationlist()) return true;
    }
    // The start of a list: at a keyword, or where the subprogram header asked for one.
    int32_t mode = declarationlistat(t);
    if (mode < 0 && !g.active && alignment.declarationmode >= 0 && alignment.declarationmode <= 4)
        mode = alignment.declarationmode;
    if (mode >= 0) return startdeclarationlistat(mode, mode == 5 ? brackets.bracketdepth : brackets.bracketdepth + 1);
    if (!isname(t, *this)) return false;
    // An item of a bracketed list, or a declaration of a declaration section.
    if (g.active) {
        if (g.mode == 5 || brackets.bracketdepth != g.bracketlevel) return false;
        position before = previoussignificant(t);
        if (istext(before, *this, "(") || istext(before, *this, ",")) return notedeclarationitem(t, false);
        return false;
    }
    if (!s.actv || !statement.indeclarations) {
        if (!g.rows.empty() && g.mode == 6) return finishdeclarationrun(true);
        return false;
    }
    g.mode = 6;
    position before = previoussignificant(t);
    // A declaration also starts after $then, $else or $end of conditional compilation, unless
    // the directive stands inside a declaration that goes on (x := $if c $then 1 $else 2 $end).
    const directive word = directiveof(*before);
    const bool afterdirective =
        (word == directive::thenword || word == directive::elseword || word == directive::endword) &&
        statement.statementstate != 3;
    // The AS of RETURN SELF AS RESULT starts no declaration: RESULT is no name being declared.
    bool declarationstart = istext(before, *this, ";") || before->classcode == classis ||
                            (before->classcode == classas && !isreturnclauseas(before)) ||
                            before->classcode == classdeclare || afterdirective;
    return declarationstart && notedeclarationitem(t, true);
}
