// Settings text: the word splitter, "brelm.cfg" beside the program and -ls files.
#include "settingsfiles.h"

#include "globals.h"
#include "configfolder.h"
#include "settings.h"

namespace {

using words = std::vector<std::string>;

struct splitcase {
    std::string text;
    words expected;
    bool unterminated;
};

}  // namespace

TEST(splitsettingstext, separatorscommentsandquotes) {
    const splitcase cases[] = {
        {"-uk -ck", {"-uk", "-ck"}, false},
        {"-uk\r\n-ck\r\n", {"-uk", "-ck"}, false},
        {"-uk\n-ck", {"-uk", "-ck"}, false},
        {"-uk\r-ck", {"-uk", "-ck"}, false},
        {" \t-uk \t ", {"-uk"}, false},
        {"", {}, false},
        {"-- just a comment\n", {}, false},
        {"-uk -- comment -lk\n-ck", {"-uk", "-ck"}, false},
        {"--help\n-uk", {"-uk"}, false},
        {"-a--b", {"-a--b"}, false},
        {"\"a b\"", {"a b"}, false},
        {"\"a\"\"b\"", {"a\"b"}, false},
        {"\"a\\\"b\"", {"a\"b"}, false},
        {"\"\" -uk", {"", "-uk"}, false},
        {"\"abc\"def", {"abc", "def"}, false},
        {"-sbi.m=\"x y\"", {"-sbi.m=\"x", "y\""}, false},
        {"\"line\nbreak\tand \\ backslash\"", {"line\nbreak\tand \\ backslash"}, false},
        {"-uk \"open -lk", {"-uk"}, true},
        {"-uk \"x\\\"y", {"-uk"}, true},
        {"-uk \"escaped quote inside\\\"\"", {"-uk", "escaped quote inside\""}, false},
        // A value that ends in a backslash, as the switch writer puts it.
        {"-pp.I \"c:\\inc\\\" -uk", {"-pp.I", "c:\\inc\\", "-uk"}, false},
        {"-pp.I \"dir\\\"", {"-pp.I", "dir\\"}, false},
        {"\"say \\\"hi\\\"\"", {"say \"hi\""}, false},
    };
    for (const splitcase& c : cases) {
        bool unterminated = !c.unterminated;
        EXPECT_EQ(splitsettingstext(c.text, &unterminated), c.expected) << c.text;
        EXPECT_EQ(unterminated, c.unterminated) << c.text;
    }
}

namespace {

class settingsfile : public configfolder {
protected:
    // The thrown message, or "" when nothing was thrown.
    template <class F>
    static std::string thrown(F run) {
        try {
            run();
        } catch (const std::string& message) {
            return message;
        }
        return "";
    }

    messagestream messages{"", 1};
};

}  // namespace

TEST_F(settingsfile, configurationwordsgoinfrontofthearguments) {
    write("bin/brelm.cfg", "-lk -- lower\r\n-sbi.m \"end of:\"\n");
    words arguments = {"-uk", "-i", "a.sql"};
    readdefaultconfig(arguments, messages);
    EXPECT_EQ(arguments, (words{"-lk", "-sbi.m", "end of:", "-uk", "-i", "a.sql"}));
    EXPECT_EQ(defaultconfigpath(), root + "/bin/brelm.cfg");
}

TEST_F(settingsfile, missingemptyorunreadableconfigurationaddsnothing) {
    words arguments = {"-uk"};
    readdefaultconfig(arguments, messages);
    EXPECT_EQ(arguments, words{"-uk"});
    write("bin/brelm.cfg", "");
    readdefaultconfig(arguments, messages);
    EXPECT_EQ(arguments, words{"-uk"});
    std::filesystem::remove(root + "/bin/brelm.cfg");
    std::filesystem::create_directories(root + "/bin/brelm.cfg");
    readdefaultconfig(arguments, messages);
    EXPECT_EQ(arguments, words{"-uk"});
    EXPECT_EQ(messages.text, "");
}

TEST_F(settingsfile, withoutaprogramdirectorythecurrentdirectoryisused) {
    programdirectory.clear();
    write("brelm.cfg", "-ck");
    words arguments;
    readdefaultconfig(arguments, messages);
    EXPECT_EQ(arguments, words{"-ck"});
}

TEST_F(settingsfile, unterminatedquoteinconfigurationisausageerror) {
    write("bin/brelm.cfg", "-uk -sbi.m \"open\n-lk\n");
    words arguments;
    EXPECT_EQ(thrown([&] { readdefaultconfig(arguments, messages); }), "2\n");
    EXPECT_EQ(messages.text, "Error:unterminated quoted word in settings file " + root +
                                 "/bin/brelm.cfg\n\n(Give -h as option if you want to see the usage info)\n");
    EXPECT_TRUE(arguments.empty());
}

TEST_F(settingsfile, loadsettingsreadsthenamedfile) {
    write("my settings.txt", "-ck\n-is 3 \"\"");
    settings s;
    s.ls = "my settings.txt";
    EXPECT_EQ(loadsettings(s, messages), (words{"-ck", "-is", "3", ""}));
}

TEST_F(settingsfile, loadsettingsfailsforamissingfileoradirectory) {
    settings s;
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"missing.txt", "No such file or directory"}, {".", "Is a directory"}, {"", "No such file or directory"}}) {
        s.ls = name;
        EXPECT_EQ(thrown([&] { loadsettings(s, messages); }), "could not load settings from " + name + ": " + reason + "\n");
    }
    write(">odd.txt", "-lk");
    s.ls = ">odd.txt";
    EXPECT_EQ(loadsettings(s, messages), words{"-lk"});
}

TEST_F(settingsfile, unterminatedquoteinasettingsfilenamesit) {
    write("bad.txt", "-lk \"x\\\"y");
    settings s;
    s.ls = "bad.txt";
    EXPECT_EQ(thrown([&] { loadsettings(s, messages); }), "2\n");
    EXPECT_NE(messages.text.find("unterminated quoted word in settings file bad.txt\n"), std::string::npos);
}
