// The options that the preprocessing bridge hands to libmarlox.so.
#pragma once

#include "settings.h"

#include <string>
#include <vector>

// "-I" dir per include path, "-pf" file per preload file, "-D" name=value per macro, then
// "-ild+", "-ld+" and "-kld+" for the switches that are on, and always "-cs" set last.
std::vector<std::string> preprocessoroptions(const settings& s);
