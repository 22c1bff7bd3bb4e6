// Atomic replacement of a file: the new text goes to a temporary file beside the target
// (unnamed where the file system allows, so that nothing is left behind whatever ends the
// process), which takes the old file's owner, group, mode and extended attributes, is synced
// and then renamed into place. A failure, or SIGTERM, SIGINT or SIGHUP on the way, leaves the
// old file as it was and removes the temporary file.
#pragma once

#include <sys/types.h>
#include <time.h>

#include <functional>
#include <string>
#include <string_view>

// Device and inode: what names one file, whatever path leads to it; with its size and
// modification time as they were when it was looked at.
struct fileidentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool known = false;
};
fileidentity identityof(int fd);
// Links followed; unknown when the path names nothing.
fileidentity identityofpath(const std::string& path);
// True only when both are known and name the same file.
bool samefile(const fileidentity& a, const fileidentity& b);
// True when both name the same file and its size and modification time are the same.
bool unchangedfile(const fileidentity& a, const fileidentity& b);

// The descriptor that a name such as /dev/stdout, /dev/fd/3 or /proc/self/fd/3 stands for,
// however it is spelled (/dev/./stdout, /proc/PID/fd/3) and through links that lead to one,
// or -1 for any other name. Such names lead to what the descriptor has open, not to a file
// that may be replaced.
int descriptorofname(const std::string& path);

// Gives the text piece by piece to the writer; false as soon as the writer fails.
using piecewriter = std::function<bool(std::string_view)>;
using textsource = std::function<bool(const piecewriter&)>;
textsource wholetext(std::string_view text);

enum class replaceoutcome {
    replaced,
    failed,        // error holds the reason
    changed,       // the path no longer names the expected file, or the file changed
    hardlinked,    // the file has more than one hard link; replacing it would split them
    derivedlink,   // a derived folder or the derived name is a symbolic link (link names it)
    danglinglink,  // the name is a symbolic link that leads to no file
    notregular,    // a derived name stands for a pipe, device or socket
    noreader,      // a pipe that nothing reads from, where none is waited for
};

struct replaceresult {
    replaceoutcome outcome = replaceoutcome::failed;
    int error = 0;
    std::string link;  // for derivedlink: the path up to the folder that is a link, "" for the name itself
    // For a regular file that was written: the file that had the name before (unknown when
    // there was none), and the one that has it now.
    fileidentity before, after;
};

struct replaceoptions {
    // When known, the path must still name this file, with the size and modification time
    // it had, when it is replaced.
    fileidentity expected;
    // The length of the leading part of the path that the user named, in which links are
    // followed. The folders after it and the last name were derived by the program: no link
    // is followed there. npos: the user named the whole path, and a link at its end is
    // followed to the file it names.
    size_t namedlength = std::string::npos;
    // Derived folders that are missing are made (mode 0777 before the umask).
    bool makefolders = false;
    // false: a pipe at the name is not waited on; one that nothing reads from is refused.
    bool waitforreader = true;
};

// Replaces the file that path names (a new file when there is none) by the text, as the
// options say. A file the caller may not write (its mode, read-only mounts) is refused with
// EACCES or EROFS. Devices and pipes are written as they are, and a descriptor name (see
// descriptorofname) is written to that descriptor.
replaceresult replacefile(const std::string& path, const textsource& text, const replaceoptions& options);
replaceresult replacefile(const std::string& path, const textsource& text, const fileidentity& expected = {});

// A new file in an open directory, removed when the object goes unless it was put in place.
// It has no name at all while it is written where the file system allows (O_TMPFILE), so
// that not even SIGKILL leaves it behind; elsewhere it has a hidden temporary name, removed
// also when SIGTERM, SIGINT or SIGHUP ends the process.
class temporaryfile {
public:
    // Creates the file in directoryfd (mode 0600) with a name made from base; check fd().
    temporaryfile(int directoryfd, const std::string& base);
    ~temporaryfile();
    temporaryfile(const temporaryfile&) = delete;
    temporaryfile& operator=(const temporaryfile&) = delete;

    int fd() const { return descriptor; }
    // Writes all of the text; false with errno on failure.
    bool write(std::string_view text);
    // Syncs and closes the file, then gives it the name in the directory, replacing what has
    // it; with noreplace an existing name is kept and EEXIST given. False with errno on failure.
    bool putinplace(const std::string& name, bool noreplace);

private:
    bool linkunnamed(const std::string& target);
    int directory;
    int descriptor = -1;
    bool unnamed = false;
    std::string base;
    std::string name;
    int slot = -1;
};

// Opens a directory path for use with the *at calls; -1 with errno on failure.
int opendirectory(const std::string& path);
