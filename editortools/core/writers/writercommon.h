// What the file writers share: the existence test of a configuration file, its text as lines,
// and the text of XML elements.
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

// The text and CDATA children joined: the content of an element such as <str>.
std::string ElementText(const XmlNode& element);

// Takes away the blank text an empty element kept for its layout, before children are added.
void DropLayoutText(XmlNode& element);
