// Registry export text: sections "[HKEY_CURRENT_USER\...]" with "name"=data lines.
#include "registrytext.h"

#include <cstdio>
#include <optional>

namespace {

constexpr std::string_view header = "Windows Registry Editor Version 5.00";
constexpr std::string_view hiveroot = "HKEY_CURRENT_USER";
constexpr size_t hexlinewidth = 76;

std::string_view trim(std::string_view text) {
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

bool startswith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

int hexdigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits.
std::optional<uint32_t> hexnumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t number = 0;
    for (char c : digits) {
        int d = hexdigit(c);
        if (d < 0) return std::nullopt;
        number = number << 4 | static_cast<uint32_t>(d);
    }
    return number;
}

// The lines of a text, ended by LF or CR LF, numbered from 1.
class linereader {
public:
    explicit linereader(std::string_view text) : text(text) {}
    bool next(std::string_view& line) {
        if (at >= text.size()) return false;
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        ++number;
        return true;
    }
    size_t linenumber() const { return number; }

private:
    std::string_view text;
    size_t at = 0;
    size_t number = 0;
};

class registryparser {
public:
    registryparser(std::string_view text, registrykey& root, std::vector<std::string>& otherroots)
        : lines(text), root(root), otherroots(otherroots) {}

    bool parse(std::string& why) {
        bool headerseen = false;
        std::string_view raw;
        while (lines.next(raw)) {
            if (!checkbytes(raw)) break;
            std::string_view line = trim(raw);
            if (current == section::other && !startswith(line, "[")) {
                keepline(raw);
                continue;
            }
            if (line.empty() || line[0] == ';') continue;
            if (!headerseen) {
                if (line != header) fail("the file does not start with \"" + std::string(header) + "\"");
                headerseen = true;
            } else if (line[0] == '[') {
                readsection(line, raw);
            } else if (line[0] == '"' || line[0] == '@') {
                readvalue(line);
            } else {
                fail("not a section or a value");
            }
            if (!error.empty()) break;
        }
        endotherroot();
        if (!error.empty()) why = "line " + std::to_string(lines.linenumber()) + ": " + error;
        return error.empty();
    }

private:
    enum class section { none, hive, other };

    void fail(std::string why) {
        if (error.empty()) error = std::move(why);
    }

    bool checkbytes(std::string_view raw) {
        if (raw.find('\0') != std::string_view::npos) fail("NUL byte");
        else if (!wellformedutf8(raw)) fail("not UTF-8");
        return error.empty();
    }

    void keepline(std::string_view raw) {
        otherroots.back().append(raw);
        otherroots.back() += "\r\n";
    }

    // Blank lines and comments at the end of a kept section belong to no section.
    void endotherroot() {
        if (current != section::other) return;
        std::string& kept = otherroots.back();
        while (true) {
            size_t end = kept.size() - 2;  // before the last CR LF
            size_t start = kept.rfind("\r\n", end - 1);
            start = start == std::string::npos ? 0 : start + 2;
            std::string_view last = trim(std::string_view(kept).substr(start, end - start));
            if (!last.empty() && last[0] != ';') break;
            kept.resize(start);
        }
    }

    void readsection(std::string_view line, std::string_view raw) {
        endotherroot();
        current = section::none;
        if (line.back() != ']') return fail("the section has no closing \"]\"");
        std::string_view path = line.substr(1, line.size() - 2);
        if (startswith(path, "-")) return fail("key deletions are not kept");
        std::string_view rootname = path.substr(0, path.find('\\'));
        if (rootname.empty()) return fail("the section names no root");
        if (foldname(rootname) != foldname(hiveroot)) {
            current = section::other;
            otherroots.emplace_back();
            keepline(raw);
            return;
        }
        std::vector<std::string_view> parts = splitkeypath(path.substr(rootname.size()));
        if (parts.size() > registrymaxdepth) return fail("the key is nested too deeply");
        key = &root;
        for (std::string_view part : parts) key = &key->addsubkey(part);
        current = section::hive;
    }

    // "text" with \\ and \" escapes; rest moves past the closing quote.
    bool readquoted(std::string_view& rest, std::string& text) {
        for (size_t i = 1; i < rest.size(); ++i) {
            char c = rest[i];
            if (c == '"') {
                rest.remove_prefix(i + 1);
                return true;
            }
            if (c == '\\') {
                if (i + 1 == rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"')) {
                    fail("unknown escape in quotes");
                    return false;
                }
                c = rest[++i];
            }
            text += c;
        }
        fail("no closing quote");
        return false;
    }

    void readvalue(std::string_view line) {
        if (current == section::none) return fail("a value before the first section");
        std::string name;
        std::string_view rest = line;
        if (rest[0] == '@') {
            rest.remove_prefix(1);
        } else {
            if (!readquoted(rest, name)) return;
            if (!storablename(name)) return fail("the value name holds a control byte");
        }
        rest = trim(rest);
        if (!startswith(rest, "=")) return fail("no \"=\" after the value name");
        rest = trim(rest.substr(1));
        registryvalue value;
        if (!readdata(rest, value)) return;
        key->setvalue(name, value);
    }

    bool readdata(std::string_view data, registryvalue& value) {
        if (startswith(data, "\"")) {
            value.type = regsz;
            if (!readquoted(data, value.data)) return false;
            if (!data.empty()) fail("text after the closing quote");
            value.data += '\0';
        } else if (startswith(data, "dword:")) {
            value.type = regdword;
            std::optional<uint32_t> number = hexnumber(data.substr(6));
            if (!number) {
                fail("a dword needs 1 to 8 hex digits");
                return false;
            }
            for (int shift = 0; shift < 32; shift += 8) value.data += static_cast<char>(*number >> shift & 0xFF);
        } else if (startswith(data, "hex:")) {
            value.type = regbinary;
            readbytes(data.substr(4), value.data);
        } else if (startswith(data, "hex(")) {
            size_t close = data.find("):");
            std::optional<uint32_t> type =
                close == std::string_view::npos ? std::nullopt : hexnumber(data.substr(4, close - 4));
            if (!type) {
                fail("hex( needs a type of 1 to 8 hex digits and \"):\"");
                return false;
            }
            value.type = *type;
            readbytes(data.substr(close + 2), value.data);
        } else {
            fail("unknown value data");
        }
        return error.empty();
    }

    // Bytes "01,ff,..." whose lines may end in "\" and go on in the next line.
    void readbytes(std::string_view first, std::string& bytes) {
        std::string list(first);
        std::string_view raw;
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (!lines.next(raw) || !checkbytes(raw)) break;
            list += trim(raw);
        }
        if (!error.empty()) return;
        std::string_view rest = list;
        while (!rest.empty()) {
            size_t comma = rest.find(',');
            std::string_view item = trim(rest.substr(0, comma));
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            std::optional<uint32_t> byte = item.size() <= 2 ? hexnumber(item) : std::nullopt;
            if (!byte) return fail("hex bytes are two hex digits each, between commas");
            bytes += static_cast<char>(*byte);
        }
    }

    linereader lines;
    registrykey& root;
    std::vector<std::string>& otherroots;
    registrykey* key = nullptr;
    section current = section::none;
    std::string error;
};

// Text that can stand in quotes: a zero only at its end, UTF-8, no control bytes.
bool quotable(const registryvalue& value) {
    const std::string& d = value.data;
    if (value.type != regsz || d.empty() || d.back() != '\0') return false;
    std::string_view text(d.data(), d.size() - 1);
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return wellformedutf8(text);
}

void appendquoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void appendbytes(std::string& out, std::string_view bytes, size_t linestart) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
        if (i + 1 == bytes.size()) break;
        out += ',';
        if (out.size() - linestart > hexlinewidth) {
            out += "\\\r\n  ";
            linestart = out.size() - 2;
        }
    }
}

void appendvalue(std::string& out, const std::string& name, const registryvalue& value) {
    size_t linestart = out.size();
    if (name.empty()) out += '@';
    else appendquoted(out, name);
    out += '=';
    if (quotable(value)) {
        appendquoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == regdword && value.data.size() == 4) {
        uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value.data[i]);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", number);
        out += text;
    } else {
        char text[24];
        if (value.type == regbinary) std::snprintf(text, sizeof text, "hex:");
        else std::snprintf(text, sizeof text, "hex(%x):", value.type);
        out += text;
        appendbytes(out, value.data, linestart);
    }
    out += "\r\n";
}

void appendkey(std::string& out, std::string& path, const registrykey& key) {
    out += '[';
    out += path;
    out += "]\r\n";
    for (const auto& [name, value] : key.values) appendvalue(out, name, value);
    out += "\r\n";
    for (const auto& [folded, sub] : key.subkeys) {
        size_t length = path.size();
        path += '\\';
        path += sub->name;
        appendkey(out, path, *sub);
        path.resize(length);
    }
}

}  // namespace

bool parseregistrytext(std::string_view text, registrykey& root, std::vector<std::string>& otherroots,
                       std::string& why) {
    if (startswith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
    registryparser parser(text, root, otherroots);
    return parser.parse(why);
}

std::string registrytext(const registrykey& root, const std::vector<std::string>& otherroots) {
    std::string out(header);
    out += "\r\n\r\n";
    std::string path(hiveroot);
    appendkey(out, path, root);
    for (const std::string& kept : otherroots) {
        out += kept;
        out += "\r\n";
    }
    return out;
}
