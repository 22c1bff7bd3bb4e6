// A session over a fresh temporary folder, with a scripted prompter, its standard error stream
// kept in a string and the running processes it sees given by the test. APPDATA is appdata/
// and the home folder home/ of that folder.
#pragma once

#include "core/prompter.h"
#include "core/session.h"
#include "scopedenvironment.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class SessionTest : public testing::Test {
protected:
    testfolder folder;
    ScopedEnvironment environment{{"APPDATA", (folder / "appdata").string()},
                                  {"HOME", (folder / "home").string()},
                                  {"XDG_CONFIG_HOME", (folder / "config").string()},
                                  {"HOMEDRIVE", std::nullopt},
                                  {"HOMEPATH", std::nullopt}};
    ScriptedPrompter prompter;
    std::ostringstream err;
    std::vector<std::string> running;   // the process names the session sees
    int processListings = 0;            // how often it asked for them
    std::unique_ptr<GantrelSession> session = MakeSession();

    // The registry store file is registry.reg of the folder unless another is given.
    std::unique_ptr<GantrelSession> MakeSession(const std::string& registryPath = "") {
        std::filesystem::create_directories(folder / "bin");
        SessionSetup setup;
        setup.prompter = &prompter;
        setup.err = &err;
        setup.programFolder = (folder / "bin").string();
        setup.registryPath = registryPath.empty() ? (folder / "registry.reg").string() : registryPath;
        setup.codePage = -1;
        setup.processNames = [this] {
            ++processListings;
            return running;
        };
        return std::make_unique<GantrelSession>(setup);
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }
    void Write(const std::string& name, const std::string& text) const { folder.write(name, text); }
    std::string Read(const std::string& name) const { return folder.read(name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }
    std::vector<std::string> Boxes() const { return prompter.Texts(ScriptedPrompter::Box::OK); }
};
