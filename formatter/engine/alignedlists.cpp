// Aligned lists and select alignment (-as, -au, -aaw, -ac, -aroa, -ins, -iu, -iaw, -isis):
// where a list after a clause keyword starts, at which column, and when it ends.
#include "formatter.h"
#include "support.h"

namespace {

bool issetoperator(std::string_view word) {
    return word == "union" || word == "minus" || word == "intersect";
}

// A ";" ends the statement's lists; THEN and LOOP end the list of an IF, ELSIF, WHILE or
// WHEN condition (not the WHEN of a CASE expression, whose list its THEN closes).
bool endsstatementorcondition(formatter& f, position t) {
    if (t->text() == ";") return true;
    if (t->classcode != classthen && t->classcode != classloop) return false;
    const std::string& word =
        f.alistlevel > 0 ? f.alignedlists.at(f.alistlevel).word : f.alignmentword;
    if (word == "if" || word == "elsif" || word == "while") return true;
    return word == "when" && !f.assignmentseen && !f.sqlstatement;
}

}  // namespace

void formatter::popalignedlist() {
    if (alistlevel > 0) --alistlevel;
}

void formatter::popalignedlistsatbracket(int32_t level) {
    while (alistlevel > 0 && alignedlists.at(alistlevel).bracketlevel == level) --alistlevel;
}

void formatter::closealignedlistatblock() {
    if (alistlevel <= 0 || alignedlists.at(alistlevel).blocklevel < blocklevel) return;
    char nested = alignedlists.at(alistlevel).nested;
    --alistlevel;
    if (alistlevel > 0 && nested) {
        const alignedlistentry& outer = alignedlists.at(alistlevel);
        alistcol = outer.column;
        processingalignedlist = 1;
        alignmentword = outer.word;
    }
}

bool formatter::nextsignificantclassis(position pos, int32_t classcode) const {
    if (pos == tokens.end()) return false;
    position next = nextsignificant(std::next(pos));
    return next != tokens.end() && next->classcode == classcode;
}

// Opens a list entry anchored at the given token, at the current alistcol.
static void pushalignedlistentry(formatter& f, position anchor) {
    ++f.alistlevel;
    alignedlistentry& entry = f.alignedlists.at(f.alistlevel);
    entry.column = f.alistcol;
    entry.line = f.tokenline(f.currenttoken);
    entry.starttoken = anchor;
    entry.statement = f.statementstartposition;
    entry.bracketlevel = f.bracketdepth;
    entry.word = f.alignmentword;
    entry.blocklevel = f.blocklevel;
    entry.nested = f.processingalignedlist ? 1 : 0;
    f.processingalignedlist = 1;
}

void formatter::startalignedlist(position anchor) {
    endalistcomma = 0;
    if (anchor->kind == whitespace && anchor->breaksline()) {
        // The keyword ends its line: the items line up one blank after it.
        position keyword = previoussignificant(anchor);
        alistcol = tokencolumn(std::next(keyword));
        pushalignedlistentry(*this, keyword);
        alignmentrequested = 0;
        return;
    }
    if (isinsignificant(anchor->kind)) return;
    alignmentrequested = 0;
    alistcol = tokencolumn(anchor) - 1;
    pushalignedlistentry(*this, anchor);
}

void formatter::pushsqlindent() {
    alistcol = tokencolumn(currenttoken) + s.isis - 1;
    pushalignedlistentry(*this, currenttoken);
    endalistcomma = 0;
}

void formatter::alignselects() {
    position t = currenttoken;
    if (alignmentrequested &&
        (!isinsignificant(t->kind) || (t->kind == whitespace && t->breaksline()))) {
        startalignedlist(t);
        currentword = t->text();
    }
    // Blanks and line breaks are in none of the word tables.
    if (currentword.empty() || currentword[0] == ' ' || currentword[0] == '\t' || currentword[0] == '\r' ||
        currentword[0] == '\n') {
        if (processingalignedlist && endsstatementorcondition(*this, t)) endalistcomma = tokenline(t);
        return;
    }
    // A word matters only while a clause word is awaited or looked for, or a list is open.
    if (!awaitby && !awaitwith && alignmentwords.empty() && !processingalignedlist) return;
    const lowered lowerword(currentword);
    std::string_view word = lowerword.view();
    if (awaitby && word == "by") {
        alignmentrequested = 1;
        alignmentword = "by";
    }
    if (awaitwith && word == "with") {
        alignmentrequested = 1;
        alignmentword = "with";
    }
    auto requested = alignmentwords.empty() ? alignmentwords.end() : alignmentwords.find(word);
    if (requested != alignmentwords.end() && indeclarationpart == 0) {
        const alignmentwordentry& entry = requested->second;
        if (entry.statementword.empty() || entry.statementword == statementword) {
            if (s.isis && entry.mode == 2) {
                pushsqlindent();
            } else {
                alignmentrequested = 1;
                alignmentword = word;
            }
        }
    }
    if (processingalignedlist && endsstatementorcondition(*this, t)) endalistcomma = tokenline(t);
    if (!processingalignedlist || !clausewords.count(word)) return;
    if (issetoperator(word)) {
        processingalignedlist = 0;
        alignmentrequested = 0;
        popalignedlist();
    } else if (word == "group" || word == "order" || word == "connect") {
        if (s.isis && nextsignificantclassis(t, classby))
            pushsqlindent();
        else
            awaitby = 1;
    } else if (word == "start") {
        if (s.isis && nextsignificantclassis(t, classwith))
            pushsqlindent();
        else
            awaitwith = 1;
    } else {
        popalignedlist();
        if (s.isis) {
            pushsqlindent();
        } else {
            alignmentrequested = 1;
            alignmentword = word;
        }
    }
}
