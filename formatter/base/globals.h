// The program's global objects, built before main runs.
#pragma once

#include <map>
#include <string>
#include <vector>

extern std::vector<std::string> argumentlist;                // arguments without the program name
extern std::string programdirectory;                         // directory of the running program
extern std::map<std::string, std::string> environmenttable;  // process environment, name to value
extern std::string versiontext;                              // set when the run starts
extern const std::string bannertext;
extern const std::string pathseparator;
extern const std::string linebreakpattern;  // CR LF, CR or LF
extern const std::string notlinebreak;      // any byte but CR or LF
extern const std::string ifsmessagetail;
// Standard streams that were closed when the program started (they now lead to /dev/null,
// so that no file the program opens takes their place).
extern bool standardinputclosed, standardoutputclosed;
