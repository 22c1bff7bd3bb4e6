// The block stack and END handling: blocks opened and closed, block information after END,
// and the line starts that the block structure decides.
#include "formatter.h"

// Opens a block level at a block keyword (BEGIN, IF, LOOP, CASE, DECLARE, ...).
bool formatter::openblock(int32_t) { return false; }

// Handles a "/" that ends a unit at block level 0.
void formatter::slashatlevelzero() {}

// Closes the block at END; true when the token needs no further rules.
bool formatter::closeblock(int32_t) { return false; }

// Records a declared unit for the call tree (-ct).
void formatter::registerdeclaration() {}

// Keeps or removes line breaks at a line start; true when the loop must start again.
bool formatter::beginline() { return false; }
