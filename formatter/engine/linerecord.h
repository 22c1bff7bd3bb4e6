// The per-level record of the block stack (what opened a block, where, and how its body is
// indented) and the growable table of them.
#pragma once

#include "autoarray.h"
#include "tokencontext.h"

#include <cstdint>
#include <string>

struct linerecord {
    // "if", "loop", "for", "while", "case", "when", "declare", "begin", "cursor", "package",
    // "type", "procedure", "function", "trigger", "procedurebegin", ...; "{" for a bracketed
    // part; empty when no block is recorded at the index.
    std::string blockname;
    char iscasestatement = 0;    // a CASE statement, not a CASE expression
    std::string contexttext;     // ":=" or the statement word at the push
    std::string unitname;        // the subprogram's or unit's name, set by the header rules
    int32_t elseseen = 0;        // an ELSE was seen at this level
    char whenlevel = 0;          // a WHEN level that the block opener pushed
    char multielse = 0;          // a second ELSE was seen at this level
    int32_t startcolumn = 0;     // display column of the opener minus 1
    int32_t startline = 0;
    int32_t elseline = 0;
    char hasif = 0;              // the ELSE is directly followed by IF
    position openertoken;        // the opener; default: no token
    position lasttoken;          // for a "{" level: the last token of the part
    int32_t openerstatement = 0;
    char extraindent = 0;        // the body of this level is indented one step
    char isasreached = 1;        // 0 while a CREATE header still waits for its IS or AS
    position isastoken;
    std::string routinekey;      // -ct: the lower-cased name of a subprogram header's unit

    static linerecord autoarraydefault() { return linerecord(); }
};

using linetable = autoarray<linerecord>;
