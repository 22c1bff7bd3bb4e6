// Preprocessor tokens: joining token lists into text and keeping the texts made during a call.
#include "cpptokens.h"

#include <algorithm>

bool isparameterreference(const atoken& token) { return token.kind >= kindparameter; }

bool isinsignificant(const atoken& token) {
    return token.kind == kindwhitespace || token.kind == kindblockcomment || token.kind == kindlinecomment;
}

bool holdslinebreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

size_t qquoteopenerlength(std::string_view text) {
    size_t prefix = text.size() > 1 && (text[0] == 'n' || text[0] == 'N') ? 1 : 0;
    if (text.size() < prefix + 2 || (text[prefix] != 'q' && text[prefix] != 'Q') || text[prefix + 1] != '\'') return 0;
    return prefix + 2;
}

std::string jointokens(std::span<const atoken> tokens) { return jointokenrange(0, tokens.size(), tokens); }

std::string jointokenrange(size_t first, size_t last, std::span<const atoken> tokens) {
    last = std::min(last, tokens.size());
    std::string text;
    size_t length = 0;
    for (size_t i = first; i < last; ++i) length += tokens[i].text.size();
    text.reserve(length);
    for (size_t i = first; i < last; ++i) text += tokens[i].text;
    return text;
}

std::string jointokenswith(std::string_view separator, std::span<const atoken> tokens) {
    std::string text;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0 && tokens[i - 1].kind != kindend) text += separator;
        text += tokens[i].text;
    }
    return text;
}

void tokenqueue::replacefront(size_t count, const tokenlist& replacement) {
    size_t end = front + count;
    if (replacement.size() <= end) {
        front = end - replacement.size();
        std::copy(replacement.begin(), replacement.end(), items.begin() + static_cast<ptrdiff_t>(front));
        return;
    }
    size_t room = replacement.size() + (items.size() - end);
    tokenlist grown(room);
    grown.reserve(2 * room);
    grown.insert(grown.end(), replacement.begin(), replacement.end());
    grown.insert(grown.end(), items.begin() + static_cast<ptrdiff_t>(end), items.end());
    items = std::move(grown);
    front = room;
}

std::string_view keeptext(textstore& kept, std::string text) {
    if (text.empty()) return {};
    return kept.emplace_back(std::move(text));
}

tokenlist keeptokens(textstore& kept, std::span<const atoken> tokens) {
    std::string_view stored = keeptext(kept, jointokens(tokens));
    tokenlist copy(tokens.begin(), tokens.end());
    size_t offset = 0;
    for (atoken& token : copy) {
        size_t length = token.text.size();
        token.text = length == 0 ? std::string_view() : stored.substr(offset, length);
        offset += length;
    }
    return copy;
}

void forgetkepttexts(textstore& kept) { kept.clear(); }
