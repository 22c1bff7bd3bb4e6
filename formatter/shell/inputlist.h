// Input list and output names: the values of -i, -o, -io, -ef and -od become the input and
// output pairs of the settings, masks expanded into one pair per matching file.
#pragma once

#include "commandline.h"
#include "settings.h"

#include <cstdint>
#include <string>

// True when the value holds "?", "*" or "[" and so is expanded as a mask.
bool ismask(const std::string& value);

// -i, -ir: the value, or every file its mask matches, becomes the next input.
void addinputfile(settings& s, const std::string& value, int32_t recursive);
// -o, -no: the output of the input named last by a plain -i. While a file is being
// formatted (inputfile set) it names that file's output instead.
void setoutputfile(commandlineargs& args, const std::string& value, settings& s);
// -io, -ior: pairs whose output is their input.
void addinputoutputfile(settings& s, const std::string& value, int32_t recursive);
// -ef, -efr: the value, or every file its mask matches, is left out of the inputs.
void addexcludedfile(commandlineargs& args, const std::string& value, int32_t recursive);
// -od, -odr: the output directory, which must exist.
void setoutputdirectory(commandlineargs& args, const std::string& value);

// The output directory for the input name from base (the directory part of the recursive
// mask that found it): with -odr the path below base is mirrored under the output
// directory (its folders are made when the output is written).
std::string outputdirectoryfor(const commandlineargs& args, const std::string& name, const std::string& base);
// The output name an input gets when none was given: oe "+EXT" appends EXT to the whole
// name, any other oe replaces the extension; -od/-odr move it into the output directory.
std::string defaultoutputname(const commandlineargs& args, const std::string& name, const std::string& oe,
                              const std::string& base);
// The length of the leading part of that default name which the user named: the output
// directory, else the folder of the mask that found the input, else the input's folder.
int32_t defaultoutputnamedlength(const commandlineargs& args, const std::string& name, const listedfile& listed);
