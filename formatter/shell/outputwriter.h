// The output writer: the formatted token list as plain text (with the formatted-by header)
// or as html, to a file, a standard stream, a string, the clipboard or nowhere.
#pragma once

#include "replacefile.h"

#include <string>

class formatter;

// Writes the formatter's token list to the output its settings name; ends the file through
// die (or a usage error) when it cannot.
void writeoutput(formatter& f);

// The formatted-by header of -pl and -plo (empty without them); an old header is taken out of
// the token list first.
std::string outputheader(formatter& f);

// The whole output as writeoutput writes it (header, html or plain text), the -slsf side
// file left out.
std::string outputtext(formatter& f);

// The html text of the token list: every token escaped between the tags of its kind.
std::string htmltext(formatter& f);

// Replaces the file by the text (through a temporary file beside it, renamed into place);
// with expected known the name must still lead to that file. Ends the file through die
// ("could not write NAME: reason") on failure.
void writefile(const std::string& name, const textsource& text, const fileidentity& expected);

// With -sl, -el or -pp (a cut or changed text) or -html, an output that is the input file
// itself is a usage error.
void refuseinplacecut(formatter& f);

// True for an output name that is a file, not a stream, the clipboard or nowhere.
bool isfiletarget(const std::string& name);
// True when the output is a file and the same file as the input that was read (by device
// and inode, or by name).
bool outputisinput(const formatter& f);
