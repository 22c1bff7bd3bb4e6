// The program's global objects.
#include "globals.h"

std::vector<std::string> argumentlist;
std::string programdirectory;
std::map<std::string, std::string> environmenttable;
std::string versiontext;
const std::string bannertext = "Vellmarq Pl/Sql Formatter";
const std::string pathseparator = "/";
const std::string linebreakpattern = "(?:\\x0d\\x0a|\\x0d|\\x0a)";
const std::string notlinebreak = "[^\\x0d\\x0a]";
const std::string ifsmessagetail = " cannot be used in -ifs";

bool standardinputclosed = false;
bool standardoutputclosed = false;
