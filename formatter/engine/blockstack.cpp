// The block stack and END handling: block levels opened at block keywords and closed at END,
// the word after END checked against its block, end-of-block information (-sbi, -rbi), the
// line-break rules after blocks, a "/" that ends a unit, and the per-line reset.
#include "formatter.h"
#include "wordset.h"
#include "support.h"

namespace {

bool opensblock(int32_t classcode) {
    switch (classcode) {
    case classif:
    case classloop:
    case classfor:
    case classwhile:
    case classcursor:
    case classcase:
    case classdeclare:
    case classbegin:
    case classwhen:
    case classelse: return true;
    default: return false;
    }
}

bool islinebreaktoken(const token& t) { return t.kind == whitespace && t.breaksline(); }

// Where the line break at the end of text begins when only blanks and tabs follow it;
// npos when text does not end that way.
size_t finallinebreak(std::string_view text) {
    size_t end = text.find_last_not_of("\t ");
    if (end == std::string::npos || (text[end] != '\n' && text[end] != '\r')) return std::string::npos;
    return (text[end] == '\n' && end > 0 && text[end - 1] == '\r') ? end - 1 : end;
}

}  // namespace

std::string blockinfotext(std::string text, int32_t max) {
    // Taking "*/" out may join a new one ("**//"): the search goes on one byte earlier.
    for (size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/", at > 0 ? at - 1 : 0))
        text.erase(at, 2);
    chomp(text);
    std::string squeezed = squeezedspace(text, true, false);
    size_t limit = static_cast<size_t>(max < 0 ? 0 : max);
    if (squeezed.size() > limit) squeezed = squeezed.substr(0, limit) + "...";
    return squeezed;
}

int32_t formatter::tokenendcolumn(position pos) { return columnafter(*pos, tokencolumn(pos)) - 1; }

bool formatter::beyondcolumnlimit() {
    return s.mcs != 0 && currenttoken != tokens.end() && tokenendcolumn(currenttoken) > s.mcs;
}

bool formatter::deferredbylimit(int32_t firstpass) {
    return firstpass == 1 && outputline.linebroken == 0 && beyondcolumnlimit();
}

// Blocks, brackets or $IF directives nested deeper than real code goes: the output's
// indentation and the state the rules keep per level would grow with the square of the
// text, so the file fails.
constexpr size_t maxnesting = 1000;

void formatter::checknesting(size_t depth) {
    if (depth <= maxnesting) return;
    die("nesting deeper than " + numtostring(static_cast<long long>(maxnesting)) + " levels at line " +
        numtostring(tokenline(currenttoken)) + "\n");
}

// A structural error: the message, the block stack (with the level just closed when
// `reopen`), and the end of the file with code 2.
void formatter::blockerror(const std::string& message, bool reopen) {
    printout(messages, message);
    if (reopen) ++blocks.blocklevel;
    listblockstack();
    dieline(2);
}

void formatter::reindentlinestart(position whitespacetoken, const std::string& indentation) {
    if (whitespacetoken == tokens.end() || whitespacetoken->kind != whitespace) return;
    std::string_view text = whitespacetoken->text();
    size_t at = finallinebreak(text);
    if (at == std::string_view::npos) return;
    std::string indented(text.substr(0, at));
    indented += linebreaktext;
    indented += indentation;
    if (indented != text) whitespacetoken->settext(indented);
}

void formatter::reindentbreaks(position whitespacetoken, const std::string& replacement) {
    if (whitespacetoken == tokens.end() || whitespacetoken->kind != whitespace) return;
    std::string_view text = whitespacetoken->text();
    std::string indented;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            indented += c;
            ++i;
            continue;
        }
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        indented += replacement;
    }
    if (indented != text) whitespacetoken->settext(indented);
}

// ---------------------------------------------------------------------------------------
// Opening blocks.

bool formatter::openblock(int32_t firstpass) {
    position t = currenttoken;
    int32_t c = t->classcode;
    if (!opensblock(c)) return false;
    if (deferredbylimit(firstpass)) return false;
    if (c == classfor && statement.indeclarations) return false;  // FOR UPDATE of a cursor
    if (c == classloop && blocks.loopheaderopen && !blocks.afterend) {
        // The FOR or WHILE level stands for the loop; a query in its header
        // (FOR r IN (SELECT ...) LOOP) ends here.
        if (endalignmentgroup()) return false;
        blocks.loopheaderopen = 0;
        // The header is over: the next word starts a statement (a CASE there is a statement).
        statement.statementstate = 2;
        statement.sqlstatement = 0;
        statement.statementword.clear();
        endloopcondition();
        return false;
    }
    if (statement.sqlstatement && c != classwhen && c != classcase) return false;
    if (c == classbegin) {
        ++blocks.begincount;
        statement.statementstate = 2;
        statement.indeclarations = 0;
        statement.indeclarationpart = 0;
        statement.assignmentseen = 0;
    }
    if (endalignmentgroup()) return false;
    if (outsideblocks(c)) return false;
    checksyntaxmissingkeywords();
    if (c == classwhen && !whenopenslevel()) return false;
    if (c == classbegin) beginafterheader();
    if (c == classdeclare) {
        statement.statementstate = 2;
        statement.indeclarations = 1;
    }
    if (c == classloop) endloopcondition();
    // The kind word of END IF, END LOOP and END CASE.
    if (blocks.afterend && (c == classif || c == classloop || c == classcase)) return false;
    if (c == classelse) {
        noteelse();
        return false;
    }
    notekeywordsexpected(c);
    pushblock(c);
    blocks.afterend = 0;
    if (c == classfor || c == classwhile) blocks.loopheaderopen = 1;
    return true;
}

// A block word ends the consecutive-alignment group; true while the group's rows wait to be
// laid out (the alignment rules come back to this token).
bool formatter::endalignmentgroup() {
    if (!rewinds.alignrows.empty()) rewinds.groupended = 1;
    return alignmentpending();
}

// -ac: the aligned list of a WHILE condition ends at its LOOP.
void formatter::endloopcondition() {
    if (!s.ac || !alignment.processingalignedlist || alignment.alistlevel <= 0) return;
    if (alignment.alignedlists.at(alignment.alistlevel).word != "while") return;
    alignment.processingalignedlist = 0;
    alignment.alignmentrequested = 0;
    --alignment.alistlevel;
}

// Outside every block (or right under a subprogram header) only BEGIN, DECLARE, CURSOR,
// WHEN and CASE count; with -w a block word that starts a statement there is reported.
bool formatter::outsideblocks(int32_t c) {
    bool atlevelzero = blocks.blocklevel == 0;
    bool underheader = blocks.blocklevel == 1 && tables().unitkind->partialmatch(blocks.blockstack.at(1).blockname);
    if (!atlevelzero && !underheader) return false;
    if (c == classbegin || c == classdeclare || c == classcursor || c == classwhen || c == classcase) return false;
    if (s.w && atlevelzero) {
        position before = previoussignificant(currenttoken);
        if (before == tokens.begin() || istext(before->text(), "/") || istext(before->text(), ";")) {
            std::string warning = "Warning:";
            warning += currenttoken->text();
            warning += " is ignored as it is not in a block at line ";
            warning += numtostring(tokenline(currenttoken));
            warning += " col ";
            warning += numtostring(currenttoken->column);
            warning += " in " + s.inputfilealias + "\n";
            printout(messages, warning);
        }
    }
    return true;
}

// EXIT WHEN and CONTINUE WHEN (a label may stand between) open nothing; a WHEN opens a level
// under a CASE with -iacw, and as an exception handler with -iaew; the next branch of either
// shares the level of the first.
bool formatter::whenopenslevel() {
    position before = previoussignificant(currenttoken);
    auto loopexit = [](position p) { return p->classcode == classexit || isword(p->text(), "continue"); };
    if (before != tokens.begin()) {
        if (loopexit(before)) return false;
        position label = previoussignificant(before);
        if (before->kind == identifier && before->classcode == 0 && label != tokens.begin() && loopexit(label))
            return false;
    }
    if (s.kwtt) {
        statement.keepthenpending = 1;
        statement.lastsolidtoken = currenttoken;
    }
    const std::string& name = blocks.blockstack.at(blocks.blocklevel).blockname;
    if (name == "case") return s.iacw != 0;
    if (name == "when") return false;
    // A handler stands in a block's EXCEPTION part: not inside a SQL statement (MERGE ...
    // WHEN MATCHED) and not in a trigger header (its WHEN clause).
    return s.iaew && statement.sqlstatement == 0 && name != "trigger";
}

// The BEGIN of a DECLARE, a subprogram or a package body ends the declarations, which its
// header level indents only with -id; the BEGIN line goes where its header stands. A BEGIN
// inside a body keeps the line that its level gives it.
void formatter::beginafterheader() {
    linerecord& top = blocks.blockstack.at(blocks.blocklevel);
    bool header = tables().unitkind->partialmatch(top.blockname);
    if (!istext(top.blockname, "declare") && !istext(top.blockname, "package") && !header) return;
    top.extraindent = 0;
    if (istext(top.blockname, "declare") && blocks.blocklevel >= 2) {
        linerecord& below = blocks.blockstack.at(blocks.blocklevel - 1);
        if (tables().unitkind->partialmatch(below.blockname)) below.extraindent = 0;
    }
    std::string indentation = indentline(blocks.blocklevel - 1, s.ni);
    if (s.in) reindentlinestart(outputline.linestarttoken, indentation);
}

void formatter::noteelse() {
    linerecord& r = blocks.blockstack.at(blocks.blocklevel);
    if (r.elseseen) r.multielse = 1;
    r.elseseen = 1;
    r.elseline = tokenline(currenttoken);
    position after = nextsignificant(std::next(currenttoken));
    if (after != tokens.end() && after->classcode == classif) r.hasif = 1;
}

void formatter::notekeywordsexpected(int32_t c) {
    int32_t line = tokenline(currenttoken);
    if (s.cmk) {
        if (c == classif) {
            blocks.thenexpected = 1;
            blocks.thenline = line;
        } else if (c == classfor || c == classwhile) {
            blocks.loopexpected = 1;
            blocks.loopkeyword = c == classfor ? "for" : "while";
            blocks.loopline = line;
        }
    }
    bool keepthen = (c == classif && s.kitt) || (c == classwhen && s.kwtt);
    bool keeploop = (c == classfor && s.kflt) || (c == classwhile && s.kwlt);
    if (keepthen) statement.keepthenpending = 1;
    if (keeploop) statement.keeplooppending = 1;
    if (keepthen || keeploop) statement.lastsolidtoken = currenttoken;
}

// The innermost level is a CASE expression, or a WHEN level of one.
bool formatter::incaseexpression() {
    int32_t level = blocks.blocklevel;
    if (level > 1 && istext(blocks.blockstack.peek(level).blockname, "when") &&
        blocks.blockstack.peek(level - 1).blockname == "case")
        --level;
    const linerecord& r = blocks.blockstack.peek(level);
    return istext(r.blockname, "case") && r.iscasestatement == 0;
}

// A CASE that begins a statement is a statement, unless RETURN, an operator, "(", "," or the
// THEN, ELSE or WHEN of an enclosing CASE expression stands before it.
bool formatter::startscasestatement() {
    if (statement.statementstate != 1) return false;
    position before = previoussignificant(currenttoken);
    if (before == tokens.begin()) return true;
    if (before->kind == othertoken) return istext(before->text(), ";") || istext(before->text(), ">>");
    if (isword(before->text(), "return")) return false;
    const int32_t c = before->classcode;
    return !((c == classthen || c == classelse || c == classwhen) && incaseexpression());
}

void formatter::pushblock(int32_t c) {
    position t = currenttoken;
    std::string name = lc(t->text());
    // The text of the statement the block stands in.
    std::string context =
        alignment.processingalignedlist && istext(alignment.alignmentword, ":=") ? ":=" : statement.statementword;
    checknesting(static_cast<size_t>(blocks.blocklevel) + 1);
    ++blocks.blocklevel;
    blocks.blockstack.at(blocks.blocklevel + 1).blockname.clear();
    linerecord fresh;
    if (c == classbegin && !blocks.subprogramnames.empty() && blocks.subprogrambegins.back() == 0) {
        name = lc(blocks.subprogramnames.back()) + "begin";
        blocks.subprogrambegins.back() = 1;
    }
    fresh.blockname = name;
    fresh.openertoken = t;
    fresh.openerstatement = statement.statementstartposition;
    fresh.whenlevel = c == classwhen ? 1 : 0;
    if (c == classcase) {
        fresh.iscasestatement = startscasestatement() ? 1 : 0;
        blocks.relativeindentatlevel.at(blocks.blocklevel) = statement.relativeindent;
        blocks.relativesequenceatlevel.at(blocks.blocklevel) = statement.relativeindentsequence;
        if (s.rs && rewinds.alignenabled && !statement.statementword.empty()) selecttrace();
    }
    fresh.startline = tokenline(t);
    fresh.startcolumn = tokencolumn(t) - 1;
    fresh.extraindent = (c == classdeclare && !s.id) ? 0 : 1;
    fresh.contexttext = context;
    blocks.blockstack.at(blocks.blocklevel) = std::move(fresh);
    if (s.str) printtraceline(blocks.blocklevel - 1, name, t);
}

// ---------------------------------------------------------------------------------------
// Closing blocks.

bool formatter::closeblock(int32_t firstpass) {
    if (currenttoken->classcode != classend) {
        blocks.blockstack.at(blocks.blocklevel + 1).blockname.clear();
        return false;
    }
    return closeblockatend(firstpass);
}

// Every token passes closeblock; the work for an END stays out of that quick path.
[[gnu::noinline]] bool formatter::closeblockatend(int32_t firstpass) {
    position t = currenttoken;
    if (endalignmentgroup()) return true;
    if (deferredbylimit(firstpass)) return true;
    checksyntaxmissingkeywords();
    if (s.dbvn) forgetdeclarednames();

    blockend end = endofblock();
    --blocks.blocklevel;
    int32_t endline = tokenline(t);
    if (s.l != -1) listblockend(end.closed, endline);
    if (blocks.blocklevel < 0) {
        std::string message = s.inputfilealias + " line ";
        message += numtostring(endline);
        message += " Syntax error:Too many End if/loop or end\n";
        blockerror(message, true);
    }
    if (s.str) printtraceline(blocks.blocklevel, "END " + end.closed.blockname, t);

    std::string indentation = indentline(blocks.blocklevel, s.ni);
    if (s.in && alignment.processingalignedlist == 0 && brackets.listinprogress == 0 &&
        (statement.keeprelative == 0 || statement.sqlstatement == 0))
        reindentbreaks(std::prev(t), linebreaktext + indentation);

    blocks.afterend = 1;
    position word = nextsignificant(std::next(t));
    std::string b = (word != tokens.end() && word->kind != endtoken) ? lc(word->text()) : "";
    // The name of a unit after its END, though spelled like a keyword (END loop, END delete),
    // closes nothing and opens nothing.
    if (!b.empty() && word->kind == identifier && b == lc(end.unitname)) {
        word->classcode = 0;
        b.clear();
    }
    bool show = s.sbi && blocklines(end, t, endline) >= s.sbi_ml;
    if (show || s.rbi) placeblockinformation(word, show ? end.information : "");

    if ((!end.expected.empty() && b != end.expected) ||
        (end.expected.empty() && (b == "if" || b == "case" || b == "loop"))) {
        std::string expected = end.expected.empty() ? "<nothing>" : end.expected;
        printout(messages, "expected " + expected + "\n");
        std::string message = "at " + s.inputfilealias + " line ";
        message += numtostring(endline);
        message += ":'end " + expected + "' not found but found 'end " + b + "'\n";
        blockerror(message, true);
    }
    blocks.blockstack.at(blocks.blocklevel + 1).blockname.clear();
    return true;
}

// The lines of a closed block, from its opener's line to the END's, as they are written (the
// column limit and the joins may have added or taken some, and the next run counts those):
// counted only as far as -sbi.ml asks. Without its opener, the lines as read.
int64_t formatter::blocklines(const blockend& end, position endword, int32_t endline) const {
    const position opener = end.closed.openertoken;
    if (opener == position()) return int64_t(endline) - end.startline + 1;
    int64_t lines = 1;
    for (position p = std::next(opener); p != endword && p != tokens.end() && lines < s.sbi_ml; ++p)
        if (p->breaksline()) lines += countlinebreaks(p->text());
    return lines;
}

// A name declared in a block is forgotten at its END.
void formatter::forgetdeclarednames() {
    if (blocks.blocklevel >= 1) declared.forget(blocks.blocklevel - 1);
}

void formatter::notelinebreakrule(int32_t keep, int32_t remove) {
    if (keep) outputline.keeplinebreak = 1;
    if (remove) outputline.removelinebreaks = 1;
    if (keep || remove) outputline.linebreakstate = 1;
}

// The levels an END closes (all but the last; the caller lowers the level once more), what
// must follow it, and the header text its end-of-block information shows.
formatter::blockend formatter::endofblock() {
    if (istext(blocks.blockstack.at(blocks.blocklevel).blockname, "when"))
        --blocks.blocklevel;  // the CASE or handler too
    const linerecord& r = blocks.blockstack.at(blocks.blocklevel);
    blockend end;
    end.closed = r;
    end.startline = r.startline;
    const std::string& name = r.blockname;
    if (name == "while" || name == "for") {
        end.expected = "loop";
        end.information = headertext(r.openertoken, classloop);
        if (name == "while") notelinebreakrule(s.mlaw, s.rlaw);
        else notelinebreakrule(s.mlaf, s.rlaf);
    } else if (name == "loop") {
        end.expected = "loop";
        end.information = r.openertoken != position() ? lc(r.openertoken->text()) : name;
        notelinebreakrule(s.mlal, s.rlal);
    } else if (name == "begin") {
        if (blocks.blocklevel >= 2 && blocks.blockstack.at(blocks.blocklevel - 1).blockname == "declare")
            --blocks.blocklevel;
    } else if (name == "functionbegin" || name == "procedurebegin" || name == "triggerbegin") {
        closesubprogrambody(end);
    } else if (tables().unitkind->partialmatch(name)) {
        // A subprogram closed by END without the BEGIN of its body.
        beginnotfound(r.unitname);
    } else if (name == "package" || name == "type") {
        end.unitname = r.unitname;
        notelinebreakrule(s.mlapa, s.rlapa);
    } else if (name == "if") {
        end.expected = "if";
        end.information = headertext(r.openertoken, classthen);
        notelinebreakrule(s.mlai, s.rlai);
    } else if (name == "case") {
        if (r.iscasestatement == 1 && statement.sqlstatement == 0 && statement.assignmentseen == 0) {
            end.expected = "case";
        } else {
            statement.relativeindent = blocks.relativeindentatlevel.at(blocks.blocklevel);
            statement.relativeindentsequence = blocks.relativesequenceatlevel.at(blocks.blocklevel);
        }
        end.information = headertext(r.openertoken, classwhen);
    }
    // The initialisation part of a package body.
    if (blocks.blocklevel >= 2 && istext(blocks.blockstack.at(blocks.blocklevel).blockname, "begin") &&
        blocks.blockstack.at(blocks.blocklevel - 1).blockname == "package") {
        --blocks.blocklevel;
        const linerecord& package = blocks.blockstack.at(blocks.blocklevel);
        end.expected.clear();
        std::string opener = package.openertoken != position() ? lc(package.openertoken->text()) : "package";
        end.information = opener + " " + writtenname(package.unitname);
        end.unitname = package.unitname;
        end.startline = package.startline;
        notelinebreakrule(s.mlapa, s.rlapa);
    }
    return end;
}

void formatter::closesubprogrambody(blockend& end) {
    int32_t level = blocks.blocklevel;
    if (level >= 2 && blocks.blockstack.at(level - 1).blockname == "declare") --level;
    const linerecord& header = blocks.blockstack.at(level >= 1 ? level - 1 : 0);
    if (blocks.subprogrambegins.empty() || blocks.subprogrambegins.back() == 0) beginnotfound(header.unitname);
    const std::string& name = blocks.blockstack.at(blocks.blocklevel).blockname;
    end.information = name.substr(0, name.size() - 5) + " " + writtenname(header.unitname);
    end.unitname = header.unitname;
    notelinebreakrule(s.mlapr, s.rlapr);
    blocks.blocklevel = level;
    if (blocks.blocklevel >= 1 &&
        tables().unitkind->partialmatch(blocks.blockstack.at(blocks.blocklevel - 1).blockname))
        --blocks.blocklevel;
    blocks.subprogramnames.pop_back();
    blocks.subprogrambegins.pop_back();
}

void formatter::beginnotfound(const std::string& unitname) {
    std::string message = s.inputfilealias + " line ";
    message += numtostring(tokenline(currenttoken));
    message += " Syntax error:begin not found for ";
    message += blocks.subprogramnames.empty() ? std::string() : blocks.subprogramnames.back();
    if (!unitname.empty()) message += " " + unitname;
    message += "\n";
    blockerror(message, false);
}

// -l: an END after the listed line that closes a block open there.
void formatter::listblockend(const linerecord& closed, int32_t endline) {
    if (endline <= s.l || blocks.blocklevel >= lastlistedlevel) return;
    const std::string& file = s.inputfilealias;
    if (closed.elseseen && closed.elseline > s.l) {
        std::string text = file + " line ";
        text += numtostring(closed.elseline);
        text += " else \"" + withoutleadingspace(tokenizedline(closed.elseline)) + "\"\n";
        printout(messages, text);
    }
    std::string text = file + " line ";
    text += numtostring(endline);
    text += " END " + closed.blockname + " of \"" + withoutleadingspace(tokenizedline(closed.startline)) + "\"\n";
    printout(messages, text);
    lastlistedlevel = blocks.blocklevel;
}

std::string formatter::headertext(position opener, int32_t stopclass) {
    if (!s.sbi || opener == position()) return "";
    for (position p = opener; p != tokens.end() && p->kind != endtoken; ++p) {
        if (p != opener && p->classcode == stopclass) {
            position end = stopclass == classwhen ? std::prev(p) : p;
            return jointokentexts(opener, end);
        }
        if (istext(p->text(), ";")) break;
    }
    return "";
}

// The old end-of-block comment after the END statement's ";" goes; with new information a
// comment of it takes its place right after the ";".
void formatter::placeblockinformation(position word, const std::string& information) {
    if (word == tokens.end() || word->kind == endtoken) return;
    position semicolon = word;
    if (!istext(word->text(), ";")) {
        semicolon = nextsignificant(std::next(word));
        // END LOOP label; and END IF label; carry a label before the ";".
        if (semicolon != tokens.end() && semicolon->kind == identifier)
            semicolon = nextsignificant(std::next(semicolon));
    }
    if (semicolon == tokens.end() || !istext(semicolon->text(), ";")) return;
    position place = nextonsameline(std::next(semicolon));
    const std::string marker = "/*" + s.sbi_m;
    if (place != tokens.end() && place->kind == blockcomment && startswith(place->text(), marker)) {
        position after = removetokenrun(place);
        for (position blank = std::next(semicolon); blank != after;) blank = tokens.erase(blank);
        textchanged = 1;
    }
    if (information.empty() || !s.sbi) return;
    token comment(marker + blockinfotext(information, s.sbi_max) + "*/", blockcomment, classinserted,
                  tokens.back().sequence + 1, -1);
    tokens.insert(std::next(semicolon), std::move(comment));
    textchanged = 1;
}

// ---------------------------------------------------------------------------------------
// Units, declarations and line starts.

void formatter::slashatlevelzero() {
    if (blocks.blocklevel != 0 || (brackets.bracketdepth != 0 && s.ifsib)) return;
    if (!istext(currentword, "/") || currenttoken == tokens.begin()) return;
    position before = std::prev(currenttoken);
    if (!before->breaksline()) return;
    // SQL*Plus runs the statement at a "/" line, whether or not it ended in ";": the next
    // line may be a SQL*Plus command (also where -ifsl keeps the unit open for the checks).
    if (brackets.bracketdepth == 0) {
        statement.statementstate = 2;
        statement.sqlpluspossible = 1;
    }
    if (s.ifsl) return;
    checksyntaxmissingkeywords();
    if (!checkblockpairs()) {
        listblockstack();
        dieline(2);
    }
    statement.keeprelative = 0;
    statement.statementword.clear();
    statement.insidemerge = 0;
    statement.sqlstatement = 0;
    statement.keywordcolumn = -1;
    alignment.processingalignedlist = 0;
    if (alignment.alistlevel > 0) --alignment.alistlevel;
    brackets.listinprogress = 0;
    blocks.newunit = 1;
    statement.indeclarations = 0;
    statement.indeclarationpart = 0;
    // No statement goes on after the unit: the next line may be a SQL*Plus command.
    statement.statementstate = 2;
    if (s.in) reindentbreaks(before, linebreaktext);
}

bool formatter::beginline() {
    if (currenttoken != tokens.begin()) outputline.atlinestart = 0;
    if (!haslinebreak(currentword)) return false;
    // -milipl: the line after a comma joins the line of the comma.
    if (outputline.lineitems < s.milipl && joinaftercomma()) return true;
    if ((rewinds.sharedtoken != position() || !rewinds.alignrows.empty() || rewinds.groupshared != position()) &&
        judgeendedline())
        return true;
    outputline.atlinestart = 1;
    outputline.linecolumn = 1;
    outputline.lineitems = 0;
    outputline.linestarttoken = currenttoken;
    outputline.linebroken = 0;
    if (outputline.linebreakstate == 2 && currenttoken->kind == whitespace) applylinebreakrule();
    if (s.l != -1) listblockstackatline();
    return false;
}

// The line-break rule noted at an END, due now: keep one empty line after the block, or
// remove the empty lines (both: exactly one stays).
void formatter::applylinebreakrule() {
    position next = std::next(currenttoken);
    bool breaknext = next != tokens.end() && islinebreaktoken(*next);
    auto insertbreak = [this] {
        token linebreak(linebreaktext, whitespace, classinserted, -(sequencecounter++), -1);
        tokens.insert(std::next(currenttoken), std::move(linebreak));
    };
    // An empty line after a line that a "-" continues ends what that line continues: it stays.
    if (!breaknext && outputline.keeplinebreak) {
        insertbreak();
    } else if (breaknext && outputline.removelinebreaks && !continuedbefore(currenttoken)) {
        while (next != tokens.end() && islinebreaktoken(*next)) next = tokens.erase(next);
        if (outputline.keeplinebreak) insertbreak();
    }
    outputline.linebreakstate = outputline.keeplinebreak = outputline.removelinebreaks = 0;
}

// -l: at the start of the listed line, the blocks open there.
void formatter::listblockstackatline() {
    position next = std::next(currenttoken);
    int32_t line = next != tokens.end() ? tokenline(next) : tokenline(currenttoken) + 1;
    if (line != s.l || lastlistedline == line) return;
    lastlistedline = line;
    const std::string& file = s.inputfilealias;
    for (int32_t level = 1; level <= blocks.blocklevel; ++level) {
        const linerecord& r = blocks.blockstack.at(level);
        std::string text = file + " line ";
        text += numtostring(r.startline);
        text += " " + r.blockname + " \"" + withoutleadingspace(tokenizedline(r.startline)) + "\"\n";
        if (r.elseseen) {
            text += file + " line ";
            text += numtostring(r.elseline);
            text += " else \"" + withoutleadingspace(tokenizedline(r.elseline)) + "\"\n";
        }
        printout(messages, text);
    }
    std::string now = file + " line ";
    now += numtostring(line);
    now += " NOW\n";
    printout(messages, now);
    lastlistedlevel = blocks.blocklevel;
}
