// The help pages the File menu opens are built beside the program, and the manual covers
// every target, switch and placeholder the program knows.
#include "tolvanerun.h"

#include "core/commandline.h"
#include "core/targetlocations.h"

namespace {

std::string page(const std::string& name) { return testfolder::readall(programfile(name)); }

}  // namespace

TEST(HelpPages, BothPagesLieBesideTheProgramAndLinkEachOther) {
    const std::string manual = page("grmanual.html"), info = page("generalinfo.html");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(info.empty());
    EXPECT_NE(manual.find("href=\"generalinfo.html\""), std::string::npos);
    EXPECT_NE(info.find("href=\"grmanual.html\""), std::string::npos);
    for (const char* program : {"brelm", "marlox", "tolvane"}) EXPECT_NE(info.find(program), std::string::npos);
    EXPECT_EQ(info.find("@"), std::string::npos);   // no mail addresses
    EXPECT_EQ(info.find("http"), std::string::npos);
}

TEST(HelpPages, TheManualNamesEveryTargetSwitchAndPlaceholder) {
    const std::string manual = page("grmanual.html");
    for (const char* target : {PspadTarget, TheIdeTarget, UltraEditTarget, CodeBlocksTarget, EclipseTarget,
                               TextPadTarget, EditPlusTarget, EditPadPro6Target, EditPadPro7Target})
        EXPECT_NE(manual.find(target), std::string::npos) << target;
    // Each switch of the usage text.
    std::string usage = UsageText();
    for (size_t line = usage.find('\n'); line != std::string::npos && line + 1 < usage.size(); line = usage.find('\n', line + 1)) {
        std::string word = usage.substr(line + 1, usage.find_first_of(" /\n", line + 1) - line - 1);
        EXPECT_NE(manual.find("<code>" + word), std::string::npos) << word;
    }
    for (const char* name : {"%GRInstallDir%", "%SystemRoot%", "%File%", "%Col%", "%Line%", "%SelText%",
                             "TOLVANE_REGISTRY", "XDG_CONFIG_HOME", "APPDATA", "SystemRoot"})
        EXPECT_NE(manual.find(name), std::string::npos) << name;
}
