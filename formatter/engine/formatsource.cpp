// The format driver: one source text from its lines as read through tokenizing and the token
// loop to the final passes and the integrity check.
#include "charsets.h"
#include "formatter.h"
#include "htmltags.h"
#include "support.h"
#include "switchparser.h"

#include <iostream>

namespace {

constexpr std::string_view utf8byteordermark = "\xEF\xBB\xBF";

}  // namespace

bool formatter::formatsource(const switchparser& switches) {
    // A UTF-8 byte-order mark is no program text: it is kept aside and written in front again.
    const bool byteordermark = startswith(sourcetext, utf8byteordermark);
    if ((byteordermark || s.pp) && s.b > 0) {
        inputbytes = sourcetext;   // the backup is made from the text as handed in
        inputbyteskept = true;
    }
    if (byteordermark) sourcetext.erase(0, utf8byteordermark.size());

    preparecolumnsandcase();
    fillwordsets();
    if (s.pp) preprocess();
    tokenizesource();
    if (s.gsfif) applyinsourceoptions(switches);

    breakbeforefirsttoken(s.in);
    appendendtokens();
    parsetagsequence(s.tag, messages, opentags, closetags);
    showswitches(switches);

    resetrunstate();
    fillkeywordtables();

    dbvnflag = s.dbvn != 0;
    outputline.tokenposition = outputline.savedtokenposition = 1;
    loopend = std::prev(tokens.end());
    if (!s.np) runtokenloop();

    finalpasses();
    if (s.ct) return false;
    // The hidden listings end the file here: nothing is checked, backed up or written.
    if (s.str || s.l != -1) return false;
    clearleadingtoken();
    checkintegrity();
    if (byteordermark && !s.html) {
        tokens.begin()->settext(utf8byteordermark);
        if (outputjoined) joinedoutput.insert(0, utf8byteordermark);
    }
    return true;
}

// Tab stops from -t, the character set of -cs, and the -si spellings keyed by the set's
// lower case.
void formatter::preparecolumnsandcase() {
    buildtabstops(s.t);
    usecharset(charset(s.cs, highbytecasekept));
    std::vector<std::pair<std::string, std::string>> spellings(s.si.begin(), s.si.end());
    for (const auto& [word, spelling] : spellings) {
        s.si.erase(word);
        s.si.emplace(textcharset().lc(word), spelling);
    }
}

// -x explains the switches and ends the file, -v explains them and goes on; -sw and -swx
// show them as a command line and end the file. The display ends a file quietly with "0".
void formatter::showswitches(const switchparser& switches) {
    if ((s.x || s.v) && !s.sw) {
        switches.explainswitches(messages, s, s.inputfilealias, s.outputfilealias);
        if (s.x) dieline(0);
    }
    if (s.swx) {
        printout(messages, switches.printswitches(s, 1) + "\n");
        dieline(0);
    }
    if (s.sw) {
        printout(messages, switches.printswitches(s, 0) + "\n");
        dieline(0);
    }
}

void formatter::fillwordsets() {
    const pattern& entry = pattern::get("(?:\\^(.+?)\\$)");
    patternmatch m;
    for (size_t pos = 0; entry.findandconsume(reservedwordtext, pos, &m);)
        reservedwords.insert(lc(m.group(1)));
    const pattern& command = pattern::get("(\\w+)\\[(\\w+)\\]|(\\w+)");
    for (size_t pos = 0; command.findandconsume(sqlpluscommandtext, pos, &m);) {
        if (m.matched(1)) {
            sqlpluscommands.insert(lc(m.group(1)));
            sqlpluscommands.insert(lc(m.str(1) + m.str(2)));
        } else {
            sqlpluscommands.insert(lc(m.group(3)));
        }
    }
}

void formatter::tokenizesource() {
    resettokencontext();
    tokenizeinplace(sourcetext);
    // The line break written into the text is the one the input uses most; on a tie the
    // earlier of LF, CR, CR LF.
    int32_t most = 0;
    for (const auto& [text, count] : linebreakcounts) {
        if (count > most) {
            most = count;
            linebreaktext = text;
        }
    }
    if (!s.slsf.empty()) {
        linearray = autoarray<int32_t>();
        int32_t index = 0;
        for (const token& t : tokens)
            if (t.breaksline()) linearray.at(index++) = t.sequence;
    }
    outputline.lastinsertedblank = tokens.end();
    outputline.sqlpluslineend = tokens.end();
}

void formatter::resetrunstate() {
    blocks.blocklevel = 0;
    alignment.alistlevel = 0;
    currenttoken = tokens.begin();
    statement.statementcountdown = 1;
    statement.sqlpluspossible = 1;
    statement.insqlplusline = 0;
    statement.sqlplusstatement = 0;
    outputline.spacingallowed = 1;
    textchanged = 0;
    statement.logicalcolumn = -1;
    statement.andcolumn = -1;
    statement.lastvalue = "novalue";
    statement.lastvaluecount = 0;
    statement.statementstarttoken = outputline.linestarttoken = outputline.lastlinestarttoken = tokens.begin();
    alignment.processingalignedlist = 0;
    alignment.endalistcomma = 0;
    outputline.linebreakstate = outputline.keeplinebreak = outputline.removelinebreaks = 0;
    blocks.thenexpected = blocks.loopexpected = 0;
    brackets.bracketdepth = 0;
    linerecord& outermost = blocks.blockstack.at(0);
    outermost.blockname.clear();
    outermost.elseseen = 0;
    outermost.extraindent = 0;
    alignmentwords.clear();
    statementstarters.clear();
    breakkeywords.clear();
    declarednames.clear();
    alignment.declarationmode = 6;
    statement.listitemcount = -1;
}

void formatter::fillkeywordtables() {
    if (s.as || (s.ins && s.isis)) {
        alignmentwords["select"] = {2, ""};
        alignmentwords["distinct"] = {2, ""};
        alignmentwords["into"] = {3, "fetch"};
    }
    if (s.au || (s.iu && s.isis)) {
        alignmentwords["update"] = {2, ""};
        clausewords.insert("set");
    } else {
        clausewords.erase("set");
    }
    if (s.aaw || (s.iaw && s.isis)) alignmentwords["where"] = {2, ""};
    if (s.ac)
        for (const char* word : {"if", "elsif", "when", "while"}) alignmentwords[word] = {1, ""};
    if (s.aroa) alignmentwords[":="] = {1, ""};
    for (const char* word : {"create", "alter", "analyse", "associate", "audit", "call", "comment",
                             "commit", "delete", "disassociate", "drop", "explain", "grant",
                             "insert", "lock", "merge", "noaudit", "rename", "revoke", "rollback",
                             "savepoint", "truncate", "update", "declare", "begin"})
        statementstarters.insert(word);
    if (s.bus) {
        breakkeywords["from"] = 2;
        for (const char* word : {"into", "where", "group", "order", "having"}) breakkeywords[word] = 1;
        breakkeywords["union"] = 13;
        breakkeywords["minus"] = 5;
        breakkeywords["intersect"] = 5;
        breakfollowers["group"] = {"by"};
        breakfollowers["order"] = {"by"};
        breakfollowers["union"] = {"all"};
    }
    if (s.bbj) {
        for (const char* word : {"join", "cross", "inner", "natural", "left", "right", "full"})
            breakkeywords[word] = 2;
        for (const char* word : {"cross", "inner", "natural"}) breakfollowers[word] = {"join"};
        for (const char* word : {"left", "right", "full"}) breakfollowers[word] = {"outer", "join"};
    }
}

void formatter::finalpasses() {
    // The last line break of the text is the current token for the alignment passes.
    position last = std::prev(tokens.end());
    while (last != tokens.begin() && !last->breaksline()) --last;
    currenttoken = last;
    loopdone = 1;
    aligndeclarations();
    alignconsecutive();
    alignment.alistlevel = 0;
    if (!checkblockpairs()) dieline(2);
    prunecalls();
    if (s.lt) {
        for (const std::string& name : tablenames) *listings << name;
        listings->flush();
    }
    if (s.ct) {
        std::vector<std::string> units;
        for (const auto& [unit, text] : declarationtexts) units.push_back(unit);
        printcalltree(sortstrings(units));
    }
}
