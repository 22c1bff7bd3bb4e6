// A tool's command line as a list of words: the program first, then its arguments.
#pragma once

#include <string>
#include <vector>

// Words are parted by blanks, TABs, CRs and LFs. A word that starts with a double quote runs to
// the closing quote: inside it two quotes in a row and \" each stand for one quote; with
// keepQuotes the word is kept as written, quotes and all, else its text alone; a quote never
// closed drops the word. "--" at the start of a word comments out the rest of the line.
std::vector<std::string> SplitCommandLine(const std::string& text, bool keepQuotes);
