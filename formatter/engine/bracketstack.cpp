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
    // -rsbcb: the blanks before ")" go first, so that the column limit measures the line
    // as it stays; a line break before ")" and the indentation after it stay.
    if (!opening && s.rsbcb && currenttoken != tokens.begin()) {
        position before = std::prev(currenttoken);
        if (before->kind == whitespace) stripleadingblanks(*before);
    }
    // Beyond the column limit the layout pass breaks the line first and comes back.
    if (firstpass && s.mcs && beyondcolumnlimit() && !outputline.linebroken && !alignmentpending()) {
        if (s.rs && !rewinds.alignenabled && statement.keeprelative) reloadrelativeindent(currenttoken);
        return;
    }
    if (opening) openbracket();
    else closebracket();
}

void formatter::openbracket() {
    checknesting(static_cast<size_t>(brackets.bracketdepth) + 1);
    position bracket = currenttoken;
    bracketentry entry{brackets.insidebrackets,
                       brackets.bracketlistpending,
                       brackets.listopener,
                       brackets.bracketlistmethod,
                       brackets.listcolumn,
                       alignment.alistcol,
                       alignment.processingalignedlist,
                       statement.logicalcolumn,
                       statement.andcolumn,
                       statement.keywordcolumn,
                       statement.relativeindent,
                       statement.relativekeywordcolumn,
                       statement.relativeindentsequence,
                       statement.relativekeywordsequence,
                       nullptr,
                       bracket};
    if (!brackets.insidebrackets) {
        // A bracket inside a block outside any SQL statement opens a statement of its own.
        if (statement.sqlstatement == 0 && blocks.blocklevel > 0) statement.sqlstatement = 2;
        brackets.outerbracketstate = {alignment.alistcol, alignment.processingalignedlist, statement.keeprelative};
    }
    // Lists inside brackets are laid out by the bracket level, not by the aligned list.
    if (s.clb) alignment.processingalignedlist = 0;
    if (rewinds.alignenabled && alignment.declarationmode == 5)
        entry.alignsnapshot = std::make_shared<declarationgroup>(alignment.declarationalignment);
    brackets.bracketstack.push_back(std::move(entry));
    statement.logicalcolumn = statement.andcolumn = statement.keywordcolumn = -1;
    if (s.rs && statement.keeprelative) noterelativeindent(bracket);
    position after = std::next(bracket);
    if (s.rsaob && after != tokens.end() && after->kind == whitespace) stripleadingblanks(*after);
    brackets.bracketlistpending = 1;
    brackets.insidebrackets = 1;
    ++brackets.bracketdepth;
    brackets.listopener = bracket;
    brackets.bracketlistmethod = 1;
    brackets.bracketlistset = 0;
    brackets.bracketcomma = 0;
    brackets.listinprogress = s.clb;
    brackets.bracketlines.at(brackets.bracketdepth) = tokenline(bracket);
    brackets.bracketcolumns.at(brackets.bracketdepth) = tokencolumn(bracket);
}

void formatter::closebracket() {
    position bracket = currenttoken;
    popalignedlistsatbracket(brackets.bracketdepth);
    --brackets.bracketdepth;
    if (alignment.declarationalignment.active && alignment.declarationalignment.bracketlevel > brackets.bracketdepth) {
        alignment.declarationalignment.active = 0;
        alignment.declarationmode = 6;
        alignment.declarationalignment.ended = 1;
    }
    if (brackets.bracketdepth < 0 || brackets.bracketstack.empty()) {
        bracketproblem = 1;
        std::string message = "Syntax error:\nToo many closing brackets at line ";
        message += numtostring(tokenline(bracket));
        message += " col ";
        message += numtostring(bracket->column);
        message += " in ";
        message += s.inputfilealias;
        reportsyntaxerror(message);
    }
    bracketentry entry = std::move(brackets.bracketstack.back());
    brackets.bracketstack.pop_back();
    if (entry.alignsnapshot) alignment.declarationalignment = *entry.alignsnapshot;
    statement.logicalcolumn = entry.logicalcolumn;
    statement.relativeindent = entry.relativeindent;
    statement.relativekeywordcolumn = entry.relativekeywordcolumn;
    statement.relativeindentsequence = entry.relativeindentsequence;
    statement.relativekeywordsequence = entry.relativekeywordsequence;
    statement.keywordcolumn = entry.keywordcolumn;
    statement.andcolumn = entry.andcolumn;
    if (s.rs && rewinds.alignenabled && statement.keeprelative)
        relativeindentbytoken[bracket->sequence] = statement.relativeindent;
    if (!entry.insidebrackets) {
        leaveoutermostbracket();
    } else {
        brackets.insidebrackets = entry.insidebrackets;
        brackets.bracketlistpending = entry.bracketlistpending;
        brackets.listopener = entry.listopener;
        brackets.bracketlistmethod = entry.bracketlistmethod;
        brackets.listcolumn = entry.listcolumn;
        alignment.alistcol = entry.alistcol;
        alignment.processingalignedlist = entry.processingalignedlist;
    }
    currentword = bracket->text();
}

// The outermost bracket closed: what it saved comes back, and a statement that it opened
// is over.
void formatter::leaveoutermostbracket() {
    alignment.alistcol = brackets.outerbracketstate.alistcol;
    alignment.processingalignedlist = brackets.outerbracketstate.processingalignedlist;
    statement.keeprelative = brackets.outerbracketstate.keeprelative;
    brackets.insidebrackets = 0;
    brackets.listinprogress = 0;
    if (statement.sqlstatement == 2) {
        statement.sqlstatement = 0;
        statement.statementword.clear();
        statement.keywordcolumn = -1;
    }
}

void formatter::closeallbrackets() {
    if (!brackets.insidebrackets) return;
    leaveoutermostbracket();
    brackets.bracketdepth = 0;
    brackets.bracketstack.clear();
}
