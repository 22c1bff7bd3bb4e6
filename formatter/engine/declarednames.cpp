// Declared names (-dbvn) and their scopes.
#include "declarednames.h"

#include <algorithm>

void declarednames::note(const std::string& key, std::string_view text, int32_t level) {
    texts[key].emplace_back(text);
    keysatlevel.at(std::max(level, 0)).push_back(key);
}

void declarednames::forget(int32_t level) {
    std::vector<std::string>& keys = keysatlevel.at(level);
    for (const std::string& key : keys) {
        auto found = texts.find(key);
        if (found == texts.end()) continue;
        if (!found->second.empty()) found->second.pop_back();
        if (found->second.empty()) texts.erase(found);
    }
    keys.clear();
}

const std::string* declarednames::latest(const std::string& key) const {
    auto found = texts.find(key);
    return found != texts.end() && !found->second.empty() ? &found->second.back() : nullptr;
}
