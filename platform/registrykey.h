// The key tree of the registry store: names compare case-insensitively (ASCII) and keep
// the case they were created with.
#pragma once

#include "registrystore.h"
#include "utf8.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The name in ASCII upper case, as Windows compares and orders names.
std::string foldname(std::string_view name);

// The non-empty names between the "\" of a key path.
std::vector<std::string_view> splitkeypath(std::string_view path);

// A name fits in a line of the file: UTF-8 without NUL, CR or LF.
bool storablename(std::string_view name);

struct registrykey {
    std::string name;
    std::map<std::string, std::unique_ptr<registrykey>> subkeys;  // by folded name
    std::vector<std::pair<std::string, registryvalue>> values;    // creation order

    registrykey* subkey(std::string_view name) const;
    registrykey& addsubkey(std::string_view name);  // the existing one when there is one

    const registryvalue* value(std::string_view name) const;
    size_t valueposition(std::string_view name) const;  // values.size() when missing
    void setvalue(std::string_view name, const registryvalue& value);
    void insertvalue(size_t position, std::string name, registryvalue value);
    void erasevalue(size_t position);

private:
    std::unordered_map<std::string, size_t> valueindex;  // folded name -> position
};
