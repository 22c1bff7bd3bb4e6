// What the file writers share: the existence test of a configuration file, its text as lines,
// the text of XML elements, and the refusal of line breaks that a line-based file cannot hold.
#pragma once

#include <string>
#include <vector>

// True when an entry of that path exists and is no folder.
bool ConfigFileExists(const std::string& path);

// The lines without their breaks: a line ends at LF, a CR right before it is dropped; the
// empty piece after a final line break is no line.
std::vector<std::string> SplitLines(const std::string& text);

// Every line followed by CR LF, the last one too.
std::string JoinCrLf(const std::vector<std::string>& lines);

class XmlNode;
class WriterContext;
struct FileText;
struct PreparedTool;

// The text and CDATA children joined: the content of an element such as <str>.
std::string ElementText(const XmlNode& element);

// Takes away the blank text an empty element kept for its layout, before children are added.
void DropLayoutText(XmlNode& element);

// The line for a configuration file that cannot be taken: "Configuration file for <program> is
// not found:" + path when it is missing, else "could not open configuration file for
// <program>:" + path and the problem (the path alone when there is none: an empty file).
std::string ConfigFileError(const std::string& program, const std::string& path, const FileText& file,
                            const std::string& problem);

// A byte below 0x20 other than TAB: it would end or break a line of a line-based file.
bool HasLineBreak(const std::string& text);

// The install of a tool whose written values hold a line break is refused with the line
// "<tool>: a line break in the tool cannot be written to <target>"; true when it was.
bool RefuseLineBreaks(const PreparedTool& tool, const std::vector<std::string>& written, WriterContext& context);
