// Whole-file reading and writing. Every file is read through ReadFileText, which never waits
// on a pipe and takes regular files only; every file is written through SaveFile, which puts
// the text into a temporary file beside the old one, checks every write, syncs it and only
// then renames it into place, so a write that cannot be completed leaves the old file as it
// was and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

// A file's bytes, or why they could not be read.
struct FileText {
    std::string text;
    // "" when the file was read; else what follows its path in a message: "does not exist",
    // "is a folder", "is not a regular file", "cannot be read: <reason>".
    std::string problem;
    bool missing = false;  // nothing of that name
    bool Read() const { return problem.empty(); }
};

FileText ReadFileText(const std::string& path);

// The bytes; "" when the file is missing, unreadable or no regular file.
std::string LoadFile(const std::string& path);

// A file's path and what is wrong with it, as messages give them: "/a/links.ini is not a
// regular file".
std::string FileProblem(const std::string& path, const std::string& problem);

// How text is encoded, as far as its bytes tell: a UTF-16 byte-order mark, or a NUL in every
// other byte of its first 64, makes it UTF-16 of that byte order.
enum class TextEncoding { Bytes, Utf16LittleEndian, Utf16BigEndian };
TextEncoding DetectEncoding(std::string_view bytes);
// "is UTF-16 text" for text the 8-bit readers cannot take; "" for any other.
std::string Utf16Problem(std::string_view bytes);
// Why a file cannot be taken as 8-bit text: the reader's problem, or UTF-16 text; "" when it
// can (empty or not).
std::string TextFileProblem(const FileText& file);

// Replaces the file with text (a symbolic link is followed; the owner, group and mode of the
// old file are kept); false when that could not be completed, the old file then unchanged. A
// device or a pipe that stands at the path is written where it is, never waited on.
bool SaveFile(const std::string& path, const std::string& text);

// Writes text to the first of path + ".bad", ".bad1", ".bad2", ... that does not exist yet;
// the name written, or "" when that failed.
std::string SaveCopyAside(const std::string& path, const std::string& text);
