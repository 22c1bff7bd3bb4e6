// POSIX directory listing with wildcard names, file attributes and directory creation:
// the file-system calls behind brelm's masks, recursive searches and backup folders.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Attribute words: a directory carries attributedirectory, a regular file attributeregular;
// any other kind of entry (fifo, socket, device, dangling link) carries neither.
inline constexpr uint32_t attributedirectory = 0x10;
inline constexpr uint32_t attributeregular = 0x80;
inline constexpr uint32_t allbutdirectory = ~attributedirectory;
inline constexpr uint32_t invalidattributes = 0xFFFFFFFFu;

struct directoryentry {
    std::string name;
    uint32_t attributes = 0;  // of the entry's target when it is a symbolic link
    bool symlink = false;
    // The file the entry leads to (its target when it is a link); known false when it leads
    // nowhere.
    uint64_t device = 0, inode = 0;
    bool known = false;
};

// The attribute word of a path (links followed), or invalidattributes when it does not exist.
uint32_t pathattributes(const std::string& path);

// True when name matches wildcard, where "*" stands for any run of bytes and "?" for one byte;
// every other byte, "[" included, stands for itself. Case matters.
bool wildcardmatch(std::string_view wildcard, std::string_view name);

// The entries of directory ("" is the current one) whose names match wildcard, sorted by
// bytes, "." and ".." left out. False, with entries empty and errno telling why, when the
// directory cannot be read. With expected, the directory must be the file that entry found
// (a link at the end of the path is not followed): when the path now leads elsewhere the
// result is false with ESTALE.
bool listdirectory(const std::string& directory, std::string_view wildcard, std::vector<directoryentry>& entries,
                   const directoryentry* expected = nullptr);

// Creates one directory (the mode before the umask). 0 on success, else the error number.
int createdirectory(const std::string& path, unsigned mode = 0777);
