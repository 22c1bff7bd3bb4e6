// Code pages and process names as the program uses them.
#include "core/codepage.h"
#include "core/processes.h"
#include "scopedenvironment.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CodePage, ConversionsAndTheirFallbacks) {
    EXPECT_EQ(ToCodePage("caf\xC3\xA9 \xE2\x82\xAC", 1252), "caf\xE9 \x80");
    EXPECT_EQ(ToCodePage("\xE2\x9C\x93 ok \xE2\x9C\x93", 1252), "? ok ?");
    EXPECT_EQ(FromCodePage("caf\xE9 \x80", 1252), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(FromCodePage("\x81", 1252), "\xC2\x81");   // undefined in the page: U+0081
    EXPECT_EQ(ToCodePage("\xD0\x96", 1251), "\xC6");
    for (int none : {-1, 99999}) {
        EXPECT_EQ(ToCodePage("caf\xC3\xA9", none), "caf\xC3\xA9");
        EXPECT_EQ(FromCodePage("caf\xE9", none), "caf\xE9");
    }
    EXPECT_EQ(ToCodePage("", 1252), "");
}

TEST(CodePage, TheUsersCodePageComesFromTheLocale) {
    ScopedEnvironment env({{"LC_ALL", "de_DE.UTF-8"}});
    EXPECT_EQ(UserCodePage(), 1252);
    ScopedEnvironment::Set("LC_ALL", "C");
    EXPECT_EQ(UserCodePage(), -1);
}

TEST(Processes, OwnNameAndInstanceCount) {
    std::vector<std::string> names = ListProcessNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "tolvane_coretests"), names.end());
    EXPECT_EQ(CountInstances({"tolvane", "bash", "tolvane.exe", "Tolvane", "tolvane.EXE", "tolvane2", "<unknown>"}), 2u);
    EXPECT_EQ(CountInstances({}), 0u);
}
