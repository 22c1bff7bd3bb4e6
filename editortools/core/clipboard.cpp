// The clipboard hook.
#include "core/clipboard.h"

namespace {

std::function<bool(const std::string&)>& clipboardwriter() {
    static std::function<bool(const std::string&)> writer;
    return writer;
}

}  // namespace

int CopyToClipboard(const std::string& text) {
    const auto& writer = clipboardwriter();
    return writer && writer(text) ? 0 : -1;
}

void SetClipboardWriter(std::function<bool(const std::string&)> writer) { clipboardwriter() = std::move(writer); }
