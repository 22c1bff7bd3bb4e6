// Shared set-up of the preprocessor tests: fresh module state per test, macro definitions
// from "#define" text, and runners that give the output text or the error text.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "charsettables.h"
#include "cpppreprocessor.h"

class preprocessortest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("MARLOX_DUMP");
        buildcharsettable();
        buildidentifiertables();
        choosecharset("US7ASCII");
        buildsqlpluscommands();
        macrotable.clear();
        switches = {};
        statement = {};
        ifstack.clear();
        includestack.clear();
        linefile.clear();
        lineoffset = 0;
        lineinforce = false;
        warninglist.clear();
        setsourcefile("test.sql");
        resetstatementstate();
    }

    // Defines a macro from the text that follows "#define ".
    static void define(const std::string& definition)
    {
        size_t position = 0;
        std::string name = scanidentifier(position, definition);
        definemacro(name, parsemacrodefinition(position, definition));
    }

    // The text after processing the source in normal mode.
    static std::string process(const std::string& source)
    {
        tokenlist output;
        size_t position = 0;
        processtext(true, output, position, source);
        return jointokens(output);
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

    static std::string processerror(const std::string& source)
    {
        return errorof([&] { process(source); });
    }
};
