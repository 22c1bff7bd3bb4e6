// The settings file (tools, targets, backup directory) and the backup list.
#include "core/session.h"

#include "core/backupdirectory.h"
#include "core/environment.h"
#include "core/savefile.h"
#include "core/xml.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr unsigned readflags = XmlIgnoreDecls | XmlIgnorePis | XmlIgnoreComments;
constexpr unsigned writeflags = XmlHeader | XmlDoctype | XmlIndent;

// The field elements of one row; a field given twice keeps the later text.
template <class Record, size_t N>
void readfields(const XmlNode& row, Record& record, const RecordColumn<Record> (&columns)[N]) {
    for (const XmlNode& field : row.children)
        for (const RecordColumn<Record>& column : columns)
            if (field.IsElement(column.id)) record.*column.field = field.FirstChildText();
}

template <class Record, size_t N>
void writefields(XmlNode& row, const Record& record, const RecordColumn<Record> (&columns)[N]) {
    for (const RecordColumn<Record>& column : columns) row.AddField(column.id, record.*column.field);
}

// What a settings file fills: read into a copy, so that the caller decides what stays.
struct SettingsLists {
    std::vector<ToolRecord> tools;
    std::vector<TargetRecord> targets;
    std::string backupDirectory;
};

// The document of an XML file of the session; "" or the fault, naming the file.
std::string ParseListFile(const std::string& path, const FileText& file, XmlNode& document) {
    std::string problem = TextFileProblem(file);
    if (!problem.empty()) return FileProblem(path, problem);
    std::string error;
    return ParseXml(file.text, readflags, document, error) ? "" : path + ": " + error;
}

// A name the file gives a second time gets a row of its own, right after the rows this read
// gave that name, so that copies of Eclipse keep the file's order; a dir belongs to the row
// of the last name before it (none before the first name).
void ReadTargets(const XmlNode& ides, std::vector<TargetRecord>& targets) {
    std::vector<bool> chosen(targets.size(), false);  // rows taken by this read, aligned with targets
    std::optional<size_t> row;
    for (const XmlNode& ide : ides.children) {
        for (const XmlNode& field : ide.children) {
            if (field.IsElement("name")) {
                std::string name = field.FirstChildText();
                auto found =
                    std::find_if(targets.begin(), targets.end(), [&](const TargetRecord& t) { return t.name == name; });
                size_t at = static_cast<size_t>(found - targets.begin());
                if (found == targets.end()) {
                    targets.push_back({name, ""});
                    chosen.push_back(true);
                } else if (chosen[at]) {
                    while (at + 1 < targets.size() && chosen[at + 1] && targets[at + 1].name == name) ++at;
                    targets.insert(targets.begin() + static_cast<long>(++at), {name, ""});
                    chosen.insert(chosen.begin() + static_cast<long>(at), true);
                } else {
                    chosen[at] = true;
                }
                row = at;
            } else if (field.IsElement("dir") && row) {
                targets[*row].dir = field.FirstChildText();
            }
        }
    }
}

// Reads as far as the structure allows; the first fault, or "".
std::string ReadSettingsDocument(const XmlNode& document, SettingsLists& lists) {
    if (document.children.empty() || !document.children[0].IsElement("Gantrel")) return "No Gantrel tag";
    const XmlNode& root = document.children[0];
    if (root.children.size() < 2) return "There should be 2 or more tags under Gantrel";
    const XmlNode& toolList = root.children[0];
    if (!toolList.IsElement("tools")) return "No TOOLS tag";
    lists.tools.assign(toolList.children.size(), ToolRecord());
    for (size_t i = 0; i < lists.tools.size(); ++i) readfields(toolList.children[i], lists.tools[i], ToolColumns);
    if (!root.children[1].IsElement("ides")) return "No IDES tag";
    ReadTargets(root.children[1], lists.targets);
    if (root.children.size() > 2) {
        if (!root.children[2].IsElement("backupdir")) return "No backupdir tag";
        lists.backupDirectory = root.children[2].FirstChildText();
    }
    return "";
}

// The settings file into lists; "" or the fault, naming the file.
std::string ReadSettingsFile(const std::string& path, const FileText& file, SettingsLists& lists) {
    XmlNode document;
    std::string error = ParseListFile(path, file, document);
    if (error.empty() && !(error = ReadSettingsDocument(document, lists)).empty()) error = path + ": " + error;
    return error;
}

std::string ReadBackupDocument(const std::string& path, const XmlNode& document, std::vector<BackupRecord>& backups) {
    if (document.children.empty() || !document.children[0].IsElement("backups")) return path + ": No Backups tag";
    const XmlNode& list = document.children[0];
    backups.assign(list.children.size(), BackupRecord());
    for (size_t i = 0; i < backups.size(); ++i) readfields(list.children[i], backups[i], BackupColumns);
    return "";
}

// Nothing saved yet: a missing or empty file is no error when the program starts.
bool nothingsaved(const FileText& file) { return file.missing || (file.Read() && file.text.empty()); }

}  // namespace

std::string DefaultSettingsPath(const std::string& programFolder) {
    std::string config = ConfigFolder();
    if (::access(programFolder.c_str(), W_OK) == 0 || config.empty()) return JoinPath(programFolder, "gantrel.xml");
    std::string folder = JoinPath(config, "tolvane");
    ::mkdir(config.c_str(), 0777);
    ::mkdir(folder.c_str(), 0777);
    return JoinPath(folder, "gantrel.xml");
}

std::string GantrelSession::BackupListPath() const { return BackupListFile(backupDirectory); }

void GantrelSession::LoadSettingsXml(const std::string& path) {
    tools.clear();
    FileText file = ReadFileText(path);
    if (nothingsaved(file)) return;
    SettingsLists lists{{}, targets, backupDirectory};
    std::string error = ReadSettingsFile(path, file, lists);
    // What was read before a fault stays.
    tools = std::move(lists.tools);
    targets = std::move(lists.targets);
    backupDirectory = std::move(lists.backupDirectory);
    if (!error.empty()) ReportReadError(path, file, error);
}

void GantrelSession::LoadBackupList(const std::string& path) {
    backups.clear();
    FileText file = ReadFileText(path);
    if (nothingsaved(file)) return;
    XmlNode document;
    std::string error = ParseListFile(path, file, document);
    if (error.empty()) error = ReadBackupDocument(path, document, backups);
    if (!error.empty()) ReportReadError(path, file, error);
}

// A file that could be read is copied aside before anything can be saved over it; one that
// could not be read is never saved over.
void GantrelSession::ReportReadError(const std::string& path, const FileText& file, const std::string& error) {
    std::string message = "Error reading the input file: " + error;
    std::string copy = file.Read() ? SaveCopyAside(path, file.text) : "";
    if (!copy.empty()) {
        message += "\nThe file was kept as " + copy;
    } else {
        keptUnreadable.insert(path);
        message += file.Read() ? "\nNo copy of the file could be kept, so it will not be saved over"
                               : "\nIt will not be saved over";
    }
    prompter.PromptError(message);
}

void GantrelSession::SaveSettingsXml(const std::string& settingsPath, const std::string& backupListPath) {
    if (!settingsPath.empty()) {
        XmlNode root = XmlNode::Element("Gantrel");
        XmlNode& toolList = root.Add("tools");
        for (const ToolRecord& tool : tools)
            if (!tool.name.empty()) writefields(toolList.Add("tool"), tool, ToolColumns);
        XmlNode& ides = root.Add("ides");
        for (const TargetRecord& target : targets)
            if (!target.dir.empty()) writefields(ides.Add("ide"), target, TargetColumns);
        root.AddField("backupdir", backupDirectory);
        if (!WriteXmlFile(settingsPath, root)) prompter.PromptError("Error saving " + settingsPath + " file!");
    }
    if (!backupListPath.empty()) {
        XmlNode root = XmlNode::Element("backups");
        for (const BackupRecord& backup : backups) writefields(root.Add("backup"), backup, BackupColumns);
        if (!WriteXmlFile(backupListPath, root)) prompter.PromptError("Error saving the " + backupListPath + " file!");
    }
}

bool GantrelSession::WriteXmlFile(const std::string& path, const XmlNode& root) {
    return !keptUnreadable.count(path) && SaveFile(path, AsXml(root, writeflags));
}

void GantrelSession::SaveSettings() {
    if (currentSettingsPath.empty()) SaveSettingsAs();
    else SaveSettingsXml(currentSettingsPath, "");
}

void GantrelSession::SaveSettingsAs() {
    std::optional<std::string> file = prompter.ChooseSaveFile("Save as", AllFilesFilter);
    if (!file || file->empty()) return;
    currentSettingsPath = *file;
    SaveSettings();
}

// The session changes only when the whole file reads: one that fails leaves the lists and
// the settings path as they were, so that the save at the end cannot write a part of it.
void GantrelSession::OpenSettings() {
    std::optional<std::string> file = prompter.ChooseOpenFile("", AllFilesFilter);
    if (!file || file->empty()) return;
    SettingsLists lists{{}, targets, backupDirectory};
    std::string error = ReadSettingsFile(*file, ReadFileText(*file), lists);
    if (!error.empty()) {
        prompter.PromptError("Error reading the input file: " + error);
        return;
    }
    currentSettingsPath = *file;
    tools = std::move(lists.tools);
    targets = std::move(lists.targets);
    backupDirectory = std::move(lists.backupDirectory);
    RecomputeInstalledIn();
}
