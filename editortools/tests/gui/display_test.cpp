// On a real X display (the CTest entry runs these under xvfb-run): the window as it is painted,
// kept as a screenshot for people to look at, and a real box answered from a timer. Skipped on
// the offscreen platform.
#include "gui/gantrel.h"

#include "core/session.h"
#include "gui/colouredlinectrl.h"
#include "gui/qtprompter.h"
#include "guitest.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

bool realdisplay() { return QGuiApplication::platformName() == "xcb"; }

// Pixels near the colour, anti-aliased text included.
int countnear(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 40 && std::abs(pixel.green() - colour.green()) < 40 &&
                std::abs(pixel.blue() - colour.blue()) < 40)
                ++count;
        }
    return count;
}

}  // namespace

TEST(RealDisplay, TheWindowShowsItsColouredLogLines) {
    if (!realdisplay()) GTEST_SKIP() << "no X display";
    ScriptedPrompter prompter;
    std::ostringstream err;
    SessionSetup setup;
    setup.prompter = &prompter;
    setup.err = &err;
    setup.programFolder = "/nonexistent";
    setup.registryPath = "/nonexistent/registry.reg";
    setup.codePage = -1;
    GantrelSession session(setup);
    session.tools = {{"brelm", "%GRInstallDir%/brelm -i %File% -o stdout", "", "", "Pspad"}};
    session.installList = {"Pspad", "Textpad 5"};
    Gantrel window(session);
    QImage before = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    session.LogError("Pspad is running.Please close the program. ##########################");
    session.LogSuccess("Installed tool brelm in Pspad. ##########################");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    QPixmap shot = window.screen()->grabWindow(0);
    if (const char* path = std::getenv("TOLVANE_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(path, "PNG")) << path;
    }
    QImage image = shot.toImage();
    EXPECT_EQ(countnear(before, QColor(128, 0, 0)), 0);
    EXPECT_GT(countnear(image, QColor(128, 0, 0)), 30);
    EXPECT_GT(countnear(image, QColor(0, 128, 0)), 30);
}

TEST(RealDisplay, ARealBoxIsAnsweredFromATimer) {
    if (!realdisplay()) GTEST_SKIP() << "no X display";
    QtPrompter prompter;
    QString shown;
    WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    EXPECT_TRUE(prompter.PromptYesNo("Do you want to delete this selected backup?"));
    EXPECT_EQ(shown, "Do you want to delete this selected backup?");
}

TEST(RealDisplay, TheAboutDialogIsShownAndClosed) {
    if (!realdisplay()) GTEST_SKIP() << "no X display";
    ScriptedPrompter prompter;
    std::ostringstream err;
    SessionSetup setup;
    setup.prompter = &prompter;
    setup.err = &err;
    setup.programFolder = "/nonexistent";
    setup.registryPath = "/nonexistent/registry.reg";
    setup.codePage = -1;
    GantrelSession session(setup);
    session.startupSettingsPath = "/home/me/[tools] & more/gantrel.xml";
    Gantrel window(session);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bool exposed = false;
    QSize size;
    int textpixels = 0;
    WhenModalOpens([&](QWidget* modal) {
        exposed = QTest::qWaitForWindowExposed(modal);
        size = modal->size();
        QTest::qWait(200);
        QImage image = modal->grab().toImage();
        if (const char* path = std::getenv("TOLVANE_ABOUT_SCREENSHOT")) {
            EXPECT_TRUE(image.save(path, "PNG")) << path;
        }
        textpixels = countnear(image, QColor(0, 0, 0));
        qobject_cast<QDialog*>(modal)->reject();
    });
    window.about->trigger();
    EXPECT_TRUE(exposed);
    EXPECT_EQ(size, QSize(290, 115));
    EXPECT_GT(textpixels, 30);   // the text is painted
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
