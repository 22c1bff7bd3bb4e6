// The block stack: the per-level record (what opened a block, where, and how its body is
// indented) and the growable table of them.
#pragma once

#include "autoarray.h"
#include "tokencontext.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

struct linerecord {
    // "if", "loop", "for", "while", "case", "when", "declare", "begin", "cursor", "package",
    // "type", "procedure", "function", "trigger", "procedurebegin", ...; "{" for a bracketed
    // part; empty when no block is recorded at the index.
    std::string blockname;
    char iscasestatement = 0;  // a CASE statement, not a CASE expression
    std::string contexttext;   // ":=" or the statement word at the push
    std::string unitname;      // the subprogram's or unit's name, set by the header rules
    int32_t elseseen = 0;      // an ELSE was seen at this level
    char whenlevel = 0;        // a WHEN level that the block opener pushed
    char multielse = 0;        // a second ELSE was seen at this level
    int32_t startcolumn = 0;   // display column of the opener minus 1
    int32_t startline = 0;
    int32_t elseline = 0;
    char hasif = 0;        // the ELSE is directly followed by IF
    position openertoken;  // the opener; default: no token
    position lasttoken;    // for a "{" level: the last token of the part
    int32_t openerstatement = 0;
    char extraindent = 0;  // the body of this level is indented one step
    char isasreached = 1;  // 0 while a CREATE header still waits for its IS or AS
    position isastoken;
    std::string routinekey;  // -ct: the lower-cased name of a subprogram header's unit

    static linerecord autoarraydefault() { return linerecord(); }
};

// The block stack. For each watcher it notes the lowest level handed out for change since
// that watcher last asked, so that results over the levels below that one can be kept.
class linetable : public autoarray<linerecord> {
public:
    enum watcher { indentwatcher, routinewatcher, watchercount };

    linetable() = default;
    linetable(const linetable& other) : autoarray<linerecord>(other) {}
    linetable(linetable&& other) noexcept : autoarray<linerecord>(std::move(other)) {}
    linetable& operator=(const linetable& other) {
        autoarray<linerecord>::operator=(other);
        lowestchanged.fill(0);
        return *this;
    }
    linetable& operator=(linetable&& other) noexcept {
        autoarray<linerecord>::operator=(std::move(other));
        lowestchanged.fill(0);
        return *this;
    }
    linerecord& at(int32_t i) {
        for (int32_t& lowest : lowestchanged)
            if (i < lowest) lowest = i;
        return autoarray<linerecord>::at(i);
    }
    // Level i for reading (the array still grows to it).
    const linerecord& peek(int32_t i) { return autoarray<linerecord>::at(i); }
    // The same without growing, through a const table.
    const linerecord& peek(int32_t i) const { return autoarray<linerecord>::peek(i); }
    void fillfrom(int32_t k) {
        for (int32_t& lowest : lowestchanged)
            if (k < lowest) lowest = k;
        autoarray<linerecord>::fillfrom(k);
    }
    // The lowest level that may have changed since the watcher last asked.
    int32_t takelowestchanged(watcher w) {
        int32_t lowest = lowestchanged[w];
        lowestchanged[w] = std::numeric_limits<int32_t>::max();
        return lowest;
    }

private:
    std::array<int32_t, watchercount> lowestchanged{};
};
