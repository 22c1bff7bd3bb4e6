// The html page of a token list: the template's head, every token escaped between the tags
// of its kind, the template's tail.
#pragma once

#include <string>

class formatter;
struct headermarker;

// The html text of the formatter's tokens, inside the -ht template when one is named; a
// template that cannot be read, or lacks the placeholder, ends the file.
std::string htmltext(formatter& f, const headermarker& marker);
