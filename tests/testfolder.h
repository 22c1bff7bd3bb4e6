// A fresh temporary folder for one test, removed with everything in it afterwards,
// with helpers to write and read whole files in it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

class testfolder {
public:
    testfolder() {
        std::string templ = (std::filesystem::temp_directory_path() / "brelmtestXXXXXX").string();
        if (!mkdtemp(templ.data())) throw std::runtime_error("can't make a temporary folder");
        root = templ;
    }
    ~testfolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    testfolder(const testfolder&) = delete;
    testfolder& operator=(const testfolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& name) const { return root / name; }

    // Writes the file, making its folders.
    void write(const std::string& name, const std::string& text) const {
        std::filesystem::path file = root / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    // The whole file; "" when it is missing.
    std::string read(const std::string& name) const { return readall(root / name); }

    static std::string readall(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    std::filesystem::path root;
};
