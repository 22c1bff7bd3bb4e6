// The per-level layout record of the block stack and the growable table of them.
#pragma once

#include "autoarray.h"
#include "tokencontext.h"

#include <cstdint>
#include <string>

struct linerecord {
    std::string blockname;
    char iscasestatement = 0;
    std::string contexttext;
    std::string unitname;
    int32_t elseseen = 0;
    char whenlevel = 0;          // the level belongs to a WHEN
    int32_t startcolumn = 0;
    int32_t startline = 0;
    int32_t elseline = 0;
    char hasif = 0;
    position openertoken;        // default: no token
    int32_t openerstatement = 0;
    char extraindent = 0;
    char isasreached = 1;
    position isastoken;

    static linerecord autoarraydefault() { return linerecord(); }
};

using linetable = autoarray<linerecord>;
