// Aligned lists and select alignment (-as, -au, -aaw, -ac, -aroa, -ins, -iu, -iaw).
#include "formatter.h"

// Opens, continues or ends the aligned list of a SELECT, UPDATE, WHERE or condition.
void formatter::alignselects() {}

void formatter::popalignedlist() {}

void formatter::popalignedlistsatbracket(int32_t) {}

void formatter::closealignedlistatblock() {}
