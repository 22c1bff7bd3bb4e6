// The settings files of Visual Studio 2008 and 2010 and of SQL Server Management Studio under
// the user's Documents folder, each one a target of the catalogue.
#pragma once

#include <string>
#include <vector>

// The paths of the settings files found under home + "/Documents/"; names receives the target
// name of each, at the same index. Folders are listed in case-insensitive name order.
std::vector<std::string> DiscoverStudioSettings(const std::string& home, std::vector<std::string>& names);

// The first entry of the folder (a path ending in "/") that matches "CurrentSettings*.vssettings"
// ignoring case and is no folder; "" when there is none.
std::string FindStudioSettingsFile(const std::string& folder);
