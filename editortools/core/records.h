// The three lists of the program: tools, targets and backups. Every field is text; the column
// ids are also the element names of the XML files.
#pragma once

#include <string>

struct ToolRecord {
    std::string name, cmdline, curdir, logparser, installedin;
};

struct TargetRecord {
    std::string name, dir;
};

struct BackupRecord {
    std::string name, time, explanation, location;
};

template <class Record>
struct RecordColumn {
    const char* id;      // column id and XML element name
    const char* header;  // the grid's caption
    std::string Record::*field;
};

inline constexpr RecordColumn<ToolRecord> ToolColumns[] = {
    {"name", "Tool name", &ToolRecord::name},
    {"cmdline", "Command line", &ToolRecord::cmdline},
    {"curdir", "Current directory", &ToolRecord::curdir},
    {"logparser", "Log parser", &ToolRecord::logparser},
    {"installedin", "Installed in", &ToolRecord::installedin},
};

inline constexpr RecordColumn<TargetRecord> TargetColumns[] = {
    {"name", "Ide/Editor name", &TargetRecord::name},
    {"dir", "Directory/File", &TargetRecord::dir},
};

inline constexpr RecordColumn<BackupRecord> BackupColumns[] = {
    {"name", "Backed up Ide/Editor", &BackupRecord::name},
    {"time", "Time", &BackupRecord::time},
    {"explanation", "Explanation", &BackupRecord::explanation},
    {"location", "Location", &BackupRecord::location},
};
