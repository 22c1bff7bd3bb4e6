// The preprocessing bridge: the text is run through the preprocessing library (-pp).
#include "formatter.h"

// Replaces the source text with the preprocessed text, or ends the file with its error.
void formatter::preprocess() {}
