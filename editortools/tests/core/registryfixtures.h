// Registry values as tests write and expect them.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// A REG_SZ value's data as the store keeps it: type 1 and the text with its zero.
inline std::string Sz(const std::string& text) { return "1:" + text + std::string(1, '\0'); }

// Registry export text of HKEY_CURRENT_USER keys: each key with its value lines.
inline std::string RegistryFile(std::initializer_list<std::pair<std::string, std::vector<std::string>>> keys) {
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& [key, values] : keys) {
        text += "\r\n[HKEY_CURRENT_USER\\" + key + "]\r\n";
        for (const std::string& value : values) text += value + "\r\n";
    }
    return text;
}
