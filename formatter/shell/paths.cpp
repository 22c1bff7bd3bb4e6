// Path operations and the mask iterator over the POSIX directory layer.
#include "paths.h"

#include "globals.h"
#include "messages.h"
#include "pattern.h"
#include "support.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace {

std::string captureone(const char* patterntext, const std::string& text) {
    patternmatch m;
    if (!pattern::get(patterntext).partialmatch(text, &m)) return "";
    return m.str(1);
}

bool isseparator(char c) { return c == '/' || c == '\\'; }

bool isexistingdirectory(const std::string& path) {
    uint32_t attributes = pathattributes(path);
    return attributes != invalidattributes && (attributes & attributedirectory);
}

void closesearch(directoryhandle& handle) {
    handle.searchopen = false;
    handle.found.clear();
    handle.foundnext = 0;
}

void restart(directoryhandle& handle, const std::string& mask, int32_t recursive) {
    closesearch(handle);
    handle.mask = mask;
    handle.recursive = recursive ? 1 : 0;
    handle.searchpending = 1;
    handle.finished = 0;
    handle.listmode = 0;
    handle.listindex = 0;
    handle.directories.clear();
    handle.directoryentries.clear();
    handle.submask.clear();
}

// Why a folder of the tree cannot be searched, in words.
std::string searchfailure(int error) {
    if (error == ESTALE || error == ELOOP || error == ENOTDIR) return "it changed while it was being listed";
    return std::strerror(error);
}

void warnskippedfolder(const std::string& directory, int error) {
    writeerrorstream("Warning:the folder " + escapedword(directory) + " is skipped: " + searchfailure(error) + "\n");
}

// Opens the search of the current directory: the own one first, then the list's.
void opensearch(directoryhandle& handle) {
    handle.currentmask = handle.listmode ? handle.submask : handle.mask;
    std::string directory = parentdirectoryof(handle.currentmask);
    handle.prefix = directory.empty() ? "" : joinpath(directory, "");
    if (handle.recursive && !handle.listmode) listdirectorytree(handle, parentdirectoryof(handle.mask));
    closesearch(handle);
    // A folder of the tree is searched only while it is still the folder that was listed.
    const directoryentry* listed =
        handle.listmode ? &handle.directoryentries[static_cast<size_t>(handle.listindex)] : nullptr;
    const bool searched = listdirectory(directory, filenameof(handle.currentmask), handle.found, listed);
    if (!searched && listed) warnskippedfolder(directory, errno);
    handle.searchopen = searched && !handle.found.empty();
    handle.searchpending = handle.searchopen ? 0 : 1;
}

// Steps on to the next directory of the list; false (and finished) when there is none.
bool movetonextdirectory(directoryhandle& handle) {
    closesearch(handle);
    if (!handle.listmode) {
        if (handle.directories.empty()) {
            handle.finished = 1;
            return false;
        }
        handle.listmode = 1;
        handle.listindex = 0;
    } else if (static_cast<size_t>(++handle.listindex) >= handle.directories.size()) {
        handle.finished = 1;
        return false;
    }
    handle.submask = joinpath(handle.directories[static_cast<size_t>(handle.listindex)], filenameof(handle.mask));
    handle.searchpending = 1;
    return true;
}

}  // namespace

std::string filenameof(const std::string& path) { return captureone("[\\\\/]?([^\\\\/]+)$", path); }

std::string stemof(const std::string& path) { return captureone("([^\\\\/]+?)(?:\\.[^./\\\\]+)?$", path); }

std::string extensionof(const std::string& path) { return captureone("[.]([^\\\\/.]+?)$", path); }

std::string directoryof(const std::string& path) { return captureone("^(.+)[\\\\/]", path); }

std::string parentdirectoryof(const std::string& path) {
    std::string directory = directoryof(path);
    if (directory.empty() && path.size() > 1 && isseparator(path[0])) return pathseparator;
    return directory;
}

int32_t countpathlevels(const std::string& path) {
    const pattern& boundary = pattern::get("[\\\\/](?=.)");
    int32_t count = 0;
    for (size_t pos = 0; boundary.findandconsume(path, pos);) ++count;
    return count;
}

std::string pathprefix(const std::string& path, int32_t n) {
    const pattern& boundary = pattern::get("[\\\\/](?=.)");
    int32_t wanted = (n > 0 ? n : 0) + 1;
    patternmatch m;
    for (size_t pos = 0; boundary.findandconsume(path, pos, &m);)
        if (--wanted == 0) return path.substr(0, m.start(0));
    return path;
}

std::string striptrailingseparator(const std::string& path) {
    std::string separator = pathseparator == "\\" ? "\\\\" : pathseparator;
    std::string result = path;
    pattern::get("(.+?)" + separator + "$").globalreplace("\\1", result);
    return result;
}

bool makedirectorypath(const std::string& path, std::string& errortext, unsigned mode) {
    errortext.clear();
    if (isexistingdirectory(path)) return true;
    int32_t levels = countpathlevels(path);
    // An absolute path's level 0 is "" and stands for the root.
    auto level = [&](int32_t k) {
        std::string prefix = pathprefix(path, k);
        return prefix.empty() && !path.empty() && isseparator(path[0]) ? pathseparator : prefix;
    };
    int32_t first = 0;
    for (int32_t k = levels - 1; k >= 0; --k)
        if (isexistingdirectory(level(k))) {
            first = k + 1;
            break;
        }
    for (int32_t k = first; k <= levels; ++k) {
        std::string directory = level(k);
        int error = createdirectory(directory, mode);
        if (error == 0 || (error == EEXIST && isexistingdirectory(directory))) continue;
        errno = error;
        errortext = error == EEXIST ? directory + " is not a directory" : errnotext();
        return false;
    }
    return true;
}

std::string readdirectory(directoryhandle& handle, const std::string& mask, int32_t recursive, uint32_t attributemask) {
    if (mask != handle.mask || (recursive ? 1 : 0) != handle.recursive) restart(handle, mask, recursive);
    if (handle.finished) return "";
    for (;;) {
        if (handle.searchpending) opensearch(handle);
        while (handle.searchopen && handle.foundnext < handle.found.size()) {
            const directoryentry& entry = handle.found[handle.foundnext++];
            // A recursive search follows no link, to a file or a folder, as find does.
            if ((entry.attributes & attributemask) && !(handle.recursive && entry.symlink)) {
                handle.last = entry;
                return handle.prefix + entry.name;
            }
        }
        if (!movetonextdirectory(handle)) return "";
    }
}

std::string nextdirectoryentry(directoryhandle& handle, uint32_t attributemask) {
    if (!movetonextdirectory(handle)) return "";
    return readdirectory(handle, handle.mask, handle.recursive, attributemask);
}

void listdirectorytree(directoryhandle& handle, const std::string& directory, const directoryentry* expected) {
    std::vector<directoryentry> entries;
    // A folder that cannot be listed is named when its own files are searched.
    if (!listdirectory(directory, "*", entries, expected)) return;
    size_t first = handle.directories.size();
    for (const directoryentry& entry : entries) {
        if (!(entry.attributes & attributedirectory) || entry.symlink) continue;
        handle.directories.push_back(joinpath(directory, entry.name));
        handle.directoryentries.push_back(entry);
        std::string shown = directory.empty() ? pathseparator + entry.name : handle.directories.back();
        std::cout << "subdir:" << escapedword(shown) << std::endl;
    }
    size_t last = handle.directories.size();
    for (size_t i = first; i < last; ++i) {
        // The lists grow below.
        const std::string subdirectory = handle.directories[i];
        const directoryentry listed = handle.directoryentries[i];
        listdirectorytree(handle, subdirectory, &listed);
    }
}

void closedirectory(directoryhandle& handle) {
    closesearch(handle);
    handle.mask.clear();
    handle.directories.clear();
    handle.directoryentries.clear();
    handle.submask.clear();
    handle.currentmask.clear();
    handle.prefix.clear();
}

std::vector<matchedfile> listmask(const std::string& mask, int32_t recursive) {
    std::vector<matchedfile> files;
    directoryhandle handle;
    for (std::string path; !(path = readdirectory(handle, mask, recursive, allbutdirectory)).empty();)
        files.push_back({path, handle.last});
    closedirectory(handle);
    return files;
}

std::vector<std::string> expandmask(const std::string& mask, int32_t recursive) {
    std::vector<std::string> paths;
    for (matchedfile& file : listmask(mask, recursive)) paths.push_back(std::move(file.path));
    return paths;
}
