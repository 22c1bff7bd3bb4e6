// Registry export text ("Windows Registry Editor Version 5.00"), read and written.
#pragma once

#include "registrykey.h"

#include <string>
#include <string_view>
#include <vector>

// Reads text into root (the HKEY_CURRENT_USER key) and otherroots (the sections of other
// roots, each as its lines ended by CR LF). False, with why ("line N: ..."), when the text
// cannot be parsed; root and otherroots are then incomplete.
bool parseregistrytext(std::string_view text, registrykey& root, std::vector<std::string>& otherroots,
                       std::string& why);

// The text of root and its subkeys, then the sections of otherroots, with CR LF.
std::string registrytext(const registrykey& root, const std::vector<std::string>& otherroots);
