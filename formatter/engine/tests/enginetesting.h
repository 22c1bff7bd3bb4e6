// Helpers of the engine tests: a formatter with default settings over a text, the tokens
// of a text, and a text formatted in memory through the engine's entry.
#pragma once

#include "charsets.h"
#include "commandline.h"
#include "formatfile.h"
#include "formattext.h"
#include "formatter.h"
#include "switchtable.h"
#include "settings.h"
#include "strictcompare.h"
#include "support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace enginetesting {

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
inline std::vector<seen> tokensof(const std::string& text, const std::string& setname = "US7ASCII") {
    formatter f;
    f.usecharset(charset(setname));
    f.resettokencontext();
    f.tokenize(text);
    std::vector<seen> result;
    for (auto p = std::next(f.tokens.begin()); p != f.tokens.end(); ++p)
        result.push_back({std::string(p->text()), p->kind});
    return result;
}

// The outcome of formatting one text.
struct outcome {
    std::string output;     // the output file's text ("" when none was written)
    bool written = false;
    std::string messages;   // what went through the formatter's message sink
    std::string thrown;     // the message that ended the file, if any
};

// The switch sets of the strict comparison: the defaults, alignment under a column limit, and
// indentation and case switches.
inline const std::vector<std::vector<std::string>>& strictswitchsets() {
    static const std::vector<std::vector<std::string>> sets = {
        {},
        {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "100"},
        {"-id", "-isc", "-rsbcb", "-itlwb-", "-aroa", "-uk", "-li", "-is", "3"},
    };
    return sets;
}

// Runs of the strict comparison in this process, reported when the tests end.
struct strictcounts {
    int64_t runs = 0;
    int64_t tokens = 0;
};
inline strictcounts& strictcount() {
    static strictcounts counts;
    return counts;
}

// Texts formatted under names in a fresh folder, which also takes the files a test writes.
class formatrun : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("brelmengine_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(folder);
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

    // Formats text in memory, under the names "input.sql" and "output.sql" of the folder.
    outcome format(const std::string& text, const std::function<void(settings&)>& adjust = {}) {
        settings s = defaultsettings();
        s.inputfile = s.inputfilealias = path("input.sql");
        s.outputfile = s.outputfilealias = path("output.sql");
        if (adjust) adjust(s);
        outcome result;
        messagestream messages;
        messages.stringmode = 1;
        try {
            formattedtext output = formattext(s, commandlineswitches(), text, messages);
            result.written = output.formatted;
            result.output = std::move(output.text);
        } catch (const std::string& message) {
            result.thrown = message;
        }
        result.messages = std::move(messages.text);
        return result;
    }

    // Formats text with the given switch words, read as an in-source options comment would
    // be (no configuration file, no paths).
    outcome formatwith(const std::string& text, const std::vector<std::string>& switches) {
        static bool built = (buildswitchtable(), true);
        (void)built;
        settings parsed = defaultsettings();
        applyoptiondefaults(parsed);
        parsed.b = 0;
        parsed.inputfiles.at(0) = "input.sql";   // the parser wants an input to format
        commandlineargs args(1);
        args.arguments = switches;
        try {
            parsecommandline(args, parsed, 0);
        } catch (const std::string& message) {
            ADD_FAILURE() << "switches refused: " << args.messages.text << message;
        }
        return format(text, [&](settings& s) {
            std::string in = s.inputfile, out = s.outputfile;
            s = parsed;
            s.inputfile = s.inputfilealias = in;
            s.outputfile = s.outputfilealias = out;
        });
    }

    // The golden check: input formats to expected, and expected formats to itself; and the
    // input passes the strict comparison under the strict switch sets.
    void verifyformat(const std::string& expected, const std::string& input,
                      const std::vector<std::string>& switches = {}) {
        outcome first = formatwith(input, switches);
        EXPECT_EQ(first.thrown, "") << first.messages;
        EXPECT_EQ(first.output, expected) << "input:\n" << input;
        outcome again = formatwith(expected, switches);
        EXPECT_EQ(again.output, expected) << "formatting the expected text again changed it";
        expectscriptlineskept(input, first.output);
        expectsqlplusmeaningkept(input, first.output, switches);
        verifystrict(input);
    }

    // SQL*Plus reads the same commands and continued lines in the output.
    static void expectsqlplusmeaningkept(const std::string& input, const std::string& output,
                                         const std::vector<std::string>& switches) {
        sqlplusresult meaning = sqlpluscompare(input, output);
        EXPECT_TRUE(meaning.same) << join(switches, " ") << ": " << meaning.difference << "\ninput:\n" << input;
    }

    // REM, REMARK and PROMPT lines come back byte for byte, whatever the switches.
    static void expectscriptlineskept(const std::string& input, const std::string& output) {
        auto scriptlines = [](const std::string& text) {
            std::vector<std::string> lines;
            for (const stricttoken& t : stricttokens(text))
                if (t.kind == stricttoken::scriptline) lines.emplace_back(t.text);
            return lines;
        };
        EXPECT_EQ(scriptlines(output), scriptlines(input)) << "input:\n" << input;
    }

    // Under each strict switch set the text formats, comes back token for token and is
    // formatted again to the same bytes.
    void verifystrict(const std::string& input) {
        for (const std::vector<std::string>& switches : strictswitchsets()) {
            const std::string label = switches.empty() ? "defaults" : join(switches, " ");
            outcome first = formatwith(input, switches);
            EXPECT_EQ(first.thrown, "") << label << ": " << first.messages << "\ninput:\n" << input;
            if (!first.written) continue;
            expectsqlplusmeaningkept(input, first.output, switches);
            strictresult result = strictcompare(input, first.output);
            EXPECT_TRUE(result.same) << label << ": " << result.difference << "\ninput:\n" << input;
            EXPECT_EQ(formatwith(first.output, switches).output, first.output) << label << ": second run differs";
            strictcount().runs += 1;
            strictcount().tokens += result.tokens;
        }
    }

    std::filesystem::path folder;
    static inline int counter = 0;
};

// Prints the counts of the strict comparison once the tests of the process are done.
class strictreport : public ::testing::Environment {
public:
    void TearDown() override {
        const auto& counts = strictcount();
        if (counts.runs == 0) return;
        std::printf("strict comparison of golden inputs: %lld runs (inputs x %zu switch sets), %lld tokens compared\n",
                    static_cast<long long>(counts.runs), strictswitchsets().size(),
                    static_cast<long long>(counts.tokens));
    }
};

inline const bool strictreportregistered = (::testing::AddGlobalTestEnvironment(new strictreport), true);

}  // namespace enginetesting
