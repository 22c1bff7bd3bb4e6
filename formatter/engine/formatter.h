// The formatter: everything the formatting of one source text needs (its settings, message
// sink, token list, keyword tables and rule state) and the format driver formatsource.
#pragma once

#include "blockstack.h"
#include "bracketstack.h"
#include "calltree.h"
#include "clausekeywords.h"
#include "consecutivealign.h"
#include "autoarray.h"
#include "declarednames.h"
#include "filetables.h"
#include "lineindent.h"
#include "messages.h"
#include "numbermap.h"
#include "loopstate.h"
#include "rewinds.h"
#include "settings.h"
#include "switchparser.h"
#include "tokencontext.h"
#include "wordset.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The formatter's settings part: a spare sink and record, the working ones, and the html
// tags per token kind.
struct settingsholder {
    messagestream firstsink;
    settings firstsettings;
    messagestream messages;  // the formatter's message sink
    settings s;              // the working copy of the settings that every rule reads
    // The settings before each -ifs block that applies; a snapshot keeps them with s.
    std::vector<settings> savedsettings;
    std::map<int32_t, std::string> opentags, closetags;
};

// The conditional compilation directive that a token is.
enum class directive { none, ifword, elsifword, elseword, thenword, endword, errorword };
directive directiveword(const token& t);
inline directive directiveof(const token& t) {
    const std::string_view text = t.text();
    return text.size() < 3 || text[0] != '$' || text[1] == '$' ? directive::none : directiveword(t);
}

// Cache-line aligned wherever it lives: the loop's hot fields then keep their place in the
// lines, which an object at an arbitrary stack offset made them straddle (a few per cent).
class alignas(64) formatter : public settingsholder, public tokencontext, public clausekeywords, public loopstate {
public:
    formatter();
    formatter(const formatter&) = delete;
    formatter& operator=(const formatter&) = delete;

    // Formats sourcetext; ends through die on failure. True when the result is to be backed
    // up and written.
    bool formatsource(const switchparser& switches);

    // The formatter's own fields. A rewind restores none of them, each for the reason given;
    // a new field goes into a loopstate part (restored by every rewind), a component of its
    // own (private, its policy in its header) or the file tables (const in the loop).

    // Texts handed in and out, which the loop does not lay out.
    std::string sourcetext;  // the text that is tokenized: its tokens refer to it, so it stays as it is
    // The source as handed in, kept (for a backup) only when the tokenized text differs from
    // it: a byte-order mark taken off, or preprocessing.
    std::string inputbytes;
    bool inputbyteskept = false;  // set before the loop
    // UTF-8 text under a single-byte set: its bytes above 127 keep their case (the caller's call).
    bool highbytecasekept = false;
    const std::string& inputasread() const { return inputbyteskept ? inputbytes : sourcetext; }
    // The plain output joined by the integrity check on its walk over the tokens, so the
    // writer need not walk them again; only for texts of at least joinedoutputfrom bytes
    // (smaller ones, where the program's own fixed memory weighs most, are written from the
    // tokens and keep their memory peak low). Made after the loop.
    std::string joinedoutput;
    bool outputjoined = false;
    size_t joinedoutputfrom = size_t(2) << 20;

    // The word sets, keyword tables and patterns of the file, built by buildtables before the
    // token loop (and the -au clause word SET set with them); the rules only read them.
    const filetables& tables() const { return builttables; }
    void buildtables();

    // Where the loop is: a restore sets these for the token it goes on at.
    std::string_view currentword;  // the current token's text (or the line break put in its place)
    int32_t trackedcolumn = 1;     // where the current token starts (-ctis), until trackcolumn passes it
    position loopend;              // the last token; set before the loop
    // The loop's step budget against endless rewinds: a rewind spends steps, never gives them back.
    int64_t loopsteps = 0;
    int64_t loopbudget = 0;

    // Results about the whole text, which a token laid out again only adds to.
    char textchanged = 0;              // a rule changed text other than blanks
    char bracketproblem = 0;           // a ")" came without its "("
    std::set<std::string> tablenames;  // -lt: the tables of the FROM lists
    calltree calls;                    // -ct: the routines defined and called; notes each call once
    declarednames declared;            // -dbvn: see its header
    // Values kept by token: a token laid out again notes its own again.
    numbermap relativeindentbytoken;  // -rs: the shift of a statement or bracket, by sequence number
    numbermap sourceindentbyline;     // -rs: a line start's indentation as read, by sequence number
    // In sourceindentbyline: the line break was put in by a rule, so the line goes under the
    // statement's first word, not as far as that word moved.
    static constexpr int32_t rulebreakindent = -1;

    // Listings: what is printed stays printed; the last level and line listed keep a token laid
    // out again from printing twice.
    std::ostream* listings;               // where -lt, -ct and -str print (standard output unless set)
    int32_t lastlistedlevel = INT32_MAX;  // -l: the level of the last END listed
    int32_t lastlistedline = -1;
    std::vector<std::string> tokenizedlines;  // lines of the tokenized text, a cache for listings
    // -slsf: sequence numbers of the input's line-break tokens, noted before the loop.
    autoarray<int32_t> linearray;

    // Conditional compilation: set for each token.
    char directivepath = 0;      // the current token is a directive's
    char directivebranches = 0;  // the directive word enters or leaves a branch

    // The line ends right after the current token, or right after pos.
    void breakbeforenext();
    void breakafter(position pos);
    // A token from first up to last (excluded) holds a line break.
    bool hasbreakbetween(position first, position last) const;
    // From pos, the significant words (lower-cased) are the given words; last is the last
    // of them. A tail of the words matches too ("left join" for "left outer join").
    bool matchwords(position pos, const std::vector<std::string>& words, position& last) const;
    // Removes the line break after pos (past comments and blanks) when the token after it is
    // text, or any token when text is empty.
    void joinbefore(position pos, std::string_view text);
    // The line break after a comma becomes a blank; true when joined.
    bool joinaftercomma();
    bool bracketlistadjust();
    void selecttrace();
    void noterelativeindent(position t);
    void reloadrelativeindent(position t);
    [[noreturn]] void reportsyntaxerror(const std::string& message);
    void closeallbrackets();
    // The column of a line inside a list with its items at base (0-based).
    int32_t listindent(int32_t base, position first);
    int32_t computelineindent(position first, bool& commentline);
    // The -rs column of the current line, or -1 to keep its indentation.
    int32_t relativeindentcolumn();
    // Called by the driver for every token that gets the rules: the statement state moves
    // on at each word.
    void advancestatementstate();
    // A statement has begun and not ended (no SQL*Plus command can start a line).
    bool statementinprogress() const;

    // The snapshots of the rewinds and the bookkeeping of when the loop goes back: what
    // decides a rewind is not put back by one.
    rewindcontrol rewinds;

    // Aligned lists (used by the block, bracket and list rules).
    void popalignedlist();
    void popalignedlistsatbracket(int32_t level);
    void closealignedlistatblock();
    void startalignedlist(position anchor);
    void pushsqlindent();
    bool nextsignificantclassis(position pos, int32_t classcode) const;
    // A group's rows or snapshot wait to be laid out.
    bool alignmentpending() const;
    // The token after a data type such as NUMBER(10, 2) starting at pos, or after such
    // types joined by "+" and "-"; the end position when no type starts there.
    position skiptypeterm(position pos) const;
    position skiptypeexpression(position pos) const;
    // The loop state and the working settings into a snapshot, and back. A rewind goes on at
    // the snapshot's token `at`, its columns measured again; a branch of conditional compilation
    // keeps the line the loop is on and the open directives, and goes on at its directive.
    void take(rewindstate& r) const;
    void restore(const rewindstate& r, position at, keptparts kept = keptparts::none);
    // Conditional compilation.
    bool indirective() const;
    bool switchbranch(int32_t firstpass);
    int32_t directivelinecolumn(position first) const;
    position nextcodeword(position pos) const;
    // Steps of the alignment rules.
    void rewindtosnapshot();
    int32_t padconsecutiverows();
    bool endconsecutivegroup();
    void keepgroupsnapshot(position start);
    bool regroupdue(position t) const;
    void keepregroupsnapshot();
    void keepgroupbeforedeclarationrun();
    void formgroupagain();
    void noteblanksbefore(lineblanks& line, position t) const;
    void restoreblanksbefore(const lineblanks& line, position t);
    bool partsgrouprow(position t) const;
    bool linesparted() const;
    bool mayparttheline(position t);
    void takesharedsnapshot(position t);
    bool judgeendedline();
    int32_t notedindentation(const lineblanks& line) const;
    bool formgroupwithshared();
    void addconsecutiverow(position t);
    bool paddingpassesthelimit(position blank, int32_t width);
    bool paddingpassesthelimit(position from, int32_t shift, int32_t extra, position movable);
    bool finishdeclarationrun(bool mayrewind);
    void adddeclarationrow(position blank);
    bool notedeclarationitem(position name, bool checkreserved);
    void notealias(position end);
    position beforeemptied(position blank) const;
    bool startdeclarationlistat(int32_t mode, int32_t level);
    bool enddeclarationlist();
    int32_t declarationlistat(position t) const;

    // Indentation whitespace for a width in columns (blanks, or TABs with -ut/-uts).
    std::string indentstring(int32_t width) const;
    // The widest indentation a line gets, in columns: more than nesting reaches under the
    // default indent, and a bound on the output of deep text under a large -is.
    static constexpr int32_t maximumindentation = 10000;
    // Column bookkeeping of the current token, with -ctis TAB conversion first.
    void trackcolumns();
    void trackcolumn(const token& t);
    void converttabs();
    // With -str: the level, blanks, the message and the rest of the line from pos.
    void printtraceline(int32_t level, const std::string& message, position pos) const;
    // The table names of the FROM list after the FROM token.
    std::vector<std::string> fromtablenames(position from) const;
    // Applies an -ifs block to a settings record.
    static void applyifsblock(settings& record, int32_t index);

    // Phases of the driver.
    void showswitches(const switchparser& switches);
    void tokenizesource();
    void resetrunstate();
    void runtokenloop();
    void finalpasses();
    // End-of-input checks: ends the file at a lone quote, comment mark or q-quote opener.
    void checkendofinput();

    // Rules of the token loop and the phases, each in the file of its part of the engine.
    void applywordcase();
    void casedirective();
    std::string casedword(std::string_view word) const;
    // The same for a word already known to be a keyword or not.
    std::string casedword(std::string_view word, bool keyword) const;
    std::string writtenname(std::string_view name) const;
    void savetokenstartlayout();
    void collapseblanks();
    void registerdeclaredname();
    void sqlstatementstart();
    bool ismultitableinsert(position keyword) const;
    bool callsakeywordname(position word) const;
    bool aligndeclarations();
    void alignselects();
    void breakstatements();
    void putlogicalunder();
    void breaklongitemlists();
    bool putcommasright();
    void bracketlistcolumns();
    void collecttablenames();
    bool createheader();
    void keepisastogether();
    void packageheader();
    void subprogramheader();
    void endofstatement(int32_t firstpass);
    void keepthentogether();
    bool keepblankafter(position blank);
    void bracketrule(int32_t firstpass);
    bool alignconsecutive();
    void slashatlevelzero();
    void registerdeclaration();
    bool beginline();
    // The indentation text of a line at a block depth (nice: -ni).
    std::string indentline(int32_t depth, int32_t nice) { return indentstring(computeindent(depth, nice)); }
    void indentnormal();
    void trackpreviouscolumns();
    bool layoutpass();
    bool checkblockpairs();
    // Runs the source as handed in, past a byte-order mark (the tail of a string, so that a
    // NUL byte ends it), through the preprocessing library; its result becomes sourcetext.
    void preprocess(std::string_view text);
    void applyinsourceoptions(const switchparser& switches);
    void clearleadingtoken();
    void checkintegrity();

    // Block stack and END handling. openblock: true when a level was pushed; closeblock:
    // true for an END token (the token needs no further rules).
    bool openblock(int32_t firstpass);
    bool closeblock(int32_t firstpass);
    bool closeblockatend(int32_t firstpass);
    // The column-limit test that the block, bracket and LOOP rules and the layout pass share:
    // -mcs is set and the current token ends beyond it. A rule skipped by it on the first
    // pass is run again by the layout pass, which acts on the same test.
    bool beyondcolumnlimit();
    // The display column of the last character of the token on its output line.
    int32_t tokenendcolumn(position pos);
    // The header text of a block up to its THEN, LOOP or WHEN (for -sbi), or "".
    std::string headertext(position opener, int32_t stopclass);
    // In a whitespace token, every line break with the blanks after it becomes replacement.
    void reindentbreaks(position whitespacetoken, const std::string& replacement);
    // Line indentation: the columns for a block depth under the working settings.
    int32_t computeindent(int32_t depth, int32_t nice) {
        return indenter.computeindent(s, blocks.blockstack,
                                      blocks.blockstack.takelowestchanged(linetable::indentwatcher), depth, nice);
    }
    // The settings that line indentation reads were replaced: its kept sums go.
    void forgetindentsums() { indenter.forgetindentsums(); }
    // Syntax checks and the block-stack listing written after structural errors.
    bool checkbrackets();
    void dropwhenlevel();
    void checksyntaxmissingkeywords();
    void listblockstack();
    // Line of the tokenized text (1-based; "" beyond its end).
    std::string tokenizedline(int32_t line);
    // The token after the ")" that matches the "(" before pos; the end at a ";" first.
    position closingbracketafter(position pos) const;
    // The same, also giving the end at the first token that holds a line break.
    position closingbracketonline(position pos) const;
    // The names of the comma-separated list that starts after pos.
    std::vector<std::string> collectnamelist(position pos) const;
    bool isblankrunbreak(position t) const;
    // The GROUP of an aggregate's WITHIN GROUP (ORDER BY ...): no GROUP BY clause.
    bool aggregategroup(position t) const;
    bool endsselectitem(position t) const;

    // Layout pass and the column limit.
    void notestatementlayout();
    bool keepwithinlimit();
    bool continuesliteral(position t) const;
    position linestartof(position t) const;
    std::string indentationof(position linestart) const;
    void setindentation(position linestart, int32_t width);
    void followrelativeshift(position from, int32_t shift);
    void followlistshift(position from, int32_t shift);
    void restoreshrunkline(position linestart);
    bool operatorsharesline(position t) const;
    bool sameoutputline(position row, position t) const;
    bool shrinkblanks(int32_t excess);
    bool shrinkindentation(int32_t excess);
    size_t commentdecoration(position t, size_t& end) const;
    bool shortencomment(int32_t excess);
    bool breakcomment();
    bool movestatement();
    bool limitbreaksbefore(position t) const;
    bool breakbeforetoken();
    position placelinebreak(position before, position t, const std::string& text);
    void restorelayout(const layoutvalues& values);
    void rundeferredrules();

    // In-source options.
    position findoptionscomment() const;
    void preparecolumnsandcase();

    // Integrity check.
    bool endsitsline(position comment) const;
    // The stripped texts are the tokenized text's and the result's without white space.
    [[noreturn]] void reportintegrityfailure(int64_t around, const std::string& strippedsource,
                                             const std::string& strippedresult);

private:
    filetables builttables;  // const in the loop
    lineindenter indenter;   // sums it rebuilds: a restore tells it that the settings changed

    // Statement rules, bracket stack and list indentation.
    // A line break made by a rule, inserted before pos.
    position insertbreak(position pos);
    position eraseahead(position pos);
    position nextword(position pos) const;
    bool isslashline(position p) const;
    bool innumberbrackets() const;
    void openbracket();
    void closebracket();
    void leaveoutermostbracket();
    void insertcomments();
    std::vector<std::string> insertcolumns(position open, position& close) const;
    void endcursordeclaration();
    bool continuescaseexpression(int32_t classcode);
    void resetstatement(bool loop);
    void reindentnextline();
    linerecord& pushheaderlevel(position opener, const std::string& name);
    std::string headername(position keyword) const;
    position headerend(position name);
    bool isreturnclauseas(position word) const;
    bool compoundtrigger(position name, position stop) const;
    void opencompoundtrigger();
    bool iscallspecification(position isoras) const;
    void joinwhitespacebefore(position t);
    bool directivebetween(position from, position to) const;
    void rejoinlinestart(position first, position last);
    position firstonline(position start) const;
    bool linebreakincomment(position start) const;
    void endalignedlistatline(position first);
    bool standalonecomment(position first) const;
    int32_t keywordindent(position first, int32_t column);
    // Block stack: what an END closes.
    struct blockend {
        linerecord closed;        // the record of the block the END belongs to
        std::string expected;     // the word that must follow END
        std::string information;  // header text for the end-of-block comment
        std::string unitname;     // the subprogram's or package's name, which may follow END
        int32_t startline = 0;
    };
    bool deferredbylimit(int32_t firstpass);
    int64_t blocklines(const blockend& end, position endword, int32_t endline) const;
    [[noreturn]] void blockerror(const std::string& message, bool reopen);
    void checknesting(size_t depth);
    [[noreturn]] void beginnotfound(const std::string& unitname);
    void reindentlinestart(position whitespacetoken, const std::string& indentation);
    bool endalignmentgroup();
    void endloopcondition();
    bool outsideblocks(int32_t classcode);
    bool whenopenslevel();
    void beginafterheader();
    void noteelse();
    void notekeywordsexpected(int32_t classcode);
    void pushblock(int32_t classcode);
    bool incaseexpression();
    bool startscasestatement();
    void forgetdeclarednames();
    void notelinebreakrule(int32_t keep, int32_t remove);
    blockend endofblock();
    void closesubprogrambody(blockend& end);
    void listblockend(const linerecord& closed, int32_t endline);
    void placeblockinformation(position word, const std::string& information);
    void applylinebreakrule();
    void listblockstackatline();

    enum class afterstep { advance, restart };
    afterstep processtoken();
    afterstep endoftoken();
    void notedirective();
    afterstep directivetoken();
    bool sqlplusline();
    void notesqlplusstart();
    bool unknowncommandline() const;
    void warnmultilineliteral();
    void notestatementstart();
    void matchconditionalswitches(position start);
    void driverrules();
    void removeoperatorblanks();
    void addoperatorblanks();
    bool signafteroperator(position t) const;
    std::string joinedblank(position left, position blank);
    void endalignedlist();
};

// Whether two texts are equal without regard to case (through the character set given),
// and if not, about where they begin to differ.
struct textcomparison {
    bool equal = false;
    int64_t position = 0;
};
textcomparison firstdifference(const charset& set, std::string_view text1, std::string_view text2);

// The text with every "*/" made "* /", so that it can stand inside a block comment.
std::string defusecommentcloser(std::string_view text);
// The header text of an end-of-block comment: "*/" taken out, white space squeezed, cut to
// max characters with "..." after.
std::string blockinfotext(std::string text, int32_t max);
// Every run of white space one blank; the runs at the start and at the end removed when asked.
std::string squeezedspace(std::string_view text, bool trimstart, bool trimend);
// The text without its line break at the end and without white space at its start.
std::string withoutleadingspace(std::string text);
