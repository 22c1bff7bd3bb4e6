// The system clipboard as text, through the first usable command-line tool
// (wl-paste/wl-copy, xclip, xsel), or through a file named by BRELM_CLIPBOARD_FILE.
#pragma once

#include <string>
#include <string_view>

enum class clipboardstatus {
    done,       // the text was read or written (an empty clipboard reads as "")
    notool,     // none of the tools is on PATH
    nodisplay,  // a tool is there, but the display it needs is not set
    failed,     // the tool or the clipboard file failed
};

// On anything but done, reason says why in a few words.
clipboardstatus readclipboard(std::string& text, std::string& reason);
clipboardstatus writeclipboard(std::string_view text, std::string& reason);
