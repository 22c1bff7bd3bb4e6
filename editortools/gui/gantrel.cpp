// The main window.
#include "gui/gantrel.h"

#include "core/session.h"
#include "core/targetlocations.h"
#include "core/version.h"
#include "gui/colouredlinectrl.h"
#include "gui/editfieldex.h"
#include "gui/layouts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }
std::string text(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

Gantrel::Gantrel(GantrelSession& session, QWidget* parent) : QMainWindow(parent), session(session) {
    Q_INIT_RESOURCE(grimages);
    setWindowTitle(QString("Gantrel ") + GantrelVersion);
    setWindowIcon(QIcon(":/GRImages/gantrel"));
    resize(579, 456);
    tab = new QTabWidget(this);
    tab->setObjectName("tab");
    modify = new WithModifyLayout;
    search = new WithSearchLayout;
    backups = new WithBackupsLayout;
    tab->addTab(modify, "Tools");
    tab->addTab(search, "IDEs/Text Editors");
    tab->addTab(backups, "Backups");
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel("Log", page);
    log = new ColouredLineCtrl(page);
    log->setObjectName("log");
    label->setBuddy(log);
    layout->addWidget(tab, 3);
    layout->addWidget(label);
    layout->addWidget(log, 1);
    setCentralWidget(page);
    BuildMenu();
    toolModel = new ToolTableModel(session.tools, ToolColumns, this);
    targetModel = new TargetTableModel(session.targets, TargetColumns, this);
    backupModel = new BackupTableModel(session.backups, BackupColumns, this);
    BindTools();
    BindTargets();
    BindBackups();
    BindInstallRoad();
    modify->installlist->setFocus();
    session.channels.AttachPane(log);
}

Gantrel::~Gantrel() {
    backups->backupdirectory->whenLostFocus = nullptr;
    session.bringBackupsToFront = nullptr;
    session.channels.AttachPane(nullptr);
}

void Gantrel::BuildMenu() {
    menu = menuBar();
    QMenu* file = menu->addMenu("File");
    openSettings = file->addAction(QIcon(":/GRImages/open"), "Open settings");
    saveSettings = file->addAction(QIcon(":/GRImages/save"), "Save settings");
    saveSettingsAs = file->addAction(QIcon(":/GRImages/saveas"), "Save settings as..");
    userManual = file->addAction("User Manual");
    generalInfo = file->addAction("General information/Contact");
    about = file->addAction("About");
    quit = file->addAction("Quit");
    connect(openSettings, &QAction::triggered, this, &Gantrel::OpenSettings);
    connect(saveSettings, &QAction::triggered, this, &Gantrel::SaveSettings);
    connect(saveSettingsAs, &QAction::triggered, this, &Gantrel::SaveSettingsAs);
    connect(userManual, &QAction::triggered, this, &Gantrel::OpenUserManual);
    connect(generalInfo, &QAction::triggered, this, &Gantrel::OpenGeneralInfo);
    connect(about, &QAction::triggered, this, &Gantrel::ShowAbout);
    connect(quit, &QAction::triggered, this, &Gantrel::Quit);
}

void Gantrel::OpenSettings() {
    session.OpenSettings();
    backups->backupdirectory->setText(qt(session.backupDirectory));
    RefreshTables();
}

void Gantrel::SaveSettings() { session.SaveSettings(); }

void Gantrel::SaveSettingsAs() { session.SaveSettingsAs(); }

QUrl Gantrel::HelpPage(const std::string& programFolder, const char* page) {
    std::string folder = programFolder;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(folder + page)));
}

// Whatever the system does with a missing page is all the user sees.
void Gantrel::OpenUserManual() { QDesktopServices::openUrl(HelpPage(session.programFolder, "grmanual.html")); }

void Gantrel::OpenGeneralInfo() { QDesktopServices::openUrl(HelpPage(session.programFolder, "generalinfo.html")); }

// Four paragraphs without margins, so that a long path still fits the dialog.
QString Gantrel::AboutText(const std::string& settingsPath) {
    const QString small = "<p style=\"margin:0; font-size:small\">";
    return QString("<p style=\"margin:0; font-size:large; font-weight:bold\"><a href=\"generalinfo.html\">Gantrel ") +
           GantrelVersion + "</a></p>" + small + "brelm, marlox and tolvane: the brelm PL/SQL suite</p>" + small +
           "&nbsp;</p>" + small +
           "Configuration file:" + QFile::decodeName(QByteArray::fromStdString(settingsPath)).toHtmlEscaped() + "</p>";
}

void Gantrel::ShowAbout() {
    WithAboutLayout dialog(this);
    dialog.abouttext->setText(AboutText(session.startupSettingsPath));
    connect(dialog.abouttext, &QLabel::linkActivated, this, &Gantrel::OpenGeneralInfo);
    dialog.exec();
}

void Gantrel::BindTools() {
    modify->array->setModel(toolModel);
    for (const std::string& name : session.installList) modify->installlist->addItem(qt(name), qt(name));
    modify->installlist->setCurrentIndex(session.selectedTarget ? static_cast<int>(*session.selectedTarget) : -1);
    connect(modify->installlist, &QComboBox::currentIndexChanged, this, [this](int index) {
        session.selectedTarget = index < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(index));
    });
    modify->array->viewport()->installEventFilter(this);
    connect(modify->array, &QAbstractItemView::pressed, this, [this] {
        if (!pressWithShiftOrCtrl) ShowSelectedTool();
    });
    connect(modify->add, &QPushButton::clicked, this, &Gantrel::AddTool);
    connect(modify->change, &QPushButton::clicked, this, &Gantrel::ChangeTool);
    connect(modify->Delete, &QPushButton::clicked, this, &Gantrel::DeleteTools);
    connect(modify->moveup, &QPushButton::clicked, this, &Gantrel::MoveToolUp);
    connect(modify->movedown, &QPushButton::clicked, this, &Gantrel::MoveToolDown);
}

void Gantrel::BindTargets() {
    search->array->setModel(targetModel);
    connect(search->copypath, &QPushButton::clicked, this, &Gantrel::CopyTargetPath);
    connect(search->setpath, &QPushButton::clicked, this, &Gantrel::SetTargetPath);
    connect(search->autodetect, &QPushButton::clicked, this, &Gantrel::AutodetectTarget);
}

void Gantrel::BindBackups() {
    backups->array->setModel(backupModel);
    backups->backupdirectory->setText(qt(session.backupDirectory));
    backups->backupdirectory->whenLostFocus = [this] { ChangeBackupDirectory(); };
    session.bringBackupsToFront = [this] { tab->setCurrentWidget(backups); };
    backups->confirmdelete->setChecked(true);
    connect(backups->browse, &QPushButton::clicked, this, &Gantrel::BrowseBackupDirectory);
    connect(backups->copypath, &QPushButton::clicked, this, &Gantrel::CopyBackupLocation);
    connect(backups->Delete, &QPushButton::clicked, this, &Gantrel::DeleteBackup);
    connect(backups->Restore, &QPushButton::clicked, this, &Gantrel::RestoreBackup);
}

// Only a press of the left button without Shift or Ctrl shows the tool.
bool Gantrel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == modify->array->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        pressWithShiftOrCtrl =
            press->button() != Qt::LeftButton || (press->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    }
    return QMainWindow::eventFilter(watched, event);
}

void Gantrel::CommandLineInstall() {
    std::optional<size_t> row = session.CommandLineInstall();
    RefreshTables();
    if (row) SetCursorRow(modify->array, row);
}

void Gantrel::Quit() {
    quitRequested = true;
    QCoreApplication::exit(9999);
}

void Gantrel::Refresh(QTableView* view, SessionTableModel* model) {
    std::optional<size_t> cursor = CursorRow(view);
    model->Refresh();
    if (cursor && *cursor < static_cast<size_t>(model->rowCount())) SetCursorRow(view, cursor);
}

void Gantrel::RefreshTables() {
    Refresh(modify->array, toolModel);
    Refresh(search->array, targetModel);
    Refresh(backups->array, backupModel);
}

std::optional<size_t> Gantrel::CursorRow(const QTableView* view) {
    QModelIndex current = view->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return static_cast<size_t>(current.row());
}

std::vector<size_t> Gantrel::SelectedRows(const QTableView* view) {
    std::vector<size_t> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.push_back(static_cast<size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Gantrel::SetCursorRow(QTableView* view, std::optional<size_t> row) {
    QItemSelectionModel* selection = view->selectionModel();
    if (!row) {
        selection->clear();
        return;
    }
    QModelIndex index = view->model()->index(static_cast<int>(*row), 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

ToolFields Gantrel::FieldTexts() const {
    return {text(modify->name), text(modify->surname), text(modify->address), text(modify->logparser)};
}

void Gantrel::ShowFields(const ToolFields& fields) {
    modify->name->setText(qt(fields.name));
    modify->surname->setText(qt(fields.cmdline));
    modify->address->setText(qt(fields.curdir));
    modify->logparser->setText(qt(fields.logparser));
}

void Gantrel::ShowSelectedTool() {
    if (std::optional<ToolFields> fields = session.ShowSelectedTool(CursorRow(modify->array))) ShowFields(*fields);
}

void Gantrel::AddTool() {
    switch (session.AddTool(FieldTexts())) {
    case AddToolResult::Ignored: break;
    case AddToolResult::Refused: modify->name->setFocus(); break;
    case AddToolResult::Added:
        toolModel->Refresh();
        SetCursorRow(modify->array, session.tools.size() - 1);
        ShowFields({});
        modify->name->setFocus();
        break;
    }
}

void Gantrel::ChangeTool() {
    session.ChangeTool(CursorRow(modify->array), FieldTexts());
    Refresh(modify->array, toolModel);
}

void Gantrel::DeleteTools() {
    if (!session.DeleteTools(SelectedRows(modify->array))) return;
    toolModel->Refresh();
    SetCursorRow(modify->array, std::nullopt);
}

void Gantrel::MoveToolUp() {
    std::optional<size_t> row = session.MoveToolUp(CursorRow(modify->array));
    toolModel->Refresh();
    SetCursorRow(modify->array, row);
}

void Gantrel::MoveToolDown() {
    std::optional<size_t> row = session.MoveToolDown(CursorRow(modify->array));
    toolModel->Refresh();
    SetCursorRow(modify->array, row);
}

void Gantrel::CopyTargetPath() { session.CopyTargetPath(CursorRow(search->array)); }

void Gantrel::ChangeBackupDirectory() {
    if (!session.ChangeBackupDirectory(text(backups->backupdirectory))) return;
    backups->backupdirectory->setText(qt(session.backupDirectory));
    backupModel->Refresh();
}

void Gantrel::BrowseBackupDirectory() {
    std::optional<std::string> folder = session.prompter.ChooseFolder("Backup directory");
    if (!folder) return;
    backups->backupdirectory->setText(qt(*folder));
    ChangeBackupDirectory();
}

void Gantrel::DeleteBackup() {
    std::optional<size_t> row = session.DeleteBackup(CursorRow(backups->array), backups->confirmdelete->isChecked());
    backupModel->Refresh();
    SetCursorRow(backups->array, row);
    log->ensureCursorVisible();
}

void Gantrel::CopyBackupLocation() { session.CopyBackupLocation(CursorRow(backups->array)); }

void Gantrel::BindInstallRoad() {
    connect(modify->install, &QPushButton::clicked, this, &Gantrel::InstallSelectedTools);
    connect(modify->installlist, &QComboBox::currentIndexChanged, this, &Gantrel::FillEclipseWorkspaces);
    connect(search->duplicate, &QPushButton::clicked, this, &Gantrel::DuplicateEclipse);
    connect(search->deleteide, &QPushButton::clicked, this, &Gantrel::DeleteEclipseCopy);
    connect(search->backup, &QPushButton::clicked, this, &Gantrel::BackupTarget);
    FillEclipseWorkspaces();  // for the target of the command line
}

void Gantrel::InstallSelectedTools() {
    session.InstallSelectedTools(modify->installlist->currentText().toStdString(),
                                 modify->subinstalldir->currentText().toStdString(), SelectedRows(modify->array));
    // Only cells of the tools changed ("Installed in"), so their selection stays.
    int rows = toolModel->rowCount(), columns = toolModel->columnCount();
    if (rows > 0) emit toolModel->dataChanged(toolModel->index(0, 0), toolModel->index(rows - 1, columns - 1));
    Refresh(backups->array, backupModel);
}

void Gantrel::FillEclipseWorkspaces() {
    modify->subinstalldir->clear();
    for (const std::string& folder : session.EclipseWorkspaces(modify->installlist->currentText().toStdString()))
        modify->subinstalldir->addItem(qt(folder), qt(folder));
    if (modify->subinstalldir->count() > 0) modify->subinstalldir->setCurrentIndex(0);
}

// The Eclipse rows changed: a workspace list shown for Eclipse is stale.
void Gantrel::DuplicateEclipse() {
    std::optional<size_t> row = CursorRow(search->array);
    if (!row || !session.DuplicateEclipse(*row)) return;
    Refresh(search->array, targetModel);
    if (modify->installlist->currentText() == EclipseTarget) modify->installlist->setCurrentIndex(0);
    modify->subinstalldir->clear();
}

void Gantrel::DeleteEclipseCopy() {
    std::optional<size_t> row = CursorRow(search->array);
    if (!row || !session.DeleteEclipseCopy(*row)) return;
    Refresh(search->array, targetModel);
    if (modify->installlist->currentText() != EclipseTarget) return;
    modify->installlist->setCurrentIndex(0);
    modify->subinstalldir->clear();
}

void Gantrel::BackupTarget() {
    session.BackupTarget(CursorRow(search->array));
    Refresh(backups->array, backupModel);
}

void Gantrel::RestoreBackup() {
    session.RestoreBackup(CursorRow(backups->array));
    RefreshTables();  // "Installed in" is recomputed after a restore
}

void Gantrel::SetTargetPath() {
    session.SetTargetPath(CursorRow(search->array));
    Refresh(search->array, targetModel);
}

void Gantrel::AutodetectTarget() {
    session.AutodetectTarget(CursorRow(search->array));
    Refresh(search->array, targetModel);
}
