// Inputs the fuzz targets once failed on (fuzz/regressions/): each is formatted by the whole
// program with the switch set its file name names, and must end cleanly, never by a signal.
#include "programrun.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace {

namespace fs = std::filesystem;

// The switch sets of the format target (fuzz/fuzzformat.cpp, in its order), by the names
// regression files carry after their target ("fuzzformat-html-unclosedtag.sql"); a file naming none is formatted with defaults.
const std::map<std::string, std::vector<std::string>> switchsets = {
    {"default", {}},
    {"case", {"-mcs", "40", "-acs", "-aci", "-asc", "-abuc"}},
    {"align", {"-al", "-acav", "-actv", "-sbi"}},
    {"upper", {"-uk", "-ui", "-ctis", "-ut"}},
    {"pp", {"-pp"}},
    {"gsfif", {"-gsfif"}},
    {"html", {"-html"}},
    {"ppheavy", {"-pp", "-gsfif", "-mcs", "40", "-ctis", "-bus", "-bbj"}},
    {"keep", {"-kitt", "-kwlt", "-kflt", "-kpit", "-kwtt", "-mlacd", "-mlai", "-mlaf", "-mlaw", "-mlapr", "-rael",
              "-pius", "-rask", "-plouwh", "-buml", "-cmk", "-sic", "-ric"}},
    {"join", {"-rlai", "-rlaf", "-rlaw", "-rlapr", "-rlapa", "-rlal", "-rlafu", "-rlacd", "-sbi", "-isc", "-isc2",
              "-iibe", "-itlwb", "-amso", "-amc", "-abusc", "-acoslc"}},
    {"limitalign", {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "60", "-amso", "-mlipl", "3"}},
};

std::vector<std::string> switchesnamedby(const std::string& filename) {
    size_t first = filename.find('-');
    size_t second = first == std::string::npos ? first : filename.find('-', first + 1);
    if (second == std::string::npos) return {};
    auto found = switchsets.find(filename.substr(first + 1, second - first - 1));
    return found == switchsets.end() ? std::vector<std::string>{} : found->second;
}

bool has(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::string filetext(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> regressioninputs() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(SOURCE_ROOT_DIR) / "fuzz" / "regressions"))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The run helper gives 128 + the signal for a run a signal ended; brelm's own codes are
// below 128 or 255.
bool endedbysignal(int exitcode) { return exitcode > 128 && exitcode <= 128 + 64; }

class fuzzregressions : public programtest {};

}  // namespace

TEST_F(fuzzregressions, everyinputendscleanlyandkeepsitstext) {
    const std::vector<fs::path> inputs = regressioninputs();
    ASSERT_FALSE(inputs.empty());
    for (const fs::path& path : inputs) {
        SCOPED_TRACE(path.filename().string());
        const std::string original = filetext(path);
        std::vector<std::string> arguments = switchesnamedby(path.filename().string());
        const bool html = has(arguments, "-html");
        // Preprocessing and in-source options may rightly change the program text.
        const bool textmaychange = has(arguments, "-pp") || has(arguments, "-gsfif");
        writefile("input.sql", original);
        // Html and preprocessed text cannot replace their input.
        const bool beside = html || has(arguments, "-pp");
        arguments.insert(arguments.end(), {"-i", "input.sql", "-o", html ? "output.html" : beside ? "output.sql" : "input.sql"});
        programresult run = brelm(arguments);

        ASSERT_GE(run.exitcode, 0);
        EXPECT_FALSE(endedbysignal(run.exitcode)) << run.err;
        EXPECT_EQ(run.err.find("Internal error"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Integrity failure"), std::string::npos) << run.err;
        if (run.exitcode != 0) {
            EXPECT_NE(run.err.find(" formatting failed because of errors.\n"), std::string::npos) << run.err;
            EXPECT_EQ(readfile("input.sql"), original);   // a failed run leaves its input whole
        } else if (html) {
            EXPECT_FALSE(readfile("output.html").empty());
        } else if (!textmaychange) {
            EXPECT_EQ(significant(readfile("input.sql")), significant(original));
        }
    }
}

// The names pick the sets the fuzz target uses, so each regression runs as it was found.
TEST_F(fuzzregressions, filenamesnametheirswitchset) {
    struct namecase {
        std::string filename;
        std::vector<std::string> switches;
    };
    const namecase cases[] = {
        {"fuzzformat-html-unclosedtag.sql", {"-html"}},
        {"fuzzformat-promptapostrophes-quadratic.sql", {}},
        {"fuzzformat.sql", {}},
    };
    for (const namecase& c : cases) EXPECT_EQ(switchesnamedby(c.filename), c.switches) << c.filename;
}
