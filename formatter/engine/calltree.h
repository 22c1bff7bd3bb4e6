// The call tree (-ct): the routine record of one routine of the source (the routines it
// calls, with the text of each call), and the tree of them.
#pragma once

#include "blockstack.h"
#include "charsets.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct routinerecord {
    explicit routinerecord(int32_t defined) : isdefined(defined != 0 ? 1 : 0) {}

    std::string name;  // as written where it is defined
    int32_t isdefined = 0;
    std::vector<std::string> callednames;  // routines called, as written
    std::vector<std::string> callplaces;   // per call: its bracketed argument text
    std::map<std::string, int32_t> counts;
    std::string note;
};

// The subprograms a source defines and the calls made in their bodies, pruned to the routines
// the source defines and printed as a tree; and per block level the nearest subprogram body,
// kept from call to call. It owns the routine records and that cache, and reads the block
// stack without changing it. No rewind restores it: the cache follows the levels the stack
// reports changed (a stack put back reports every level), a definition noted again is the
// same, and a call is noted once however often a rewind lays its token out again.
class calltree {
public:
    // Names compare in the lower case of this set (the text's, which outlives the tree).
    explicit calltree(const charset& textset) : set(textset) {}
    // Per block level: the nearest subprogram body at or below it (0: none) and the nearest
    // level whose name holds "begin" (-1: none).
    struct routinelevel {
        int32_t body = 0;
        int32_t begin = -1;
    };
    // The entry of level; changed is the lowest level of the stack that may have changed
    // since the last call.
    routinelevel routinelevelat(const linetable& blockstack, int32_t changed, int32_t level);
    // The routine whose body is at level body (routinelevel::body); "" outside bodies.
    std::string callingroutine(const linetable& blockstack, int32_t body) const;
    // A definition of name (lower-cased key) with its bracketed text, at a line.
    void registerroutine(const std::string& name, const std::string& key, const std::string& text, int32_t line);
    // A call of name from the routine caller (a key) with its bracketed text, at the token of
    // that sequence number; a token noted before adds none.
    void registercall(const std::string& caller, const std::string& name, const std::string& text, int32_t sequence);
    // Calls of routines the source does not define go.
    void prunecalls();
    // Each unit the source defines, then the routines it calls, on out under the file's name.
    void printcalltree(std::ostream& out, const std::string& filealias) const;
    // Block levels looked at to find the routine of a call (a measure of the work).
    int64_t routinesteps() const { return routinelevelsread; }

private:
    void printcalltree(std::ostream& out, const std::string& filealias, int32_t depth, const routinerecord& record,
                       std::map<std::string, int32_t>& onpath) const;

    const charset& set;
    // Unit -> declared or called name -> its bracketed text; the routine records.
    std::map<std::string, std::map<std::string, std::string>> declarationtexts;
    std::vector<std::string> routinenames;  // lower-cased, in the order met
    std::map<std::string, std::shared_ptr<routinerecord>> routines;
    std::map<std::string, std::string> routinedefinitions;  // lower-cased name -> its line
    std::vector<routinelevel> routinelevels;
    int32_t routinelevelsvalid = 0;
    int64_t routinelevelsread = 0;
    std::vector<bool> calltokens;  // by sequence number: the token is a call noted already
};
