// The in-memory entry against the program: the same output bytes and exit status for corpus
// files and a failing text under several switch sets; and the file driver's range cut and
// handed-over string.
#include "formatfile.h"

#include "charsets.h"
#include "commandline.h"
#include "scratchtree.h"
#include "settings.h"
#include "switchtable.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class textentry : public scratchtree {
protected:
    // Runs the program on input into output.sql; returns its exit status.
    int runprogram(const std::vector<std::string>& words) {
        std::string command = std::string("'") + BRELM_BIN_DIR + "/brelm'";
        for (const std::string& word : words) command += " '" + word + "'";
        command += " > program.err 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The settings the program parses from the same words, for its one file.
    static settings parsed(const std::vector<std::string>& words) {
        static bool built = (buildcharsettables(), buildswitchtable(), true);
        (void)built;
        settings s;
        setdefaults(s);
        applyoptiondefaults(s);
        commandlineargs args;
        args.arguments = words;
        parsecommandline(args, s, 1);
        s.inputfile = s.inputfilealias = s.inputfiles.at(0);
        s.outputfile = s.outputfilealias = s.outputfiles.at(0);
        return s;
    }

    // Formats input.sql both ways under the switches and compares what they give.
    void compare(const std::string& label, const std::vector<std::string>& switches) {
        std::vector<std::string> words = {"-b", "0", "-sr-"};
        words.insert(words.end(), switches.begin(), switches.end());
        for (const char* word : {"-i", "input.sql", "-o", "output.sql"}) words.push_back(word);
        std::filesystem::remove("output.sql");
        int status = runprogram(words);
        bool written = std::filesystem::exists("output.sql");
        std::string output = written ? read("output.sql") : "";
        std::string errors = read("program.err");

        textresult result = runtext(parsed(words), read("input.sql"));
        SCOPED_TRACE(label);
        EXPECT_EQ(result.status, status);
        EXPECT_EQ(result.formatted, written);
        EXPECT_TRUE(result.text == output) << "in memory:\n" << result.text << "\nprogram:\n" << output;
        if (status != 0) {
            EXPECT_FALSE(result.listing.empty());
            EXPECT_NE(errors.find(result.listing), std::string::npos) << errors << "\n--\n" << result.listing;
        }
    }
};

const std::vector<std::vector<std::string>> switchsets = {
    {},
    {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "100"},
    {"-id", "-isc", "-uk", "-li", "-is", "3", "-gsfif"},
    {"-html"},
    {"-pp", "-bus", "-bbj"},
};

}  // namespace

TEST_F(textentry, corpusfilesasprogram) {
    for (const char* name : {"comments.sql", "compat_pkg.sql", "hr_queries.sql", "install_schema.sql"}) {
        write("input.sql", read(std::string(SOURCE_ROOT_DIR) + "/examples/" + name));
        for (const auto& switches : switchsets) compare(name, switches);
    }
}

TEST_F(textentry, byteordermarkandlinebreaksasprogram) {
    write("input.sql", "\xEF\xBB\xBF" "begin\r\n  null;\r\nend;\r\n/\r\n");
    for (const auto& switches : switchsets) compare("byte-order mark", switches);
}

TEST_F(textentry, failuresasprogram) {
    write("input.sql", "begin\n  if x then\n    null;\nend;\n");
    for (const auto& switches : switchsets) compare("unclosed if", switches);
    write("input.sql", "select 'unended from dual;\n");
    for (const auto& switches : switchsets) compare("unended string", switches);
}

// The range is cut by the file driver's reader; the engine formats what is left.
TEST_F(textentry, theinputrangeisformatted) {
    buildcharsettables();
    write("input.sql", "a\nb\nc\nd\n");
    filerun run;
    setdefaults(run.s);
    run.s.b = 0;
    run.s.inputfile = run.s.inputfilealias = root + "/input.sql";
    run.s.outputfile = run.s.outputfilealias = root + "/output.sql";
    run.s.sl = 2;
    run.s.el = 3;
    run.s.np = 1;
    run.messages.stringmode = 1;
    formatfile(run);
    EXPECT_EQ(read(root + "/output.sql"), "b\nc\n");
}

// A text handed over as a string comes back through output_str with its lines whole and
// CR LF line ends.
TEST_F(textentry, presettextcomesbackwhole) {
    buildcharsettables();
    filerun run;
    setdefaults(run.s);
    run.s.b = 0;
    run.s.inputfile = "";
    run.s.outputfile = "output_str";
    run.inputstring = "select x+1\r\nfrom dual;\r\n";
    run.messages.stringmode = 1;
    formatfile(run);
    EXPECT_EQ(run.outputstring, "SELECT x + 1\r\nFROM dual;\r\n");
}
