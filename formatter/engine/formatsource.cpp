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
    // Under -pp the library's text takes the source's place: kept for a backup, the source
    // moves aside instead of being copied.
    const bool movedaside = s.pp && s.b > 0;
    if ((byteordermark || s.pp) && s.b > 0) {
        inputbytes = movedaside ? std::move(sourcetext) : sourcetext;  // the backup is made from the text as handed in
        inputbyteskept = true;
    }
    if (byteordermark && !movedaside) sourcetext.erase(0, utf8byteordermark.size());

    preparecolumnsandcase();
    if (s.pp) {
        std::string_view handed = movedaside ? inputbytes : sourcetext;
        if (byteordermark && movedaside) handed.remove_prefix(utf8byteordermark.size());
        preprocess(handed);
    }
    tokenizesource();
    if (s.gsfif) applyinsourceoptions(switches);

    breakbeforefirsttoken(s.in);
    appendendtokens();
    parsetagsequence(s.tag, messages, opentags, closetags);
    showswitches(switches);

    resetrunstate();
    buildtables();

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
    declared.clear();
    alignment.declarationmode = 6;
    statement.listitemcount = -1;
}

void formatter::finalpasses() {
    // The last line break of the text is the current token for the alignment passes.
    position last = std::prev(tokens.end());
    while (last != tokens.begin() && !last->breaksline()) --last;
    currenttoken = last;
    rewinds.loopdone = 1;
    aligndeclarations();
    alignconsecutive();
    alignment.alistlevel = 0;
    if (!checkblockpairs()) dieline(2);
    calls.prunecalls();
    if (s.lt) {
        for (const std::string& name : tablenames) *listings << name;
        listings->flush();
    }
    if (s.ct) calls.printcalltree(*listings, s.inputfilealias);
}
