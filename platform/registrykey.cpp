// The key tree of the registry store.
#include "registrykey.h"

std::string foldname(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::vector<std::string_view> splitkeypath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool storablename(std::string_view name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos && wellformedutf8(name);
}

registrykey* registrykey::subkey(std::string_view name) const {
    auto found = subkeys.find(foldname(name));
    return found == subkeys.end() ? nullptr : found->second.get();
}

registrykey& registrykey::addsubkey(std::string_view name) {
    std::unique_ptr<registrykey>& slot = subkeys[foldname(name)];
    if (!slot) {
        slot = std::make_unique<registrykey>();
        slot->name = name;
    }
    return *slot;
}

size_t registrykey::valueposition(std::string_view name) const {
    auto found = valueindex.find(foldname(name));
    return found == valueindex.end() ? values.size() : found->second;
}

const registryvalue* registrykey::value(std::string_view name) const {
    size_t at = valueposition(name);
    return at < values.size() ? &values[at].second : nullptr;
}

void registrykey::setvalue(std::string_view name, const registryvalue& value) {
    size_t at = valueposition(name);
    if (at < values.size()) values[at].second = value;
    else insertvalue(values.size(), std::string(name), value);
}

void registrykey::insertvalue(size_t position, std::string name, registryvalue value) {
    if (position < values.size())
        for (auto& [folded, at] : valueindex)
            if (at >= position) ++at;
    valueindex[foldname(name)] = position;
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(position), {std::move(name), std::move(value)});
}

void registrykey::erasevalue(size_t position) {
    valueindex.erase(foldname(values[position].first));
    for (auto& [folded, at] : valueindex)
        if (at > position) --at;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(position));
}
