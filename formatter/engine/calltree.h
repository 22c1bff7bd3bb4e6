// The routine record of the call tree (-ct): the routines that one routine of the source
// calls, with the text of each call.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct routinerecord {
    explicit routinerecord(int32_t defined) : isdefined(defined != 0 ? 1 : 0) {}

    std::string name;                       // as written where it is defined
    int32_t isdefined = 0;
    std::vector<std::string> callednames;   // routines called, as written
    std::vector<std::string> callplaces;    // per call: its bracketed argument text
    std::map<std::string, int32_t> counts;
    std::string note;
};
