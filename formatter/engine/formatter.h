// Stand-in formatter object until the formatting engine lands: it copies the input text
// to the output unchanged.
#pragma once

#include "messages.h"
#include "settings.h"

class formatter {
public:
    messagestream messages;
    settings s;

    // Reads s.inputfile (a file or "stdin") and writes s.outputfile (a file, "stdout",
    // "stderr" or "null"); ends through die when either fails.
    void formatsource();
};
