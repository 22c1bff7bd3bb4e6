// Numbered backups of input files and the plain file copy they use.
#include "backups.h"

#include "paths.h"
#include "pattern.h"
#include "support.h"
#include "supportfiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

struct backupcopy {
    int64_t number;
    std::string path;
};

// The input's directory as a relative path that cannot climb out of the backup directory.
std::string mirroredpart(const std::string& file) {
    std::string part = directoryof(file);
    pattern::get("^([a-z])\\:", pattern::caseless).replace("\\1", part);
    std::replace(part.begin(), part.end(), '\\', '/');
    part.erase(0, part.find_first_not_of('/'));   // "/home/u" mirrors as "home/u"
    pattern::get("\\.\\.").globalreplace("doubledot", part);
    pattern::get("\\.").globalreplace("dot", part);
    return part;
}

// The number of a copy named stem + "_b" + digits + "." + extension + ".bak", or -1.
int64_t backupnumber(const std::string& name, const std::string& stem, const std::string& extension) {
    std::string head = stem + "_b";
    std::string tail = "." + extension + ".bak";
    if (name.size() <= head.size() + tail.size() || !startswith(name, head) || !endswith(name, tail)) return -1;
    std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    if (digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoll(digits);
}

// The existing copies of stem.extension in directory, newest (highest number) first.
std::vector<backupcopy> listbackups(const std::string& directory, const std::string& stem,
                                    const std::string& extension) {
    std::vector<backupcopy> copies;
    std::string mask = joinpath(directory, stem + "_b*." + extension + ".bak");
    for (const std::string& path : expandmask(mask, 0)) {
        int64_t number = backupnumber(filenameof(path), stem, extension);
        if (number >= 0) copies.push_back({number, path});
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const backupcopy& a, const backupcopy& b) { return a.number > b.number; });
    return copies;
}

bool isstreaminput(const std::string& file) {
    std::string name = lc(file);
    return name == "stdin" || name == "clipboard";
}

}  // namespace

std::string backupmirrordirectory(const std::string& file, const std::string& backupdirectory) {
    std::string base = striptrailingseparator(backupdirectory);
    std::string part = mirroredpart(file);
    return part.empty() ? base : joinpath(base, part);
}

bool backupfile(messagestream& sink, const std::string& file, int32_t b, int32_t verbose,
                const std::string& backupdirectory, std::string& errortext) {
    errortext.clear();
    if (b <= 0) return true;
    if (backupdirectory.empty()) {
        errortext = "no backup directory is set for " + file + ": give one with -bdir\n";
        return false;
    }
    std::string mirror = backupmirrordirectory(file, backupdirectory);
    std::string reason;
    if (!isdirectory(mirror) && !makedirectorypath(mirror, reason)) {
        errortext = "could not create directory " + mirror + "," + reason + "\n";
        return false;
    }
    std::string stem = stemof(file);
    std::string extension = extensionof(file);
    std::vector<backupcopy> copies = listbackups(mirror, stem, extension);
    int64_t number = copies.empty() ? 1 : copies.front().number + 1;
    std::string target = joinpath(mirror, stem + "_b" + std::to_string(number) + "." + extension + ".bak");

    bool copied = !isstreaminput(file);
    if (copied && !copyfile(file, target)) {
        errortext = "copy failed (" + file + " -> " + target + "): " + errnotext() + "\n";
        return false;
    }
    // Pruned only now, so that a failed copy never leaves fewer copies than before.
    for (size_t k = static_cast<size_t>(b) - 1; k < copies.size(); ++k)
        if (std::remove(copies[k].path.c_str()) == 0 && verbose)
            printout(sink, "Deleted backup file " + copies[k].path + "\n");
    if (copied && verbose) printout(sink, "Backed up in " + target + "\n");
    return true;
}

int32_t copyfile(const std::string& source, const std::string& destination) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) return 0;
    // "x": never follow or overwrite something already standing at the destination.
    std::FILE* out = std::fopen(destination.c_str(), "wbx");
    if (!out) {
        int error = errno;
        std::fclose(in);
        errno = error;
        return 0;
    }
    std::error_code ignored;
    std::filesystem::permissions(destination, std::filesystem::status(source, ignored).permissions(),
                                 std::filesystem::perm_options::replace, ignored);
    errno = 0;
    int error = 0;
    char buffer[2048];
    for (;;) {
        size_t n = std::fread(buffer, 1, sizeof buffer, in);
        if (n < sizeof buffer && std::ferror(in)) {
            error = errno ? errno : EIO;
            break;
        }
        if (n > 0 && std::fwrite(buffer, 1, n, out) != n) {
            error = errno ? errno : EIO;
            break;
        }
        if (n < sizeof buffer) break;
    }
    std::fclose(in);
    if (std::fclose(out) != 0 && error == 0) error = errno ? errno : EIO;
    if (error == 0) return 1;
    std::remove(destination.c_str());
    errno = error;
    return 0;
}
