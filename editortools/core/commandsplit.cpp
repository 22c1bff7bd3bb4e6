// Splitting a tool's command line.
#include "core/commandsplit.h"

namespace {

bool iswhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool islineend(char c) { return c == '\n' || c == '\r'; }

class Splitter {
public:
    Splitter(const std::string& text, bool keepQuotes) : text(text), keepQuotes(keepQuotes) {}

    std::vector<std::string> Run() {
        while (i < text.size()) {
            if (iswhite(text[i])) SkipWhite();
            else if (text[i] == '"') Quoted();
            else if (At(i, '-') && At(i + 1, '-')) Comment();
            else Plain();
        }
        return words;
    }

private:
    const std::string& text;
    const bool keepQuotes;
    size_t i = 0;
    std::vector<std::string> words;

    bool At(size_t at, char c) const { return at < text.size() && text[at] == c; }

    void SkipWhite() {
        while (i < text.size() && iswhite(text[i])) ++i;
    }

    // Pairs of quotes at j, each one quote of the word.
    void QuotePairs(size_t& j, std::string& word) const {
        while (At(j, '"') && At(j + 1, '"')) {
            word += '"';
            j += 2;
        }
    }

    void Quoted() {
        size_t j = i + 1;
        std::string word;
        QuotePairs(j, word);
        while (j < text.size() && text[j] != '"') {
            if (text[j] == '\\' && At(j + 1, '"')) {
                word += '"';
                j += 2;
            }
            if (j < text.size() && text[j] != '"') word += text[j++];
            QuotePairs(j, word);
        }
        if (j < text.size()) {
            words.push_back(keepQuotes ? text.substr(i, j - i + 1) : word);
            ++j;
        }
        i = j;
    }

    void Comment() {
        while (i < text.size() && !islineend(text[i])) ++i;
        while (i < text.size() && islineend(text[i])) ++i;
    }

    void Plain() {
        size_t end = i;
        while (end < text.size() && !iswhite(text[end])) ++end;
        words.push_back(text.substr(i, end - i));
        i = end;
    }
};

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& text, bool keepQuotes) {
    return Splitter(text, keepQuotes).Run();
}
