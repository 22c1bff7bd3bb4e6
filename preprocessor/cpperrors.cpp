// Preprocessing errors with source context, line numbering, and the debug listings and dumps.
#include "cpperrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <map>
#include <utility>
#include <vector>

#include "cppmacros.h"
#include "cppstate.h"

namespace {

// Texts at least this long get an index of their line breaks; shorter ones are counted directly.
constexpr size_t indexedtextsize = 4096;

// Positions of the first byte of each line break of one text.
using linebreaks = std::vector<size_t>;

template <class visitor>
void forlinebreaks(std::string_view text, size_t end, visitor visit) {
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\r') visit(i);
        else if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) visit(i);
    }
}

const linebreaks& lineindex(lineindexmap& indexes, std::string_view text) {
    auto entry = indexes.try_emplace({text.data(), text.size()});
    linebreaks& breaks = entry.first->second;
    if (entry.second) forlinebreaks(text, text.size(), [&](size_t i) { breaks.push_back(i); });
    return breaks;
}

// A symbolic link in the dump's place is never followed, and a pipe or device there is not
// written (nor waited on): the dump is not written then.
void writefile(const std::string& name, const std::string& content) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return;
    }
    for (size_t done = 0; done < content.size();) {
        ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
}

void printincludes(const std::vector<includeinfo>& includestack) {
    if (includestack.empty()) return;
    std::cerr << "Includes:\n";
    for (const includeinfo& include : includestack) std::cerr << include.file << ' ' << include.line << '\n';
}

std::string sourcecontext(size_t position, std::string_view text) {
    size_t start = position > 40 ? position - 40 : 0;
    return std::string(text.substr(start, position - start));
}

std::string errorhead(preprocessstate& state, const std::string& message, size_t position, std::string_view text) {
    return state.currentfilename + " line " + std::to_string(lineofposition(state.lineindexes, position, text)) + ":" +
           message + "\nAt source:" + sourcecontext(position, text) + "<<\n";
}

}  // namespace

int32_t lineofposition(lineindexmap& indexes, size_t position, std::string_view text) {
    position = std::min(position, text.size());
    if (text.size() < indexedtextsize) {
        int32_t line = 1;
        forlinebreaks(text, position, [&](size_t) { ++line; });
        return line;
    }
    const linebreaks& breaks = lineindex(indexes, text);
    return 1 + static_cast<int32_t>(std::lower_bound(breaks.begin(), breaks.end(), position) - breaks.begin());
}

void forgetlineindexes(lineindexmap& indexes) { indexes.clear(); }

void raiseerror(errorreporter errors, const std::string& message, size_t position, std::string_view text) {
    preprocessstate& state = *errors.state;
    size_t p = std::min(position, text.size());
    while (p > 0 && std::string_view(" \t\r\n").find(text[p - 1]) != std::string_view::npos) --p;
    dumpdefines(state.macros);
    printincludes(state.includes.stack);
    throw preprocesserror(errorhead(state, message, p, text));
}

void raiseerror(errorreporter errors, const std::string& message, const textplace& place) {
    raiseerror(errors, message, place.position, place.text);
}

void raiseerrorinmacro(errorreporter errors, const std::string& message, size_t position, std::string_view text,
                       std::span<const atoken> macrotokens, size_t end) {
    position = std::min(position, text.size());
    std::string head = errorhead(*errors.state, message, position, text);
    throw preprocesserror(head + " and in macro:" + jointokenrange(0, end, macrotokens) + "<<\n");
}

void internalerror(const std::string& message) { throw preprocesserror(message); }

void trace(const switchstate& switches, std::string_view line) {
    if (switches.t) std::cerr << line << '\n';
}

void printifstack(errorreporter errors) {
    preprocessstate& state = *errors.state;
    std::cerr << "#if stack:\n";
    for (const ifcondrec& record : state.ifstack)
        std::cerr << (record.taken ? "#else " : "#if ") << record.file << ":"
                  << lineofposition(state.lineindexes, record.position, record.text) << '\n';
}

std::string dumpfolder() {
    const char* folder = std::getenv("MARLOX_DUMP");
    return folder ? std::string(folder) : std::string();
}

void dumptext(const std::string& output) {
    std::string folder = dumpfolder();
    if (!folder.empty()) writefile(folder + "/tokens.txt", output);
}

void dumpdefines(const macrostate& macros) {
    std::string folder = dumpfolder();
    if (!folder.empty()) writefile(folder + "/defines.txt", macrodump(macros));
}
