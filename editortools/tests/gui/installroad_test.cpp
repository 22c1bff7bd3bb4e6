// The window's install road: Install, the Eclipse workspace list, the Eclipse copies and the
// Backup button.
#include "gui/gantrel.h"

#include "../core/scopedenvironment.h"
#include "core/session.h"
#include "gui/colouredlinectrl.h"
#include "gui/layouts.h"
#include "testfolder.h"

#include <filesystem>

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <sstream>

namespace {

const QString eclipse = "Eclipse Galileo/Helios";

class InstallRoad : public testing::Test {
protected:
    testfolder folder;
    ScopedEnvironment environment{{"APPDATA", (folder / "appdata").string()},
                                  {"HOME", (folder / "home").string()},
                                  {"HOMEDRIVE", std::nullopt},
                                  {"HOMEPATH", std::nullopt}};
    ScriptedPrompter prompter;
    std::ostringstream err;
    std::unique_ptr<GantrelSession> session;
    std::unique_ptr<Gantrel> window;

    void SetUp() override {
        SessionSetup setup;
        setup.prompter = &prompter;
        setup.err = &err;
        setup.programFolder = (folder / "bin").string();
        setup.registryPath = (folder / "registry.reg").string();
        setup.codePage = -1;
        setup.processNames = [] { return std::vector<std::string>{}; };
        session = std::make_unique<GantrelSession>(setup);
        session->FillCatalogue();
        session->backupDirectory = Path("backups");
    }
    void Open() { window = std::make_unique<Gantrel>(*session); }
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    // The log pane's lines without their time stamps.
    QStringList LogTexts() const {
        QStringList lines = window->log->toPlainText().split('\n', Qt::SkipEmptyParts);
        for (QString& line : lines) line = line.mid(20);
        return lines;
    }
    static QStringList Column(const QTableView* view, int column) {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts << view->model()->index(row, column).data().toString();
        return texts;
    }
    static QStringList Items(const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    }
    void ChooseTarget(const QString& name) {
        window->modify->installlist->setCurrentIndex(window->modify->installlist->findText(name));
    }
    void SelectTools(const std::vector<int>& rows) {
        QTableView* view = window->modify->array;
        view->clearSelection();
        for (int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    int EclipseRow() const {
        for (size_t i = 0; i < session->targets.size(); ++i)
            if (session->targets[i].name == eclipse.toStdString()) return static_cast<int>(i);
        return -1;
    }
};

}  // namespace

TEST_F(InstallRoad, InstallNamesWhatIsMissingThenInstallsTheSelectedTools) {
    folder.write("pspad/links.ini", "WWW\n+Tools\n");
    session->targets[0].dir = Path("pspad");
    session->tools = {{"a", "a.exe -i %File%", "", "", ""}, {"b", "b.exe", "", "", ""}, {"c", "c.exe", "", "", ""}};
    Open();
    window->modify->install->click();   // no target, no tool
    ChooseTarget("Pspad");
    window->modify->install->click();
    SelectTools({2, 0});
    window->modify->install->click();
    EXPECT_EQ(LogTexts(), (QStringList{"Select an IDE/Text Editor for installation.", "Select tool(s) to install to continue.",
                                       "Installed tool a in Pspad.", "Installed tool c in Pspad."}));
    EXPECT_EQ(Column(window->modify->array, 4), (QStringList{"Pspad", "", "Pspad"}));
    EXPECT_EQ(Gantrel::SelectedRows(window->modify->array), (std::vector<size_t>{0, 2}));   // for the next Install
    EXPECT_EQ(Column(window->backups->array, 2),
              (QStringList{"before installing a backup", "before installing c backup"}));
    EXPECT_EQ(folder.read("pspad/links.ini").find("\tb\n"), std::string::npos);
}

TEST_F(InstallRoad, TheWorkspaceListOffersTheEclipseCopies) {
    int row = EclipseRow();
    session->targets[row].dir = "";
    session->targets.insert(session->targets.begin() + row + 1, {eclipse.toStdString(), Path("ws2")});
    session->tools = {{"a", "a.exe", "", "", ""}};
    session->selectedTarget = static_cast<size_t>(row);   // -e names Eclipse
    Open();
    EXPECT_EQ(window->modify->subinstalldir->count(), 2);
    ChooseTarget("Pspad");
    ChooseTarget(eclipse);
    EXPECT_EQ(Items(window->modify->subinstalldir), (QStringList{"", QString::fromStdString(Path("ws2"))}));
    EXPECT_EQ(window->modify->subinstalldir->currentIndex(), 0);
    SelectTools({0});
    window->modify->install->click();   // the first workspace has no folder
    window->modify->subinstalldir->setCurrentIndex(1);
    window->modify->install->click();   // the second has
    EXPECT_EQ(LogTexts(), (QStringList{"Directory is not set for Eclipse Galileo/Helios",
                                       "Installed tool a in Eclipse Galileo/Helios."}));
    EXPECT_TRUE(std::filesystem::exists(folder / "ws2/.metadata/.plugins/org.eclipse.debug.core/.launches/a.launch"));
    ChooseTarget("Pspad");
    EXPECT_EQ(window->modify->subinstalldir->count(), 0);
}

TEST_F(InstallRoad, EclipseCopiesAreMadeAndDeletedButTheLastStays) {
    int row = EclipseRow();
    Open();
    ChooseTarget(eclipse);
    Gantrel::SetCursorRow(window->search->array, 0);   // Pspad: no copies
    window->search->duplicate->click();
    window->search->deleteide->click();
    EXPECT_EQ(session->targets.size(), 9u);
    Gantrel::SetCursorRow(window->search->array, row);
    window->search->deleteide->click();   // the only Eclipse row
    EXPECT_EQ(session->targets.size(), 9u);
    window->search->duplicate->click();
    EXPECT_EQ(Column(window->search->array, 0).mid(row, 3), (QStringList{eclipse, eclipse, "Textpad 5"}));
    EXPECT_EQ(window->modify->installlist->currentText(), "Pspad");   // no stale workspace list
    EXPECT_EQ(window->modify->subinstalldir->count(), 0);
    ChooseTarget(eclipse);
    EXPECT_EQ(window->modify->subinstalldir->count(), 2);
    Gantrel::SetCursorRow(window->search->array, row + 1);
    window->search->deleteide->click();
    EXPECT_EQ(Column(window->search->array, 0).count(eclipse), 1);
    EXPECT_EQ(window->modify->installlist->currentText(), "Pspad");
    EXPECT_EQ(window->modify->subinstalldir->count(), 0);
    EXPECT_TRUE(LogTexts().isEmpty());
}

TEST_F(InstallRoad, TheBackupButtonAsksForADescription) {
    folder.write("pspad/links.ini", "WWW\n+Tools\n");
    session->targets[0].dir = Path("pspad");
    Open();
    window->search->backup->click();   // no cursor row
    Gantrel::SetCursorRow(window->search->array, 0);
    prompter.answers = {"my links"};
    window->search->backup->click();
    prompter.answers = {std::nullopt};
    window->search->backup->click();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::EditText), (std::vector<std::string>{"Description:", "Description:"}));
    EXPECT_EQ(LogTexts(), QStringList{"Backed up Pspad (the links)."});
    EXPECT_EQ(Column(window->backups->array, 0), QStringList{"Pspad"});
    EXPECT_EQ(Column(window->backups->array, 2), QStringList{"my links"});
    EXPECT_EQ(folder.read(session->backups.at(0).location.substr(folder.path().string().size() + 1)), "WWW\n+Tools\n");
    Gantrel::SetCursorRow(window->search->array, 1);
    window->search->backup->click();
    EXPECT_EQ(LogTexts().last(), "user initiated backup of all tools is not supported for Ultimate++ IDE");
}
