// Consecutive alignment of assignments, arrows, equalities, declaration types and aliases,
// with the blank collapsing and the declared-name bookkeeping it relies on.
#include "formatter.h"

// Collapses a run of blanks to one where alignment does not need it (-c).
void formatter::collapseblanks() {}

// Notes a name declared in the current declaration (-dbvn).
void formatter::registerdeclaredname() {}

// Aligns the types of consecutive declarations; true when the loop must start again at the
// token it made current.
bool formatter::aligndeclarations() { return false; }

// Aligns consecutive :=, => and = vertically; true when the loop must start again at the
// token it made current.
bool formatter::alignconsecutive() { return false; }

// True when the blank after an operator must stay because alignment placed it.
bool formatter::keepblankafter(position) { return false; }

bool formatter::alignmentpending() const { return false; }

bool formatter::beyondrewindline() { return false; }
