// Path operations: the parts of a path, its levels, creating a directory path, and the
// mask iterator that hands out the files a wildcard matches in a directory or a tree.
#pragma once

#include "directorylist.h"
#include "dumppath.h"

#include <cstdint>
#include <string>
#include <vector>

// Both "/" and "\" count as separators where a path is read; "" when a part is absent.
std::string filenameof(const std::string& path);   // last component: "src/a.pkb" -> "a.pkb"
std::string stemof(const std::string& path);       // without the last extension: "a.b.pkb" -> "a.b"
std::string extensionof(const std::string& path);  // after the last dot: "a.b.pkb" -> "pkb"
std::string directoryof(const std::string& path);  // before the last separator: "src/a" -> "src"
// The directory that holds path: directoryof, or the root for a path such as "/a.sql".
std::string parentdirectoryof(const std::string& path);

// Number of separators that have a character after them: "/a/b" and "a/b/" give 2 and 1.
int32_t countpathlevels(const std::string& path);
// The path up to, and without, separator number n + 1 (n below 1 cuts at the first);
// the whole path when it has n separators or fewer.
std::string pathprefix(const std::string& path, int32_t n);
// The path without one trailing pathseparator; a lone separator stays.
std::string striptrailingseparator(const std::string& path);

// Creates every missing level of a directory path. False with the system's reason in
// errortext when a creation fails (levels made before it stay).
bool makedirectorypath(const std::string& path, std::string& errortext, unsigned mode = 0777);

// The state of one mask iteration; one handle per mask, ended by closedirectory.
struct directoryhandle {
    std::string mask;           // the caller's mask
    uint8_t searchpending = 1;  // the next call opens a new directory search
    uint8_t finished = 0;       // the end (the empty string) has been handed out
    uint8_t recursive = 0;
    uint8_t listmode = 0;                          // walking the sub-directory list
    std::vector<std::string> directories;          // every sub-directory of the tree, in walk order
    std::vector<directoryentry> directoryentries;  // which folder each of them was when listed
    std::string submask;                           // list directory + separator + the mask's name part
    std::string currentmask;                       // the mask of the open search
    std::string prefix;                            // prepended to each name the open search finds
    int32_t listindex = 0;
    bool searchopen = false;  // found holds the open search's entries
    std::vector<directoryentry> found;
    size_t foundnext = 0;
    directoryentry last;  // the entry of the path handed out last
};

// The next path that matches mask ("*" and "?" in the last component) whose attribute word
// shares a bit with attributemask; "" when none is left. With recursive, the matches of
// the mask's own directory come first, then those of each sub-directory of the tree
// (symbolic links to directories are not followed, nor is a sub-directory searched that is
// no longer the folder that was listed), and each sub-directory found is announced on
// standard output as "subdir:" and its path; one that cannot be searched is named on
// standard error with the reason.
std::string readdirectory(directoryhandle& handle, const std::string& mask, int32_t recursive, uint32_t attributemask);
// Moves a recursive iteration on to the next directory of its list; its next match, or "".
std::string nextdirectoryentry(directoryhandle& handle, uint32_t attributemask);
// Appends every sub-directory below directory to the handle's list; with expected, directory
// must still be the folder that entry found.
void listdirectorytree(directoryhandle& handle, const std::string& directory, const directoryentry* expected = nullptr);
// Ends the iteration and frees its state.
void closedirectory(directoryhandle& handle);

// A file a mask matched: its path and the entry that found it.
struct matchedfile {
    std::string path;
    directoryentry entry;
};
// Every file the mask matches, in the order readdirectory hands them out.
std::vector<matchedfile> listmask(const std::string& mask, int32_t recursive);
std::vector<std::string> expandmask(const std::string& mask, int32_t recursive);
