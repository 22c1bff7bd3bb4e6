// The main window over a session: captions, tips and columns, the tool list's buttons and
// clicks, the backup directory field, the backups' and targets' buttons, and the signals that
// end the run.
#include "gui/gantrel.h"

#include "../core/scopedenvironment.h"
#include "core/clipboard.h"
#include "core/session.h"
#include "gui/colouredlinectrl.h"
#include "gui/editfieldex.h"
#include "gui/layouts.h"
#include "gui/qtprompter.h"
#include "gui/quitonsignals.h"
#include "guitest.h"
#include "windowtest.h"
#include "testfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace {

template <class Control>
void ExpectControl(Control* control, const QString& caption, const QString& tip) {
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->text(), caption) << control->objectName().toStdString();
    EXPECT_EQ(control->toolTip(), tip) << control->objectName().toStdString();
}

}  // namespace

TEST_F(Window, TabsColumnsAndSelection) {
    session->FillCatalogue();
    Open();
    ASSERT_EQ(window->tab->count(), 3);
    EXPECT_EQ(window->tab->tabText(0), "Tools");
    EXPECT_EQ(window->tab->tabText(1), "IDEs/Text Editors");
    EXPECT_EQ(window->tab->tabText(2), "Backups");
    EXPECT_EQ(window->tab->currentIndex(), 0);
    EXPECT_EQ(Headers(window->modify->array),
              (QStringList{"Tool name", "Command line", "Current directory", "Log parser", "Installed in"}));
    EXPECT_EQ(Headers(window->modify->array, ColumnIdRole),
              (QStringList{"name", "cmdline", "curdir", "logparser", "installedin"}));
    EXPECT_EQ(Headers(window->search->array), (QStringList{"Ide/Editor name", "Directory/File"}));
    EXPECT_EQ(Headers(window->search->array, ColumnIdRole), (QStringList{"name", "dir"}));
    EXPECT_EQ(Headers(window->backups->array), (QStringList{"Backed up Ide/Editor", "Time", "Explanation", "Location"}));
    EXPECT_EQ(Headers(window->backups->array, ColumnIdRole), (QStringList{"name", "time", "explanation", "location"}));
    EXPECT_EQ(window->modify->array->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(window->search->array->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(window->backups->array->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(Column(window->search->array, 0).size(), 9);
    EXPECT_EQ(Column(window->search->array, 1)[2], QString::fromStdString(Path("appdata/IDMComp/UltraEdit")));
    ASSERT_EQ(window->modify->installlist->count(), 9);
    EXPECT_EQ(window->modify->installlist->itemText(5), "Textpad 5");
    EXPECT_EQ(window->modify->installlist->itemData(5).toString(), "Textpad 5");
    EXPECT_EQ(window->modify->installlist->currentIndex(), -1);
    EXPECT_FALSE(window->modify->installlist->isEditable());
    EXPECT_EQ(window->focusWidget(), window->modify->installlist);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(Window, CaptionsAndTips) {
    Open();
    WithModifyLayout* t = window->modify;
    ExpectControl(t->install, "Install", "Installs the selected tool(s) into an IDE/Text Editor");
    EXPECT_EQ(t->installlist->toolTip(), "Select IDE/Text Editor in which the tool(s) should be installed");
    EXPECT_EQ(t->subinstalldir->toolTip(), "Select the directory in which the tool(s) should be installed");
    ExpectControl(t->add, "Ad&d", "Adds this tool to the list of tools");
    ExpectControl(t->change, "&Change", "Changes the tool with the same name in the list");
    ExpectControl(t->Delete, "&Delete", "Deletes the selected tool from the list of tools");
    ExpectControl(t->moveup, "Up", "Moves the selected tool up");
    ExpectControl(t->movedown, "Down", "Moves the selected tool down");
    EXPECT_EQ(t->inlabel->text(), "in");
    EXPECT_EQ(t->logparserlabel->text(), "Log parser");
    QStringList labels;
    for (QLabel* label : t->findChildren<QLabel*>()) labels << label->text();
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"&Command line", "&Current directory", "&Tool name", "Log parser", "in"}));
    for (QLabel* label : t->findChildren<QLabel*>()) {
        if (label->text().startsWith('&')) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        }
    }
    WithSearchLayout* s = window->search;
    ExpectControl(s->setpath, "&Set directory/file", "Sets the directory/file location of the selected IDE");
    ExpectControl(s->copypath, "&Copy path", "Copied the path of the selected IDE into clipboard");
    ExpectControl(s->autodetect, "&Autodetect", "Autodetect the path of the selected installed IDE ");
    ExpectControl(s->deleteide, "Delete", "Deletes a copy of Eclipse");
    ExpectControl(s->duplicate, "Duplicate", "Creates a copy of selected IDE (only Eclipse)");
    ExpectControl(s->backup, "&Backup", "Backups all the tools of IDE/Text Editor");
    WithBackupsLayout* b = window->backups;
    EXPECT_EQ(b->backuplabel->text(), "Backup directory");
    ExpectControl(b->browse, "&Browse", "Set backup directory by browsing");
    ExpectControl(b->Restore, "&Restore selection", "Restores elected backup");
    ExpectControl(b->copypath, "&Copy path", "Copies the path of the backup into the clipboard");
    ExpectControl(b->confirmdelete, "&confirm delete", "When you press Delete selection a confirmation windows will pop up");
    ExpectControl(b->Delete, "&Delete selection", "Deletes selected backup totally");
    EXPECT_TRUE(b->confirmdelete->isChecked());
    QStringList entries;
    for (QAction* action : window->menuBar()->actions()) entries << action->text();
    EXPECT_EQ(entries, QStringList{"File"});
    entries.clear();
    for (QAction* action : window->menuBar()->actions()[0]->menu()->actions()) entries << action->text();
    EXPECT_EQ(entries, (QStringList{"Open settings", "Save settings", "Save settings as..", "User Manual",
                                    "General information/Contact", "About", "Quit"}));
}

TEST_F(Window, AddChangeAndDuplicateNames) {
    Open();
    Fill("brelm", "%GRInstallDir%/brelm -i %File%", "/tmp", "parser");
    window->modify->add->click();
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{"brelm"});
    EXPECT_EQ(Column(window->modify->array, 3), QStringList{"parser"});
    EXPECT_EQ(Fields(), (QStringList{"", "", "", ""}));
    EXPECT_EQ(Gantrel::CursorRow(window->modify->array), std::optional<size_t>(0));
    Fill("brelm", "other", "", "");
    window->modify->add->click();
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{"brelm"});
    EXPECT_EQ(LogTexts(), QStringList{"This toolname already exists"});
    EXPECT_EQ(window->log->LineColour(0), ErrorColour);
    Fill("", "ignored", "", "");
    window->modify->add->click();
    EXPECT_EQ(Column(window->modify->array, 0).size(), 1);
    Fill("renamed", "cmd2", "", "");
    window->modify->change->click();
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{"renamed"});
    EXPECT_EQ(Column(window->modify->array, 1), QStringList{"cmd2"});
    EXPECT_EQ(session->tools[0].cmdline, "cmd2");
    Gantrel::SetCursorRow(window->modify->array, std::nullopt);
    Fill("lost", "", "", "");
    window->modify->change->click();
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{"renamed"});
    EXPECT_EQ(LogTexts().size(), 1);
}

TEST_F(Window, DeleteAsksInThePluralAndReportsBottomUp) {
    session->tools = {{"a", "", "", "", ""}, {"b", "", "", "", ""}, {"c", "", "", "", ""}, {"d", "", "", "", ""}};
    Open();
    QTableView* view = window->modify->array;
    view->selectRow(0);
    ClickRow(2, Qt::ControlModifier);
    ClickRow(3, Qt::ControlModifier);
    EXPECT_EQ(Gantrel::SelectedRows(view), (std::vector<size_t>{0, 2, 3}));
    prompter.answers = {"yes"};
    window->modify->Delete->click();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo),
              std::vector<std::string>{"Are you sure you want to delete the selected tools from the list?"});
    EXPECT_EQ(Column(view, 0), QStringList{"b"});
    EXPECT_EQ(LogTexts(), (QStringList{"Deleted tool d from the list.", "Deleted tool c from the list.",
                                       "Deleted tool a from the list."}));
    for (int line = 0; line < 3; ++line) EXPECT_EQ(window->log->LineColour(line), SuccessColour);
    view->selectRow(0);
    prompter.answers = {"no"};
    window->modify->Delete->click();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo).back(),
              "Are you sure you want to delete the selected tool from the list?");
    EXPECT_EQ(Column(view, 0), QStringList{"b"});
}

TEST_F(Window, UpAndDownMoveTheCursorRow) {
    session->tools = {{"a", "", "", "", ""}, {"b", "", "", "", ""}, {"c", "", "", "", ""}};
    Open();
    QTableView* view = window->modify->array;
    Gantrel::SetCursorRow(view, 0);
    window->modify->movedown->click();
    window->modify->movedown->click();
    EXPECT_EQ(Column(view, 0), (QStringList{"b", "c", "a"}));
    EXPECT_EQ(Gantrel::CursorRow(view), std::optional<size_t>(2));
    window->modify->movedown->click();
    EXPECT_EQ(Gantrel::CursorRow(view), std::optional<size_t>(2));
    window->modify->moveup->click();
    EXPECT_EQ(Column(view, 0), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(Gantrel::SelectedRows(view), std::vector<size_t>{1});
}

TEST_F(Window, APlainClickShowsTheToolAndOthersDoNot) {
    session->tools = {{"a", "ca", "da", "la", "Pspad"}, {"b", "cb", "db", "lb", ""}, {"c", "cc", "", "", ""}};
    Open();
    ShowAndActivate();
    ClickRow(1);
    EXPECT_EQ(Fields(), (QStringList{"b", "cb", "db", "lb"}));
    ClickRow(0, Qt::ShiftModifier);
    EXPECT_EQ(Fields(), (QStringList{"b", "cb", "db", "lb"}));
    EXPECT_EQ(Gantrel::SelectedRows(window->modify->array), (std::vector<size_t>{0, 1}));
    ClickRow(2, Qt::ControlModifier);
    EXPECT_EQ(Fields(), (QStringList{"b", "cb", "db", "lb"}));
    window->modify->array->setFocus();
    QTest::keyClick(window->modify->array, Qt::Key_Up);   // the keyboard moves the cursor only
    EXPECT_EQ(Gantrel::CursorRow(window->modify->array), std::optional<size_t>(1));
    EXPECT_EQ(Fields(), (QStringList{"b", "cb", "db", "lb"}));
    QTest::mouseClick(window->modify->array->viewport(), Qt::RightButton, Qt::NoModifier,
                      window->modify->array->visualRect(window->modify->array->model()->index(2, 0)).center());
    EXPECT_EQ(Fields(), (QStringList{"b", "cb", "db", "lb"}));
    ClickRow(0);
    EXPECT_EQ(Fields(), (QStringList{"a", "ca", "da", "la"}));
}

TEST_F(Window, TheInstallListFollowsTheSelectedTarget) {

    session->FillCatalogue();
    session->selectedTarget = 3;
    Open();
    EXPECT_EQ(window->modify->installlist->currentText(), "Code::Blocks 8-10");
    window->modify->installlist->setCurrentIndex(8);
    EXPECT_EQ(session->selectedTarget, std::optional<size_t>(8));
}

TEST_F(Window, TheCommandLineToolBecomesTheCursorRow) {
    folder.write("s.xml", "<Gantrel><tools><tool><name>a</name></tool><tool><name>brelm</name></tool></tools>"
                          "<ides/></Gantrel>");
    CommandLineOptions options;
    options.xmlFile = Path("s.xml");
    options.ide = "Pspad";
    options.toolName = "brelm";
    session->StartUp(options);
    Open();
    window->CommandLineInstall();
    EXPECT_EQ(Gantrel::SelectedRows(window->modify->array), std::vector<size_t>{1});
    EXPECT_EQ(window->modify->installlist->currentText(), "Pspad");
    EXPECT_EQ(err.str(), "");
}

TEST_F(Window, LosingTheFocusChangesTheBackupDirectoryOnce) {
    // Real boxes: the question takes the focus from the field while it is open.
    QtPrompter boxes;
    session = MakeSession(boxes);
    std::filesystem::create_directories(folder / "old");
    session->backupDirectory = session->previousBackupDir = Path("old");
    session->backups = {{"Pspad", "t", "e", "/x"}};
    Open();
    boxes.SetParent(window.get());
    ShowAndActivate();
    EditFieldEx* field = window->backups->backupdirectory;
    EXPECT_EQ(field->text(), QString::fromStdString(Path("old")));
    window->tab->setCurrentIndex(1);
    field->setFocus();
    field->setText(QString::fromStdString(Path("missing")));
    BoxAnswerer no(QMessageBox::No);
    window->search->array->setFocus();
    QTest::qWait(50);
    ASSERT_EQ(no.texts.size(), 1u);
    EXPECT_EQ(no.texts[0], QString::fromStdString("This " + Path("missing") +
                                                  " directory does not exists.It has to exist.Should I create it?"));
    EXPECT_EQ(field->text(), QString::fromStdString(Path("old")));
    EXPECT_EQ(window->tab->currentIndex(), 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "old/backuplist.xml"));
    EXPECT_EQ(Column(window->backups->array, 0), QStringList{"Pspad"});
    // Leaving the field unchanged does nothing.
    field->setFocus();
    window->search->array->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(no.texts.size(), 1u);
}

TEST_F(Window, AnExistingDirectoryShowsItsBackups) {
    std::filesystem::create_directories(folder / "old");
    folder.write("new/backuplist.xml", "<backups><backup><name>Textpad 5</name></backup></backups>");
    session->backupDirectory = session->previousBackupDir = Path("old");
    prompter.answers = {Path("new")};
    Open();
    window->backups->browse->click();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::Folder), std::vector<std::string>{"Backup directory"});
    EXPECT_EQ(window->backups->backupdirectory->text(), QString::fromStdString(Path("new")));
    EXPECT_EQ(Column(window->backups->array, 0), QStringList{"Textpad 5"});
    window->backups->browse->click();   // cancelled
    EXPECT_EQ(session->previousBackupDir, Path("new"));
}

TEST_F(Window, DeletingBackupsKeepsTheCursorAndCopyingPaths) {
    folder.write("b/one", "1");
    folder.write("b/two", "2");
    session->backupDirectory = session->previousBackupDir = Path("b");
    session->backups = {{"Pspad", "", "", Path("b/one")}, {"Pspad", "", "", Path("b/two")}};
    session->targets = {{"Pspad", "/opt/pspad"}};
    Open();
    InstallQtClipboard();
    Gantrel::SetCursorRow(window->backups->array, 1);
    window->backups->copypath->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(Path("b/two")));
    Gantrel::SetCursorRow(window->search->array, 0);
    window->search->copypath->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "/opt/pspad");
    prompter.answers = {"yes"};
    window->backups->Delete->click();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo), std::vector<std::string>{"Do you want to delete this selected backup?"});
    EXPECT_FALSE(std::filesystem::exists(folder / "b/two"));
    EXPECT_EQ(Gantrel::CursorRow(window->backups->array), std::optional<size_t>(0));
    window->backups->confirmdelete->setChecked(false);
    window->backups->Delete->click();
    EXPECT_FALSE(std::filesystem::exists(folder / "b/one"));
    EXPECT_EQ(window->backups->array->model()->rowCount(), 0);
    EXPECT_EQ(Gantrel::CursorRow(window->backups->array), std::nullopt);
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo).size(), 1u);
    EXPECT_EQ(LogTexts(), (QStringList{"Deleted backup for Pspad", "Deleted backup for Pspad"}));
    SetClipboardWriter(nullptr);
}

TEST_F(Window, QuitEndsTheEventLoopWithItsCode) {
    Open();
    QTimer::singleShot(0, window->quit, &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 9999);
    EXPECT_TRUE(window->QuitRequested());
}

TEST(QuitOnSignals, EachSignalReachesTheEventLoop) {
    struct sigaction before {};
    sigaction(SIGTERM, nullptr, &before);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        int calls = 0;
        {
            QuitOnSignals quit([&] { ++calls; });
            ASSERT_TRUE(quit.Active());
            QuitOnSignals second([&] { calls += 100; });   // one at a time
            EXPECT_FALSE(second.Active());
            std::raise(signal);
            for (int wait = 0; wait < 400 && calls == 0; ++wait) QTest::qWait(5);
        }
        EXPECT_EQ(calls, 1);
    }
    // The old handlers are back.
    struct sigaction now {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, before.sa_handler);
}

// The field's own context menu takes the focus only while it is open: typing goes on after it.
TEST_F(Window, AContextMenuOfTheBackupFieldChangesNothing) {
    std::filesystem::create_directories(folder / "old");
    session->backupDirectory = session->previousBackupDir = Path("old");
    Open();
    ShowAndActivate();
    window->tab->setCurrentIndex(2);
    EditFieldEx* field = window->backups->backupdirectory;
    field->setFocus();
    field->setText(QString::fromStdString(Path("half")));
    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &menu);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(session->previousBackupDir, Path("old"));
    EXPECT_EQ(field->text(), QString::fromStdString(Path("half")));
    // Leaving it for another control runs the change.
    prompter.answers = {"no"};
    window->backups->array->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo),
              std::vector<std::string>{"This " + Path("half") + " directory does not exists.It has to exist.Should I create it?"});
    EXPECT_EQ(field->text(), QString::fromStdString(Path("old")));
}
