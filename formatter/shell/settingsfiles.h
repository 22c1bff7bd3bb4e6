// Settings text: the splitter shared by "brelm.cfg", -ls files and in-source options,
// and the two readers that turn those files into switch words.
#pragma once

#include "messages.h"

#include <string>
#include <string_view>
#include <vector>

struct settings;

// Splits settings text into switch words: blanks, TABs and line breaks separate words,
// "--" at a word start comments to the end of the line, and a word that starts with a
// double quote runs to its closing quote ("" and \" stand for one quote; a \" that is
// followed by a separator or the end closes the word and keeps the backslash).
// A quoted word left open drops itself and the rest of the text; unterminated, when
// given, tells whether that happened.
std::vector<std::string> splitsettingstext(std::string_view text, bool* unterminated = nullptr);

// Inserts the words of "brelm.cfg" beside the program in front of arguments; a file that
// cannot be opened adds nothing. Settings files are read as inputs are (a regular file or
// a pipe that something writes to) and up to 1 MB; anything else ends the run with "could
// not load settings from NAME: reason". An unterminated quoted word is a usage error.
void readdefaultconfig(std::vector<std::string>& arguments, messagestream& messages);

// The words of the file named by the ls field; a file that cannot be read ends the run
// with "could not load settings from NAME: reason", an unterminated quoted word is a usage
// error.
std::vector<std::string> loadsettings(const settings& s, messagestream& messages);

// Where the configuration file is looked for.
std::string defaultconfigpath();
