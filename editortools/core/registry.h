// Registry values of HKEY_CURRENT_USER, as the targets that keep their tools in the registry
// and the backups of their values use them. The store stands for the root key; every function
// with a status gives there the result code of its last store call (registryok for success).
#pragma once

#include "registrystore.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class XmlNode;

// A value as the program holds it: none, a 32-bit number, a 64-bit number or text (also the
// bytes of a REG_BINARY value).
using RegValue = std::variant<std::monostate, int32_t, int64_t, std::string>;

bool RegKeyExists(const registrystore& root, const std::string& key, long& status);

// True when the value was read and is of type 0, 1, 3, 4 or 11; REG_SZ up to its first zero
// byte, REG_BINARY all its bytes. Other types give false and leave value as it was.
bool RegReadValue(const registrystore& root, const std::string& key, const std::string& name, RegValue& value,
                  uint32_t& type, long& status);

// Creates the key when missing and writes the value: text as REG_SZ with a terminating zero,
// numbers as REG_DWORD or REG_QWORD, none as REG_NONE; with binary, the text's bytes as
// REG_BINARY. False when the key or the value could not be written.
bool RegWriteValue(registrystore& root, const std::string& key, const std::string& name, const RegValue& value,
                   bool binary);

// With onlyIfPresent, reads the current value into old first and writes nothing when that
// fails; then RegWriteValue.
bool RegUpdateValue(registrystore& root, const std::string& key, const std::string& name, const RegValue& value,
                    bool binary, RegValue& old, bool onlyIfPresent);

// Deletes a key that has no subkeys (one with subkeys stays); the store's result code.
long RegDeleteKey(registrystore& root, const std::string& key);

// The names of the key's subkeys (in case-insensitive order) or values (in creation order);
// empty when the key cannot be read.
std::vector<std::string> RegEnumNames(const registrystore& root, const std::string& key, bool subkeys);
std::vector<std::string> RegListSubkeys(const registrystore& root, const std::string& key, long& status);
std::vector<std::string> RegListValueNames(const registrystore& root, const std::string& key, long& status);

// One value per child element, named by its tag, typed by its "type" attribute (decimal, 0
// when missing): 4 and 11 a decimal number, 1 text (into the code page unless it is -1), 3 hex
// bytes, any other type no value. Stops with false at the first value that is not of its type
// or cannot be written; the values before it stay written.
bool RegWriteValuesFromXml(const XmlNode& element, registrystore& root, const std::string& key, int codePage);

// The type a value is stored as: text 1, 32-bit number 4, 64-bit number 11, none 0.
uint32_t RegTypeOfValue(const RegValue& value);
// The value as text: numbers in decimal, none as "".
std::string RegValueText(const RegValue& value);
