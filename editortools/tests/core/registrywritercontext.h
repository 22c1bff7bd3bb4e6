// The session's side of an installation for writer tests: a registry store file in a fresh
// folder, scripted overwrite answers, and every backup, error and installed target recorded.
// A backup keeps the store file's text as it was when the backup ran.
#pragma once

#include "core/targetlocations.h"
#include "core/writers/toolwriter.h"
#include "core/xml.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

struct RecordedBackup {
    std::string target, toolName, location, extra;
    std::string storeText;   // the registry file when the backup ran
    std::string document;    // for EditPadPro 6 in the registry: the tools document
};

class RegistryWriterContext : public WriterContext {
public:
    explicit RegistryWriterContext(const std::string& storePath) : registry(storePath), storePath(storePath) {}

    registrystore registry;
    std::string storePath;
    int codePage = -1;
    std::deque<bool> answers;            // overwrite answers; none left means No
    std::vector<std::string> asked;
    bool backupResult = true;
    std::vector<RecordedBackup> backups;
    std::vector<std::string> errors, xmlErrors;
    std::vector<std::pair<std::string, std::string>> installed;

    bool AskOverwrite(const std::string& toolName) override {
        asked.push_back(toolName);
        if (answers.empty()) return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool BackupBeforeInstall(const std::string& target, const std::string& toolName, const std::string& location,
                             const std::string& extra) override {
        RecordedBackup backup{target, toolName, location, extra, testfolder::readall(storePath), ""};
        if (location == LocatedInRegistry) {
            XmlNode document;
            if (!EditPadPro6RegistryTools(document, "", "", {}, false, false, *this)) return false;
            backup.document = AsXml(document, XmlHeader | XmlDoctype | XmlIndent);
        }
        backups.push_back(backup);
        return backupResult;
    }
    void AddInstalledTarget(const std::string& toolName, const std::string& target) override {
        installed.emplace_back(toolName, target);
    }
    void LogError(const std::string& text) override { errors.push_back(text); }
    void ReportXmlReadError(const std::string& error) override { xmlErrors.push_back(error); }
    registrystore& Registry() override { return registry; }
    int CodePage() const override { return codePage; }
    std::string InstallFolder() const override { return "/opt/tolvane"; }
};

// A REG_SZ value's data as the store keeps it: type 1 and the text with its zero.
inline std::string Sz(const std::string& text) { return "1:" + text + std::string(1, '\0'); }

// Registry export text of HKEY_CURRENT_USER keys: each key with its value lines.
inline std::string RegistryFile(std::initializer_list<std::pair<std::string, std::vector<std::string>>> keys) {
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& [key, values] : keys) {
        text += "\r\n[HKEY_CURRENT_USER\\" + key + "]\r\n";
        for (const std::string& value : values) text += value + "\r\n";
    }
    return text;
}
