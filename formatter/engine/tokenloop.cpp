// The token loop: every token passes the per-token rules in a fixed order. A rule may send
// the loop to the end-of-token steps, or make it start the current token again.
#include "formatter.h"
#include "wordset.h"
#include "globals.h"
#include "support.h"

namespace {

// Loop steps allowed per token before the file is given up as a runaway.
constexpr int64_t stepspertoken = 50;
constexpr int64_t spareloopsteps = 1000;

}  // namespace

void formatter::runtokenloop() {
    loopsteps = 0;
    loopbudget = stepspertoken * tokens.size() + spareloopsteps;
    currenttoken = tokens.begin();
    while (currenttoken != loopend) {
        if (++loopsteps > loopbudget)
            die("Internal error: formatting did not come to an end at " + s.inputfilealias + " line " +
                numtostring(tokenline(currenttoken)) + "\n");
        if (currenttoken->breaksline()) forgetstashbefore(currenttoken);
        if (processtoken() == afterstep::advance) ++currenttoken;
    }
}

formatter::afterstep formatter::processtoken() {
    currentword = currenttoken->text();
    if (s.mcs) savetokenstartlayout();
    // Directive words and their conditions pass only case, columns and their own rules.
    directivepath = (directives.directivetext != 0 || (!currentword.empty() && currentword[0] == '$')) && indirective();
    if (directivepath) {
        notedirective();
    } else {
        notesqlplusstart();
        if (s.w && outputline.spacingallowed == 1) warnmultilineliteral();
        if (statement.statementcountdown == 1) notestatementstart();
        if (statement.insqlplusline == 0) checkendofinput();
        if (statement.insqlplusline == 1 && sqlplusline()) return afterstep::advance;
        advancestatementstate();
    }

    applywordcase();
    if (!directivepath) driverrules();
    trackcolumns();
    if (directivepath) return directivetoken();
    collapseblanks();
    registerdeclaredname();
    sqlstatementstart();
    if (aligndeclarations()) return afterstep::restart;
    alignselects();
    breakstatements();
    putlogicalunder();
    breaklongitemlists();
    if (putcommasright()) return afterstep::restart;
    bracketlistcolumns();
    collecttablenames();
    if (createheader()) return endoftoken();
    keepisastogether();
    packageheader();
    subprogramheader();
    endofstatement(1);
    if (s.str && blocks.blocklevel >= 1)
        printtraceline(blocks.blocklevel - 1, blocks.blockstack.at(blocks.blocklevel).blockname, currenttoken);
    if (blocks.thenexpected && currenttoken->classcode == classthen) blocks.thenexpected = 0;
    else if (blocks.loopexpected && currenttoken->classcode == classloop) blocks.loopexpected = 0;
    keepthentogether();
    openblock(1);
    if (!isinsignificant(currenttoken->kind)) {
        if (!istext(statement.lastvalue, "novalue")) statement.lastvalue = "novalue";
        statement.lastvaluecount = 0;
        blocks.afterend = 0;
    }

    removeoperatorblanks();
    addoperatorblanks();

    bracketrule(1);
    if (alignconsecutive()) return afterstep::restart;
    slashatlevelzero();
    if (closeblock(1)) return endoftoken();
    registerdeclaration();
    if (beginline()) return afterstep::restart;

    endalignedlist();
    indentnormal();
    return endoftoken();
}

formatter::afterstep formatter::endoftoken() {
    // Where a statement, or a block's or routine's head, ended the next word starts a
    // statement (also after the LOOP of a FOR or WHILE): the count set at the end must
    // outlast the token that set it. Directives count for nothing.
    if (!directivepath) {
        if (statement.statementstate == 2 || currenttoken->classcode == classloop) statement.statementcountdown = 1;
        else if (!isinsignificant(currenttoken->kind) && statement.statementcountdown > 0)
            --statement.statementcountdown;
    }
    trackpreviouscolumns();
    return layoutpass() ? afterstep::restart : afterstep::advance;
}

// The driver's own bookkeeping after the case rule: line-break removal, assignments and
// the column of a BETWEEN whose AND goes under it.
void formatter::driverrules() {
    if (s.rael) {
        outputline.linebreakstate = 2;
        outputline.removelinebreaks = 1;
    }
    if (istext(currentword, ":=")) statement.assignmentseen = 1;
    if (s.plouwh && currenttoken->classcode == classbetween)
        statement.andcolumn = tokencolumn(currenttoken) + static_cast<int32_t>(currentword.size()) - 1;
    if (statement.andcolumn >= 0 && currenttoken->classcode == classand) statement.andcolumn = -1;
}

namespace {

// REM, REMARK, PROMPT and their short forms: commands whose text no rule may touch.
bool isremarkorprompt(std::string_view word) {
    if (word.size() < 3 || word.size() > 6) return false;
    const lowered lower(word);
    std::string_view w = lower.view();
    return std::string_view("remark").starts_with(w) || std::string_view("prompt").starts_with(w);
}

// The last token of a command line continues it: a "-", or a quote cut at the line's end
// whose text ends in "-" and blanks.
bool endsinhyphen(const token& last) {
    std::string_view text = last.text();
    if (last.kind == stringliteral || last.kind == qquoteliteral) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
        return text.size() > 1 && text.back() == '-';
    }
    return text == "-";
}

}  // namespace

// A SQL*Plus command can start a line outside every block and statement. A REM or PROMPT
// line is one outside blocks, brackets and SQL statements even after a statement that did
// not end (a command unknown to the rules, a GRANT ended by "/" only).
void formatter::notesqlplusstart() {
    if (currenttoken == tokens.begin() || blocks.blocklevel != 0) return;
    position before = std::prev(currenttoken);
    if (before->kind != whitespace || !before->breaksline()) return;
    const bool remark = currenttoken->kind == identifier && brackets.bracketdepth == 0 && statement.sqlstatement == 0 &&
                        isremarkorprompt(currenttoken->text());
    if (!remark && (statement.sqlpluspossible != 1 || statementinprogress() || statement.indeclarationpart != 0))
        return;
    // @file and @@file run a script, $ and ! run a host command: commands that the word set
    // cannot hold.
    const std::string_view text = currenttoken->text();
    const bool symbol =
        currenttoken->kind == othertoken && (startswith(text, "@") || istext(text, "$") || istext(text, "!"));
    if (currenttoken->kind != identifier && !symbol) return;
    if (remark || symbol || tables().sqlpluscommands.containslowered(text) || unknowncommandline()) {
        statement.sqlplusstatement = 1;
        statement.insqlplusline = 1;
        statement.sqlpluscommand = currentword;
    } else {
        statement.sqlpluspossible = 0;
    }
}

// A line that begins with a word no statement begins with (LOAD t t.csv) is a script command
// the rules do not know: no reserved word, no keyword, and nothing on the line (";", ":=",
// "(", "=>", a final "," or a quote that runs on) that would make it a statement or a
// declaration.
bool formatter::unknowncommandline() const {
    const position word = currenttoken;
    if (word->classcode != 0 || tables().reservedwords.containslowered(word->text())) return false;
    position next = std::next(word);
    if (next == tokens.end() || next->kind != whitespace || next->breaksline()) return false;
    position last = word;
    for (position p = next; p != tokens.end() && p->kind != endtoken && !p->breaksline(); ++p) {
        if (p->kind == singlelinecomment || p->kind == blockcomment) break;
        const std::string_view text = p->text();
        if (istext(text, ";") || istext(text, ":=") || istext(text, "(") || istext(text, "=>")) return false;
        if (p->kind == lonesinglequote || p->kind == lonedoublequote || p->kind == qquoteopener) return false;
        position after = std::next(p);
        if (after != tokens.end() && after->sequence == p->sequence + 1) return false;  // a literal runs on
        if (p->kind != whitespace) last = p;
    }
    return !istext(last->text(), ",");
}

// Inside a SQL*Plus line. True when the current token gets no rules: every token of the line
// and the line breaks inside a continued command.
bool formatter::sqlplusline() {
    position t = currenttoken;
    if (!t->breaksline()) {
        // A quote in the line (PROMPT Don't) must not run into the lines after it.
        position after = std::next(t);
        if ((t->kind == stringliteral || t->kind == qquoteliteral) && after != tokens.end() &&
            after->sequence == t->sequence + 1 && after->breaksline()) {
            retokenizeafter(t);
            loopend = std::prev(tokens.end());
            loopbudget += stepspertoken * tokensadded;
        }
        return true;
    }
    std::string command = lc(statement.sqlpluscommand);
    bool ends = true;
    if (istext(command, "doc") || istext(command, "document")) {
        position after = std::next(t);
        ends = after != tokens.end() && istext(after->text(), "#");
    } else {
        // A "-" at the end of a command line (blanks may follow it) continues the command,
        // also where it ends a quote cut at the line's end (PROMPT That's all -).
        position last = t == tokens.begin() ? t : std::prev(t);
        if (last != tokens.begin() && last->kind == whitespace && !last->breaksline()) last = std::prev(last);
        ends = last == t || !endsinhyphen(*last);
    }
    if (!ends) return true;  // a continued line keeps its indentation too
    statement.insqlplusline = 0;
    statement.sqlpluspossible = 1;
    // The rules see the line break, but none may join the next line to the command.
    outputline.sqlpluslineend = t;
    return false;
}

void formatter::warnmultilineliteral() {
    position t = currenttoken;
    if (t->kind != stringliteral || startswith(t->text(), "'") || t == tokens.begin()) return;
    if (!startswith(std::prev(t)->text(), "'")) return;
    printout(messages, "Warning: quote spans multiple lines starting at line " + numtostring(tokenline(t)) + " col " +
                           numtostring(t->column) + " in " + s.inputfilealias + "\n");
}

void formatter::notestatementstart() {
    statement.statementstarttoken = currenttoken;
    statement.statementstartposition = outputline.tokenposition;
    statement.statementstartdepth = brackets.bracketdepth;
    if (outputline.linebreakstate == 2) {
        position first = nextpastinlineblanks(currenttoken);
        if (first != tokens.end() && first->kind != singlelinecomment && first->kind != whitespace) {
            rewinds.droppedlinebreakrule = {outputline.keeplinebreak, outputline.removelinebreaks};
            rewinds.droppedbeforeword = {first, outputline.keeplinebreak, outputline.removelinebreaks};
            outputline.linebreakstate = outputline.keeplinebreak = outputline.removelinebreaks = 0;
        }
    }
    // The blanks and comments in front of the first word are passed; the word decides.
    if (isinsignificant(currenttoken->kind)) return;
    notestatementlayout();
    matchconditionalswitches(currenttoken);
}

// The -ifs keyword tree is walked with the statement's first significant words; the block
// of the node where the walk stops applies to the statement.
void formatter::matchconditionalswitches(position start) {
    const std::map<std::string, ifsnode>* level = &s.ifskeywords;
    const ifsnode* reached = nullptr;
    for (position word = nextsignificant(start); word != tokens.end() && word->kind != endtoken;
         word = nextsignificant(std::next(word))) {
        auto found = level->find(lc(word->text()));
        if (found == level->end()) break;
        reached = &found->second;
        level = &reached->children;
    }
    if (!reached || reached->index == -1) return;
    int32_t index = reached->index;
    savedsettings.push_back(s);
    applyifsblock(s, index);
    forgetindentsums();
}

void formatter::endalignedlist() {
    if (alignment.processingalignedlist != 1 || tokenline(currenttoken) > alignment.endalistcomma) return;
    std::string indentation = indentline(blocks.blocklevel, s.ni);
    position before = previoustoken(currenttoken);
    if (s.in && currenttoken != tokens.begin()) {
        // Every line break and the blanks after it become the line break and indentation.
        reindentbreaks(before, linebreaktext + indentation);
    } else if (!s.in && before != tokens.end() && before == outputline.linestarttoken) {
        before->settext(outputline.linestarttext);
    }
    alignment.processingalignedlist = 0;
    if (alignment.alistlevel > 0) --alignment.alistlevel;
}
