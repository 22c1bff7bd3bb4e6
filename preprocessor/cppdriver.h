// The processing driver: runs the lexer over one text, expands macros and the built-in names
// __line__ and __file__, and keeps the statement state for tokens that macros produce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cpperrors.h"
#include "cppoutput.h"
#include "cpptokens.h"

struct linestate;
struct preprocessstate;

// Normal mode (directives true): processes the text from position to its end, appending to
// output, and returns a kind-0 token. Skip mode: reads and drops tokens up to the next "#" and
// returns it (kind 6) with position just after it, or kind 0 at the end of the text.
atoken processtext(preprocessstate& state, bool directives, tokenoutput& output, size_t& position,
                   std::string_view text);

// The line of a position as the output reports it: with a #line directive in force, its offset added.
int64_t reportedline(lineindexmap& lineindexes, const linestate& lines, size_t position, std::string_view text);
// The file that #line tokens name: the #line directive's file, else the file being read.
std::string linetokenfile(const linestate& lines, const std::string& currentfilename);
// A kind-6 token "#line N \"file\"\n" kept in kept; file becomes currentfilename.
atoken makelinetoken(std::string& currentfilename, textstore& kept, int64_t line, const std::string& file);
// The #line token for a position: its reported line and the file that #line tokens name.
atoken linetokenat(preprocessstate& state, size_t position, std::string_view text);
