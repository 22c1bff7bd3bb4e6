// Helpers of the engine tests: a formatter with default settings over a text, the tokens
// of a text, and a run of formatsource on a text in a temporary folder.
#pragma once

#include "charsets.h"
#include "formatter.h"
#include "settings.h"
#include "support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace enginetesting {

inline void usecharset(const std::string& name) {
    static bool built = (buildcharsettables(), true);
    (void)built;
    selectcharset(name);
}

inline settings defaultsettings() {
    settings s;
    setdefaults(s);
    s.b = 0;  // no backups in tests
    return s;
}

// A token as the tests compare it.
struct seen {
    std::string text;
    int32_t kind;
    bool operator==(const seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const seen& t) {
    return out << "{\"" << t.text << "\", " << t.kind << "}";
}

// The tokens that tokenize appends for text (the leading token left out).
inline std::vector<seen> tokensof(const std::string& text, const std::string& charset = "US7ASCII") {
    usecharset(charset);
    formatter f;
    f.resettokencontext();
    f.tokenize(text);
    std::vector<seen> result;
    for (auto p = std::next(f.tokens.begin()); p != f.tokens.end(); ++p)
        result.push_back({p->text(), p->kind});
    return result;
}

// The outcome of formatting one text.
struct outcome {
    std::string output;     // the output file's text ("" when none was written)
    bool written = false;
    std::string messages;   // what went through the formatter's message sink
    std::string thrown;     // the message that ended the file, if any
};

// Formats text as the file "input.sql" of a fresh folder into "output.sql".
class formatrun : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("brelmengine_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(folder);
        usecharset("US7ASCII");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    static void writefile(const std::string& name, const std::string& text) {
        std::ofstream out(name, std::ios::binary);
        out << text;
    }
    static std::string readfile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    outcome format(const std::string& text, const std::function<void(settings&)>& adjust = {}) {
        settings s = defaultsettings();
        s.inputfile = s.inputfilealias = path("input.sql");
        s.outputfile = s.outputfilealias = path("output.sql");
        if (adjust) adjust(s);
        writefile(path("input.sql"), text);
        std::filesystem::remove(path("output.sql"));
        outcome result;
        formatter f;
        f.s = s;
        f.messages.stringmode = 1;
        try {
            f.formatsource();
        } catch (const std::string& message) {
            result.thrown = message;
        }
        result.messages = f.messages.text;
        result.written = std::filesystem::exists(path("output.sql"));
        if (result.written) result.output = readfile(path("output.sql"));
        return result;
    }

    std::filesystem::path folder;
    static inline int counter = 0;
};

}  // namespace enginetesting
