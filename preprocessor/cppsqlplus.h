// The SQL*Plus command words that let the lexer pass command lines through untouched.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>

// The command table: entries separated by an empty line; "ACC[EPT]" is the short form ACC and
// the long form ACCEPT.
extern const std::string_view sqlpluscommandtable;
// The lower-cased short and long forms of the table's words.
extern std::set<std::string, std::less<>> sqlpluscommands;

// Adds the command words to sqlpluscommands (adding them again changes nothing).
void buildsqlpluscommands();
// One byte of a-z, "@"-"Z" or "_", then any of 0-9, a-z, "@"-"Z", "_"; empty when none.
std::string scanword(size_t& position, std::string_view text);
// True for a lower-cased command word.
bool issqlpluscommand(std::string_view loweredword);
