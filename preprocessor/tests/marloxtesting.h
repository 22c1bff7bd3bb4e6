// Shared set-up of the preprocessor tests: a fresh call state per test, macro definitions
// from "#define" text, and runners that give the output text or the error text.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "charsettables.h"
#include "cppcall.h"
#include "cpppreprocessor.h"
#include "cpreprocessor.h"

// Macros defined from "#define" text, an input, and the expected output or error text.
struct expansioncase {
    std::vector<std::string> definitions;
    std::string input;
    std::string expected;
};

class preprocessortest : public ::testing::Test {
protected:
    // Each test gets a fixture of its own, so a fresh state; nothing is carried over.
    preprocessstate state;

    void SetUp() override
    {
        unsetenv("MARLOX_DUMP");
        buildcharsettable();
        buildidentifiertables();
        buildsqlpluscommands();
        choosecharset("US7ASCII", state.lowercase);
        setsourcefile(state, "test.sql");
    }

    // Defines a macro from the text that follows "#define ".
    void define(const std::string& definition)
    {
        size_t position = 0;
        std::string name = scanidentifier(position, definition);
        macro parsed = parsemacrodefinition(state.kepttexts, state, position, definition);
        definemacro(state.macros, state.lowercase, name, std::move(parsed));
    }

    // The text after processing the source in normal mode.
    std::string process(const std::string& source)
    {
        tokenoutput output;
        size_t position = 0;
        processtext(state, true, output, position, source);
        return output.taketext();
    }

    // The text of the preprocessing error that action raises, or "no error".
    static std::string errorof(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const preprocesserror& error) {
            return error.what();
        }
        return "no error";
    }

    std::string processerror(const std::string& source)
    {
        return errorof([&] { process(source); });
    }

    // A whole call of the library on the source: its result, or its error text when it fails.
    std::string call(const std::string& source, const std::vector<std::string>& options = {},
                     const std::string& file = "a.sql")
    {
        callresult outcome = preprocesscall(state, file, options, source);
        return outcome.succeeded ? outcome.result : outcome.error;
    }

    // Each case with a fresh macro table and statement state: its output, or with errors set,
    // its error text.
    void runcases(const std::vector<expansioncase>& cases, bool errors = false)
    {
        for (const expansioncase& c : cases) {
            clearmacros(state.macros);
            resetstatementstate(state.statement);
            auto run = [&] {
                for (const std::string& definition : c.definitions)
                    define(definition);
                return process(c.input);
            };
            std::string result = errors ? errorof([&] { run(); }) : run();
            EXPECT_EQ(result, c.expected) << c.input;
        }
    }
};
