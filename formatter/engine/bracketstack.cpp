// The bracket stack: open brackets, bracketed lists and their indentation.
#include "formatter.h"

// Pushes or pops the bracket stack at "(" and ")" and lays out the bracketed list.
void formatter::bracketrule(int32_t) {}
