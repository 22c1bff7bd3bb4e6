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

}  // namespace

std::string DefaultSettingsPath(const std::string& programFolder) {
    std::string config = ConfigFolder();
    if (::access(programFolder.c_str(), W_OK) == 0 || config.empty()) return JoinPath(programFolder, "gantrel.xml");
    std::string folder = JoinPath(config, "tolvane");
    ::mkdir(config.c_str(), 0777);
    ::mkdir(folder.c_str(), 0777);
    return JoinPath(folder, "gantrel.xml");
}

std::string GantrelSession::BackupListPath() const {
    return BackupListFile(backupDirectory);
}

void GantrelSession::LoadSettingsXml(const std::string& path) {
    tools.clear();
    std::string text = LoadFile(path);
    if (text.empty()) return;
    XmlNode document;
    std::string error;
    if (!ParseXml(text, readflags, document, error) || !(error = ReadSettingsDocument(document)).empty())
        ReportReadError(path, text, error);
}

// Reads as far as the structure allows; the text of the first fault, or "".
std::string GantrelSession::ReadSettingsDocument(const XmlNode& document) {
    if (document.children.empty() || !document.children[0].IsElement("Gantrel")) return "No Gantrel tag";
    const XmlNode& root = document.children[0];
    if (root.children.size() < 2) return "There should be 2 or more tags under Gantrel";
    const XmlNode& toolList = root.children[0];
    if (!toolList.IsElement("tools")) return "No TOOLS tag";
    tools.assign(toolList.children.size(), ToolRecord());
    for (size_t i = 0; i < tools.size(); ++i) readfields(toolList.children[i], tools[i], ToolColumns);
    if (!root.children[1].IsElement("ides")) return "No IDES tag";
    ReadTargets(root.children[1]);
    if (root.children.size() > 2) {
        if (!root.children[2].IsElement("backupdir")) return "No backupdir tag";
        backupDirectory = root.children[2].FirstChildText();
    }
    return "";
}

// A name the file gives a second time gets a row of its own, right after the first row of that
// name; a dir belongs to the row of the last name before it (none before the first name).
void GantrelSession::ReadTargets(const XmlNode& ides) {
    std::vector<bool> chosen(targets.size(), false);   // rows taken by this read, aligned with targets
    std::optional<size_t> row;
    for (const XmlNode& ide : ides.children) {
        for (const XmlNode& field : ide.children) {
            if (field.IsElement("name")) {
                std::string name = field.FirstChildText();
                auto found = std::find_if(targets.begin(), targets.end(),
                                          [&](const TargetRecord& t) { return t.name == name; });
                size_t at = static_cast<size_t>(found - targets.begin());
                if (found == targets.end()) {
                    targets.push_back({name, ""});
                    chosen.push_back(true);
                } else if (chosen[at]) {
                    targets.insert(found + 1, {name, ""});
                    chosen.insert(chosen.begin() + static_cast<long>(++at), true);
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

void GantrelSession::LoadBackupList(const std::string& path) {
    backups.clear();
    std::string text = LoadFile(path);
    if (text.empty()) return;
    XmlNode document;
    std::string error;
    if (!ParseXml(text, readflags, document, error) || !(error = ReadBackupDocument(document)).empty())
        ReportReadError(path, text, error);
}

std::string GantrelSession::ReadBackupDocument(const XmlNode& document) {
    if (document.children.empty() || !document.children[0].IsElement("backups")) return "No Backups tag";
    const XmlNode& list = document.children[0];
    backups.assign(list.children.size(), BackupRecord());
    for (size_t i = 0; i < backups.size(); ++i) readfields(list.children[i], backups[i], BackupColumns);
    return "";
}

// The unreadable file is copied aside before anything can be saved over it.
void GantrelSession::ReportReadError(const std::string& path, const std::string& text, const std::string& error) {
    std::string message = "Error reading the input file:\n" + error;
    std::string copy = SaveCopyAside(path, text);
    if (!copy.empty()) {
        message += "\nThe file was kept as " + copy;
    } else {
        keptUnreadable.insert(path);
        message += "\nNo copy of the file could be kept, so it will not be saved over";
    }
    prompter.PromptOK(message);
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
        if (!WriteXmlFile(settingsPath, root)) prompter.PromptOK("Error saving " + settingsPath + " file!");
    }
    if (!backupListPath.empty()) {
        XmlNode root = XmlNode::Element("backups");
        for (const BackupRecord& backup : backups) writefields(root.Add("backup"), backup, BackupColumns);
        if (!WriteXmlFile(backupListPath, root)) prompter.PromptOK("Error saving the " + backupListPath + " file!");
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

void GantrelSession::OpenSettings() {
    std::optional<std::string> file = prompter.ChooseOpenFile("", AllFilesFilter);
    if (!file || file->empty()) return;
    currentSettingsPath = *file;
    LoadSettingsXml(currentSettingsPath);
    RecomputeInstalledIn();
}
