// Html tag sequences: checks the opening tag sequence of every token kind and derives
// the closing sequence that the html writer puts after a token of that kind.
#pragma once

#include "messages.h"

#include <cstdint>
#include <map>
#include <string>

using tagsbykind = std::map<int32_t, std::string>;  // token-kind code to tag sequence

// The token-kind names that -tag takes, each with its kind code.
const std::map<std::string, int32_t>& tokenkinds();

// The closing tags of an opening sequence, last tag first; "<>" gives "". A sequence
// that does not start with "<", does not end with ">" or does not pair them is a usage
// error through messages.
std::string closingtagsequence(const std::string& sequence, messagestream& messages);

// Fills opentags (each sequence unchanged) and closetags for every entry of tag, keyed
// by the token-kind code of its name.
void parsetagsequence(const std::map<std::string, std::string>& tag, messagestream& messages, tagsbykind& opentags,
                      tagsbykind& closetags);
