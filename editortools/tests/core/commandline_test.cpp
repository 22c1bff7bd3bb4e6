// The switches: values, missing values, ignored arguments and -h.
#include "core/commandline.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Parsed {
    bool goOn = false;
    CommandLineOptions options;
    std::string err;
    std::string thrown;
};

Parsed parse(const std::vector<std::string>& arguments) {
    Parsed parsed;
    std::ostringstream err;
    try {
        parsed.goOn = ParseArguments(arguments, parsed.options, err);
    } catch (const CommandLineError& error) {
        parsed.thrown = error.text;
    }
    parsed.err = err.str();
    return parsed;
}

}  // namespace

TEST(CommandLine, UsageText) {
    EXPECT_EQ(UsageText(),
              "Gantrel 1.1.2.1\n"
              "-if xmlfile  input xml file for tools settings\n"
              "-it toolname tool to install\n"
              "-bd dir      backup directory to use\n"
              "-e ide       install in this ide\n"
              "-ng/-nogui   run without the user interface\n"
              "-sid         show information dialogs\n"
              "-h  this help\n");
}

TEST(CommandLine, EverySwitch) {
    Parsed p = parse({"-if", "s.xml", "-it", "brelm", "-bd", "/b", "-e", "Textpad 5", "-nogui", "-o", "-sid"});
    EXPECT_TRUE(p.goOn);
    EXPECT_EQ(p.options.xmlFile, "s.xml");
    EXPECT_EQ(p.options.toolName, "brelm");
    EXPECT_EQ(p.options.backupDir, "/b");
    EXPECT_EQ(p.options.ide, "Textpad 5");
    EXPECT_TRUE(p.options.noGui);
    EXPECT_TRUE(p.options.overwrite);
    EXPECT_TRUE(p.options.showInfoDialogs);
    EXPECT_EQ(p.err, "");
    Parsed none = parse({});
    EXPECT_TRUE(none.goOn);
    EXPECT_FALSE(none.options.noGui || none.options.overwrite || none.options.showInfoDialogs);
    EXPECT_TRUE(parse({"-ng"}).options.noGui);
}

TEST(CommandLine, ValuesAreTakenVerbatimAndTheLastOneWins) {
    Parsed p = parse({"-if", "-nogui", "-if", "b.xml", "-e", "-h", "-it", ""});
    EXPECT_TRUE(p.goOn);
    EXPECT_EQ(p.options.xmlFile, "b.xml");
    EXPECT_EQ(p.options.ide, "-h");
    EXPECT_EQ(p.options.toolName, "");
    EXPECT_FALSE(p.options.noGui);
    EXPECT_EQ(parse({"-if", "-nogui"}).options.xmlFile, "-nogui");
}

TEST(CommandLine, OtherFormsAreIgnoredArguments) {
    Parsed p = parse({"-NOGUI", "/nogui", "-if=s.xml", "--h", "x", "\xFF\xFE", "-H"});
    EXPECT_TRUE(p.goOn);
    EXPECT_EQ(p.options.xmlFile, "");
    EXPECT_FALSE(p.options.noGui);
    EXPECT_EQ(p.err, "-NOGUI is ignored\n/nogui is ignored\n-if=s.xml is ignored\n--h is ignored\nx is ignored\n"
                     "\xFF\xFE is ignored\n-H is ignored\n");
}

TEST(CommandLine, HelpStopsParsingAfterTheLinesBeforeIt) {
    Parsed p = parse({"junk", "-h", "more", "-e"});
    EXPECT_FALSE(p.goOn);
    EXPECT_EQ(p.err, "junk is ignored\n" + UsageText());
    EXPECT_EQ(p.thrown, "");
}

TEST(CommandLine, AMissingValueNamesWhatIsMissing) {
    EXPECT_EQ(parse({"-if"}).thrown, "Error:xml file not found in the command line");
    EXPECT_EQ(parse({"-nogui", "-it"}).thrown, "Error:tool name not found in the command line");
    EXPECT_EQ(parse({"-bd"}).thrown, "Error:backup directory not found in the command line");
    Parsed p = parse({"x", "-e"});
    EXPECT_EQ(p.thrown, "Error:Text Editor or Ide not found in the command line");
    EXPECT_EQ(p.err, "x is ignored\n");
}

TEST(CommandLine, NextArgumentValueAdvancesTheIndex) {
    std::vector<std::string> arguments = {"-if", "a", "-it"};
    size_t index = 0;
    EXPECT_EQ(NextArgumentValue(arguments, index, "xml file"), "a");
    EXPECT_EQ(index, 1u);
    index = 2;
    EXPECT_THROW(NextArgumentValue(arguments, index, "tool name"), CommandLineError);
    EXPECT_EQ(index, 2u);
}
