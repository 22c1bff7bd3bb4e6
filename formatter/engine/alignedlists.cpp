// Aligned lists and select alignment (-as, -au, -aaw, -ac, -aroa, -ins, -iu, -iaw, -isis):
// where a list after a clause keyword starts, at which column, and when it ends.
#include "formatter.h"
#include "support.h"

namespace {

bool issetoperator(std::string_view word) { return word == "union" || word == "minus" || word == "intersect"; }

// A ";" ends the statement's lists; THEN and LOOP end the list of an IF, ELSIF, WHILE or
// WHEN condition (not the WHEN of a CASE expression, whose list its THEN closes).
bool endsstatementorcondition(formatter& f, position t) {
    if (t->text() == ";") return true;
    if (t->classcode != classthen && t->classcode != classloop) return false;
    const std::string& word = f.alignment.alistlevel > 0 ? f.alignment.alignedlists.at(f.alignment.alistlevel).word
                                                         : f.alignment.alignmentword;
    if (word == "if" || word == "elsif" || word == "while") return true;
    return word == "when" && !f.statement.assignmentseen && !f.statement.sqlstatement;
}

}  // namespace

void formatter::popalignedlist() {
    if (alignment.alistlevel > 0) --alignment.alistlevel;
}

void formatter::popalignedlistsatbracket(int32_t level) {
    while (alignment.alistlevel > 0 && alignment.alignedlists.at(alignment.alistlevel).bracketlevel == level)
        --alignment.alistlevel;
}

void formatter::closealignedlistatblock() {
    if (alignment.alistlevel <= 0 || alignment.alignedlists.at(alignment.alistlevel).blocklevel < blocks.blocklevel)
        return;
    char nested = alignment.alignedlists.at(alignment.alistlevel).nested;
    --alignment.alistlevel;
    if (alignment.alistlevel > 0 && nested) {
        const alignedlistentry& outer = alignment.alignedlists.at(alignment.alistlevel);
        alignment.alistcol = outer.column;
        alignment.processingalignedlist = 1;
        alignment.alignmentword = outer.word;
    }
}

bool formatter::nextsignificantclassis(position pos, int32_t classcode) const {
    if (pos == tokens.end()) return false;
    position next = nextsignificant(std::next(pos));
    return next != tokens.end() && next->classcode == classcode;
}

// Opens a list entry anchored at the given token, at the current alistcol.
static void pushalignedlistentry(formatter& f, position anchor) {
    ++f.alignment.alistlevel;
    alignedlistentry& entry = f.alignment.alignedlists.at(f.alignment.alistlevel);
    entry.column = f.alignment.alistcol;
    entry.line = f.tokenline(f.currenttoken);
    entry.starttoken = anchor;
    entry.statement = f.statement.statementstartposition;
    entry.bracketlevel = f.brackets.bracketdepth;
    entry.word = f.alignment.alignmentword;
    entry.blocklevel = f.blocks.blocklevel;
    entry.nested = f.alignment.processingalignedlist ? 1 : 0;
    f.alignment.processingalignedlist = 1;
}

void formatter::startalignedlist(position anchor) {
    alignment.endalistcomma = 0;
    if (anchor->kind == whitespace && anchor->breaksline()) {
        // The keyword ends its line: the items line up one blank after it.
        position keyword = previoussignificant(anchor);
        alignment.alistcol = tokencolumn(std::next(keyword));
        pushalignedlistentry(*this, keyword);
        alignment.alignmentrequested = 0;
        return;
    }
    if (isinsignificant(anchor->kind)) return;
    alignment.alignmentrequested = 0;
    alignment.alistcol = tokencolumn(anchor) - 1;
    pushalignedlistentry(*this, anchor);
}

void formatter::pushsqlindent() {
    alignment.alistcol = tokencolumn(currenttoken) + s.isis - 1;
    pushalignedlistentry(*this, currenttoken);
    alignment.endalistcomma = 0;
}

void formatter::alignselects() {
    position t = currenttoken;
    if (alignment.alignmentrequested && (!isinsignificant(t->kind) || (t->kind == whitespace && t->breaksline()))) {
        startalignedlist(t);
        currentword = t->text();
    }
    // Blanks and line breaks are in none of the word tables.
    if (currentword.empty() || currentword[0] == ' ' || currentword[0] == '\t' || currentword[0] == '\r' ||
        currentword[0] == '\n') {
        if (alignment.processingalignedlist && endsstatementorcondition(*this, t))
            alignment.endalistcomma = tokenline(t);
        return;
    }
    const auto& alignmentwords = tables().alignmentwords;
    // A word matters only while a clause word is awaited or looked for, or a list is open.
    if (!alignment.awaitby && !alignment.awaitwith && alignmentwords.empty() && !alignment.processingalignedlist)
        return;
    const lowered lowerword(currentword);
    std::string_view word = lowerword.view();
    if (alignment.awaitby && word == "by") {
        alignment.alignmentrequested = 1;
        alignment.alignmentword = "by";
    }
    if (alignment.awaitwith && word == "with") {
        alignment.alignmentrequested = 1;
        alignment.alignmentword = "with";
    }
    auto requested = alignmentwords.empty() ? alignmentwords.end() : alignmentwords.find(word);
    if (requested != alignmentwords.end() && statement.indeclarationpart == 0) {
        const alignmentwordentry& entry = requested->second;
        if (entry.statementword.empty() || entry.statementword == statement.statementword) {
            if (s.isis && entry.mode == 2) {
                pushsqlindent();
            } else {
                alignment.alignmentrequested = 1;
                alignment.alignmentword = word;
            }
        }
    }
    if (alignment.processingalignedlist && endsstatementorcondition(*this, t)) alignment.endalistcomma = tokenline(t);
    if (!alignment.processingalignedlist || !clausewords.count(word) || aggregategroup(t)) return;
    if (issetoperator(word)) {
        alignment.processingalignedlist = 0;
        alignment.alignmentrequested = 0;
        popalignedlist();
    } else if (word == "group" || word == "order" || word == "connect") {
        if (s.isis && nextsignificantclassis(t, classby)) pushsqlindent();
        else alignment.awaitby = 1;
    } else if (word == "start") {
        if (s.isis && nextsignificantclassis(t, classwith)) pushsqlindent();
        else alignment.awaitwith = 1;
    } else {
        popalignedlist();
        if (s.isis) {
            pushsqlindent();
        } else {
            alignment.alignmentrequested = 1;
            alignment.alignmentword = word;
        }
    }
}
