// Where the program looks for things: the environment variables it reads, its own folder, and
// paths joined with "/".
#pragma once

#include <string>

// The variable's value; "" when it is unset.
std::string GetEnv(const char* name);

// $XDG_CONFIG_HOME when set and not empty, else the home folder's ".config"; "" when neither
// is known.
std::string ConfigFolder();
// The folder "APPDATA" names: $APPDATA when set and not empty, else ConfigFolder().
std::string AppDataFolder();
// HOMEDRIVE + HOMEPATH when HOMEPATH is set and not empty, else $HOME, else the home folder of
// the user's account.
std::string HomeFolder();
// $SystemRoot, "" when it is unset.
std::string SystemRootFolder();
// The folder of the running executable, from /proc/self/exe ("." when the system does not tell).
std::string ProgramFolder();

// folder + "/" + name.
std::string JoinPath(const std::string& folder, const std::string& name);
// The path less one trailing "/".
std::string StripTrailingBackslash(const std::string& path);
