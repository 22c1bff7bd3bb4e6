// Headers of packages, types and subprograms, which open their block levels, and the
// keywords kept on the line of their header or condition: IS/AS (-kpit), THEN (-kitt,
// -kwtt) and LOOP (-kflt, -kwlt).
#include "formatter.h"
#include "support.h"

namespace {

bool isidentifierlike(const token& t) {
    return t.kind == identifier || t.kind == doublequotedname || t.kind == keywordtoken;
}

// The words that may stand between CREATE and the kind of object: OR REPLACE and the
// edition attribute of exported code.
bool iscreateattribute(std::string_view word) {
    return isword(word, "or") || isword(word, "replace") || isword(word, "editionable") ||
           isword(word, "noneditionable");
}

}  // namespace

position formatter::nextword(position pos) const { return nextsignificant(std::next(pos)); }

// A "/" that begins its line ends a unit in a script.
bool formatter::isslashline(position p) const {
    if (!istext(p->text(), "/") || p == tokens.begin()) return false;
    return std::prev(p)->breaksline();
}

// A level for a package, a type body or a subprogram: the record above it is emptied.
linerecord& formatter::pushheaderlevel(position opener, const std::string& name) {
    checknesting(static_cast<size_t>(blocks.blocklevel) + 1);
    ++blocks.blocklevel;
    blocks.blockstack.at(blocks.blocklevel + 1) = linerecord();
    linerecord& level = blocks.blockstack.at(blocks.blocklevel);
    level = linerecord();
    level.blockname = lc(opener->text());
    level.startline = tokenline(opener);
    level.startcolumn = tokencolumn(opener) - 1;
    level.openertoken = opener;
    level.openerstatement = statement.statementstartposition;
    level.unitname = name;
    level.extraindent = 1;
    if (s.str) printtraceline(blocks.blocklevel - 1, level.blockname, opener);
    return level;
}

// The name of a package or type: the word after PACKAGE or TYPE, or after its BODY.
std::string formatter::headername(position keyword) const {
    position name = nextword(keyword);
    if (name != tokens.end() && name->classcode == classbody) name = nextword(name);
    return name != tokens.end() && isidentifierlike(*name) ? std::string(name->text()) : std::string();
}

bool formatter::createheader() {
    if (!isword(currentword, "create") || statement.privilegestatement) return false;
    position x = nextword(currenttoken);
    while (x != tokens.end() && x->kind != endtoken && iscreateattribute(x->text())) x = nextword(x);
    if (x == tokens.end() || x->kind == endtoken) {
        statement.createpending = 1;
        return true;
    }
    bool typebody = x->classcode == classtype && nextword(x)->classcode == classbody;
    if (x->classcode == classpackage || typebody) {
        linerecord& level = pushheaderlevel(x, headername(x));
        level.startline = tokenline(currenttoken);
        level.startcolumn = tokencolumn(currenttoken) - 1;
        statement.headerpending = 1;
    } else {
        statement.createpending = 1;
    }
    return true;
}

void formatter::packageheader() {
    position keyword = currenttoken;
    if (keyword->classcode != classpackage || statement.createpending || statement.headerpending ||
        statement.privilegestatement)
        return;
    // Only a PACKAGE that begins the text or a line.
    position before = previoustoken(keyword);
    if (before != tokens.end() && before != tokens.begin()) {
        if (before->kind != whitespace || !before->breaksline()) return;
    }
    for (position p = nextcodeword(keyword); p != tokens.end() && p->kind != endtoken; p = nextcodeword(p)) {
        // The next PACKAGE ends the look: a run of them is not scanned again from each one.
        if (p->text() == ";" || p->classcode == classpackage || isslashline(p)) return;
        if (p->classcode == classis || p->classcode == classas) {
            pushheaderlevel(keyword, headername(keyword));
            statement.headerpending = 1;
            return;
        }
    }
}

void formatter::subprogramheader() {
    position keyword = currenttoken;
    int32_t classcode = keyword->classcode;
    if (classcode != classprocedure && classcode != classfunction && classcode != classtrigger) return;
    if (statement.privilegestatement) return;
    if (classcode == classtrigger) {
        // ALTER TRIGGER, DROP TRIGGER and the like declare nothing.
        std::string before = lc(previoussignificant(keyword)->text());
        if (before == "compound") {
            opencompoundtrigger();
            return;
        }
        if (before != "create" && !iscreateattribute(before)) return;
        statement.indeclarationpart = 1;
    }
    statement.headerpending = 1;
    position name = nextword(keyword);
    if (name == tokens.end() || name->kind == endtoken) return;
    // A subprogram may be named like a keyword that is not reserved (DELETE, MERGE, OPEN):
    // the name starts no statement and opens no block.
    if (name->kind == identifier) name->classcode = 0;
    if (s.rlafu) joinbefore(name, "(");
    if (s.mlafu) ensurelinebreak(std::next(name), "(");
    position stop = headerend(name);
    if (classcode == classtrigger && compoundtrigger(name, stop)) {
        // Its level opens at the words COMPOUND TRIGGER.
        statement.currentunit = name->text();
        return;
    }
    int32_t stopclass = stop == tokens.end() ? 0 : stop->classcode;
    // A trigger's body may begin with DECLARE.
    bool body = stopclass == classbegin || stopclass == classdeclare;
    if (stopclass != classis && stopclass != classas && !body) {
        // A forward declaration waits for no IS or AS.
        if (stop != tokens.end()) statement.headerpending = 0;
        return;
    }
    if (!body && iscallspecification(stop)) {
        // IS LANGUAGE JAVA NAME ... or AS EXTERNAL ...: a body elsewhere, no block here.
        statement.headerpending = 0;
        return;
    }
    blocks.subprogramnames.emplace_back(keyword->text());
    blocks.subprogrambegins.push_back(0);
    linerecord& level = pushheaderlevel(keyword, std::string(name->text()));
    level.extraindent = s.id ? 1 : 0;
    if (!body) {
        level.isasreached = 0;
        level.isastoken = stop;
    }
    statement.currentunit = name->text();
}

// The declarations and timing-point sections of a compound trigger (BEFORE STATEMENT IS
// BEGIN ... END BEFORE STATEMENT;) stand inside its level up to its own END, like those of a
// package body.
void formatter::opencompoundtrigger() {
    pushheaderlevel(currenttoken, statement.currentunit).blockname = "compound";
    statement.headerpending = 1;
}

// The IS or AS of a call specification: LANGUAGE or EXTERNAL follows it.
bool formatter::iscallspecification(position isoras) const {
    position next = nextword(isoras);
    return next != tokens.end() && (isword(next->text(), "language") || isword(next->text(), "external"));
}

// A COMPOUND TRIGGER among the words of a trigger header up to its stop.
bool formatter::compoundtrigger(position name, position stop) const {
    for (position p = nextword(name); p != stop && p != tokens.end() && p->kind != endtoken; p = nextword(p))
        if (p->classcode == classtrigger && isword(previoussignificant(p)->text(), "compound")) return true;
    return false;
}

// The AS of a constructor's RETURN SELF AS RESULT belongs to the return clause; AS before a
// local variable named RESULT ends a header.
bool formatter::isreturnclauseas(position word) const {
    if (word->classcode != classas) return false;
    position next = nextword(word);
    if (next == tokens.end() || !isword(next->text(), "result")) return false;
    position self = previoussignificant(word);
    if (self == tokens.begin() || !isword(self->text(), "self")) return false;
    position keyword = previoussignificant(self);
    return keyword != tokens.begin() && isword(keyword->text(), "return");
}

// Where a subprogram header ends: its IS, AS or BEGIN, or the ";" of a forward declaration,
// the "," or ")" of a member list of an object type (the end when none comes). Words inside
// the parameter list do not count, nor the "," of a trigger's UPDATE OF a, b.
position formatter::headerend(position name) {
    const bool trigger = previoussignificant(name)->classcode == classtrigger;
    int32_t depth = 0;
    position first = nextcodeword(name);
    for (position p = first; p != tokens.end() && p->kind != endtoken; p = nextcodeword(p)) {
        std::string_view text = p->text();
        // A header never goes on past the "/" that ends a unit.
        if (isslashline(p)) return p;
        if (text == "(") {
            if (p == first && s.actv) alignment.declarationmode = 4;
            ++depth;
        } else if (text == ")") {
            if (--depth < 0) return p;
        } else if (depth == 0) {
            if (text == ";" || (text == "," && !trigger)) return p;
            if (isreturnclauseas(p)) continue;
            int32_t c = p->classcode;
            if (c == classis || c == classas || c == classbegin || c == classdeclare) return p;
            // The next PROCEDURE, FUNCTION or TRIGGER (but a COMPOUND TRIGGER's own) ends a
            // header without any of them, so that a run of such headers is not scanned again
            // from each one.
            if (c == classprocedure || c == classfunction) return p;
            if (c == classtrigger && !isword(previoussignificant(p)->text(), "compound")) return p;
        }
    }
    return tokens.end();
}

void formatter::keepisastogether() {
    position word = currenttoken;
    if (word->classcode != classis && word->classcode != classas) return;
    if (isreturnclauseas(word)) return;
    // The IS or AS of a header, or of a CREATE of another object, ends it; one inside a
    // statement (x IS NULL, a AS alias) does not.
    if (statement.headerpending || (statement.createpending && !statement.indeclarations)) statement.statementstate = 2;
    statement.createpending = 0;
    if (statement.headerpending) {
        statement.indeclarations = 1;
        alignment.declarationmode = 6;
        linerecord& level = blocks.blockstack.at(blocks.blocklevel);
        if (!level.isasreached && level.isastoken == word) level.isasreached = 1;
    }
    statement.headerpending = 0;
    if (!s.kpit || word == tokens.begin()) return;
    position before = std::prev(word);
    if (before->kind != whitespace || before->classcode == classinserted) return;
    // All the white space between the header and its IS or AS goes: blanks at the end of the
    // header line and blank lines, so that the header reads as it will on the next run.
    position first = before;
    bool breaks = before->breaksline();
    while (first != tokens.begin() && std::prev(first)->kind == whitespace) {
        if (std::prev(first)->classcode == classinserted) return;
        --first;
        breaks = breaks || first->breaksline();
    }
    // A single-line comment at the end of the header line, and a "-" that continues it,
    // must keep its line break.
    if (first != tokens.begin() && std::prev(first)->kind == singlelinecomment) return;
    if (breaks && hyphenbefore(first)) return;
    for (position p = first; p != before; ++p)
        if (!p->text().empty()) p->settext("");
    const std::string blank = first == tokens.begin() ? " " : joinedblank(std::prev(first), before);
    if (before->text() != blank) before->settext(blank);
    if (breaks) rejoinlinestart(first, word);
}

// The line breaks from first up to last (excluded) went: a line that started there goes on
// the line before, whose start the rules that reindent the current line (BEGIN) must find.
void formatter::rejoinlinestart(position first, position last) {
    const position start = outputline.linestarttoken;
    for (position p = first; p != last && p != tokens.end(); ++p) {
        if (p != start) continue;
        if (start->breaksline()) return;
        outputline.linestarttoken = linestartof(start);
        outputline.linestarttext = std::string(outputline.linestarttoken->text());
        return;
    }
}

void formatter::keepthentogether() {
    position t = currenttoken;
    bool then = statement.keepthenpending && t->classcode == classthen;
    bool loop = statement.keeplooppending && t->classcode == classloop;
    if (!then && !loop) {
        if (t->kind != whitespace) statement.lastsolidtoken = t;
        return;
    }
    if (statement.lastsolidtoken != position() && statement.lastsolidtoken != tokens.end() &&
        statement.lastsolidtoken->kind != singlelinecomment && statement.lastsolidtoken->kind != blockcomment &&
        !directivebetween(statement.lastsolidtoken, t))
        joinwhitespacebefore(t);
    if (then) statement.keepthenpending = 0;
    else statement.keeplooppending = 0;
}

// A conditional compilation directive between from and to. A branch is laid out from the
// state its $if was met in: the last word noted there may stand before the other branches,
// whose text a join must not reach.
bool formatter::directivebetween(position from, position to) const {
    for (position p = std::next(from); p != to && p != tokens.end(); ++p)
        if (directiveof(*p) != directive::none) return true;
    return false;
}

// The whitespace between the last word and t becomes one blank; line breaks that a rule
// put there stay.
void formatter::joinwhitespacebefore(position t) {
    // A line that a "-" continues keeps its line break.
    for (position p = std::next(statement.lastsolidtoken); p != t && p != tokens.end(); ++p)
        if (p->kind == whitespace && p->breaksline() && hyphenbefore(p)) return;
    position last = tokens.end();
    for (position p = std::next(statement.lastsolidtoken); p != t && p != tokens.end(); ++p) {
        if (p->kind != whitespace || p->classcode == classinserted) continue;
        if (!p->text().empty()) p->settext("");
        last = p;
    }
    if (last != tokens.end()) last->settext(joinedblank(statement.lastsolidtoken, last));
    rejoinlinestart(std::next(statement.lastsolidtoken), t);
}
