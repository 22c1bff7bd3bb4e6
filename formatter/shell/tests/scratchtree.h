// Test fixture: a fresh temporary directory per test, made the current directory, with
// helpers to lay out files and read them back.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class scratchtree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (std::filesystem::temp_directory_path() / "brelmtreeXXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        root = templ;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(root);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored))
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root, ignored);
    }
    // Writes text to a path relative to the tree, creating its directories.
    void write(const std::string& relative, const std::string& text = "x") {
        std::filesystem::path path = std::filesystem::path(root) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool exists(const std::string& path) { return std::filesystem::exists(path); }

    std::string root;
    std::filesystem::path previous;
};
