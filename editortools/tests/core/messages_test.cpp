// The message channels, the overwrite question, the log line and the console prompter.
#include "core/messages.h"
#include "core/prompter.h"
#include "scopedenvironment.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct RecordedLine {
    std::string text;
    Rgb colour;
    std::time_t when;
};

class RecordingPane : public LogPane {
public:
    std::vector<RecordedLine> lines;
    void AddColouredLine(const std::string& text, Rgb colour, std::time_t when) override {
        lines.push_back({text, colour, when});
    }
};

class Channels : public testing::Test {
protected:
    RunFlags flags;
    ScriptedPrompter prompter;
    std::ostringstream err;
    MessageChannels channels{flags, prompter, err};
    RecordingPane pane;
};

}  // namespace

TEST_F(Channels, InfoDialogsComeFirstThenStandardErrorThenThePane) {
    flags.showInfoDialogs = true;
    flags.noGui = true;
    channels.AttachPane(&pane);
    channels.LogError("a [b] & `c`");
    channels.LogSuccess("done");
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::OK), (std::vector<std::string>{"a [b] & `c`", "done"}));
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(pane.lines.empty());

    flags.showInfoDialogs = false;
    channels.LogError("failed");
    channels.LogSuccess("worked");
    EXPECT_EQ(err.str(), "failed\nworked\n");
    EXPECT_TRUE(pane.lines.empty());

    flags.noGui = false;
    channels.LogError("red");
    channels.LogSuccess("green");
    ASSERT_EQ(pane.lines.size(), 2u);
    EXPECT_EQ(pane.lines[0].text, "red");
    EXPECT_EQ(pane.lines[0].colour, 0x800000u);
    EXPECT_EQ(pane.lines[1].colour, 0x008000u);
    EXPECT_EQ(err.str(), "failed\nworked\n");
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(Channels, LinesBeforeThePaneExistsAreAddedWhenItComes) {
    channels.LogError("early");
    std::time_t before = std::time(nullptr);
    channels.AttachPane(&pane);
    ASSERT_EQ(pane.lines.size(), 1u);
    EXPECT_EQ(pane.lines[0].text, "early");
    EXPECT_LE(pane.lines[0].when, before);
    channels.AttachPane(nullptr);
    channels.LogSuccess("after");
    RecordingPane second;
    channels.AttachPane(&second);
    ASSERT_EQ(second.lines.size(), 1u);
    EXPECT_EQ(second.lines[0].text, "after");
    EXPECT_EQ(pane.lines.size(), 1u);
}

TEST_F(Channels, OverwriteQuestionIsAskedInEveryModeUnlessOverwriteIsOn) {
    flags.noGui = true;
    flags.showInfoDialogs = true;
    prompter.answers = {"yes", "no"};
    EXPECT_TRUE(channels.AskOverwrite("brelm [x]"));
    EXPECT_FALSE(channels.AskOverwrite("brelm"));
    EXPECT_FALSE(channels.AskOverwrite("brelm"));   // nothing queued: No
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo)[0], "brelm [x] tool already exists.Should I overwrite it?");
    flags.overwrite = true;
    EXPECT_TRUE(channels.AskOverwrite("brelm"));
    EXPECT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(err.str(), "");
}

TEST(LogLine, MonthDayYearAndTheTimeInLocalTime) {
    ScopedEnvironment env({{"TZ", "UTC"}});
    tzset();
    EXPECT_EQ(FormatLogLine("Installed tool brelm in Pspad.", 1796753109), "12/08/2026 18:05:09 Installed tool brelm in Pspad.\n");
    EXPECT_EQ(FormatLogLine("", 0), "01/01/1970 00:00:00 \n");
    ScopedEnvironment::Set("TZ", "CET-1");
    tzset();
    EXPECT_EQ(FormatLogLine("x\ny", 1796753109), "12/08/2026 19:05:09 x\ny\n");
}

TEST(ConsolePrompter, MessagesGoToStandardErrorAndQuestionsReadOneLineEach) {
    std::istringstream in("y\n YES \r\nno\nyess\n\nYes");
    std::ostringstream err;
    ConsolePrompter console(in, err);
    console.PromptOK("Error reading the input file:\nNo Gantrel tag");
    std::vector<bool> answers;
    for (int i = 0; i < 7; ++i) answers.push_back(console.PromptYesNo("q" + std::to_string(i)));
    EXPECT_EQ(answers, (std::vector<bool>{true, true, false, false, false, true, false}));
    EXPECT_EQ(err.str(), "Error reading the input file:\nNo Gantrel tag\nq0\nq1\nq2\nq3\nq4\nq5\nq6\n");
}

TEST(ConsolePrompter, InputsReadALineAndChoicesAreCancelled) {
    std::istringstream in("first line\r\n");
    std::ostringstream err;
    ConsolePrompter console(in, err);
    EXPECT_EQ(console.EditText("Title", "Description:", ""), "first line");
    EXPECT_EQ(console.EditText("Title", "Description:", ""), std::nullopt);
    EXPECT_EQ(console.ChooseOpenFile("", AllFilesFilter), std::nullopt);
    EXPECT_EQ(console.ChooseSaveFile("Save as", AllFilesFilter), std::nullopt);
    EXPECT_EQ(console.ChooseFolder(""), std::nullopt);
    EXPECT_EQ(err.str(), "Description:\nDescription:\n");
}

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryBox) {
    ScriptedPrompter scripted;
    scripted.answers = {"text", std::nullopt, "/a/file", "Y"};
    EXPECT_EQ(scripted.EditText("t", "label", ""), "text");
    EXPECT_EQ(scripted.ChooseFolder("pick"), std::nullopt);
    EXPECT_EQ(scripted.ChooseOpenFile("open", AllFilesFilter), "/a/file");
    EXPECT_TRUE(scripted.PromptYesNo("sure?"));
    EXPECT_EQ(scripted.ChooseSaveFile("save", AllFilesFilter), std::nullopt);
    ASSERT_EQ(scripted.shown.size(), 5u);
    EXPECT_EQ(scripted.shown[1].box, ScriptedPrompter::Box::Folder);
    EXPECT_EQ(scripted.shown[3].text, "sure?");
}
