// Environment variables changed for one test and put back afterwards.
#pragma once

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>

class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<std::string, std::optional<std::string>>> changes) {
        for (const auto& [name, value] : changes) {
            const char* old = std::getenv(name.c_str());
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
            Set(name, value);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved) Set(name, value);
    }
    static void Set(const std::string& name, const std::optional<std::string>& value) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};
