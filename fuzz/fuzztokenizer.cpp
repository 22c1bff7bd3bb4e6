// libFuzzer target: the tokenizer on arbitrary bytes in one of a few character sets. The
// tokens must give the text back, and cutting literals must equal tokenizing the tail anew.
#include "charsets.h"
#include "formatter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzztokenizer: %s\n", what.c_str());
    std::abort();
}

struct spelled {
    std::string text;
    int32_t kind;
    bool operator==(const spelled&) const = default;
};

std::vector<spelled> spell(const formatter& f) {
    std::vector<spelled> all;
    for (const token& t : f.tokens) all.push_back({std::string(t.text()), t.kind});
    return all;
}

// Cuts every multi-line literal after its first piece, as the driver does on SQL*Plus
// lines; with `joined` the tail is marked edited first, so it is joined and tokenized anew.
void cutliterals(formatter& f, bool joined) {
    for (position p = f.tokens.begin(); p != f.tokens.end(); ++p) {
        position after = std::next(p);
        if ((p->kind != stringliteral && p->kind != qquoteliteral) || haslinebreak(p->text()) ||
            after == f.tokens.end() || after->sequence != p->sequence + 1)
            continue;
        if (joined) after->settext(after->text());
        f.retokenizeafter(p);
    }
}

void tokenizeinto(formatter& f, const charset& set, std::string_view text) {
    f.usecharset(set);
    f.resettokencontext();
    f.tokenize(text);
    f.appendendtokens();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const charset charsets[] = {charset("US7ASCII"), charset("WE8ISO8859P1"), charset("CL8KOI8R"),
                                       charset("EE8MSWIN1250")};
    const charset& set = charsets[data[0] % 4];
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        formatter plain;
        tokenizeinto(plain, set, text);
        std::string joined;
        for (position p = std::next(plain.tokens.begin()); p != plain.tokens.end(); ++p) {
            if (p->text().empty() && p->kind != endtoken) fault("a token without text");
            joined += p->text();
        }
        if (joined != text) fault("the tokens do not give the text back");

        formatter quick, reference;
        tokenizeinto(quick, set, text);
        tokenizeinto(reference, set, text);
        cutliterals(quick, false);
        cutliterals(reference, true);
        if (spell(quick) != spell(reference)) fault("cutting literals differs from tokenizing the tail anew");
        if (quick.jointokentexts(std::next(quick.tokens.begin()), quick.tokens.end()) != text)
            fault("cutting literals changed the text");
    } catch (const std::string& message) {
        fault("the tokenizer gave up: " + message);
    }
    return 0;
}
