// #include and #include_next: the name, the search in the path lists, the texts of
// included files, the include stack and the #line tokens that bracket an included text.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cpperrors.h"
#include "cppoutput.h"
#include "cpptokens.h"

struct preprocessstate;

// Includes nest no deeper than this.
constexpr size_t maximumincludedepth = 200;

struct includename {
    std::string name;     // empty when no quoted or angle-bracket name stands at the position
    bool system = false;  // written as <name>
};

// A quoted name "..." or a system name <...> at position; position ends after it. The scan
// does not stop at line ends; an unclosed name is an error at the end of the text.
includename parseincludename(errorreporter errors, size_t& position, std::string_view text);

// The path of the file: the last directory of the list in which the name exists; a quoted
// name not found there is taken as it stands when it exists. Empty when nothing exists.
std::string searchinclude(const std::string& name, bool system, const std::vector<std::string>& directories);

// Carries out #include (next false) or #include_next after the directive name.
void includedirective(preprocessstate& state, bool next, bool active, tokenoutput& output, size_t& position,
                      std::string_view text);
