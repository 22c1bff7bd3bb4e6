// Routine records and the call tree (-ct).
#include "formatter.h"

// Prints the call tree of the recorded units.
void formatter::printcalltree(const std::vector<std::string>&) {}
