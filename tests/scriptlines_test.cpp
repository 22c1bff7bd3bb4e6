// REM, REMARK and PROMPT lines of the sample scripts come back byte for byte (only their
// indentation may change) under the presets and switch mixes, -pp and the column limit among them.
#include "programrun.h"
#include "strictcompare.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> scriptlines(const std::string& text) {
    std::vector<std::string> lines;
    for (const stricttoken& t : stricttokens(text))
        if (t.kind == stricttoken::scriptline) lines.emplace_back(t.text);
    return lines;
}

std::string readall(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

class scriptlinestest : public programtest {};

}  // namespace

TEST_F(scriptlinestest, remarkandpromptlinesneverchange) {
    const std::vector<std::vector<std::string>> switchsets = {
        {}, {"-al"}, {"-ar"}, {"-ai"}, {"-lsql"}, {"-rsql"}, {"-isql"}, {"-alol"}, {"-ol"}, {"-pp"},
        {"-mcs", "60", "-acs", "-aci", "-asc", "-abuc", "-amso"}, {"-ai", "-mcs", "60", "-acs", "-aci", "-amso", "-amc"},
        {"-sbi", "-sbi.ml", "2"}, {"-uk", "-ui"}, {"-lk", "-li"}, {"-ck", "-ci+"}, {"-ar", "-pcr", "-mlipl", "2"},
        {"-bus", "-bbj", "-plouwh", "-pcr"}, {"-kitt", "-kwtt", "-kflt", "-kwlt", "-kpit", "-rael"},
        {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "100"},
        {"-id", "-isc", "-rsbcb", "-itlwb-", "-aroa", "-uk", "-li", "-is", "3"},
    };
    int64_t checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(SOURCE_ROOT_DIR) + "/examples")) {
        const std::string input = readall(entry.path());
        const std::vector<std::string> expected = scriptlines(input);
        if (expected.empty()) continue;
        for (const auto& switches : switchsets) {
            std::vector<std::string> arguments = {"-i", entry.path().string(), "-o", "stdout", "-sr-", "-b", "0"};
            arguments.insert(arguments.end(), switches.begin(), switches.end());
            programresult run = brelm(arguments);
            ASSERT_EQ(run.exitcode, 0) << entry.path().filename() << " " << run.err;
            EXPECT_EQ(scriptlines(run.out), expected) << entry.path().filename() << " " << joined(switches);
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}
