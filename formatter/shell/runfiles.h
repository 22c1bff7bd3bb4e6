// Start-up and the multi-file run: the pieces of main, formatallfiles and the per-file run.
#pragma once

#include "messages.h"
#include "settings.h"

#include <cstdint>
#include <functional>
#include <string>

// main's start-up steps: the arguments without the program name, the directory of the
// program's file, and the environment entries of the form NAME=VALUE.
void keepargumentlist(int argc, char** argv);
void keepprogramdirectory(const std::string& programfile);
void keepenvironment(char** environment);
// Puts /dev/null in the place of a closed standard stream and notes it as closed.
void guardstandardstreams();

// Runs the program's work and turns its end into the exit code: 0 on return, 3 when
// memory ran out, the number of a digits-only message, else 255 after printing it.
int runguarded(const std::function<void()>& work);

// Parses the command line and formats every input/output pair.
void formatallfiles();
// Formats one pair as its own run; 0 when done, else the file's failure code.
int32_t formatonefile(settings& s, int32_t& tried, int32_t& done, std::string& messagesout);
// Runs the format driver of one file and prints its result line to the sink: the done
// line under sr, or the message and the failed line. Returns the file code.
int32_t reportfile(const settings& s, messagestream& sink, const std::function<void()>& driver, int32_t& done);
// The number of non-empty entries of inputfiles.
int32_t countnonemptyentries(settings& s);
