// The formatter state that the layout of the tokens after an alignment snapshot depends on:
// a finished alignment group puts it back before its tokens are laid out again.
#pragma once

#include "autoarray.h"
#include "blockstack.h"
#include "bracketstack.h"
#include "consecutivealign.h"
#include "settings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct rewindstate;

// An open $if of conditional compilation: the state its branches start from, the state its
// first branch ended in (once an $elsif or $else came), and the indentation of its line.
struct conditionalbranch {
    std::shared_ptr<const rewindstate> start;
    std::shared_ptr<const rewindstate> firstend;
    int32_t column = -1;   // -1: the $if does not begin its line
};

struct rewindstate {
    // Blocks.
    int32_t blocklevel = 0;
    linetable blockstack;
    autoarray<int32_t> relativeindentatlevel;
    autoarray<int32_t> relativesequenceatlevel;
    std::vector<std::string> subprogramnames;
    std::vector<int32_t> subprogrambegins;
    char afterend = 0;
    char loopheaderopen = 0;
    int32_t begincount = 0;
    char newunit = 0;
    int32_t thenexpected = 0, loopexpected = 0, thenline = 0, loopline = 0;
    std::string loopkeyword;
    // Statements.
    int32_t statementstate = 0;
    int32_t statementcountdown = 0;
    int32_t tokenposition = 0, savedtokenposition = 0;
    position statementstarttoken, statementfirsttoken;
    int32_t statementstartposition = 0, statementstartdepth = 0;
    int32_t sqlstatement = 0;
    std::string statementword;
    char insidemerge = 0;
    char privilegestatement = 0;
    int32_t indeclarationpart = 0, indeclarations = 0;
    char headerpending = 0;
    int32_t createpending = 0;
    std::string currentunit;
    char assignmentseen = 0;
    std::string lastvalue;
    int32_t lastvaluecount = 0;
    int32_t sqlpluspossible = 0, insqlplusline = 0;
    char sqlplusstatement = 0;
    std::string sqlpluscommand;
    char spacingallowed = 1;
    position lastinsertedblank;
    int32_t keepthenpending = 0, keeplooppending = 0;
    position lastsolidtoken;
    // Lines and lists.
    int32_t atlinestart = 0, linecolumn = 1;
    char linebroken = 0;
    position linestarttoken, lastlinestarttoken;
    std::string linestarttext;
    int32_t lineitems = 0, previouslineitems = 0, listitemcount = -1;
    int32_t keeprelative = 0, relativeindent = 0, relativekeywordcolumn = 0;
    int32_t relativeindentsequence = notoken, relativekeywordsequence = notoken;
    int32_t keywordcolumn = -1;
    position keywordcolumntoken;
    int32_t andcolumn = -1, logicalcolumn = -1;
    // Brackets.
    int32_t bracketdepth = 0, insidebrackets = 0;
    std::vector<bracketentry> bracketstack;
    outerbracket outerbracketstate;
    autoarray<int32_t> bracketlines, bracketcolumns;
    int32_t listinprogress = 0, listcolumn = 0;
    int32_t bracketlistpending = 0, bracketlistmethod = 1, bracketlistset = 0, bracketcomma = 0;
    position listopener;
    // Aligned lists.
    int32_t alistcol = 0, processingalignedlist = 0, alignmentrequested = 0, alistlevel = 0;
    autoarray<alignedlistentry> alignedlists;
    std::string alignmentword;
    int32_t awaitby = 0, awaitwith = 0, endalistcomma = 0;
    int32_t aligncolumn = 0;
    // Pending line-break request.
    int32_t linebreakstate = 0, keeplinebreak = 0, removelinebreaks = 0;
    // Declaration alignment.
    int32_t declarationmode = 6;
    declarationgroup declarationalignment;
    // Conditional compilation.
    int32_t directivetext = 0;
    std::vector<conditionalbranch> conditionals;
    // The settings, kept only while an -ifs block has changed them.
    bool settingssaved = false;
    settings workingsettings;
    std::vector<settings> savedsettings;
};
