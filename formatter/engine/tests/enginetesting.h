// Helpers of the engine tests: a formatter with default settings over a text, the tokens
// of a text, and a text formatted in memory through the engine's entry under settings
// adjusted in place. Only the integrity check's dumps go to files, in a scratch folder.
#pragma once

#include "charsets.h"
#include "formattext.h"
#include "formatter.h"
#include "settings.h"
#include "strictcompare.h"
#include "support.h"
#include "switchparser.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <source_location>
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

// A change to the default settings, made in memory where a switch would make it.
using adjustment = std::function<void(settings&)>;

// The settings that the alignment switches with a column limit of 100 give.
inline void alignedunderlimit(settings& s) {
    s.acav = 1;
    s.actv = 1;
    s.acarv = 1;
    s.as = 1;
    s.aav = 1;
    s.mcs = 100;
}

// The switch sets of the strict comparison: the defaults, alignment under a column limit, and
// indentation and case switches.
struct strictset {
    const char* label;
    adjustment adjust;
};
inline const std::vector<strictset>& strictsets() {
    static const std::vector<strictset> sets = {
        {"defaults", {}},
        {"alignment under a column limit", alignedunderlimit},
        {"indentation and case", [](settings& s) {
             s.id = 1; s.isc = 1; s.rsbcb = 1; s.itlwb = 0; s.aroa = 1; s.li = 1; s.is = "3";
         }},
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

// Stands in for the command line, which the engine tests leave out: an options comment and
// the switch explanations are the shell's suite's, and the header names no switches.
class noswitches : public switchparser {
public:
    void parseoptions(const std::string& text, settings&, messagestream&) const override {
        ADD_FAILURE() << "an options comment is read by the command line: " << text;
    }
    std::string printswitches(const settings&, int) const override { return ""; }
    void explainswitches(messagestream&, const settings&, const std::string&, const std::string&) const override {
        ADD_FAILURE() << "the switches are explained by the command line";
    }
};

// A fresh folder for the files a test lets the engine write (the integrity check's dumps),
// taken away with what it holds.
class scratchfolder {
public:
    scratchfolder()
        : root(std::filesystem::temp_directory_path() /
               ("brelmengine_" + std::to_string(::getpid()) + "_" + std::to_string(++counter))) {
        std::filesystem::create_directories(root);
    }
    ~scratchfolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    scratchfolder(const scratchfolder&) = delete;
    scratchfolder& operator=(const scratchfolder&) = delete;

    std::string path(const std::string& name) const { return (root / name).string(); }

    const std::filesystem::path root;

private:
    static inline int counter = 0;
};

// Texts formatted in memory under the input name "input.sql".
class formatrun : public ::testing::Test {
protected:
    static inline const std::string inputname = "input.sql";

    // The parser of options comments and the switch displays.
    virtual const switchparser& switches() const {
        static const noswitches parser;
        return parser;
    }

    // Formats text in memory, under the names "input.sql" and "output.sql".
    outcome format(const std::string& text, const adjustment& adjust = {}) {
        settings s = defaultsettings();
        s.inputfile = s.inputfilealias = inputname;
        s.outputfile = s.outputfilealias = "output.sql";
        if (adjust) adjust(s);
        outcome result;
        messagestream messages;
        messages.stringmode = 1;
        try {
            formattedtext output = formattext(s, switches(), text, messages);
            result.written = output.formatted;
            result.output = std::move(output.text);
        } catch (const std::string& message) {
            result.thrown = message;
        }
        result.messages = std::move(messages.text);
        return result;
    }

    // The golden check: input formats to expected, and expected formats to itself; and the
    // input passes the strict comparison under the strict switch sets. A failure names the
    // line of the case.
    void verifyformat(const std::string& expected, const std::string& input, const adjustment& adjust = {},
                      std::source_location where = std::source_location::current()) {
        SCOPED_TRACE(testing::Message() << "the case at " << where.file_name() << ":" << where.line());
        outcome first = format(input, adjust);
        EXPECT_EQ(first.thrown, "") << first.messages;
        EXPECT_EQ(first.output, expected) << "input:\n" << input;
        outcome again = format(expected, adjust);
        EXPECT_EQ(again.output, expected) << "formatting the expected text again changed it";
        expectscriptlineskept(input, first.output);
        expectsqlplusmeaningkept(input, first.output, "the case's settings");
        verifystrict(input);
    }

    // SQL*Plus reads the same commands and continued lines in the output.
    static void expectsqlplusmeaningkept(const std::string& input, const std::string& output, const std::string& label) {
        sqlplusresult meaning = sqlpluscompare(input, output);
        EXPECT_TRUE(meaning.same) << label << ": " << meaning.difference << "\ninput:\n" << input;
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
        for (const strictset& set : strictsets()) {
            const std::string label = set.label;
            outcome first = format(input, set.adjust);
            EXPECT_EQ(first.thrown, "") << label << ": " << first.messages << "\ninput:\n" << input;
            if (!first.written) continue;
            expectsqlplusmeaningkept(input, first.output, label);
            strictresult result = strictcompare(input, first.output);
            EXPECT_TRUE(result.same) << label << ": " << result.difference << "\ninput:\n" << input;
            EXPECT_EQ(format(first.output, set.adjust).output, first.output) << label << ": second run differs";
            strictcount().runs += 1;
            strictcount().tokens += result.tokens;
        }
    }

};

// Prints the counts of the strict comparison once the tests of the process are done.
class strictreport : public ::testing::Environment {
public:
    void TearDown() override {
        const auto& counts = strictcount();
        if (counts.runs == 0) return;
        std::printf("strict comparison of golden inputs: %lld runs (inputs x %zu switch sets), %lld tokens compared\n",
                    static_cast<long long>(counts.runs), strictsets().size(),
                    static_cast<long long>(counts.tokens));
    }
};

inline const bool strictreportregistered = (::testing::AddGlobalTestEnvironment(new strictreport), true);

}  // namespace enginetesting
