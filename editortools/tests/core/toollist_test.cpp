// Editing the tool list, the "Installed in" list, and the small lookups of the install road.
#include "core/numbers.h"
#include "sessiontest.h"

namespace {

class ToolList : public SessionTest {
protected:
    void SetUp() override { session->flags.noGui = true; }   // channel lines go to err
    void Tools(std::initializer_list<std::string> names) {
        session->tools.clear();
        for (const std::string& name : names) session->tools.push_back({name, name + " cmd", "", "", ""});
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ToolRecord& tool : session->tools) names.push_back(tool.name);
        return names;
    }
    std::vector<std::string> Questions() const { return prompter.Texts(ScriptedPrompter::Box::YesNo); }
};

}  // namespace

TEST_F(ToolList, ShowGivesTheFourFieldsOfTheCursorRow) {
    session->tools = {{"a", "b", "c", "d", "Pspad"}};
    std::optional<ToolFields> shown = session->ShowSelectedTool(0);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->name, "a");
    EXPECT_EQ(shown->cmdline, "b");
    EXPECT_EQ(shown->curdir, "c");
    EXPECT_EQ(shown->logparser, "d");
    EXPECT_FALSE(session->ShowSelectedTool(std::nullopt));
    EXPECT_FALSE(session->ShowSelectedTool(1));
}

TEST_F(ToolList, AddRefusesOnlyAnExactDuplicateName) {
    Tools({"brelm"});
    EXPECT_EQ(session->AddTool({"", "x", "y", "z"}), AddToolResult::Ignored);
    EXPECT_EQ(session->AddTool({"brelm", "other", "", ""}), AddToolResult::Refused);
    EXPECT_EQ(err.str(), "This toolname already exists\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"brelm"});
    EXPECT_EQ(session->AddTool({"Brelm", "cmd", "/dir", "parser"}), AddToolResult::Added);
    ASSERT_EQ(session->tools.size(), 2u);
    const ToolRecord& added = session->tools[1];
    EXPECT_EQ(added.name, "Brelm");
    EXPECT_EQ(added.cmdline, "cmd");
    EXPECT_EQ(added.curdir, "/dir");
    EXPECT_EQ(added.logparser, "parser");
    EXPECT_EQ(added.installedin, "");
    EXPECT_TRUE(Questions().empty());
}

TEST_F(ToolList, ChangeWritesTheFieldsIntoTheCursorRowAndKeepsInstalledIn) {
    session->tools = {{"a", "", "", "", "Pspad"}, {"b", "", "", "", ""}};
    session->ChangeTool(std::nullopt, {"x", "x", "x", "x"});
    session->ChangeTool(5, {"x", "x", "x", "x"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    session->ChangeTool(0, {"b", "c2", "d2", "l2"});   // a duplicate name is allowed here
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "b"}));
    EXPECT_EQ(session->tools[0].cmdline, "c2");
    EXPECT_EQ(session->tools[0].curdir, "d2");
    EXPECT_EQ(session->tools[0].logparser, "l2");
    EXPECT_EQ(session->tools[0].installedin, "Pspad");
    EXPECT_EQ(err.str(), "");
}

TEST_F(ToolList, DeleteAsksOnceAndReportsTheRowsBottomUp) {
    Tools({"a", "b", "c", "d"});
    EXPECT_FALSE(session->DeleteTools({}));
    EXPECT_FALSE(session->DeleteTools({7}));
    EXPECT_TRUE(Questions().empty());
    prompter.answers = {"no"};
    EXPECT_FALSE(session->DeleteTools({1}));
    EXPECT_EQ(Questions(), std::vector<std::string>{"Are you sure you want to delete the selected tool from the list?"});
    EXPECT_EQ(Names().size(), 4u);
    prompter.answers = {"yes"};
    EXPECT_TRUE(session->DeleteTools({3, 0, 2, 2}));
    EXPECT_EQ(Questions().back(), "Are you sure you want to delete the selected tools from the list?");
    EXPECT_EQ(Names(), std::vector<std::string>{"b"});
    EXPECT_EQ(err.str(), "Deleted tool d from the list.\nDeleted tool c from the list.\nDeleted tool a from the list.\n");
}

TEST_F(ToolList, MovesSwapWithTheNeighbourAndStopAtTheEnds) {
    Tools({"a", "b", "c"});
    EXPECT_EQ(session->MoveToolUp(2), std::optional<size_t>(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(session->MoveToolUp(0), std::optional<size_t>(0));
    EXPECT_EQ(session->MoveToolDown(2), std::optional<size_t>(2));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(session->MoveToolDown(0), std::optional<size_t>(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(session->MoveToolUp(std::nullopt), std::nullopt);
    EXPECT_EQ(session->MoveToolDown(3), std::nullopt);
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(ToolList, AnInstalledTargetGoesLastAndOnce) {
    session->tools = {{"t", "", "", "", ""}, {"t", "", "", "", "first row only"}};
    session->AddInstalledTarget("t", "Pspad");
    EXPECT_EQ(session->tools[0].installedin, "Pspad");
    session->tools[0].installedin = "Pspad,Textpad 5";
    session->AddInstalledTarget("t", "Pspad");
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5,Pspad");
    session->tools[0].installedin = ",,Textpad 5";
    session->AddInstalledTarget("t", "Pspad");
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5,Pspad");
    session->AddInstalledTarget("t", "EditPadPro 7");
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5,Pspad,EditPadPro 7");
    EXPECT_EQ(session->tools[1].installedin, "first row only");
    session->AddInstalledTarget("gone", "Pspad");
    EXPECT_EQ(err.str(), "Installed tool t in Pspad.\nInstalled tool t in Pspad.\nInstalled tool t in Pspad.\n"
                         "Installed tool t in EditPadPro 7.\nInstalled tool gone in Pspad.\n");
}

TEST_F(ToolList, FindToolIsExactAndTakesTheFirstRow) {
    Tools({"a", "A", "a"});
    EXPECT_EQ(session->FindTool("a"), std::optional<size_t>(0));
    EXPECT_EQ(session->FindTool("A"), std::optional<size_t>(1));
    EXPECT_EQ(session->FindTool("a "), std::nullopt);
}

TEST(SkipDigits, StopsAtTheFirstNonDigit) {
    EXPECT_EQ(SkipDigits("a12=", 1), 3u);
    EXPECT_EQ(SkipDigits("a12=", 0), 0u);
    EXPECT_EQ(SkipDigits("a12=", 4), 4u);
    EXPECT_EQ(SkipDigits("a12=", 9), 9u);
    EXPECT_EQ(SkipDigits("Tool0123", 4), 8u);
    EXPECT_EQ(SkipDigits("", 0), 0u);
    EXPECT_EQ(SkipDigits("\xD9\xA1", 0), 0u);   // only 0 to 9 count
}
