// The bracket stack: a "(" saves the list, alignment and statement state that the bracketed
// text may change and its ")" gives it back; blanks inside brackets (-rsaob, -rsbcb).
#include "formatter.h"
#include "support.h"

namespace {

// The text without the blanks and TABs at its start.
std::string withoutleadingblanks(std::string_view text) {
    size_t kept = text.find_first_not_of(" \t");
    return kept == std::string_view::npos ? std::string() : std::string(text.substr(kept));
}

void stripleadingblanks(token& t) {
    std::string stripped = withoutleadingblanks(t.text());
    if (stripped.size() != t.text().size()) t.settext(std::move(stripped));
}

}  // namespace

void formatter::bracketrule(int32_t firstpass) {
    // Runs for every token: a one-character test, not a string comparison.
    std::string_view text = currenttoken->text();
    if (text.size() != 1 || (text[0] != '(' && text[0] != ')')) return;
    bool opening = text[0] == '(';
    // Beyond the column limit the layout pass breaks the line first and comes back.
    if (firstpass && s.mcs && beyondcolumnlimit() && !linebroken && !alignmentpending()) {
        if (s.rs && !alignenabled && keeprelative) reloadrelativeindent(currenttoken);
        return;
    }
    if (opening)
        openbracket();
    else
        closebracket();
}

void formatter::openbracket() {
    position bracket = currenttoken;
    bracketentry entry{insidebrackets, bracketlistpending, listopener, bracketlistmethod,
                       listcolumn, alistcol, processingalignedlist, logicalcolumn, andcolumn,
                       keywordcolumn, relativeindent, relativekeywordcolumn, relativeindentsequence,
                       relativekeywordsequence, nullptr, bracket};
    if (!insidebrackets) {
        // A bracket inside a block outside any SQL statement opens a statement of its own.
        if (sqlstatement == 0 && blocklevel > 0) sqlstatement = 2;
        outerbracketstate = {alistcol, processingalignedlist, keeprelative};
    }
    // Lists inside brackets are laid out by the bracket level, not by the aligned list.
    if (s.clb) processingalignedlist = 0;
    if (alignenabled && declarationmode == 5)
        entry.alignsnapshot = std::make_shared<declarationgroup>(declarationalignment);
    bracketstack.push_back(std::move(entry));
    logicalcolumn = andcolumn = keywordcolumn = -1;
    if (s.rs && keeprelative) noterelativeindent(bracket);
    position after = std::next(bracket);
    if (s.rsaob && after != tokens.end() && after->kind == whitespace) stripleadingblanks(*after);
    bracketlistpending = 1;
    insidebrackets = 1;
    ++bracketdepth;
    listopener = bracket;
    bracketlistmethod = 1;
    bracketlistset = 0;
    bracketcomma = 0;
    listinprogress = s.clb;
    bracketlines.at(bracketdepth) = tokenline(bracket);
    bracketcolumns.at(bracketdepth) = tokencolumn(bracket);
}

void formatter::closebracket() {
    position bracket = currenttoken;
    if (s.rsbcb && bracket != tokens.begin()) {
        // A line break before ")" and the indentation after it stay.
        position before = std::prev(bracket);
        if (before->kind == whitespace) stripleadingblanks(*before);
    }
    popalignedlistsatbracket(bracketdepth);
    --bracketdepth;
    if (declarationalignment.active && declarationalignment.bracketlevel > bracketdepth) {
        declarationalignment.active = 0;
        declarationmode = 6;
        declarationalignment.ended = 1;
    }
    if (bracketdepth < 0 || bracketstack.empty()) {
        bracketproblem = 1;
        std::string message = "Syntax error:\nToo many closing brackets at line ";
        message += numtostring(tokenline(bracket));
        message += " col ";
        message += numtostring(bracket->column);
        message += " in ";
        message += s.inputfilealias;
        reportsyntaxerror(message);
    }
    bracketentry entry = std::move(bracketstack.back());
    bracketstack.pop_back();
    if (entry.alignsnapshot) declarationalignment = *entry.alignsnapshot;
    logicalcolumn = entry.logicalcolumn;
    relativeindent = entry.relativeindent;
    relativekeywordcolumn = entry.relativekeywordcolumn;
    relativeindentsequence = entry.relativeindentsequence;
    relativekeywordsequence = entry.relativekeywordsequence;
    keywordcolumn = entry.keywordcolumn;
    andcolumn = entry.andcolumn;
    if (s.rs && alignenabled && keeprelative)
        relativeindentbytoken[bracket->sequence] = relativeindent;
    if (!entry.insidebrackets) {
        leaveoutermostbracket();
    } else {
        insidebrackets = entry.insidebrackets;
        bracketlistpending = entry.bracketlistpending;
        listopener = entry.listopener;
        bracketlistmethod = entry.bracketlistmethod;
        listcolumn = entry.listcolumn;
        alistcol = entry.alistcol;
        processingalignedlist = entry.processingalignedlist;
    }
    currentword = bracket->text();
}

// The outermost bracket closed: what it saved comes back, and a statement that it opened
// is over.
void formatter::leaveoutermostbracket() {
    alistcol = outerbracketstate.alistcol;
    processingalignedlist = outerbracketstate.processingalignedlist;
    keeprelative = outerbracketstate.keeprelative;
    insidebrackets = 0;
    listinprogress = 0;
    if (sqlstatement == 2) {
        sqlstatement = 0;
        statementword.clear();
        keywordcolumn = -1;
    }
}

void formatter::closeallbrackets() {
    if (!insidebrackets) return;
    leaveoutermostbracket();
    bracketdepth = 0;
    bracketstack.clear();
}

