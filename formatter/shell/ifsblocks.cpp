// Conditional switch blocks: the -ifs handler and the compact switch difference.

#include "ifsblocks.h"

#include "globals.h"
#include "pattern.h"
#include "settings.h"
#include "settingsfiles.h"
#include "support.h"
#include "switchlistings.h"

#include <map>

std::string ifshandler(const std::string& text, settings& s) {
    if (s.inifsblock != 0) return "Error using -ifs:there is already a -ifs , that needs to be closed first or removed";
    const pattern& keyword = pattern::get("\\G\\s*([\\w.]+|\\<\\<|\\>\\>)", pattern::dotall);
    ifsnode* node = nullptr;
    std::map<std::string, ifsnode>* level = &s.ifskeywords;
    size_t pos = 0;
    patternmatch m;
    while (pos < text.size() && keyword.consume(text, pos, &m)) {
        node = &(*level)[lc(m.group(1))];
        level = &node->children;
    }
    if (pos != text.size() || node == nullptr)
        return "Error using -ifs:argument is incorrect, it does not consist of keywords";
    s.ifsblocks.emplace_back();
    node->index = static_cast<int32_t>(s.ifsblocks.size() - 1);
    s.inifsblock = 1;
    return "";
}

namespace {

bool isswitchword(const std::string& word) { return !word.empty() && word[0] == '-'; }

bool needsquotes(const std::string& word) {
    return word.empty() || word.find_first_of(" \t\r\n\"") != std::string::npos;
}

std::string quoted(const std::string& word) {
    std::string text(1, '"');
    text += quotestring(word);
    text += '"';
    return text;
}

// The value of the switch at words[i]: the words after it that are not switches, each in
// a form that reads back as one word; i moves past them.
std::string readvalue(const std::vector<std::string>& words, size_t& i) {
    const bool tag = startswith(words[i], "-tag");
    std::string value;
    for (++i; i < words.size() && !isswitchword(words[i]); ++i) {
        if (!value.empty()) value += ' ';
        value += tag || needsquotes(words[i]) ? quoted(words[i]) : words[i];
    }
    return value;
}

std::string piece(const std::string& name, const std::string& value) {
    return value.empty() ? name : name + " " + value;
}

// Switch texts filed by switch, each with the values it was given in order, and the
// conditional blocks filed by their keyword text.
struct switchfile {
    std::vector<std::pair<std::string, std::vector<std::string>>> plain;
    std::vector<std::pair<std::string, std::vector<std::string>>> blocks;

    template <class List>
    static typename List::value_type::second_type& entry(List& list, const std::string& key) {
        for (auto& [k, v] : list)
            if (k == key) return v;
        list.push_back({key, {}});
        return list.back().second;
    }

    const std::vector<std::string>* valuesof(const std::string& key) const {
        for (const auto& [k, v] : plain)
            if (k == key) return &v;
        return nullptr;
    }
};

// Reads a block's switches, from the word after its keywords up to "-ei", as pieces.
std::vector<std::string> readblock(const std::vector<std::string>& words, size_t& i) {
    std::vector<std::string> pieces;
    while (i < words.size() && words[i] != "-ei") {
        if (!isswitchword(words[i])) {
            ++i;
            continue;
        }
        const std::string name = words[i];
        pieces.push_back(piece(name, readvalue(words, i)));
    }
    if (i < words.size()) ++i;
    return pieces;
}

switchfile fileswitches(std::string_view text) {
    switchfile file;
    std::vector<std::string> words = splitsettingstext(text);
    size_t i = 0;
    while (i < words.size()) {
        const std::string& word = words[i];
        if (word == "-ifs" && i + 1 < words.size()) {
            std::string keywords = words[i + 1];
            i += 2;
            switchfile::entry(file.blocks, keywords) = readblock(words, i);
        } else if (isswitchword(word) && word != "-ifs") {
            const std::string name = word;
            std::string value = readvalue(words, i);
            switchfile::entry(file.plain, name).push_back(value);
        } else {
            ++i;
        }
    }
    return file;
}

}  // namespace

std::vector<std::string> compactswitches(std::string_view current, std::string_view defaults) {
    const switchfile now = fileswitches(current);
    const switchfile before = fileswitches(defaults);
    std::vector<std::string> pieces;
    for (const auto& [name, values] : now.plain) {
        const std::vector<std::string>* old = before.valuesof(name);
        if (old != nullptr && *old == values) continue;
        for (const std::string& value : values) pieces.push_back(piece(name, value));
    }
    for (const auto& [keywords, switches] : now.blocks) {
        pieces.push_back("-ifs " + quoted(keywords));
        pieces.insert(pieces.end(), switches.begin(), switches.end());
        pieces.push_back("-ei");
    }
    return pieces;
}
