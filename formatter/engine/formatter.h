// The formatter: everything the formatting of one source text needs (its settings, message
// sink, token list, keyword tables and rule state) and the format driver formatsource.
#pragma once

#include "clausekeywords.h"
#include "consecutivealign.h"
#include "header.h"
#include "messages.h"
#include "settings.h"
#include "tokencontext.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The formatter's settings part: a spare sink and record, the working ones, and the html
// tags per token kind.
struct settingsholder {
    messagestream firstsink;
    settings firstsettings;
    messagestream messages;   // the formatter's message sink
    settings s;               // the working copy of the settings that every rule reads
    std::map<int32_t, std::string> opentags, closetags;
};

// The aligned-list mode of a keyword and the statement word it needs.
struct alignmentwordentry {
    int32_t mode = 0;
    std::string statementword;
};

class formatter : public settingsholder,
                  public tokencontext,
                  public headermarker,
                  public clausekeywords {
public:
    formatter();
    formatter(const formatter&) = delete;
    formatter& operator=(const formatter&) = delete;

    // Formats one source text from reading to writing; ends through die on failure.
    void formatsource();

    // Texts.
    std::string sourcetext;    // the text that is tokenized
    std::string resulttext;    // the joined token texts, for the integrity check
    std::string reservedwordtext;
    std::string sqlpluscommandtext;

    // Patterns of the statement and block rules.
    const pattern* trailingbreak = nullptr;   // an optional line break and blanks at the end
    const pattern* unitkind = nullptr;        // procedure, function or trigger: captures 1-3

    // Word sets and keyword tables, filled per file.
    std::set<std::string> reservedwords;
    std::set<std::string> sqlpluscommands;
    std::map<std::string, alignmentwordentry> alignmentwords;
    std::set<std::string> statementstarters;
    std::map<std::string, int32_t> breakkeywords;
    std::map<std::string, std::vector<std::string>> breakfollowers;

    // Per-file state of the token loop.
    std::string currentword;
    position loopend;
    int32_t tokenposition = 0;
    int32_t savedtokenposition = 0;
    int32_t statementcountdown = 0;
    position statementstarttoken;
    int32_t statementstartposition = 0;
    int32_t statementstartdepth = 0;
    int32_t sqlpluspossible = 0;     // a SQL*Plus command may start at the next line start
    int32_t insqlplusline = 0;
    char sqlplusstatement = 0;
    std::string sqlpluscommand;
    char textchanged = 0;            // a rule changed text other than blanks
    position lastinsertedblank;      // the blank put after the previous operator
    char spacingallowed = 1;
    std::vector<settings> savedsettings;   // pushed when an -ifs block applies
    int32_t andcolumn = -1;
    int32_t logicalcolumn = -1;
    char assignmentseen = 0;
    char dbvnflag = 0;
    std::string lastvalue;
    int32_t lastvaluecount = 0;
    int64_t loopsteps = 0;
    int64_t loopbudget = 0;

    // Column bookkeeping of the loop.
    int32_t column = 1;
    int32_t previouscolumn = 1;
    int32_t columnbeforeprevious = 1;

    // Rule state the driver reads or resets.
    int32_t blocklevel = 0;
    int32_t linebreakstate = 0;
    int32_t keeplinebreak = 0;
    int32_t removelinebreaks = 0;
    int32_t indeclarationpart = 0;
    int32_t thenexpected = 0;
    int32_t loopexpected = 0;
    int32_t statementstate = 0;
    int32_t bracketdepth = 0;
    int32_t processingalignedlist = 0;
    int32_t endalistcomma = 0;
    int32_t alistlevel = 0;
    int32_t declarationmode = 6;
    int32_t listitemcount = -1;
    position linestarttoken;
    position lastlinestarttoken;
    std::string linestarttext;
    std::set<std::string> tablenames;
    std::map<std::string, std::string> declarationtexts;

    // Alignment rules: aligned lists and select alignment.
    autoarray<alignedlistentry> alignedlists;   // indexed by alistlevel; 0 holds no list
    int32_t alistcol = 0;              // 0-based column of the newest aligned list's items
    int32_t alignmentrequested = 0;    // a keyword asked for a list that has not started
    std::string alignmentword;         // the lower-cased word of the last request
    int32_t awaitby = 0;               // GROUP, ORDER or CONNECT wait for their BY
    int32_t awaitwith = 0;             // START waits for its WITH
    // Set by the statement rules, read by the alignment rules.
    std::string statementword;         // lower-cased first word of the SQL statement
    int32_t indeclarations = 0;        // inside a declaration section
    int32_t statementcounter = 0;      // running statement number

    // Alignment rules: consecutive alignment and declarations.
    std::vector<alignrow> alignrows;   // rows of the :=, => or = group
    int32_t alignline = 0;             // line where the group started; 1 for declarations
    std::string alignop;               // the group's operator
    int32_t alignlastline = 0;         // line of the last row
    int32_t alignbracketlevel = 0;     // bracket depth of the group
    char alignenabled = 1;             // new groups may start (0 while laying out again)
    position resumetoken;              // where the last rewound group ended
    int32_t resumeline = 0;            // its line, should the token go
    char groupended = 0;
    char groupbroken = 0;
    position rewindtoken;              // where the current snapshot was taken
    position previousrewindtoken;      // where the snapshot before it was taken
    int32_t rewindline = 0;
    rewindstate rewindsnapshot;
    char declarationsnapshot = 0;      // the pending snapshot belongs to a declaration run
    int32_t typecolumn = 0;            // widest name end of the last declaration run
    int32_t aligncolumn = 0;           // largest column of the first run of the last group
    declarationgroup declarationalignment;   // copied into a bracket's alignsnapshot
    // Declared names (lower-cased) with the tokens that declare them, and the names
    // declared at each block level.
    std::map<std::string, std::vector<position>> declarednames;
    autoarray<std::vector<std::string>> declarednamesatlevel;
    char loopdone = 0;                 // the token loop is over: groups end without a rewind

    // Aligned lists (used by the block, bracket and list rules).
    void popalignedlist();
    void popalignedlistsatbracket(int32_t level);
    void closealignedlistatblock();
    void startalignedlist(position anchor);
    void pushsqlindent();
    bool nextsignificantclassis(position pos, int32_t classcode) const;
    // A group's rows or snapshot wait to be laid out.
    bool alignmentpending() const;
    // A declaration snapshot is pending and the current token lies below its line.
    bool beyondrewindline();
    // Starts a declaration list of the given mode whose items follow the next "(" (the
    // subprogram header starts parameter lists, mode 4).
    void startdeclarationlist(int32_t mode);
    // The token after a data type such as NUMBER(10, 2) starting at pos, or after such
    // types joined by "+" and "-"; the end position when no type starts there.
    position skiptypeterm(position pos) const;
    position skiptypeexpression(position pos) const;
    // Steps of the alignment rules.
    void takerewindsnapshot(position at);
    void restorerewindsnapshot();
    void rewindtosnapshot();
    int32_t padconsecutiverows();
    bool endconsecutivegroup();
    void addconsecutiverow(position t);
    bool finishdeclarationrun(bool mayrewind);
    void adddeclarationrow(position blank);
    bool notedeclarationitem(position name, bool checkreserved);
    void notealias(position end);
    bool startdeclarationlistat(int32_t mode, int32_t level);
    bool enddeclarationlist();
    int32_t declarationlistat(position t) const;


    // Indentation whitespace for a width in columns (blanks, or TABs with -ut/-uts).
    std::string indentstring(int32_t width) const;
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
    void fillwordsets();
    void showswitches();
    void tokenizesource();
    void resetrunstate();
    void fillkeywordtables();
    void runtokenloop();
    void finalpasses();
    // End-of-input checks: ends the file at a lone quote, comment mark or q-quote opener.
    void checkendofinput();

    // Rules of the token loop and the phases, each in the file of its part of the engine.
    void applywordcase();
    void savetokenstartlayout();
    void collapseblanks();
    void registerdeclaredname();
    void sqlstatementstart();
    bool aligndeclarations();
    void alignselects();
    void breakstatements();
    void putlogicalunder();
    void breaklongitemlists();
    void putcommasright();
    void bracketlistcolumns();
    void collecttablenames();
    bool createheader();
    void keepisastogether();
    void packageheader();
    void subprogramheader();
    void endofstatement(int32_t firstpass);
    void keepthentogether();
    void openblock(int32_t firstpass);
    bool keepblankafter(position blank);
    void bracketrule(int32_t firstpass);
    bool alignconsecutive();
    void slashatlevelzero();
    bool closeblock(int32_t firstpass);
    void registerdeclaration();
    bool beginline();
    std::string indentline(int32_t level, int32_t nice);
    void indentnormal();
    void trackpreviouscolumns();
    bool layoutpass();
    bool checkblockpairs();
    void finishclausekeywords();
    void printcalltree(const std::vector<std::string>& units);
    void preprocess();
    void applyinsourceoptions();
    void clearleadingtoken();
    void checkintegrity();

private:
    enum class afterstep { advance, restart };
    afterstep processtoken();
    afterstep endoftoken();
    bool sqlplusline();
    void notesqlplusstart();
    void warnmultilineliteral();
    void notestatementstart();
    void matchconditionalswitches(position start);
    void driverrules();
    void removeoperatorblanks();
    void addoperatorblanks();
    void endalignedlist();
};

// Puts the reserved-word text and the SQL*Plus command text into the formatter.
void storewordtexts(formatter& f);
