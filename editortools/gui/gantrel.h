// The main window: the session's tables in three tabs, the File menu and the log pane that
// the session's messages go to. Every operation is the session's; the window passes it the
// cursor, the selection and the field texts, and shows the tables again afterwards.
#pragma once

#include "core/records.h"
#include "gui/recordtablemodel.h"

#include <QMainWindow>
#include <QUrl>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

class ColouredLineCtrl;
class GantrelSession;
class QAction;
class QMenuBar;
class QTabWidget;
class QTableView;
class WithBackupsLayout;
class WithModifyLayout;
class WithSearchLayout;
struct ToolFields;

using ToolTableModel = RecordTableModel<ToolRecord, std::size(ToolColumns)>;
using TargetTableModel = RecordTableModel<TargetRecord, std::size(TargetColumns)>;
using BackupTableModel = RecordTableModel<BackupRecord, std::size(BackupColumns)>;

class Gantrel : public QMainWindow {
    Q_OBJECT
public:
    explicit Gantrel(GantrelSession& session, QWidget* parent = nullptr);
    ~Gantrel() override;

    QMenuBar* menu;
    QTabWidget* tab;
    WithModifyLayout* modify;    // "Tools"
    WithSearchLayout* search;    // "IDEs/Text Editors"
    WithBackupsLayout* backups;  // "Backups"
    ColouredLineCtrl* log;
    // The File menu.
    QAction* openSettings;
    QAction* saveSettings;
    QAction* saveSettingsAs;
    QAction* userManual;
    QAction* generalInfo;
    QAction* about;
    QAction* quit;

    ToolTableModel* toolModel;
    TargetTableModel* targetModel;
    BackupTableModel* backupModel;

    // The install of the command line, then the "Installed in" column; the tool's row becomes
    // the cursor.
    void CommandLineInstall();
    // Ends the event loop with the code 9999, as the Quit entry does.
    void Quit();
    bool QuitRequested() const { return quitRequested; }

    // The grids show the session's tables again; cursors stay where their rows remain.
    void RefreshTables();

    static std::optional<size_t> CursorRow(const QTableView* view);
    static std::vector<size_t> SelectedRows(const QTableView* view);
    // The row becomes the cursor and the only selected row; none clears both.
    static void SetCursorRow(QTableView* view, std::optional<size_t> row);

    // The operations of the controls.
    void ShowSelectedTool();
    void AddTool();
    void ChangeTool();
    void DeleteTools();
    void MoveToolUp();
    void MoveToolDown();
    void CopyTargetPath();
    void ChangeBackupDirectory();
    void BrowseBackupDirectory();
    void DeleteBackup();
    void CopyBackupLocation();
    // The install road's controls: Install, the Eclipse workspaces, the Eclipse copies, Backup.
    void InstallSelectedTools();
    void FillEclipseWorkspaces();
    void DuplicateEclipse();
    void DeleteEclipseCopy();
    void BackupTarget();
    // Restore, Set directory/file and Autodetect.
    void RestoreBackup();
    void SetTargetPath();
    void AutodetectTarget();
    // The File menu's entries.
    void OpenSettings();
    void SaveSettings();
    void SaveSettingsAs();
    void OpenUserManual();
    void OpenGeneralInfo();
    void ShowAbout();

    // The About text: the product as a link to the general information page, the credits, and
    // the settings file of start-up, escaped.
    static QString AboutText(const std::string& settingsPath);
    // A help page beside the program, as a file URL.
    static QUrl HelpPage(const std::string& programFolder, const char* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GantrelSession& session;
    bool quitRequested = false;
    bool pressWithShiftOrCtrl = false;  // of the last mouse press in the tools grid

    void BuildMenu();
    void BindTools();
    void BindTargets();
    void BindBackups();
    void BindInstallRoad();
    ToolFields FieldTexts() const;
    void ShowFields(const ToolFields& fields);
    static void Refresh(QTableView* view, SessionTableModel* model);
};
