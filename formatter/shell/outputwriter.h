// The output writer: the formatted text (with its header, or as html) to a file, a standard
// stream, the handed-back string, the clipboard or nowhere, and the -slsf side file.
#pragma once

#include "formattext.h"
#include "messages.h"
#include "replacefile.h"
#include "settings.h"

#include <string>

// Writes the output to the target the settings name; input is the input file that was
// read, which an in-place target must still be. "output_str" fills outputstring (with CR
// before every LF) when the source was handed over as a string. Ends the file through die
// (or a usage error) when it cannot.
void writeoutput(const settings& s, const formattedtext& output, const fileidentity& input, bool handedover,
                 std::string& outputstring, messagestream& messages);

// Replaces the file by the text (through a temporary file beside it, renamed into place) as
// the options say; with expected known the name must still lead to that file, unchanged.
// Ends the file through die ("could not write NAME: reason", or "NAME changed while it was
// being formatted") on failure.
void writefile(const std::string& name, const textsource& text, const replaceoptions& options);
void writefile(const std::string& name, const textsource& text, const fileidentity& expected);
// True when this run has replaced the file listed and now is a file this run wrote, as it
// wrote it: what stands in the listed file's place is the run's own output.
bool replacedbythisrun(const fileidentity& listed, const fileidentity& now);

// With -sl, -el or -pp (a cut or changed text) or -html, an output that is the input file
// itself is a usage error; so is a -slsf file that is the input file or another input.
void refuseinplacecut(settings& s, const fileidentity& input, messagestream& messages);
// True when the name is one of the run's input files, by name or as the same file.
bool isaninputfile(settings& s, const std::string& name);
// True when the name is one of the run's output files or its -slsf file, by name or as the
// same file.
bool isanoutputfile(settings& s, const std::string& name);

// True for an output name that is a file, not a stream (also by a name such as /dev/stdout),
// the clipboard or nowhere.
bool isfiletarget(const std::string& name);
// True when the output is a file and the same file as the input that was read (by device
// and inode, or by name).
bool outputisinput(const settings& s, const fileidentity& input);
// True when both names lead to one file: spelled alike once made absolute, or the same file.
bool samename(const std::string& a, const std::string& b);
