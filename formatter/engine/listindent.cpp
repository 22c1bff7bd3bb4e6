// List indentation: at each line start the line is indented by the aligned list or the
// bracketed list it belongs to, by its block, or keeps its shape inside a SQL statement
// (-rs); clause keywords (-rask, -pius), AND/OR/NOT (-plouwh), THEN and LOOP (-itlwb) and
// standalone comments (-isc, -isc2, -iic) have their own rules.
#include "formatter.h"
#include "wordset.h"
#include "support.h"

#include <algorithm>

namespace {

bool isclass(const token& t, std::initializer_list<int32_t> classes) {
    return std::find(classes.begin(), classes.end(), t.classcode) != classes.end();
}

// The blanks and TABs after the last line break of a line-start text.
std::string_view blanksafterlinebreak(std::string_view text) {
    size_t start = text.find_last_of("\r\n");
    start = start == std::string_view::npos ? 0 : start + 1;
    size_t end = text.find_first_not_of(" \t", start);
    return text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
}

}  // namespace

void formatter::indentnormal() {
    if (!outputline.atlinestart) return;
    position start = currenttoken;
    // Literals keep their lines; the lines inside a block comment move only with -iic, also
    // one that the column limit broke off (a second run reads it as the comment's own line).
    if ((start->kind != whitespace && start->kind != blockcomment) || !start->breaksline()) return;
    const bool brokenoff = linebreakincomment(start);
    const bool insidecomment = start->kind == blockcomment || brokenoff;
    if (insidecomment && !s.iic) return;
    const std::string text(start->text());
    outputline.lastlinestarttoken = outputline.linestarttoken;
    outputline.linestarttoken = start;
    outputline.linestarttext = text;
    position first = brokenoff ? std::next(start) : insidecomment ? start : firstonline(start);
    if (first == tokens.end()) {
        // An empty line, or the end of the text: no blanks are left after the line break.
        size_t blanks = blanksafterlinebreak(text).size();
        if (s.in && blanks > 0) start->settext(text.substr(0, text.size() - blanks));
        return;
    }
    if (!insidecomment) endalignedlistatline(first);
    bool commentline = false;
    int32_t column = computelineindent(first, commentline);
    if (!insidecomment && standalonecomment(first) && !s.isc && !(s.isc2 && commentline)) return;
    if (column < 0 || !s.in) return;
    std::string_view blanks = blanksafterlinebreak(text);
    size_t at = static_cast<size_t>(blanks.data() - text.data());
    std::string indented = text.substr(0, at) + indentstring(column) + text.substr(at + blanks.size());
    if (indented != text) start->settext(std::move(indented));
}

// A line break between two pieces of one block comment: only the column limit puts one there.
bool formatter::linebreakincomment(position start) const {
    if (start->kind != whitespace || start == tokens.begin()) return false;
    position before = std::prev(start), after = std::next(start);
    return after != tokens.end() && before->kind == blockcomment && after->kind == blockcomment &&
           before->sequence + 1 == start->sequence && after->sequence == start->sequence + 1;
}

// The first token of the line after its line-start token, past blanks and comments that
// stay on the line; a line of such comments only starts with its first comment. The end
// for an empty line and the end of the text, which get no blanks.
position formatter::firstonline(position start) const {
    position comment = tokens.end();
    position first = std::next(start);
    while (first != tokens.end() && (first->kind == blockcomment || first->kind == whitespace) &&
           !first->breaksline()) {
        if (first->kind == blockcomment && comment == tokens.end()) comment = first;
        ++first;
    }
    bool lineends = first == tokens.end() || first->kind == endtoken || first->breaksline();
    if (!lineends) return first;
    return comment;
}

// A word that starts a statement at block level 0, or a WHEN of another branch, ends the
// open aligned list; a SELECT line in an INSERT goes to the clause keywords.
void formatter::endalignedlistatline(position first) {
    if (!alignment.processingalignedlist) return;
    std::string word = lc(first->text());
    if (blocks.blocklevel == 0 && (tables().statementstarters.count(word) ||
                                   (istext(word, "set") && !istext(statement.statementword, "update")))) {
        alignment.processingalignedlist = 0;
        alignment.alignmentrequested = 0;
        if (alignment.alistlevel > 0) --alignment.alistlevel;
        return;
    }
    if (first->classcode != classwhen || istext(blocks.blockstack.at(blocks.blocklevel).blockname, "case")) return;
    bool branchofcase = istext(blocks.blockstack.at(blocks.blocklevel).blockname, "when") && blocks.blocklevel > 1 &&
                        blocks.blockstack.at(blocks.blocklevel - 1).blockname == "case";
    if (branchofcase) return;
    alignment.processingalignedlist = 0;
    alignment.alignmentrequested = 0;
    popalignedlist();
}

// A comment with nothing after it on its line.
bool formatter::standalonecomment(position first) const {
    if (first->kind != singlelinecomment && first->kind != blockcomment) return false;
    position after = std::next(first);
    while (after != tokens.end() && after->kind == whitespace && !after->breaksline()) ++after;
    return after == tokens.end() || after->kind == endtoken || after->breaksline();
}

int32_t formatter::computelineindent(position first, bool& commentline) {
    const token& f = *first;
    if (int32_t directivecolumn = directivelinecolumn(first); directivecolumn >= 0) return directivecolumn;
    bool generated = outputline.linestarttoken->classcode == classinserted;
    int32_t column;
    if (alignment.processingalignedlist && !alignment.alignmentrequested &&
        (!clausewords.count(lowered(f.text()).view()) || aggregategroup(first))) {
        column = listindent(alignment.alistcol, first);
        commentline = true;
    } else if (brackets.listinprogress && (!statement.keeprelative || generated)) {
        column = listindent(brackets.listcolumn, first);
        commentline = true;
    } else if (isclass(f, {classelsif, classelse, classexception}) ||
               (istext(blocks.blockstack.at(blocks.blocklevel).blockname, "when") && f.classcode == classwhen)) {
        // One level out: ELSE and its kin, and a WHEN after the first of its CASE.
        column = statement.keeprelative ? relativeindentcolumn() : computeindent(blocks.blocklevel - 1, s.ni);
        commentline = statement.keeprelative;
        return column;
    } else if (statement.keeprelative) {
        column = relativeindentcolumn();
        commentline = true;
    } else {
        column = s.in ? computeindent(blocks.blocklevel, s.ni) : -1;
    }
    return keywordindent(first, column);
}

// The clause keyword, logical operator, THEN and LOOP rules that override a list or block
// column.
int32_t formatter::keywordindent(position first, int32_t column) {
    const token& f = *first;
    int32_t width = static_cast<int32_t>(f.text().size());
    bool clause = isclass(f, {classvalues, classset, classinto, classfrom, classwhere, classgroup, classorder}) ||
                  (f.classcode == classfetch && s.pius);
    if (clause && aggregategroup(first)) clause = false;
    if ((s.pius || s.rask) && clause && statement.keywordcolumn >= 0) {
        bool aligned = s.rask && !(f.classcode == classset && !istext(statement.statementword, "update"));
        if (aligned || f.classcode == classinto) column = std::max(statement.keywordcolumn - width, 0);
    }
    if (s.plouwh && isclass(f, {classand, classor, classnot}) && statement.logicalcolumn >= 0) {
        if (f.classcode == classand && statement.andcolumn >= 0) column = std::max(statement.andcolumn - 3, 0);
        else column = std::max(statement.logicalcolumn - (f.classcode == classor ? 2 : 3), 0);
    }
    if (!s.itlwb && (f.classcode == classthen || (f.classcode == classloop && blocks.loopheaderopen)))
        column = computeindent(blocks.blocklevel - 1, s.ni);
    return column;
}

int32_t formatter::listindent(int32_t base, position first) {
    int32_t size = std::max(stringtonum(s.is), 0);
    auto count = [&](int32_t upto) {
        int32_t n = 0;
        for (int32_t i = 1; i <= upto; ++i)
            if (blocks.blockstack.peek(i).startcolumn >= base) ++n;
        return n;
    };
    const linerecord& innermost = blocks.blockstack.at(blocks.blocklevel);
    bool whenofcase = istext(innermost.blockname, "when") && blocks.blocklevel > 1 &&
                      blocks.blockstack.at(blocks.blocklevel - 1).blockname == "case";
    int32_t level = blocks.blocklevel;
    if (istext(blocks.blockstack.at(level).blockname, "when")) --level;
    if (level > 0 && istext(blocks.blockstack.at(level).blockname, "case")) --level;
    int64_t column = base;
    if (first->classcode == classend) {
        column = base + int64_t(size) * count(level);
    } else if (whenofcase && s.iacw && first->classcode != classwhen && first->classcode != classelse) {
        int32_t n = count(blocks.blocklevel - 2);
        bool caseinlist = blocks.blockstack.at(blocks.blocklevel - 1).startcolumn >= base;
        column = base + int64_t(size) * n + (caseinlist ? 2 * int64_t(size) : 0);
    } else if (whenofcase || istext(innermost.blockname, "case")) {
        int32_t n = count(level);
        column = base + int64_t(size) * (n + (innermost.startcolumn >= base ? 1 : 0));
    }
    return static_cast<int32_t>(std::clamp<int64_t>(column, 0, INT32_MAX));
}

// Inside a statement that keeps its shape the line moves as far as the statement's first
// word moved; a line that a rule broke goes under that word. The line's indentation as read
// is kept, so that laid out again after an alignment group the line moves from there as far
// as its word moved in all.
int32_t formatter::relativeindentcolumn() {
    const position linestart = outputline.linestarttoken;
    if (linestart->classcode == classinserted) return statement.relativekeywordcolumn;
    int32_t blanks;
    if (const int32_t* kept = sourceindentbyline.find(linestart->sequence)) {
        if (*kept == rulebreakindent) return statement.relativekeywordcolumn;
        blanks = *kept;
    } else {
        blanks = rowtringtocolumn(blanksafterlinebreak(linestart->text()), 1);
        sourceindentbyline[linestart->sequence] = blanks;
    }
    return std::max(blanks + statement.relativeindent - 1, 0);
}
