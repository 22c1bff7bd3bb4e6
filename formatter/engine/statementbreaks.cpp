// Line breaks inside statements and lists: before SQL clause keywords (-bus, -bbj), after
// list items (-mlipl, -milipl), commas moved to the line end (-pcr), AND/OR/NOT under
// WHERE (-plouwh) and the column of bracketed lists (-clb, -brei, -eiib).
#include "formatter.h"
#include "wordset.h"
#include "support.h"

#include <algorithm>
#include <limits>

namespace {

// Flags of a break keyword.
constexpr int32_t onlyinselect = 2;
constexpr int32_t breakafterword = 4;
constexpr int32_t withoutfollowers = 8;

// A column and an extra indent of any size the switches allow, held to the largest column.
int32_t addcolumns(int32_t column, int32_t extra) {
    const int64_t sum = static_cast<int64_t>(column) + extra;
    return sum > std::numeric_limits<int32_t>::max()
               ? std::numeric_limits<int32_t>::max()
               : static_cast<int32_t>(std::max<int64_t>(sum, std::numeric_limits<int32_t>::min()));
}

}  // namespace

position formatter::insertbreak(position pos) {
    return tokens.insertnew(pos, linebreaktext, whitespace, classinserted, -(sequencecounter++));
}

void formatter::breakbeforenext() {
    position t = currenttoken;
    position after = std::next(t);
    if (t->kind == whitespace) {
        if (t->breaksline() || !breakableat(t)) return;
        // The blanks become the line break; the rules that follow see a line start.
        t->settext(linebreaktext);
        t->classcode = classinserted;
        currentword = linebreaktext;
        return;
    }
    if (after != tokens.end() && after->kind != whitespace && breakableat(after)) insertbreak(after);
}

void formatter::breakafter(position pos) {
    position after = std::next(pos);
    if (after == tokens.end() || !breakableat(after)) return;
    if (after->kind != whitespace) {
        insertbreak(after);
    } else if (!after->breaksline()) {
        after->settext(linebreaktext);
        after->classcode = classinserted;
    }
}

bool formatter::hasbreakbetween(position first, position last) const {
    for (position p = first; p != last && p != tokens.end(); ++p)
        if (p->breaksline()) return true;
    return false;
}

bool formatter::matchwords(position pos, const std::vector<std::string>& words, position& last) const {
    // Leading words may be left out: LEFT JOIN is LEFT OUTER JOIN.
    for (size_t skipped = 0; skipped < words.size(); ++skipped) {
        position p = pos;
        size_t i = skipped;
        for (; i < words.size() && p != tokens.end() && p->kind != endtoken; ++i) {
            if (!isword(p->text(), words[i])) break;
            last = p;
            if (i + 1 < words.size()) p = nextsignificant(std::next(p));
        }
        if (i == words.size()) return true;
    }
    return false;
}

void formatter::breakstatements() {
    if (!s.bus) return;
    position keyword = std::next(currenttoken);
    if (keyword == tokens.end() || keyword->kind == endtoken) return;
    const auto& breakkeywords = tables().breakkeywords;
    const auto& breakfollowers = tables().breakfollowers;
    auto found = breakkeywords.find(lowered(keyword->text()).view());
    if (found == breakkeywords.end() || found->second == 0) return;
    if (keyword->classcode == classhandled) return;
    int32_t flags = found->second;
    bool breakhere = !(flags & onlyinselect) || istext(statement.statementword, "select");
    auto followers = breakfollowers.find(found->first);
    if (followers == breakfollowers.end()) {
        if (breakhere) breakbeforenext();
        if (flags & breakafterword) breakafter(keyword);
        return;
    }
    position last;
    if (matchwords(nextsignificant(std::next(keyword)), followers->second, last)) {
        last->classcode = classhandled;
        if (breakhere) breakbeforenext();
    } else if (flags & withoutfollowers) {
        if (breakhere) breakbeforenext();
        position following = nextsignificant(std::next(keyword));
        if ((flags & breakafterword) && !hasbreakbetween(keyword, following)) breakafter(keyword);
    }
}

void formatter::putlogicalunder() {
    if (!s.plouwh) return;
    switch (currenttoken->classcode) {
    case classwhere:
    case classhaving:
    case classby:
    case classwith:
        statement.logicalcolumn = tokencolumn(currenttoken) + static_cast<int32_t>(currentword.size()) - 1;
        break;
    default: break;
    }
}

// The comma stands in brackets that follow NUMBER, as in NUMBER(10, 2).
bool formatter::innumberbrackets() const {
    if (!brackets.insidebrackets || brackets.listopener == tokens.end() || brackets.listopener == position())
        return false;
    return isword(previoussignificant(brackets.listopener)->text(), "number");
}

void formatter::breaklongitemlists() {
    if (!istext(currentword, ",")) return;
    bool numbertype = innumberbrackets();
    if (alignment.declarationalignment.active && !numbertype) {
        ++alignment.declarationalignment.itemcount;
        alignment.declarationalignment.severalitems = 1;
    }
    if (statement.statementstate != 1 && !numbertype) {
        outputline.previouslineitems = outputline.lineitems;
        ++outputline.lineitems;
    }
    if (s.mlipl > 0 && (!s.mcs || !outputline.linebroken) && outputline.lineitems >= s.mlipl)
        ensurelinebreak(std::next(currenttoken), "", classinserted);
}

// The moved comma becomes the current token, to be formatted from the first rule on as a
// comma at the line's end is: it ends an item of an alias list and counts among the line's
// items. The line break after it is formatted again after it.
bool formatter::putcommasright() {
    if (!s.pcr) return false;
    position t = currenttoken;
    position comma = std::next(t);
    if (comma == tokens.end() || !istext(comma->text(), ",")) return false;
    if (t->kind != whitespace || !t->breaksline() || t->classcode == classinserted) return false;
    if (t == outputline.sqlpluslineend) return false;
    // A comment after the last item keeps the comma where it is: moved before the comment it
    // would change the order of the text, and after a single-line one it would be commented
    // out. So does a "-" that continues the line (SQL*Plus): it stays the line's last token.
    const position last = previoussignificant(t);
    if (iscontinuationhyphen(last)) return false;
    for (position p = std::next(last); p != t; ++p)
        if (p->kind == singlelinecomment || p->kind == blockcomment) return false;
    // The item after the comma keeps its column: the comma and its blanks become blanks.
    token copy = *comma;
    copy.setsourceoffset(-1);
    std::string moved(t->text());
    position after = eraseahead(comma);
    // Blanks at the end of the comma's line go with it.
    if (after != tokens.end() && after->kind == whitespace && !after->breaksline()) {
        position next = std::next(after);
        if (next != tokens.end() && next->kind == whitespace && next->breaksline()) after = eraseahead(after);
    }
    if (after != tokens.end() && after->kind == whitespace && after->breaksline()) {
        // A comma alone at the end of its line: its line goes, the next line stays as it is.
        std::string_view rest = after->text();
        moved = rest.substr(std::min(rest.find_first_of("\r\n"), rest.size()));
        eraseahead(after);
    } else {
        if (after != tokens.end() && after->kind == whitespace) {
            moved += after->text();
            eraseahead(after);
        }
        moved += ' ';
    }
    t->settext(std::move(moved));
    bool resumesatcomma = rewinds.resumetoken == t;
    currenttoken = tokens.insert(std::next(last), std::move(copy));
    if (resumesatcomma) rewinds.resumetoken = currenttoken;
    return true;
}

// Erases a token that the loop has not reached yet; where the last alignment group ended
// moves on to the token after it.
position formatter::eraseahead(position pos) {
    position after = std::next(pos);
    if (rewinds.resumetoken == pos) rewinds.resumetoken = after == tokens.end() ? currenttoken : after;
    if (rewinds.regroupend == pos) {
        rewinds.regroupend = position();
        rewinds.regroupwatch = 0;
    }
    return tokens.erase(pos);
}

void formatter::bracketlistcolumns() {
    if (brackets.listinprogress) {
        position t = currenttoken;
        if (brackets.bracketlistpending && t->kind == whitespace && t->breaksline()) {
            // The bracket ends its line: the items go one column right of it.
            brackets.bracketlistmethod = 2;
            brackets.bracketlistpending = 0;
            brackets.listcolumn = tokencolumn(std::next(brackets.listopener)) - 1;
            if (bracketlistadjust()) brackets.bracketlistset = 1;
        } else if (brackets.bracketlistpending && !isinsignificant(t->kind)) {
            brackets.bracketlistpending = 0;
            if (brackets.bracketlistmethod == 1) brackets.listcolumn = tokencolumn(t) - 1;
            if (bracketlistadjust()) brackets.bracketlistset = 1;
        } else if (istext(currentword, ",")) {
            brackets.bracketcomma = 1;
        }
    }
    currentword = currenttoken->text();
}

bool formatter::bracketlistadjust() {
    if (s.brei) {
        brackets.listcolumn = addcolumns(brackets.listcolumn, s.brei);
    } else if (s.eiib) {
        // The items go eiib columns right of the indentation of the bracket's line.
        position start = outputline.linestarttoken;
        if (start == tokens.end() || start == position() || !start->breaksline()) return false;
        brackets.listcolumn = addcolumns(s.eiib, rowtringtocolumn(withoutleadinglinebreak(start->text()), 1) - 1);
    }
    return true;
}

bool formatter::joinaftercomma() {
    position t = currenttoken;
    if (t->kind != whitespace || t->classcode == classinserted || t == tokens.begin()) return false;
    if (t == outputline.sqlpluslineend) return false;
    // A single-line comment between the comma and the line break would swallow the line. A
    // block comment that the column limit broke is still one comment, as a second run reads it.
    position before = std::prev(t);
    while (before != tokens.begin() &&
           (before->kind == blockcomment || (before->kind == whitespace && !before->breaksline()) ||
            linebreakincomment(before)))
        --before;
    if (!istext(before->text(), ",")) return false;
    position previous = std::prev(t);
    if (previous->kind == whitespace && !previous->breaksline()) {
        // An empty line joined after the line: the blank goes last, where a break for the
        // column limit takes it, so that it cannot trail the line.
        t->settext(previous->text());
        previous->settext("");
    } else {
        t->settext(previous->kind == whitespace ? "" : joinedblank(previous, t));
    }
    currenttoken = std::next(t);
    currentword = currenttoken->text();
    return true;
}

void formatter::joinbefore(position pos, std::string_view text) {
    position p = std::next(pos);
    while (p != tokens.end() && isinsignificant(p->kind) && !(p->kind == whitespace && p->breaksline())) ++p;
    if (p == tokens.end() || p->kind != whitespace) return;
    if (std::prev(p)->kind == singlelinecomment || hyphenbefore(p)) return;
    position after = std::next(p);
    if (!text.empty() && (after == tokens.end() || after->text() != text)) return;
    eraseahead(p);
}
