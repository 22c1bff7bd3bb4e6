// The main window: its title and size, and the log pane that the session's messages reach.
#include "gui/gantrel.h"

#include "core/session.h"
#include "gui/colouredlinectrl.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct WindowSession {
    ScriptedPrompter prompter;
    std::ostringstream err;
    std::unique_ptr<GantrelSession> session;
    WindowSession() {
        SessionSetup setup;
        setup.prompter = &prompter;
        setup.err = &err;
        setup.programFolder = "/nonexistent";
        session = std::make_unique<GantrelSession>(setup);
    }
};

}  // namespace

TEST(Gantrel, TitleSizeAndLogPane) {
    WindowSession s;
    Gantrel window(*s.session);
    EXPECT_EQ(window.windowTitle(), "Gantrel 1.1.2.1");
    EXPECT_EQ(window.size(), QSize(579, 456));
    ASSERT_NE(window.log, nullptr);
    auto labels = window.findChildren<QLabel*>();
    auto logLabel = std::find_if(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == window.log; });
    ASSERT_NE(logLabel, labels.end());
    EXPECT_EQ((*logLabel)->text(), "Log");
    EXPECT_EQ(s.session->channels.Pane(), window.log);
}

TEST(Gantrel, MessagesOfTheSessionBecomeLinesOfThePane) {
    WindowSession s;
    s.session->LogError("before the window");
    {
        Gantrel window(*s.session);
        s.session->LogSuccess("in the window");
        QStringList lines = window.log->toPlainText().split('\n');
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(lines[0].endsWith(" before the window"));
        EXPECT_TRUE(lines[1].endsWith(" in the window"));
        EXPECT_EQ(window.log->LineColour(0), ErrorColour);
        EXPECT_EQ(window.log->LineColour(1), SuccessColour);
    }
    EXPECT_EQ(s.session->channels.Pane(), nullptr);
    s.session->LogError("after the window");   // kept, not written to a destroyed pane
    EXPECT_EQ(s.err.str(), "");
    s.session->flags.noGui = true;
    s.session->LogError("console");
    EXPECT_EQ(s.err.str(), "console\n");
}
