// The layout pass and the column limit (-mcs with -acs, -aci, -asc, -abuc, -abusc, -acoslc,
// -amso, -amc).
#include "formatter.h"

// Copies the layout values the column-limit rules compare against at the start of a token.
void formatter::savetokenstartlayout() {}

// End-of-token bookkeeping of the previous line's columns.
void formatter::trackpreviouscolumns() {}

// Shortens a line beyond the column limit; true when a line break was put before the token.
bool formatter::layoutpass() { return false; }
