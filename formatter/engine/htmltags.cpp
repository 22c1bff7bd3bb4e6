// Html tag sequences: the opening sequence of each token kind and its closing sequence.

#include "htmltags.h"

#include "token.h"

#include <vector>

const std::map<std::string, int32_t>& tokenkinds() {
    static const std::map<std::string, int32_t> kinds = {{"singlelinecomment", singlelinecomment},
                                                         {"doublequotes", doublequotedname},
                                                         {"singlequotes", stringliteral},
                                                         {"qquotes", qquoteliteral},
                                                         {"multilinecomment", blockcomment},
                                                         {"other", othertoken},
                                                         {"whitespace", whitespace},
                                                         {"identifier", identifier},
                                                         {"keyword", keywordtoken},
                                                         {"number", number}};
    return kinds;
}

namespace {

// The names of the tags in order: a name runs from "<" to the first white space or ">".
std::vector<std::string> tagnames(const std::string& sequence, int& depth) {
    std::vector<std::string> names;
    std::string name;
    bool inname = false;
    auto endname = [&] {
        inname = false;
        if (!name.empty()) names.push_back(name);
        name.clear();
    };
    depth = 0;
    for (char c : sequence) {
        if (c == '<') {
            ++depth;
            inname = true;
        } else if (c == '>') {
            endname();
            --depth;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            endname();
        } else if (inname) {
            name += c;
        }
    }
    return names;
}

}  // namespace

std::string closingtagsequence(const std::string& sequence, messagestream& messages) {
    if (sequence.empty() || sequence.front() != '<')
        usageerror(messages, "Starting < is missing in tag sequence " + sequence);
    if (sequence.back() != '>') usageerror(messages, "Closing > is missing in tag sequence " + sequence);
    int depth = 0;
    std::vector<std::string> names = tagnames(sequence, depth);
    if (depth != 0) usageerror(messages, "< > are not paired correctly in tag sequence " + sequence);
    std::string closing;
    for (auto name = names.rbegin(); name != names.rend(); ++name) closing += "</" + *name + ">";
    return closing;
}

void parsetagsequence(const std::map<std::string, std::string>& tag, messagestream& messages, tagsbykind& opentags,
                      tagsbykind& closetags) {
    for (const auto& [name, sequence] : tag) {
        std::string closing = closingtagsequence(sequence, messages);
        auto kind = tokenkinds().find(name);
        if (kind == tokenkinds().end()) continue;
        closetags[kind->second] = closing;
        opentags[kind->second] = sequence;
    }
}
