// Line indentation: the indentation text of a block level (-is, -il, -ni, -ut, -uts).
#include "formatter.h"

// The indentation text for a block level.
std::string formatter::indentline(int32_t, int32_t) { return {}; }
