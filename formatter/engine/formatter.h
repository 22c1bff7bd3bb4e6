// The formatter: everything the formatting of one source text needs (its settings, message
// sink, token list, keyword tables and rule state) and the format driver formatsource.
#pragma once

#include "clausekeywords.h"
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
struct alignmentword {
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
    std::map<std::string, alignmentword> alignmentwords;
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
    std::map<std::string, int32_t> declarednames;

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

    // In-source options.
    position findoptionscomment() const;
    void preparecolumnsandcase();

    // Integrity check.
    bool endsitsline(position comment) const;
    position integrityfault(std::string_view original) const;
    [[noreturn]] void reportintegrityfailure(int64_t around);

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
