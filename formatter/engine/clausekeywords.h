// The SQL clause keywords of the formatter and the keyword class codes that the tokenizer
// gives identifiers.
#pragma once

#include "wordset.h"

#include <set>
#include <unordered_set>
#include <string>
#include <vector>

// Keyword class codes of the words the engine tests by class.
// clang-format off
enum keywordclass : int32_t {
    classby = 1, classset = 2, classthen = 6, classif = 7, classloop = 8, classfor = 9,
    classwhile = 10, classcursor = 11, classcase = 12, classdeclare = 13, classwhere = 14,
    classhaving = 15, classwith = 16, classselect = 17, classupdate = 18, classdelete = 19,
    classinsert = 20, classmerge = 21, classis = 22, classas = 23, classbegin = 24,
    classand = 25, classor = 26, classnot = 27, classfrom = 28, classvalues = 29,
    classgroup = 30, classorder = 31, classinto = 32, classwhen = 33, classpackage = 34,
    classtype = 35, classbody = 36, classelse = 37, classelsif = 38, classexception = 39,
    classexit = 40, classend = 41, classopen = 42, classprocedure = 43, classfunction = 44,
    classtrigger = 45, classbetween = 46, classrecord = 47, classtable = 48, classview = 49,
    classmaterialized = 50, classdistinct = 51, classobject = 52, classfetch = 53,
    classinserted = 54,  // whitespace a rule inserted
    classhandled = 55,   // a keyword whose followers the break rule has handled
};
// clang-format on

// The word -> class code pairs of the keyword class map.
const std::vector<std::pair<const char*, int32_t>>& keywordclasstable();

struct clausekeywords {
    clausekeywords();
    std::vector<std::string> clausewordlist;  // "select", "from", ... in their order
    std::unordered_set<std::string, wordhash, std::equal_to<>> clausewords;
};
