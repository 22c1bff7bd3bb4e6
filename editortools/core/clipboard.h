// The clipboard as the core sees it: the widgets library puts a writer in place once a GUI
// application exists.
#pragma once

#include <functional>
#include <string>

// 0 when the text was put on the clipboard, -1 otherwise (always -1 without a GUI application).
int CopyToClipboard(const std::string& text);

// The writer behind CopyToClipboard; an empty one makes every copy fail.
void SetClipboardWriter(std::function<bool(const std::string&)> writer);
