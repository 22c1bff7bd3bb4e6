// Per-token statement rules: the statement state, the start and the end of SQL statements
// and conditions, the -rs relative indentation, bracket errors and the FROM table list.
#include "charsets.h"
#include "formatter.h"
#include "wordset.h"
#include "support.h"

#include <algorithm>

namespace {

bool startsasqlstatement(int32_t classcode) {
    switch (classcode) {
    case classselect:
    case classinsert:
    case classupdate:
    case classdelete:
    case classopen:
    case classmerge:
    case classfetch: return true;
    default: return false;
    }
}

// Keywords whose end -pius or -rask right-aligns the clause keywords under.
bool setskeywordcolumn(int32_t classcode, const settings& s) {
    switch (classcode) {
    case classselect:
    case classupdate:
    case classdelete:
    case classinsert: return s.pius || s.rask;
    case classfetch: return s.pius;
    default: return false;
    }
}

// DELETE, MERGE and OPEN are not reserved in PL/SQL: a subprogram may bear the name.
bool mayname(int32_t classcode) {
    return classcode == classdelete || classcode == classmerge || classcode == classopen;
}

}  // namespace

// Inside a statement, such a word before "(" calls a function of that name (x := merge(a, b),
// SELECT delete(1) ...), unless a query follows as in DELETE (SELECT ...).
bool formatter::callsakeywordname(position word) const {
    if (!mayname(word->classcode)) return false;
    if (statement.statementstate == 1 && word == statement.statementfirsttoken) return false;
    position bracket = nextsignificant(std::next(word));
    if (bracket == tokens.end() || !istext(bracket->text(), "(")) return false;
    position inside = nextsignificant(std::next(bracket));
    return inside == tokens.end() || (inside->classcode != classselect && inside->classcode != classwith);
}

// The first word after a statement end or a label starts the next statement:
// statementstate is 1 for it and 3 from the next word on. A token run again after a restart
// keeps its state.
void formatter::advancestatementstate() {
    if (isinsignificant(currenttoken->kind) || currenttoken->kind == endtoken) return;
    // A label (<<name>>) stands before the statement that it names.
    if (istext(currenttoken->text(), ">>")) {
        statement.statementstate = 2;
    } else if (statement.statementstate == 0 || statement.statementstate == 2) {
        statement.statementstate = 1;
        statement.statementfirsttoken = currenttoken;
        statement.privilegestatement = isword(currenttoken->text(), "grant") || isword(currenttoken->text(), "revoke");
        // A start that no statement end announced to the driver (after a semicolon, BEGIN,
        // THEN, a label ...): noted here, before the rules of the word.
        if (statement.statementcountdown != 1) {
            statement.statementcountdown = 1;
            notestatementstart();
        }
    } else if (statement.statementstate != 1 || currenttoken != statement.statementfirsttoken) {
        statement.statementstate = 3;
    }
}

bool formatter::statementinprogress() const { return statement.statementstate == 1 || statement.statementstate >= 3; }

void formatter::sqlstatementstart() {
    position keyword = currenttoken;
    if (keyword->classcode == classbegin || keyword->classcode == classdeclare) statement.indeclarationpart = 0;
    if (statement.indeclarationpart || statement.privilegestatement || !startsasqlstatement(keyword->classcode)) return;
    if (callsakeywordname(keyword)) {
        keyword->classcode = 0;
        return;
    }
    statement.statementword = lc(currentword);
    if (keyword->classcode == classmerge || ismultitableinsert(keyword)) statement.insidemerge = 1;
    // A query inside the brackets of a statement that a bracket opened ends at its ")".
    if (statement.sqlstatement != 2) statement.sqlstatement = 1;
    if (keyword != statement.keywordcolumntoken) statement.keywordcolumn = -1;
    if (keyword->classcode == classinsert && !alignmentpending()) insertcomments();
    if (setskeywordcolumn(keyword->classcode, s)) {
        statement.keywordcolumn = tokencolumn(keyword) + static_cast<int32_t>(currentword.size()) - 1;
        statement.keywordcolumntoken = keyword;
    }
    if (s.rs) {
        noterelativeindent(keyword);
        statement.relativekeywordcolumn = std::max(tokencolumn(keyword) - 1, 0);
        statement.relativekeywordsequence = keyword->sequence;
        statement.keeprelative = 1;
    }
    if (!rewinds.alignrows.empty() && istext(rewinds.alignop, ":=")) rewinds.groupbroken = 1;
}

// INSERT ALL and INSERT FIRST: their WHEN ... THEN and ELSE choose INTO clauses of one
// statement.
bool formatter::ismultitableinsert(position keyword) const {
    if (keyword->classcode != classinsert) return false;
    position next = nextword(keyword);
    return next != tokens.end() && (isword(next->text(), "all") || isword(next->text(), "first"));
}

// How far the current token moved from its place in the input: the lines of its statement
// or bracket that keep their shape (-rs) move as far.
void formatter::selecttrace() {
    statement.relativeindent = tokencolumn(currenttoken) - currenttoken->column;
    statement.relativeindentsequence = currenttoken->sequence;
}

// The shift is measured each time the token is laid out: laid out again after an alignment
// group, it has moved as far as the padding before it on its line.
void formatter::noterelativeindent(position t) {
    selecttrace();
    relativeindentbytoken[t->sequence] = statement.relativeindent;
}

void formatter::reloadrelativeindent(position t) {
    const int32_t* stored = relativeindentbytoken.find(t->sequence);
    if (!stored) return;
    statement.relativeindent = *stored;
    statement.relativeindentsequence = t->sequence;
}

void formatter::endofstatement(int32_t) {
    position t = currenttoken;
    int32_t classcode = t->classcode;
    if (istext(currentword, ",") && alignment.processingalignedlist && istext(alignment.alignmentword, ":=")) {
        alignment.processingalignedlist = 0;
        if (alignment.alistlevel > 0) --alignment.alistlevel;
    }
    bool loop = classcode == classloop;
    bool thenorelse = classcode == classthen || classcode == classelse;
    if (!istext(currentword, ";") && !loop && !thenorelse) return;
    if (istext(blocks.blockstack.at(blocks.blocklevel).blockname, "cursor")) endcursordeclaration();
    if (!savedsettings.empty() && !(loop && blocks.loopheaderopen)) {
        s = std::move(savedsettings.back());
        savedsettings.pop_back();
        forgetindentsums();
    }
    if (loop && (blocks.loopheaderopen || alignmentpending())) return;
    if (continuescaseexpression(classcode)) return;
    // WHEN [NOT] MATCHED THEN of a MERGE: its UPDATE or INSERT goes on; so do the INTO
    // clauses after WHEN ... THEN and ELSE of an INSERT ALL or INSERT FIRST.
    if (statement.insidemerge && thenorelse) return;

    if (alignment.alistlevel > 0) --alignment.alistlevel;
    statement.statementword.clear();
    statement.sqlstatement = 0;
    if (!alignmentpending() && !checkbrackets()) dieline(2);
    resetstatement(loop);
    if (alignment.processingalignedlist && !loop && classcode != classthen) reindentnextline();
}

// A CURSOR declaration ends at its ";".
void formatter::endcursordeclaration() {
    rewinds.closedcursor = blocks.blockstack.at(blocks.blocklevel);
    rewinds.closedcursorlevel = blocks.blocklevel;
    --blocks.blocklevel;
    rewinds.groupended = 1;
    if (s.mlacd) {
        outputline.linebreakstate = 1;
        outputline.keeplinebreak = 1;
    }
    if (s.rlacd) {
        outputline.linebreakstate = 1;
        outputline.removelinebreaks = 1;
    }
}

// THEN or ELSE of a CASE expression (inside an assignment, a SQL statement, a RETURN or any
// other statement) does not end the statement.
bool formatter::continuescaseexpression(int32_t classcode) {
    if (!statement.assignmentseen && !statement.sqlstatement && !incaseexpression()) return false;
    const std::string& innermost = blocks.blockstack.at(blocks.blocklevel).blockname;
    if (!istext(innermost, "when") && !istext(innermost, "case")) return false;
    if (classcode != classthen && classcode != classelse) return false;
    if (classcode == classthen) {
        const std::string& outer = blocks.blockstack.at(std::max(blocks.blocklevel - 1, 0)).blockname;
        if (!statement.assignmentseen && s.ac && !istext(innermost, "case") && outer != "case")
            alignment.processingalignedlist = 0;
        if (alignment.alistlevel > 0 && alignment.alignedlists.at(alignment.alistlevel).word == "when")
            closealignedlistatblock();
    }
    return true;
}

void formatter::resetstatement(bool loop) {
    statement.statementcountdown = 1;
    statement.keywordcolumn = -1;
    alignment.awaitby = alignment.awaitwith = 0;
    if (istext(rewinds.alignop, "=") && !rewinds.alignrows.empty()) rewinds.groupbroken = 1;
    if (istext(currentword, ";")) {
        statement.assignmentseen = 0;
        statement.insidemerge = 0;
        // A trigger header that a ";" ends was none (DROP TRIGGER t;).
        statement.indeclarationpart = 0;
        // A line-break rule noted at an END or a cursor declaration is due after its ";".
        if (outputline.linebreakstate == 1) outputline.linebreakstate = 2;
    }
    if (!loop) blocks.loopheaderopen = 0;
    statement.keeprelative = 0;
    statement.statementstate = 2;
    statement.logicalcolumn = statement.andcolumn = -1;
    statement.sqlpluspossible = 1;
}

// While an aligned list is still open, the line after the statement gets the indentation of
// the block.
void formatter::reindentnextline() {
    std::string indentation = indentline(blocks.blocklevel, s.ni);
    position after = std::next(currenttoken);
    if (!s.in || after == tokens.end() || after->kind != whitespace) return;
    std::string text(after->text());
    size_t lastbreak = text.find_last_of("\r\n");
    if (lastbreak == std::string::npos) return;
    std::string indented = text.substr(0, lastbreak + 1) + indentation;
    if (indented != text) after->settext(std::move(indented));
}

void formatter::reportsyntaxerror(const std::string& message) {
    printout(messages, message + " \n");
    listblockstack();
    dieline(2);
}

void formatter::collecttablenames() {
    if (!s.lt || currenttoken->classcode != classfrom) return;
    for (std::string& name : fromtablenames(currenttoken)) tablenames.insert(std::move(name));
}

textcomparison firstdifference(const charset& set, std::string_view text1, std::string_view text2) {
    std::string first = set.lc(text1), second = set.lc(text2);
    if (first == second) return {true, 0};
    auto piece = [](const std::string& text, size_t from, size_t to) {
        return std::string_view(text).substr(std::min(from, text.size()), to - from);
    };
    size_t lo = 0, hi = second.size(), mid = hi / 2;
    for (int steps = 0; mid != lo && steps < 50; ++steps) {
        if (piece(first, lo, mid) == piece(second, lo, mid)) {
            lo = mid;
            mid = (hi + mid) / 2;
        } else {
            hi = mid;
            mid = (lo + mid) / 2;
        }
    }
    return {false, static_cast<int64_t>(mid)};
}
