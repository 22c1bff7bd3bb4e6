// Test driver: calls libmarlox.so's exports once per argument group, in one process.
//   marloxcall [--nosafe] FILENAME SOURCEFILE [OPTION...] [--next ...]
// SOURCEFILE holds the source text. Each call prints
//   result<<TEXT>>  error<<TEXT>>  warnings<<TEXT>>
// on a line of its own each; safetoprocess follows each call unless --nosafe is given.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cpreprocessordll.h"

namespace {

struct call {
    bool safe = true;
    std::string filename;
    std::string sourcefile;
    std::vector<std::string> options;
};

std::vector<call> parsecalls(int argc, char** argv)
{
    std::vector<call> calls(1);
    size_t position = 0;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--next") {
            calls.emplace_back();
            position = 0;
        } else if (argument == "--nosafe" && position == 0) {
            calls.back().safe = false;
        } else if (position == 0) {
            calls.back().filename = argument;
            ++position;
        } else if (position == 1) {
            calls.back().sourcefile = argument;
            ++position;
        } else {
            calls.back().options.push_back(argument);
        }
    }
    return calls;
}

std::string readsource(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    for (const call& c : parsecalls(argc, argv)) {
        std::string source = readsource(c.sourcefile);
        std::vector<const char*> pointers;
        for (const std::string& option : c.options)
            pointers.push_back(option.c_str());
        const char* error = nullptr;
        const char* warnings = nullptr;
        const char* result = preprocessplsql(c.filename.c_str(), pointers.data(), static_cast<int>(pointers.size()),
                                             source.c_str(), &error, &warnings);
        std::cout << "result<<" << result << ">>\nerror<<" << error << ">>\nwarnings<<" << warnings << ">>\n";
        std::cout.flush();
        if (c.safe)
            safetoprocess();
    }
    return 0;
}
