// Registry values over the store.
#include "core/registry.h"

#include "core/codepage.h"
#include "core/numbers.h"
#include "core/xml.h"

namespace {

uint64_t littleendian(const std::string& data, size_t size) {
    uint64_t number = 0;
    for (size_t i = 0; i < size && i < data.size(); ++i)
        number |= static_cast<uint64_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return number;
}

std::string littleendianbytes(uint64_t number, size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

registryvalue stored(const RegValue& value, bool binary) {
    registryvalue raw;
    raw.type = binary ? regbinary : RegTypeOfValue(value);
    if (binary) raw.data = RegValueText(value);
    else if (const auto* text = std::get_if<std::string>(&value)) raw.data = *text + '\0';
    else if (const auto* number = std::get_if<int32_t>(&value))
        raw.data = littleendianbytes(static_cast<uint32_t>(*number), 4);
    else if (const auto* number = std::get_if<int64_t>(&value))
        raw.data = littleendianbytes(static_cast<uint64_t>(*number), 8);
    return raw;
}

// The value a backup element stands for; false when its text does not fit its type.
bool valueofelement(const XmlNode& element, int codePage, RegValue& value, bool& binary) {
    int32_t type = ParseInt32(element.AttributeOr("type", "")).value_or(0);
    std::string text = element.FirstChildText();
    binary = false;
    switch (type) {
    case regdword:
        if (auto number = ParseInt32(text)) value = *number;
        else return false;
        return true;
    case regqword:
        if (auto number = ParseInt64(text)) value = *number;
        else return false;
        return true;
    case regsz: value = codePage == -1 ? text : ToCodePage(text, codePage); return true;
    case regbinary:
        if (auto bytes = FromHex(text)) value = *bytes;
        else return false;
        binary = true;
        return true;
    default: value = std::monostate(); return true;
    }
}

}  // namespace

bool RegKeyExists(const registrystore& root, const std::string& key, long& status) {
    status = root.openkey(key);
    return status == registryok;
}

bool RegReadValue(const registrystore& root, const std::string& key, const std::string& name, RegValue& value,
                  uint32_t& type, long& status) {
    if (!RegKeyExists(root, key, status)) return false;
    registryvalue raw;
    status = root.queryvalue(key, name, raw);
    if (status != registryok) return false;
    type = raw.type;
    switch (raw.type) {
    case regdword: value = static_cast<int32_t>(static_cast<uint32_t>(littleendian(raw.data, 4))); return true;
    case regqword: value = static_cast<int64_t>(littleendian(raw.data, 8)); return true;
    case regsz: value = raw.data.substr(0, raw.data.find('\0')); return true;
    case regbinary: value = raw.data; return true;
    case regnone: value = std::monostate(); return true;
    default: return false;
    }
}

bool RegWriteValue(registrystore& root, const std::string& key, const std::string& name, const RegValue& value,
                   bool binary) {
    if (root.createkey(key) != registryok) return false;
    return root.setvalue(key, name, stored(value, binary)) == registryok;
}

bool RegUpdateValue(registrystore& root, const std::string& key, const std::string& name, const RegValue& value,
                    bool binary, RegValue& old, bool onlyIfPresent) {
    if (onlyIfPresent) {
        uint32_t type;
        long status;
        if (!RegReadValue(root, key, name, old, type, status)) return false;
    }
    return RegWriteValue(root, key, name, value, binary);
}

long RegDeleteKey(registrystore& root, const std::string& key) { return root.deletekey(key); }

std::vector<std::string> RegEnumNames(const registrystore& root, const std::string& key, bool subkeys) {
    std::vector<std::string> names;
    long status = subkeys ? root.subkeys(key, names) : root.valuenames(key, names);
    if (status != registryok) names.clear();
    return names;
}

std::vector<std::string> RegListSubkeys(const registrystore& root, const std::string& key, long& status) {
    if (!RegKeyExists(root, key, status)) return {};
    return RegEnumNames(root, key, true);
}

std::vector<std::string> RegListValueNames(const registrystore& root, const std::string& key, long& status) {
    if (!RegKeyExists(root, key, status)) return {};
    return RegEnumNames(root, key, false);
}

bool RegWriteValuesFromXml(const XmlNode& element, registrystore& root, const std::string& key, int codePage) {
    for (const XmlNode& child : element.children) {
        if (!child.IsElement()) continue;
        RegValue value;
        bool binary;
        if (!valueofelement(child, codePage, value, binary)) return false;
        if (!RegWriteValue(root, key, child.name, value, binary)) return false;
    }
    return true;
}

uint32_t RegTypeOfValue(const RegValue& value) {
    if (std::holds_alternative<std::string>(value)) return regsz;
    if (std::holds_alternative<int32_t>(value)) return regdword;
    if (std::holds_alternative<int64_t>(value)) return regqword;
    return regnone;
}

std::string RegValueText(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<int32_t>(&value)) return std::to_string(*number);
    if (const auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
    return "";
}
