// The targets by name and where their configuration lies by default: the names every other
// part compares (exactly, case-sensitively), the default files under APPDATA, and the file of
// a target row.
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

class registrystore;

inline constexpr const char* PspadTarget = "Pspad";
inline constexpr const char* TheIdeTarget = "Ultimate++ IDE";
inline constexpr const char* UltraEditTarget = "Ultraedit 16";
inline constexpr const char* CodeBlocksTarget = "Code::Blocks 8-10";
inline constexpr const char* EclipseTarget = "Eclipse Galileo/Helios";
inline constexpr const char* TextPadTarget = "Textpad 5";
inline constexpr const char* EditPlusTarget = "EditPlus 3.2";
inline constexpr const char* EditPadPro6Target = "EditPadPro 6";
inline constexpr const char* EditPadPro7Target = "EditPadPro 7";

// The dir of an EditPadPro 6 that keeps its settings in the registry.
inline constexpr const char* LocatedInRegistry = "located in registry";

inline constexpr const char* EditPadPro6Key = "Software\\JGsoft\\EditPadPro6\\EPPrefs";
inline constexpr const char* EditPadPro7Key = "Software\\JGsoft\\EditPadPro7\\";

// The default configuration files under APPDATA; "" when APPDATA has no value.
std::string DefaultUltraeditIni();
std::string DefaultCodeBlocksConf();
std::string DefaultTextpadConfig();
std::string DefaultEditPlusIni();
std::string DefaultEditPadPro7Ini();
// LocatedInRegistry when the store has EditPadPro6Key, else the ini file under APPDATA.
std::string DefaultEditPadPro6Location(const registrystore& registry);
// True only for "EditPadPro 7" when the store has EditPadPro7Key.
bool IsEditPadPro7InRegistry(const registrystore& registry, const std::string& target);

// Everything before the last "/"; a root keeps its "/"; "" when there is none.
std::string FolderOf(const std::string& path);

// True when the name is one of the studio targets found at start-up.
bool IsStudioTarget(const std::string& target, const std::vector<std::string>& studioNames);

// The configuration file of a target row: dir and the target's file name, a "/" between them
// only where needed, the name found ignoring case inside dir; a studio row's dir as it is;
// LocatedInRegistry unchanged for EditPadPro 6. "" for the targets without one file (theide,
// Eclipse, TextPad).
std::string TargetConfigFile(const TargetRecord& target, const std::vector<std::string>& studioNames);
