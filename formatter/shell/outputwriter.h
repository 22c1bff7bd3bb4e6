// The output writer: the formatted token list as plain text (with the formatted-by header)
// or as html, to a file, a standard stream, a string, the clipboard or nowhere.
#pragma once

#include <string>

class formatter;

// Writes the formatter's token list to the output its settings name; ends the file through
// die (or a usage error) when it cannot.
void writeoutput(formatter& f);

// The html text of the token list: every token escaped between the tags of its kind.
std::string htmltext(formatter& f);

// Writes text to the file through a temporary file beside it that is renamed into place, so
// that a failure leaves the old file whole. False with errno set on failure.
bool replacefile(const std::string& name, const std::string& text);
