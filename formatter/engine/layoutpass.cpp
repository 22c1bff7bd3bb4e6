// The layout pass and the column limit (-mcs): a line that grows beyond the limit loses
// blanks (-acs) or indentation (-aci), a comment is shortened (-asc) or broken (-abuc,
// -abusc, -acoslc), the statement moves to a new line (-amso, -amc) or the line is broken
// before the token; then the block, bracket and LOOP rules that waited for it run.
#include "formatter.h"
#include "wordset.h"
#include "support.h"

#include <algorithm>
#include <limits>

namespace {

bool isblankortab(char c) { return c == ' ' || c == '\t'; }

// Where the text after its last line break begins (0 when it has none).
size_t afterlastlinebreak(std::string_view text) {
    size_t at = text.find_last_of("\r\n");
    return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace

// The values a line break before the current token puts back.
void formatter::savetokenstartlayout() { rewinds.tokenstartlayout.take(*this); }

void formatter::restorelayout(const layoutvalues& v) {
    // A cursor declaration that the token closed at its ";" is open again (the rules of the
    // token that follow have emptied its record).
    if (v.blocklevel > blocks.blocklevel && v.blocklevel == rewinds.closedcursorlevel)
        blocks.blockstack.at(rewinds.closedcursorlevel) = rewinds.closedcursor;
    v.restore(*this);
}

// The column reached after the current token on its output line, once every rule has
// placed it (re-indentation included).
void formatter::trackpreviouscolumns() {
    if (s.mcs && currenttoken != tokens.end()) outputline.linecolumn = tokenendcolumn(currenttoken) + 1;
}

// -amso formats a statement again from a new line: the state at its start, before its -ifs
// block applies, is noted.
void formatter::notestatementlayout() {
    if (!s.mcs || !s.amso) {
        rewinds.droppedlinebreakrule.reset();
        return;
    }
    rewinds.statementstartlayout.take(*this);
    take(rewinds.statementsnapshot);
    rewinds.statementsnapshottaken = true;
    rewinds.shrunklines.clear();
    // The line-break rule due after the block before was dropped because the statement
    // goes on on the same line; moved to a line of its own, the statement finds it due.
    if (rewinds.droppedlinebreakrule) {
        rewinds.statementsnapshot.loop.outputline.linebreakstate = rewinds.statementstartlayout.linebreakstate = 2;
        rewinds.statementsnapshot.loop.outputline.keeplinebreak = rewinds.statementstartlayout.keeplinebreak =
            rewinds.droppedlinebreakrule->first;
        rewinds.statementsnapshot.loop.outputline.removelinebreaks = rewinds.statementstartlayout.removelinebreaks =
            rewinds.droppedlinebreakrule->second;
        rewinds.droppedlinebreakrule.reset();
    }
}

// Shortens a line beyond the column limit; true when a line break was put before the token.
bool formatter::layoutpass() {
    if (!s.mcs) return false;
    const bool restart = keepwithinlimit();
    if (istext(currentword, ";")) outputline.linebroken = 0;
    return restart;
}

bool formatter::keepwithinlimit() {
    position t = currenttoken;
    if (t == tokens.end() || t->kind == whitespace || t->kind == endtoken) return false;
    if (outputline.linebroken || !beyondcolumnlimit()) return false;
    // The alignment rules rewind to format this token again.
    if (alignmentpending()) return false;
    if (alignment.declarationalignment.rows.empty() && !continuesliteral(t)) {
        // A negative limit (the switch takes one) leaves the excess at the largest number.
        const int64_t over = static_cast<int64_t>(outputline.linecolumn) - s.mcs - 1;
        const int32_t excess = static_cast<int32_t>(std::min<int64_t>(over, std::numeric_limits<int32_t>::max()));
        bool changed = excess > 0 &&
                       (shrinkblanks(excess) || shrinkindentation(excess) || shortencomment(excess) || breakcomment());
        if (!changed && (movestatement() || breakbeforetoken())) return true;
    }
    rundeferredrules();
    return false;
}

// A piece of a literal that spans lines: the line break inside it cannot move.
bool formatter::continuesliteral(position t) const {
    if (t->kind != stringliteral && t->kind != qquoteliteral) return false;
    position before = previoustoken(t);
    return before != tokens.end() && before->kind == t->kind && t->sequence == before->sequence + 1;
}

// The token that starts t's line: t itself when its text begins with a line break (a later
// line of a comment or literal), else the nearest token before it whose text holds one.
position formatter::linestartof(position t) const {
    if (t != tokens.end() && t->kind != whitespace && startswithlinebreak(t->text())) return t;
    while (t != tokens.begin()) {
        --t;
        if (t->breaksline()) return t;
    }
    return tokens.begin();
}

// The blanks and TABs after the last line break of the line start's text; "" when the
// line starts inside a comment or literal.
std::string formatter::indentationof(position linestart) const {
    if (linestart == tokens.end() || linestart->kind != whitespace) return "";
    std::string_view text = linestart->text();
    return std::string(text.substr(afterlastlinebreak(text)));
}

// The line that starts at linestart gets width blanks of indentation; the lines that keep
// their shape (-rs) relative to a word on it follow it.
void formatter::setindentation(position linestart, int32_t width) {
    std::string_view text = linestart->text();
    const size_t kept = afterlastlinebreak(text);
    const int32_t shift = rowtringtocolumn(std::string_view(text).substr(kept), 1) - 1 - width;
    std::string indented(text.substr(0, kept));
    indented.append(static_cast<size_t>(width), ' ');
    if (s.amso && shift != 0) rewinds.shrunklines.push_back({linestart->sequence, std::string(text), shift});
    linestart->settext(indented);
    followrelativeshift(std::next(linestart), shift);
}

// The statement leaves the line that starts at linestart: the indentation that the line
// gave up for the statement's words comes back, and so do the -rs shifts measured there.
void formatter::restoreshrunkline(position linestart) {
    int32_t shift = 0;
    const std::string* oldtext = nullptr;
    for (const rewindcontrol::shrunkline& line : rewinds.shrunklines) {
        if (line.linestartsequence != linestart->sequence) continue;
        if (!oldtext) oldtext = &line.oldtext;
        shift += line.shift;
    }
    if (oldtext && linestart->breaksline()) {
        linestart->settext(*oldtext);
        followrelativeshift(std::next(linestart), -shift);
    }
    rewinds.shrunklines.clear();
}

// The tokens from `from` up to the current one moved left by shift columns: the -rs values
// measured at them (the shift of a statement or bracket and the column of a statement's
// keyword, also those that open brackets keep) move as far, so the lines that keep their
// shape relative to those tokens follow them.
void formatter::followrelativeshift(position from, int32_t shift) {
    if (shift == 0) return;
    followlistshift(from, shift);
    if (!s.rs) return;
    auto follow = [shift](int32_t sequence, int32_t indentsequence, int32_t& indent, int32_t keywordsequence,
                          int32_t& keywordat) {
        if (sequence == indentsequence) indent -= shift;
        if (sequence == keywordsequence) keywordat = std::max(keywordat - shift, 0);
    };
    for (position p = from; p != tokens.end(); ++p) {
        const int32_t sequence = p->sequence;
        follow(sequence, statement.relativeindentsequence, statement.relativeindent, statement.relativekeywordsequence,
               statement.relativekeywordcolumn);
        for (bracketentry& entry : brackets.bracketstack)
            follow(sequence, entry.relativeindentsequence, entry.relativeindent, entry.relativekeywordsequence,
                   entry.relativekeywordcolumn);
        for (int32_t level = 1; level <= blocks.blocklevel; ++level)
            if (istext(blocks.blockstack.at(level).blockname, "case") &&
                blocks.relativesequenceatlevel.at(level) == sequence)
                blocks.relativeindentatlevel.at(level) -= shift;
        // A ")" keeps the value of an outer place, which did not move.
        int32_t* stored = relativeindentbytoken.find(sequence);
        if (stored && !istext(p->text(), ")")) *stored -= shift;
        if (p == currenttoken) break;
    }
}

// The tokens from `from` up to the current one moved left by shift columns: the columns of
// the bracketed lists opened there (-clb), of the aligned lists anchored there and of the
// keyword that -pius and -rask measure from move as far, also where brackets keep them.
void formatter::followlistshift(position from, int32_t shift) {
    auto moved = [](int32_t column, int32_t by) { return std::max(column - by, 0); };
    std::vector<int32_t> oldcolumns;  // of the aligned lists anchored on the moved part
    for (position p = from; p != tokens.end(); ++p) {
        if (p == brackets.listopener) brackets.listcolumn = moved(brackets.listcolumn, shift);
        for (bracketentry& entry : brackets.bracketstack)
            if (p == entry.listopener) entry.listcolumn = moved(entry.listcolumn, shift);
        for (int32_t level = 1; level <= alignment.alistlevel; ++level) {
            alignedlistentry& list = alignment.alignedlists.at(level);
            if (list.starttoken != p) continue;
            oldcolumns.push_back(list.column);
            if (level == alignment.alistlevel && alignment.alistcol == list.column)
                alignment.alistcol = moved(alignment.alistcol, shift);
            list.column = moved(list.column, shift);
        }
        if (p == statement.keywordcolumntoken && statement.keywordcolumn >= 0)
            statement.keywordcolumn = moved(statement.keywordcolumn, shift);
        if (p == currenttoken) break;
    }
    auto isold = [&oldcolumns](int32_t column) {
        return std::find(oldcolumns.begin(), oldcolumns.end(), column) != oldcolumns.end();
    };
    for (bracketentry& entry : brackets.bracketstack)
        if (isold(entry.alistcol)) entry.alistcol = moved(entry.alistcol, shift);
    if (isold(brackets.outerbracketstate.alistcol))
        brackets.outerbracketstate.alistcol = moved(brackets.outerbracketstate.alistcol, shift);
}

// -acs: the blanks before the token give up the excess; inside a line one blank stays.
bool formatter::shrinkblanks(int32_t excess) {
    if (!s.acs) return false;
    position before = previoustoken(currenttoken);
    if (before == tokens.end() || before->kind != whitespace) return false;
    if (before->breaksline()) {
        const int32_t width = rowtringtocolumn(indentationof(before), 1) - 1;
        if (width < excess) return false;
        setindentation(before, width - excess);
    } else {
        const int32_t width = tokencolumn(currenttoken) - tokencolumn(before);
        if (width - 1 < excess) return false;
        before->settext(std::string(static_cast<size_t>(width - excess), ' '));
        followrelativeshift(currenttoken, excess);
    }
    outputline.linecolumn = tokenendcolumn(currenttoken) + 1;
    return true;
}

// -aci: the line's indentation gives up the excess; with -acs the blanks before the token
// may give up what the indentation cannot.
bool formatter::shrinkindentation(int32_t excess) {
    if (!s.aci) return false;
    position linestart = linestartof(currenttoken);
    const bool indentable = linestart->kind == whitespace;
    const int32_t indentation = indentable ? rowtringtocolumn(indentationof(linestart), 1) - 1 : 0;
    if (indentable && indentation >= excess) {
        setindentation(linestart, indentation - excess);
    } else {
        position before = previoustoken(currenttoken);
        if (!s.acs || !indentable || before == linestart || before->kind != whitespace || before->breaksline())
            return false;
        const int32_t blanks = tokencolumn(currenttoken) - tokencolumn(before);
        if (indentation + blanks - 1 < excess) return false;
        setindentation(linestart, 0);
        before->settext(std::string(static_cast<size_t>(blanks - (excess - indentation)), ' '));
        followrelativeshift(currenttoken, excess - indentation);
    }
    outputline.linecolumn = tokenendcolumn(currenttoken) + 1;
    return true;
}

// The trailing run of "-" or "*" that decorates a comment: after "--" in a single-line
// comment; between "/*" and "*/" in a block comment (so "/**/" has none). Gives its end.
size_t formatter::commentdecoration(position t, size_t& end) const {
    std::string_view text = t->text();
    // Blanks after the decoration stay where they are.
    auto beforeblanks = [&text](size_t at, size_t start) {
        while (at > start && isblankortab(text[at - 1])) --at;
        return at;
    };
    if (t->kind == singlelinecomment) {
        end = beforeblanks(text.size(), 0);
        size_t run = 0;
        while (run < end && text[end - 1 - run] == '-') ++run;
        return run > 2 ? run - 2 : 0;
    }
    // Only the last piece of a block comment ends it.
    position after = std::next(t);
    if (after != tokens.end() && after->sequence == t->sequence + 1) return 0;
    size_t start = startswith(text, "/*") ? 2 : 0;
    end = endswith(text, "*/") && text.size() >= start + 2 ? text.size() - 2 : text.size();
    end = beforeblanks(end, start);
    if (end <= start || (text[end - 1] != '-' && text[end - 1] != '*')) return 0;
    size_t run = 0;
    while (end - run > start && text[end - 1 - run] == text[end - 1]) ++run;
    return run;
}

// -asc: a comment's trailing decoration gives up the excess; a generated comment never.
bool formatter::shortencomment(int32_t excess) {
    position t = currenttoken;
    if (!s.asc || t->classcode == classinserted) return false;
    if (t->kind != singlelinecomment && t->kind != blockcomment) return false;
    size_t end = 0;
    if (commentdecoration(t, end) < static_cast<size_t>(excess)) return false;
    std::string text(t->text());
    text.erase(end - static_cast<size_t>(excess), static_cast<size_t>(excess));
    t->settext(text);
    textchanged = 1;
    outputline.linecolumn = tokenendcolumn(t) + 1;
    return true;
}

// -abuc, -abusc, -acoslc: a comment that reaches beyond the limit goes on on a new line
// from its last blank run before the limit. A single-line comment alone on its line goes on
// as a "--" comment; one after code becomes a block comment over the two lines.
bool formatter::breakcomment() {
    position t = currenttoken;
    if (t->classcode == classinserted) return false;
    const bool single = t->kind == singlelinecomment;
    if (t->kind != blockcomment && !(single && s.acoslc)) return false;
    position before = previoustoken(t);
    const bool alone = before == tokens.end() || before->breaksline() || startswithlinebreak(t->text());
    if (!s.abuc && !(s.abusc && alone)) return false;

    std::string_view text = t->text();
    std::string rest;
    bool broke = false;
    const size_t lead = static_cast<size_t>(splitleadinglinebreak(text, rest, broke));
    const size_t contentstart = lead + ((startswith(rest, "/*") || startswith(rest, "--")) ? 2 : 0);
    const size_t contentend = !single && endswith(text, "*/") ? text.size() - 2 : text.size();
    // The last blank run that starts within the limit, with words before and after it.
    int32_t column = broke ? 1 : tokencolumn(t);
    size_t runstart = std::string::npos, runend = 0;
    bool wordseen = false;
    for (size_t i = lead; i < contentend && column <= s.mcs + 1;) {
        if (i < contentstart || !isblankortab(text[i])) {
            wordseen = wordseen || i >= contentstart;
            column = rowtringtocolumn(std::string_view(text).substr(i, 1), column);
            ++i;
            continue;
        }
        size_t j = i;
        while (j < contentend && isblankortab(text[j])) ++j;
        if (wordseen && j < contentend) {
            runstart = i;
            runend = j;
        }
        column = rowtringtocolumn(std::string_view(text).substr(i, j - i), column);
        i = j;
    }
    if (runstart == std::string::npos) return false;

    std::string first(text.substr(0, runstart));
    std::string second(text.substr(runend));
    int32_t kind = t->kind;
    if (single && alone) {
        std::string continued = "-- ";
        continued += second;
        second = std::move(continued);
    } else if (single) {
        first = first.substr(0, lead) + "/*" + defusecommentcloser(std::string_view(first).substr(lead + 2));
        second = defusecommentcloser(second) + " */";
        kind = blockcomment;
    }
    const int32_t sequence = t->sequence;
    // The pieces that ran on from the comment keep running on from its new last piece.
    int32_t expected = sequence + 1;
    for (position p = std::next(t); p != tokens.end() && p->sequence == expected; ++p, ++expected) p->sequence += 2;
    // The rest lines up with the line it comes from: a later line of a comment keeps its
    // own blanks.
    std::string indentation = broke ? rest.substr(0, rest.find_first_not_of(" \t")) : indentationof(linestartof(t));
    t->settext(first);
    t->kind = kind;
    position after = std::next(t);
    tokens.insert(after, token(linebreaktext + indentation, whitespace, classinserted, sequence + 1, -1));
    tokens.insert(after, token(second, kind, 0, sequence + 2, -1));
    textchanged = 1;
    outputline.linecolumn = tokenendcolumn(t) + 1;
    return true;
}

// A line break with text goes before t. Blanks just before t would trail the line: they
// become the line break.
position formatter::placelinebreak(position before, position t, const std::string& text) {
    if (before != tokens.end() && before->kind == whitespace) {
        before->settext(text);
        before->classcode = classinserted;
        return before;
    }
    return tokens.insertnew(t, text, whitespace, classinserted, -(sequencecounter++));
}

// -amso: the statement moves to a new line and is formatted again from there. Not when it
// starts its line already, starts inside brackets or after a comment on its line (unless
// -amc: the comment moves with it), or when a block or routine header began in it
// (formatting it again would open that twice).
bool formatter::movestatement() {
    if (!s.amso || !rewinds.statementsnapshottaken || statement.statementstartdepth != 0) return false;
    // A comment after the end of a statement is noted as the next one's start before the
    // snapshot of that start is taken: formatted again from the last one, the statement
    // before would be open again (and a SQL*Plus line after it read as its text).
    if (rewinds.statementsnapshot.loop.statement.statementstarttoken != statement.statementstarttoken) return false;
    if (!rewinds.alignrows.empty() || rewinds.alignline || !rewinds.alignenabled) return false;
    const layoutvalues& atstart = rewinds.statementstartlayout;
    if (blocks.blocklevel != atstart.blocklevel || blocks.begincount != atstart.begincount ||
        blocks.subprogramnames.size() != atstart.units)
        return false;
    position start = statement.statementstarttoken;
    // Comments in front of the statement on its line go with it.
    position from = start;
    for (position p = previoustoken(start); p != tokens.end() && !p->breaksline(); p = previoustoken(p)) {
        if (p->kind == whitespace) continue;
        if (p->kind != blockcomment || p->classcode == classinserted) break;
        from = p;
    }
    if (from != start && !s.amc) return false;
    position before = previoustoken(from);
    if (from == tokens.begin() || before == tokens.end() || before->breaksline()) return false;
    if (!breakableat(from)) return false;

    restoreshrunkline(linestartof(from));
    position made = placelinebreak(before, from, linebreaktext);
    restore(rewinds.statementsnapshot, start);
    restorelayout(rewinds.statementstartlayout);
    blocks.loopheaderopen = blocks.afterend = 0;
    alignment.alignmentrequested = 0;
    closeallbrackets();
    currenttoken = made;
    currentword = made->text();
    return true;
}

// The line break goes before the token, at the line's indentation; never at "/", before a
// "-" that ends a line (a SQL*Plus continuation), after a "-" (a sign, or a new continuation),
// between tokens read together or, with -pcr, before a comma; never before a generated
// comment, and before any other comment only with -amc.
// The column limit may put a line break before t, inside a line.
bool formatter::limitbreaksbefore(position t) const {
    const bool comment = t->kind == singlelinecomment || t->kind == blockcomment;
    if (comment && (!s.amc || t->classcode == classinserted)) return false;
    if (istext(t->text(), "/") || !breakableat(t)) return false;
    // With -pcr a comma never starts a line: the line breaks after it instead.
    return !(s.pcr && istext(t->text(), ","));
}

bool formatter::breakbeforetoken() {
    position t = currenttoken;
    if (!limitbreaksbefore(t)) return false;
    position before = previoustoken(t);
    if (before == tokens.end() || before->breaksline() || linestartof(t) == t) return false;

    // Laid out again after an alignment group: the group is formed anew from its output lines.
    if ((!rewinds.alignenabled || rewinds.regroupwatch) && partsgrouprow(t)) ++rewinds.replaybreaks;
    position made = placelinebreak(before, t, linebreaktext + indentationof(linestartof(t)));
    restorelayout(rewinds.tokenstartlayout);
    // A statement moved to a line of its own finds due the line-break rule of the block before
    // it, as it does when it starts its line.
    if (t == rewinds.droppedbeforeword.word) {
        outputline.linebreakstate = 2;
        outputline.keeplinebreak = rewinds.droppedbeforeword.keep;
        outputline.removelinebreaks = rewinds.droppedbeforeword.remove;
    }
    outputline.linecolumn = 1;
    currenttoken = made;
    currentword = made->text();
    return true;
}

// The bracket, block and LOOP rules that the first pass left for a token beyond the limit.
void formatter::rundeferredrules() {
    position t = currenttoken;
    if (directivepath) {
        switchbranch(0);
        return;
    }
    bracketrule(0);
    if (!blocks.afterend) blocks.afterend = rewinds.tokenstartlayout.afterend;
    if (!blocks.loopheaderopen) blocks.loopheaderopen = rewinds.tokenstartlayout.loopheaderopen;
    // A LOOP whose statement the first pass ended already is not ended twice.
    if (t->classcode == classloop && statement.statementstate != 2) endofstatement(0);
    openblock(0);
    if (!isinsignificant(t->kind)) {
        if (!istext(statement.lastvalue, "novalue")) statement.lastvalue = "novalue";
        blocks.afterend = 0;
    }
    closeblock(0);
}
