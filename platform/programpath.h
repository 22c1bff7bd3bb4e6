// The running program's own path.
#pragma once

#include <string>

// Absolute path of the running executable; empty when the system does not tell.
std::string programpath();
