// On a real X display (the CTest entry runs these under xvfb-run): the window as it is painted,
// kept as a screenshot for people to look at, and a real box answered from a timer. Skipped on
// the offscreen platform.
#include "gui/gantrel.h"

#include "core/session.h"
#include "gui/colouredlinectrl.h"
#include "gui/gridcolumns.h"
#include "gui/layouts.h"
#include "gui/qtprompter.h"
#include "guitest.h"

#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
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

std::vector<int> widths(const QTableView* grid) {
    std::vector<int> result;
    for (int c = 0; c < grid->horizontalHeader()->count(); ++c) result.push_back(grid->columnWidth(c));
    return result;
}

// The tooltip the cell shows when the pointer rests on it; "" for none.
QString tooltip(QTableView* grid, int row, int column) {
    QRect cell = grid->visualRect(grid->model()->index(row, column));
    QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

bool cut(QTableView* grid, int row, int column) {
    QStyleOptionViewItem option;
    return CutTextTips::IsCut(grid, option, grid->model()->index(row, column));
}

}  // namespace

// At the layout's size a grid's columns have their widths and a cut cell shows its whole text
// as a tooltip; a wider window gives every column a part of the extra width; Tab leaves a grid
// for the next control.
TEST(RealDisplay, TheGridsAreReadAndLeftByKeyboard) {
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
    session.targets = {{"Pspad", "/opt/pspad"}, {"Visual Studio VCSExpress Edition 2010", "/home/me/Documents/x.vssettings"}};
    const std::string explanation = "before installing brelm with all its switches for the whole team backup";
    session.backups = {{"Pspad", "12/08/2026 18:05:09", explanation, "/home/me/.config/Gantrel/Pspad/links.ini"}};
    Gantrel window(session);
    window.RefreshTables();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.size(), QSize(579, 456));

    window.tab->setCurrentIndex(2);
    QTest::qWait(100);
    QTableView* grid = window.backups->array;
    const std::vector<int> narrow = widths(grid);
    ASSERT_EQ(narrow.size(), 4u);
    EXPECT_EQ(std::accumulate(narrow.begin(), narrow.end(), 0), grid->viewport()->width());
    EXPECT_TRUE(cut(grid, 0, 2));
    EXPECT_EQ(tooltip(grid, 0, 0), QString());   // "Pspad" fits
    EXPECT_EQ(tooltip(grid, 0, 2), QString::fromStdString(explanation));

    window.resize(1100, 456);
    QTest::qWait(200);
    const std::vector<int> wide = widths(grid);
    for (size_t c = 0; c < wide.size(); ++c) EXPECT_GT(wide[c], narrow[c]) << c;
    EXPECT_EQ(std::accumulate(wide.begin(), wide.end(), 0), grid->viewport()->width());
    EXPECT_FALSE(cut(grid, 0, 1));   // the time
    window.tab->setCurrentIndex(1);
    QTest::qWait(100);
    EXPECT_FALSE(cut(window.search->array, 1, 0));   // the target's name
    QPixmap shot = window.grab();
    if (const char* path = std::getenv("TOLVANE_WIDE_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(path, "PNG")) << path;
    }

    window.tab->setCurrentIndex(0);
    window.modify->array->setFocus();
    QTest::qWait(50);
    QTest::keyClick(window.modify->array, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.modify->name);
    QTest::keyClick(window.modify->name, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.modify->array);
}

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
