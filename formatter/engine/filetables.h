// The word sets, keyword tables and patterns of one file: the reserved words and SQL*Plus
// commands, the keywords that start aligned lists (-as, -au, -aaw, -ac, -aroa), the words that
// start statements, the keywords a line break goes before (-bus, -bbj), and the patterns of
// the column and block rules.
//
// Built by buildfiletables from the settings the file starts with (an options comment
// applied), before the token loop; the rules only read them. No rewind restores them because
// nothing changes them once the loop runs: an -ifs block changes the settings, not these
// tables, which keep the switches the file started with.
#pragma once

#include "pattern.h"
#include "settings.h"
#include "wordset.h"

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

// The aligned-list mode of a keyword and the statement word it needs.
struct alignmentwordentry {
    int32_t mode = 0;
    std::string statementword;
};

struct filetables {
    // The patterns, which no switch changes; the word sets and tables empty.
    filetables();

    // Patterns of the statement and block rules, and of the column count.
    const pattern* trailingbreak = nullptr;        // an optional line break and blanks at the end
    const pattern* leadingtabs = nullptr;          // TABs before any line break
    const pattern* optionalbreakblanks = nullptr;  // an optional line break, then blanks
    const pattern* unitkind = nullptr;             // procedure, function or trigger: captures 1-3

    // Word sets and keyword tables.
    wordset reservedwords;
    wordset sqlpluscommands;
    std::unordered_map<std::string, alignmentwordentry, wordhash, std::equal_to<>> alignmentwords;
    std::set<std::string> statementstarters;
    std::unordered_map<std::string, int32_t, wordhash, std::equal_to<>> breakkeywords;
    std::unordered_map<std::string, std::vector<std::string>, wordhash, std::equal_to<>> breakfollowers;
};

filetables buildfiletables(const settings& s);

// UPDATE starts an aligned list (-au, or -iu with -isis): its SET is then a clause word.
bool alignsupdate(const settings& s);

// The reserved words and the SQL*Plus commands (each also in its short form), lower-cased.
void fillwordsets(wordset& reservedwords, wordset& sqlpluscommands);
