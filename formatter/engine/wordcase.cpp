// Keyword and identifier case (-uk, -lk, -ck, -ui, -li, -ci, -dbvn, -si, and keywords
// tagged for html), through the case tables of the text's character set.
#include "charsets.h"
#include "formatter.h"
#include "support.h"

namespace {

void upperbyte(const charset& set, std::string& text, size_t i) {
    text[i] = static_cast<char>(set.upper(static_cast<unsigned char>(text[i])));
}

// Lower case with the first letter upper-cased; with eachpart, also the letter after every
// "." that is not the last byte.
std::string capitalised(const charset& set, std::string_view word, bool eachpart) {
    std::string text = set.lc(word);
    if (text.empty()) return text;
    upperbyte(set, text, 0);
    if (eachpart)
        for (size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '.') upperbyte(set, text, i + 1);
    return text;
}

}  // namespace

// A word as the case switches write it: a keyword by -uk, -lk or -ck, any other identifier
// by -ui, -li or -ci.
std::string formatter::casedword(std::string_view word) const {
    return casedword(word, tables().reservedwords.containslowered(word));
}

std::string formatter::casedword(std::string_view word, bool keyword) const {
    const charset& set = textcharset();
    if (keyword) {
        if (s.uk) return set.uc(word);
        if (s.lk) return set.lc(word);
        if (s.ck) return capitalised(set, word, false);
    } else {
        if (s.ui) return set.uc(word);
        if (s.li) return set.lc(word);
        if (s.ci) return capitalised(set, word, true);
    }
    return std::string(word);
}

void formatter::applywordcase() {
    token& t = *currenttoken;
    if (!currentword.empty() && currentword[0] == '$') {
        casedirective();
        return;
    }
    auto settext = [&t](std::string text) {
        if (text != t.text()) t.settext(std::move(text));
    };
    bool anycase = s.uk || s.ck || s.lk || s.ui || s.li || s.ci || s.html;
    if (t.kind == identifier && anycase) {
        const bool keyword = tables().reservedwords.containslowered(currentword);
        if (keyword && s.html) t.kind = keywordtoken;
        settext(casedword(currentword, keyword));
        if (keyword) currentword = t.text();
    }
    if (s.dbvn && statement.indeclarations == 0 && (t.kind == identifier || t.kind == keywordtoken)) {
        if (const std::string* text = declared.latest(textcharset().lc(t.text()))) settext(*text);
    }
    if (s.sigiven && t.kind == identifier) {
        auto spelling = s.si.find(textcharset().lc(currentword));
        if (spelling != s.si.end()) {
            settext(spelling->second);
            currentword = t.text();
        }
    }
}

// Directive words take the case of keywords; an inquiry directive keeps the spelling it has.
[[gnu::noinline]] void formatter::casedirective() {
    token& t = *currenttoken;
    if (t.kind != identifier || directiveof(t) == directive::none) return;
    if (s.html) t.kind = keywordtoken;
    std::string text = casedword(currentword, true);
    if (text != t.text()) t.settext(std::move(text));
    currentword = t.text();
}

// A name as the case rules write its token, for texts that quote it before the token is
// cased (the end-of-block information); a quoted name stays as it is.
std::string formatter::writtenname(std::string_view name) const {
    if (name.empty() || name.front() == '"') return std::string(name);
    if (s.sigiven) {
        auto spelling = s.si.find(textcharset().lc(name));
        if (spelling != s.si.end()) return spelling->second;
    }
    return casedword(name);
}
