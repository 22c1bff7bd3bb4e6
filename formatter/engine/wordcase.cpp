// Keyword and identifier case (-uk, -lk, -ck, -ui, -li, -ci, -si).
#include "formatter.h"

// Sets the case of the current token when it is a keyword or an identifier.
void formatter::applywordcase() {}
