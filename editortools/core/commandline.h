// The program's switches.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct CommandLineOptions {
    std::string xmlFile;           // -if
    std::string toolName;          // -it
    std::string backupDir;         // -bd
    std::string ide;               // -e
    bool noGui = false;            // -nogui, -ng
    bool overwrite = false;        // -o
    bool showInfoDialogs = false;  // -sid
};

// Thrown for a switch whose value is missing; the text carries no line break.
struct CommandLineError {
    std::string text;
};

std::string UsageText();

// The argument after index, which then points at it; throws CommandLineError naming what when
// there is none.
std::string NextArgumentValue(const std::vector<std::string>& arguments, size_t& index, const std::string& what);

// Fills options from the arguments (without the program name). Unknown arguments are reported on
// err as ignored; -h writes the usage text there and gives false: the program ends.
bool ParseArguments(const std::vector<std::string>& arguments, CommandLineOptions& options, std::ostream& err);
