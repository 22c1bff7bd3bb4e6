// The two fixed -D matchers. Each "+" is greedy and gives back one repetition at a time
// while the rest of the pattern fails.
#include "scregexp.h"

namespace {

bool iswordbyte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string formatcapture(const capturerecord& capture) {
    std::string text = "[";
    text += std::to_string(capture.start);
    text += ',';
    text += std::to_string(capture.end);
    text += ']';
    return text;
}

bool definitionmatcher::attempt(size_t start) {
    for (capturerecord& capture : captures) capture = {};
    std::optional<size_t> end = matchat(start);
    if (!end) {
        for (capturerecord& capture : captures) capture = {};
        return false;
    }
    setgroup(0, start, *end);
    position = *end;
    return true;
}

bool definitionmatcher::match(std::string_view text) {
    subject.assign(text);
    for (size_t start = position; start <= subject.size(); ++start)
        if (attempt(start)) return true;
    return false;
}

bool definitionmatcher::gmatch(std::string_view text) {
    subject.assign(text);
    return position <= subject.size() && attempt(position);
}

const capturerecord& definitionmatcher::capture(size_t n) const {
    static const capturerecord none;
    return n < captures.size() ? captures[n] : none;
}

bool definitionmatcher::ismatched(size_t n) const { return capture(n).end >= 0; }

std::string definitionmatcher::group(size_t n) const {
    const capturerecord& found = capture(n);
    if (found.end < 0) return {};
    return subject.substr(static_cast<size_t>(found.start), static_cast<size_t>(found.end - found.start));
}

size_t definitionmatcher::wordrunend(size_t from) const {
    while (from < subject.size() && iswordbyte(subject[from])) ++from;
    return from;
}

size_t definitionmatcher::dotrunend(size_t from) const {
    while (from < subject.size() && subject[from] != '\n') ++from;
    return from;
}

bool definitionmatcher::atend(size_t at) const {
    return at == subject.size() || (at + 1 == subject.size() && subject[at] == '\n');
}

void definitionmatcher::setgroup(size_t n, size_t start, size_t end) {
    captures[n] = {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

std::optional<size_t> namevaluematcher::matchat(size_t start) {
    if (start != 0) return std::nullopt;
    for (size_t nameend = wordrunend(start); nameend > start; --nameend) {
        if (nameend >= subject.size() || subject[nameend] != '=') continue;
        size_t bodystart = nameend + 1;
        for (size_t bodyend = dotrunend(bodystart); bodyend > bodystart; --bodyend) {
            if (!atend(bodyend)) continue;
            setgroup(1, start, nameend);
            setgroup(2, bodystart, bodyend);
            return bodyend;
        }
    }
    return std::nullopt;
}

std::optional<size_t> namematcher::matchat(size_t start) {
    if (start != 0) return std::nullopt;
    for (size_t nameend = wordrunend(start); nameend > start; --nameend) {
        if (atend(nameend)) {
            setgroup(1, start, nameend);
            return nameend;
        }
    }
    return std::nullopt;
}
