// The support library: text and list operations that all of brelm uses; the stream,
// file and clipboard operations come with supportfiles.h.
#pragma once

#include "supportfiles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Byte-wise ASCII case conversion; every other byte stays.
std::string lc(std::string_view text);
std::string uc(std::string_view text);

// A negative offset counts from the end; a negative length leaves that many bytes off
// the end. Offsets and lengths outside the text are clipped to it.
std::string substr(std::string_view text, int64_t offset, int64_t length);
std::string substr(std::string_view text, int64_t offset);

// Removes one final line break: CR LF or LF CR as a pair, else one LF or CR.
void chomp(std::string& text);
// The text without its leading tabs, blanks, LF and CR bytes.
std::string ltrim(std::string_view text);
bool startswith(std::string_view text, std::string_view prefix);
bool endswith(std::string_view text, std::string_view suffix);

std::string numtostring(long long number);
// The decimal integer the text begins with (leading white space skipped, optional sign),
// held to the 32-bit range; 0 when the text does not begin with a number.
int32_t stringtonum(std::string_view text);

std::string join(const std::vector<std::string>& pieces, std::string_view separator);
// The pieces between matches of the separator pattern; a final empty piece is dropped.
std::vector<std::string> split(std::string_view separator, std::string_view text);
// The lines without terminators (CR LF, CR or LF); the final piece is always kept.
std::vector<std::string> splitlines(std::string_view text);
// The number of line breaks (CR LF, CR or LF) in the text.
int64_t countlinebreaks(std::string_view text);

// The system's text for the current errno.
std::string errnotext();
// The text with its control bytes (below 32, and 127) written as \xNN, safe to echo to a
// terminal: how every file name and value is shown in messages.
std::string escapedword(std::string_view text);
// The same for a message of whole lines: line feeds and tabs stay.
std::string escapedlines(std::string_view text);

// Removes and returns the first element; "" for an empty list.
std::string shift(std::vector<std::string>& list);
// Removes and returns the last element; the empty element for an empty list.
template <class T>
T pop(std::vector<T>& list) {
    if (list.empty()) return T();
    T last = std::move(list.back());
    list.pop_back();
    return last;
}
inline std::string popstring(std::vector<std::string>& list) { return pop(list); }

std::vector<std::string> sortstrings(std::vector<std::string> list);
std::vector<int32_t> sortnumbersdown(std::vector<int32_t> list);
std::vector<std::string> numberstostrings(const std::vector<int32_t>& numbers);
std::vector<int32_t> stringstonumbers(const std::vector<std::string>& texts);
