// The records EditPadPro 6 and 7 describe a tool by, as this program writes them.
#pragma once

#include "core/writers/toolwriter.h"

#include <string>

// The 31 settings of an EditPadPro 6 tool and the 30 of an EditPadPro 7 tool, in order.
EditPadProToolRecord MakeEditPadPro6Tool(const std::string& caption, const std::string& commandLine,
                                         const std::string& workingFolder);
EditPadProToolRecord MakeEditPadPro7Tool(const std::string& caption, const std::string& commandLine,
                                         const std::string& workingFolder);
