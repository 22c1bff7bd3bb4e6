// Stream, file and clipboard operations of the support library.
#include "supportfiles.h"

#include "clipboard.h"

#include <sys/stat.h>

#include <climits>
#include <cstdio>

std::string readline(std::istream& in) {
    std::string line;
    std::streambuf* buffer = in.rdbuf();
    if (!in.good() || !buffer) {
        in.setstate(std::ios::failbit);
        return line;
    }
    using traits = std::char_traits<char>;
    for (;;) {
        traits::int_type c = buffer->sbumpc();
        if (traits::eq_int_type(c, traits::eof())) {
            in.setstate(std::ios::eofbit | std::ios::failbit);
            return line;
        }
        line += traits::to_char_type(c);
        if (c == '\n') return line;
        if (c == '\r') {
            // The stream stays good when the CR was its last byte, so that the next read
            // gives the final empty line as it does after a final LF.
            if (buffer->sgetc() == '\n') line += traits::to_char_type(buffer->sbumpc());
            return line;
        }
    }
}

bool readtext(std::istream& in, std::string& text) {
    text.clear();
    if (!in.good()) return false;
    std::streambuf* buffer = in.rdbuf();
    in.setstate(std::ios::eofbit | std::ios::failbit);
    if (!buffer) return true;
    char chunk[1 << 16];
    for (std::streamsize n; (n = buffer->sgetn(chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(n));
    return true;
}

// The lines readline would give one after another, from the stream read whole.
std::vector<std::string> readlines(std::istream& in) {
    std::string text;
    if (!readtext(in, text)) return {};
    return splitkeepingends(text);
}

std::vector<std::string> splitkeepingends(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\n' && c != '\r') continue;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.emplace_back(text.substr(start, i + 1 - start));
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));  // after a final line break: the empty last line
    return lines;
}

namespace {

std::string_view skipblanks(std::string_view text) {
    size_t k = text.find_first_not_of(' ');
    return k == std::string_view::npos ? std::string_view() : text.substr(k);
}

}  // namespace

bool openbymode(std::fstream& stream, std::string_view text) {
    text = skipblanks(text);
    std::ios::openmode mode = std::ios::binary | std::ios::in;
    if (text.starts_with(">>")) {
        text = skipblanks(text.substr(2));
        mode = std::ios::binary | std::ios::out | std::ios::app;
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else if (text.starts_with(">")) {
        text = skipblanks(text.substr(1));
        mode = std::ios::binary | std::ios::out | std::ios::trunc;
    } else if (text.starts_with("<")) {
        text = skipblanks(text.substr(1));
    }
    stream.open(std::string(text), mode);
    return stream.good();
}

bool openbymode(std::fstream& stream, std::string_view mode, std::string_view name) {
    return openbymode(stream, std::string(mode) + std::string(name));
}

void closestream(std::fstream& stream) { stream.close(); }

bool isdirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int getclipboardtext(std::string& text, std::string* reason) {
    text.clear();
    std::string raw, why;
    if (readclipboard(raw, why) != clipboardstatus::done) {
        if (reason) *reason = why;
        return -1;
    }
    text = raw.substr(0, raw.find('\0'));
    if (text.empty()) return 0;
    return raw.size() >= INT_MAX ? INT_MAX : static_cast<int>(raw.size()) + 1;
}

int setclipboardtext(const std::string& text, std::string* reason) {
    std::string why;
    if (writeclipboard(std::string_view(text).substr(0, text.find('\0')), why) != clipboardstatus::done) {
        if (reason) *reason = why;
        return -1;
    }
    return 0;
}
