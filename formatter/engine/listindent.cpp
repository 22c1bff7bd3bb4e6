// List indentation: the indentation of continuation lines of statements and lists.
#include "formatter.h"

// Re-indents the line that the current token starts.
void formatter::indentnormal() {}
