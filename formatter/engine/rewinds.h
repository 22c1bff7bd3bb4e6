// The rewinds of the token loop: the snapshots it goes back to and the bookkeeping of when.
// Alignment lays a group's rows out again from the group's snapshot, an operator left out for
// sharing its line is judged again from its own, -amso formats a statement again from its
// start, the column limit formats a token again from its start (a slice of the loop state),
// and a branch of conditional compilation starts from the state at its $if. A snapshot holds
// the loop state, which a restore puts back whole; nothing in rewindcontrol is put back by a
// rewind, since it decides where the loop goes back to and with what.
#pragma once

#include "blockstack.h"
#include "consecutivealign.h"
#include "loopstate.h"
#include "settings.h"
#include "tokencontext.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A snapshot: the loop state, and the settings while an -ifs block has changed them. The
// formatter's take and restore are the only code that copies it from and back to the loop.
struct rewindstate {
    loopstate loop;
    bool settingssaved = false;
    settings workingsettings;
    std::vector<settings> savedsettings;
};

// What a restore leaves as it is: a rewind puts back everything and goes on at the snapshot's
// token; a branch of conditional compilation goes on at its directive, from the line the loop
// is on and with the directives open there.
enum class keptparts { none, lineanddirectives };

// The slice of the loop state that a line break the column limit puts before a token gives
// back: the values taken at the token's start (and at a statement's start for -amso). take
// and restore are its two hand lists: a new field goes into both.
struct layoutvalues {
    int32_t linecolumn = 1;
    int32_t lineitems = 0;
    int32_t alignmentrequested = 0;
    int32_t alistlevel = 0;
    // The aligned list the token's line belongs to: a ";" or clause word that ended it
    // is formatted anew on its own line as the first token of a line in that list.
    int32_t processingalignedlist = 0;
    int32_t alistcol = 0;
    int32_t endalistcomma = 0;
    char loopheaderopen = 0;
    char afterend = 0;
    int32_t keeprelative = 0;
    int32_t relativeindent = 0;
    int32_t relativeindentsequence = notoken;
    // What the token's own rules used up or reset: the column an AND goes under
    // (-plouwh), the clause keyword column (-pius, -rask) and where the statement stands.
    int32_t andcolumn = -1;
    int32_t logicalcolumn = -1;
    int32_t keywordcolumn = -1;
    int32_t statementstate = 0;
    int32_t statementcountdown = 0;
    // A header or CREATE that the token's IS or AS ended still waits for it.
    char headerpending = 0;
    int32_t createpending = 0;
    // The line-break rule that the token's ";" made due applies after it, not before.
    int32_t linebreakstate = 0, keeplinebreak = 0, removelinebreaks = 0;
    // Blocks and routine headers that the token's rules opened open again when it is
    // formatted anew.
    int32_t blocklevel = 0;
    int32_t begincount = 0;
    size_t units = 0;

    void take(const loopstate& loop);
    // Routine headers opened since are dropped; none come back that were closed.
    void restore(loopstate& loop) const;
    bool operator==(const layoutvalues&) const = default;
};

// The snapshots and the bookkeeping of the rewinds, which the alignment and column-limit rules
// read and write as the formatter's rewinds.
struct rewindcontrol {
    // The consecutive-alignment group (:=, => or =).
    std::vector<alignrow> alignrows;  // rows of the group
    int32_t alignline = 0;            // line where the group started; 0 = no group
    std::string alignop;              // the group's operator
    int32_t alignlastline = 0;        // line of the last row
    int32_t alignbracketlevel = 0;    // bracket depth of the group
    char alignenabled = 1;            // new groups may start (0 while laying out again)
    position resumetoken;             // where the last rewound group ended
    int32_t resumeline = 0;           // its line, should the token go
    char groupended = 0;
    char groupbroken = 0;
    // The group's snapshot, which a declaration run takes too.
    position rewindtoken;          // where the current snapshot was taken
    position previousrewindtoken;  // where the snapshot before it was taken
    int32_t rewindline = 0;
    rewindstate rewindsnapshot;
    char declarationsnapshot = 0;  // the pending snapshot belongs to a declaration run
    char loopdone = 0;             // the token loop is over: groups end without a rewind
    // A group that the column limit broke as it was laid out again is formed again (twice at
    // most) from its snapshot: its first row and end, and the line breaks put in since.
    position regroupstart;
    position regroupend;
    std::string regroupop;
    int32_t regroups = 0;
    int32_t replaybreaks = 0;
    char rowsparted = 0;               // a rule parted a line of the group while it was noted
    std::vector<position> paddedrows;  // the rows that the group's padding moved
    char regroupwatch = 0;             // the last row's line is laid out after the group's end
    lineblanks groupline;              // the first row's line when the group began
    lineblanks sharedline;             // the shared operator's line at its snapshot
    rewindstate regroupsnapshot;       // the group's snapshot and first line, kept while its
    lineblanks regroupline;            // last row's line is watched or a declaration run holds
    char regroupkept = 0;              // the current snapshot
    // The state at an operator left out for sharing its line with another, kept while no group
    // is open, to judge it again when the limit parts the two.
    rewindstate sharedsnapshot;
    position sharedtoken;
    // An operator left out of an open group for sharing its line, and the group's first row:
    // when the line is parted after the group ended, the group is formed again with it.
    position groupshared;
    position groupsharedstart;

    // The column limit: the slice at the current token's start, and the state at the
    // statement's start (-amso).
    layoutvalues tokenstartlayout;
    layoutvalues statementstartlayout;
    rewindstate statementsnapshot;
    bool statementsnapshottaken = false;
    // Indentation that lines gave up since the statement began (-amso puts back that of the
    // line the statement leaves).
    struct shrunkline {
        int32_t linestartsequence;
        std::string oldtext;
        int32_t shift;
    };
    std::vector<shrunkline> shrunklines;
    // The line-break rule due after the block before a statement, dropped because the
    // statement went on on the same line: its keep and remove flags ...
    std::optional<std::pair<int32_t, int32_t>> droppedlinebreakrule;
    // ... and the statement's first word: a line break the limit puts before that word makes
    // the rule due after all.
    struct droppedrule {
        position word;
        int32_t keep = 0, remove = 0;
    };
    droppedrule droppedbeforeword;
    linerecord closedcursor;        // the CURSOR level that a ";" closed last, which a
    int32_t closedcursorlevel = 0;  // token formatted anew opens again

    // The group's snapshot is taken at `at` (on line): the token of the one before is kept.
    void movesnapshot(position at, int32_t line) {
        previousrewindtoken = rewindtoken;
        rewindtoken = at;
        rewindline = line;
    }
};
