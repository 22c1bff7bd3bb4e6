// In-source options: switches given in a "/*brelm options:" comment of the file (-gsfif).
#include "formatter.h"

// Applies the switches of the first options comment to the working settings.
void formatter::applyinsourceoptions() {}
