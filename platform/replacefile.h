// Atomic replacement of a file: the new text goes to a temporary file beside the target,
// which takes the old file's owner, group, mode and extended attributes, is synced and then
// renamed into place. A failure, or SIGTERM, SIGINT or SIGHUP on the way, leaves the old file
// as it was and removes the temporary file.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

// Device and inode: what names one file, whatever path leads to it.
struct fileidentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;
};
fileidentity identityof(int fd);
// Links followed; unknown when the path names nothing.
fileidentity identityofpath(const std::string& path);
// True only when both are known and name the same file.
bool samefile(const fileidentity& a, const fileidentity& b);

// Gives the text piece by piece to the writer; false as soon as the writer fails.
using piecewriter = std::function<bool(std::string_view)>;
using textsource = std::function<bool(const piecewriter&)>;
textsource wholetext(std::string_view text);

enum class replaceoutcome {
    replaced,
    failed,      // error holds the reason
    changed,     // the path no longer names the expected file
    hardlinked,  // the file has more than one hard link; replacing it would split them
};

struct replaceresult {
    replaceoutcome outcome = replaceoutcome::failed;
    int error = 0;
};

// Replaces the file that path names (links followed; a new file when there is none) by the
// text. With expected known, the path must still name that file when it is replaced. A file
// the caller may not write (its mode, read-only mounts) is refused with EACCES or EROFS.
// Devices and pipes are written as they are.
replaceresult replacefile(const std::string& path, const textsource& text, const fileidentity& expected = {});

// A new file in an open directory under a hidden temporary name, removed when the object goes
// (or when SIGTERM, SIGINT or SIGHUP ends the process) unless it was put in place.
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
    // Syncs and closes the file, then renames it to name in the directory; with noreplace an
    // existing name is kept and EEXIST given. False with errno on failure.
    bool putinplace(const std::string& name, bool noreplace);

private:
    int directory;
    int descriptor = -1;
    std::string name;
    int slot = -1;
};

// Opens a directory path for use with the *at calls; -1 with errno on failure.
int opendirectory(const std::string& path);
