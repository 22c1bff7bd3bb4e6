// Text in the user's ANSI code page, as some target files keep it; the program's text is UTF-8.
#pragma once

#include <string>

// The user's code page from the locale variables, -1 when the locale names none.
int UserCodePage();

// The text in that code page (a character the page lacks becomes "?"); the text unchanged when
// the code page is -1, has no converter, or the conversion gives nothing.
std::string ToCodePage(const std::string& text, int codePage);
// Bytes of that code page as UTF-8, with the same fallbacks.
std::string FromCodePage(const std::string& bytes, int codePage);
