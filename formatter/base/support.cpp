// Text and list operations of the support library.
#include "support.h"

#include "globals.h"
#include "pattern.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>

std::string lc(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string uc(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string substr(std::string_view text, int64_t offset, int64_t length) {
    const int64_t size = static_cast<int64_t>(text.size());
    if (offset < 0) offset += size;
    offset = std::clamp<int64_t>(offset, 0, size);
    if (length < 0) length += size - offset;
    length = std::clamp<int64_t>(length, 0, size - offset);
    return std::string(text.substr(static_cast<size_t>(offset), static_cast<size_t>(length)));
}

std::string substr(std::string_view text, int64_t offset) {
    return substr(text, offset, static_cast<int64_t>(text.size()));
}

void chomp(std::string& text) {
    size_t n = text.size();
    if (n == 0) return;
    char last = text[n - 1];
    if (last != '\n' && last != '\r') return;
    char pairedwith = last == '\n' ? '\r' : '\n';
    size_t drop = n >= 2 && text[n - 2] == pairedwith ? 2 : 1;
    text.resize(n - drop);
}

std::string ltrim(std::string_view text) {
    size_t start = text.find_first_not_of(" \t\r\n");
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

bool startswith(std::string_view text, std::string_view prefix) { return text.starts_with(prefix); }

bool endswith(std::string_view text, std::string_view suffix) { return text.ends_with(suffix); }

std::string numtostring(long long number) { return std::to_string(number); }

int32_t stringtonum(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const int64_t limit =
        negative ? -int64_t(std::numeric_limits<int32_t>::min()) : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), limit);
    return static_cast<int32_t>(negative ? -value : value);
}

std::string join(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string out;
    size_t size = pieces.empty() ? 0 : separator.size() * (pieces.size() - 1);
    for (const std::string& piece : pieces) size += piece.size();
    out.reserve(size);
    for (size_t k = 0; k < pieces.size(); ++k) {
        if (k) out += separator;
        out += pieces[k];
    }
    return out;
}

namespace {

// Cuts text at every match of the compiled separator. An empty match never ends an
// empty piece, so a separator that can match nothing still moves on by one byte.
std::vector<std::string> splitat(const pattern& separator, std::string_view text, bool keeplast) {
    std::vector<std::string> pieces;
    size_t start = 0;
    size_t searchfrom = 0;
    patternmatch m;
    while (searchfrom <= text.size() && separator.search(text, searchfrom, &m)) {
        size_t matchstart = m.start(0), matchend = m.end(0);
        if (matchend == start) {  // empty match where the piece begins
            searchfrom = start + 1;
            continue;
        }
        pieces.emplace_back(text.substr(start, matchstart - start));
        start = searchfrom = matchend;
    }
    if (keeplast || start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

}  // namespace

std::vector<std::string> split(std::string_view separator, std::string_view text) {
    std::string source;
    source.append(1, '(').append(separator).append(1, ')');
    return splitat(pattern::get(source), text, false);
}

int64_t countlinebreaks(std::string_view text) {
    int64_t breaks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ++breaks;
        else if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ++breaks;
    }
    return breaks;
}

std::vector<std::string> splitlines(std::string_view text) {
    return splitat(pattern::get(linebreakpattern), text, true);
}

std::string errnotext() { return std::strerror(errno); }

std::string shift(std::vector<std::string>& list) {
    if (list.empty()) return std::string();
    std::string first = std::move(list.front());
    list.erase(list.begin());
    return first;
}

std::vector<std::string> sortstrings(std::vector<std::string> list) {
    std::sort(list.begin(), list.end());
    return list;
}

std::vector<int32_t> sortnumbersdown(std::vector<int32_t> list) {
    std::sort(list.begin(), list.end(), std::greater<int32_t>());
    return list;
}

std::vector<std::string> numberstostrings(const std::vector<int32_t>& numbers) {
    std::vector<std::string> texts;
    texts.reserve(numbers.size());
    for (int32_t n : numbers) texts.push_back(numtostring(n));
    return texts;
}

std::vector<int32_t> stringstonumbers(const std::vector<std::string>& texts) {
    std::vector<int32_t> numbers;
    numbers.reserve(texts.size());
    for (const std::string& t : texts) numbers.push_back(stringtonum(t));
    return numbers;
}

namespace {

// Control bytes (below 32, and 127) written as \xNN; with keeplines, LF and TAB stay.
std::string escapecontrols(std::string_view text, bool keeplines) {
    static const char digits[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7f) || (keeplines && (c == '\n' || c == '\t'))) {
            shown += c;
            continue;
        }
        shown += "\\x";
        shown += digits[byte >> 4];
        shown += digits[byte & 15];
    }
    return shown;
}

}  // namespace

std::string escapedword(std::string_view text) { return escapecontrols(text, false); }

std::string escapedlines(std::string_view text) { return escapecontrols(text, true); }
