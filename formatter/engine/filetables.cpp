// The word sets, keyword tables and patterns of one file, built from its settings.
#include "filetables.h"

#include "globals.h"

filetables::filetables() {
    trailingbreak = &pattern::get("(" + linebreakpattern + "?)([\t ]*)\\z", pattern::dotall);
    unitkind = &pattern::get("^(procedure)$|^(function)$|^(trigger)$", pattern::caseless | pattern::dotall);
    leadingtabs = &pattern::get("^" + notlinebreak + "*?\t+", pattern::dotall);
    optionalbreakblanks = &pattern::get("(" + linebreakpattern + "?)([\t ]+)", pattern::dotall);
}

namespace {

void fillkeywordtables(filetables& t, const settings& s) {
    auto& alignmentwords = t.alignmentwords;
    auto& breakkeywords = t.breakkeywords;
    auto& breakfollowers = t.breakfollowers;
    if (s.as || (s.ins && s.isis)) {
        alignmentwords["select"] = {2, ""};
        alignmentwords["distinct"] = {2, ""};
        alignmentwords["into"] = {3, "fetch"};
    }
    if (alignsupdate(s)) alignmentwords["update"] = {2, ""};
    if (s.aaw || (s.iaw && s.isis)) alignmentwords["where"] = {2, ""};
    if (s.ac)
        for (const char* word : {"if", "elsif", "when", "while"}) alignmentwords[word] = {1, ""};
    if (s.aroa) alignmentwords[":="] = {1, ""};
    for (const char* word :
         {"create",       "alter",    "analyse",   "associate", "audit",  "call",    "comment", "commit",  "delete",
          "disassociate", "drop",     "explain",   "grant",     "insert", "lock",    "merge",   "noaudit", "rename",
          "revoke",       "rollback", "savepoint", "truncate",  "update", "declare", "begin"})
        t.statementstarters.insert(word);
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
        for (const char* word : {"join", "cross", "inner", "natural", "left", "right", "full"}) breakkeywords[word] = 2;
        for (const char* word : {"cross", "inner", "natural"}) breakfollowers[word] = {"join"};
        for (const char* word : {"left", "right", "full"}) breakfollowers[word] = {"outer", "join"};
    }
}

}  // namespace

bool alignsupdate(const settings& s) { return s.au || (s.iu && s.isis); }

filetables buildfiletables(const settings& s) {
    filetables t;
    fillwordsets(t.reservedwords, t.sqlpluscommands);
    fillkeywordtables(t, s);
    return t;
}
