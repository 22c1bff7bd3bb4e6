// Stream, file and clipboard operations of the support library.
#pragma once

#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// The next line with its terminator: LF ends a line, CR ends one and takes a following
// LF with it. "" at the end of the stream.
std::string readline(std::istream& in);
// Every line to the end of the stream; a final terminator gives a final "", and an
// empty stream gives one "".
std::vector<std::string> readlines(std::istream& in);
// The rest of the stream as one text (the lines of readlines joined); false when the stream
// was not good to read.
bool readtext(std::istream& in, std::string& text);
// The lines of a text as readlines gives them, each with its terminator.
std::vector<std::string> splitkeepingends(std::string_view text);

// Opens the stream in binary mode by the prefix of the name: "<" reading, ">" writing
// (truncating), ">>" appending (the name is echoed to stdout), none reading. Leading
// blanks and the blanks after the prefix are skipped. True when the stream is good.
bool openbymode(std::fstream& stream, std::string_view text);
bool openbymode(std::fstream& stream, std::string_view mode, std::string_view name);
// Closes the stream; a failed close sets its fail state.
void closestream(std::fstream& stream);

bool isdirectory(const std::string& path);

// Fills text with the clipboard's text up to its first zero byte. Returns the number of
// bytes the clipboard held plus one when the text is not empty, 0 when it is empty, and
// -1 when the clipboard cannot be read (then reason, when given, says why).
int getclipboardtext(std::string& text, std::string* reason = nullptr);
// Puts the text up to its first zero byte on the clipboard. Returns 0, or -1 when the
// clipboard cannot be written (then reason, when given, says why).
int setclipboardtext(const std::string& text, std::string* reason = nullptr);
