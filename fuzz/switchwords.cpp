#include "switchwords.h"

#include "commandline.h"
#include "htmltags.h"
#include "switchtable.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

enum class valuekind { none, number, numbers, text };

// A switch as it may be written, and the value it takes.
struct spelling {
    std::string name;
    valuekind value = valuekind::none;
    numberrange range{};
    bool inword = false;  // the value stands in the word ("-c=text"), never after it
};

// Every switch of the table: the command-line rows (each spelling of a row name such as
// "-io(r)"), the switch objects and the flags.
std::vector<spelling> vocabulary() {
    std::vector<spelling> all;
    for (const switchrow& row : switchrows()) {
        const std::string name = row.name;
        if (name.empty() || name == "-") continue;
        spelling s;
        s.range = row.range;
        if (row.label != nullptr)
            s.value = row.kind != numberkind   ? valuekind::text
                      : row.numbers != nullptr ? valuekind::numbers
                                               : valuekind::number;
        else if (row.form != nullptr && std::string(row.form).find("=(") != std::string::npos)
            s.value = valuekind::text, s.inword = true;
        const size_t open = name.find('(');
        if (open == std::string::npos) {
            s.name = name;
            all.push_back(s);
            continue;
        }
        const size_t close = name.find(')', open);
        s.name = name.substr(0, open);
        all.push_back(s);
        s.name += name.substr(open + 1, close - open - 1);
        all.push_back(s);
    }
    for (const auto& [name, object] : switchobjects) {
        spelling s;
        s.name = "-" + name;
        s.range = object.range;
        if (object.kind == numberkind || object.kind == numberfieldkind) s.value = valuekind::number;
        if (object.kind == stringkind) s.value = valuekind::text;
        all.push_back(s);
    }
    for (const auto& entry : flagfields)
        if (switchobjects.count(entry.first) == 0) all.push_back({.name = "-" + entry.first});
    return all;
}

class bytereader {
public:
    explicit bytereader(std::string_view b) : bytes(b) {}
    bool empty() const { return at >= bytes.size(); }
    uint8_t byte() { return empty() ? 0 : static_cast<uint8_t>(bytes[at++]); }
    uint64_t wide(int count) {
        uint64_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | byte();
        return value;
    }
    // A length byte and that many bytes of any value.
    std::string text() {
        const size_t length = std::min<size_t>(byte(), bytes.size() - std::min(at, bytes.size()));
        std::string out(bytes.substr(at, length));
        at += length;
        return out;
    }

private:
    std::string_view bytes;
    size_t at = 0;
};

// A number for a switch of that range: at a bound, one past it, anywhere inside, at the ends
// of 32 and 64 bits, or no number at all; some spelled with a sign, leading zeros or a tab
// size's "t".
std::string numberfor(const numberrange& range, bytereader& in) {
    const uint8_t choice = in.byte();
    const int64_t span = range.highest - range.lowest;
    int64_t number = 0;
    switch (choice % 11) {
    case 0: number = range.lowest; break;
    case 1: number = range.highest; break;
    case 2: number = range.lowest - 1; break;
    case 3: number = range.highest + 1; break;
    case 4: number = range.lowest + static_cast<int64_t>(in.wide(4) % static_cast<uint64_t>(span + 1)); break;
    case 5: number = INT32_MIN - int64_t(choice & 0x80 ? 1 : 0); break;
    case 6: number = INT32_MAX + int64_t(choice & 0x80 ? 1 : 0); break;
    case 7: number = static_cast<int64_t>(in.wide(8)); break;
    case 8: return "99999999999999999999999";
    case 9: return in.text();
    default: number = 0; break;
    }
    std::string digits = std::to_string(number);
    switch (choice >> 4 & 3) {
    case 1: return number >= 0 ? "+" + digits : digits;
    case 2: return number >= 0 ? "00" + digits : "-00" + digits.substr(1);
    case 3: return choice & 0x40 ? digits + "t" : digits;
    default: return digits;
    }
}

std::string valuefor(const spelling& s, bytereader& in) {
    if (s.value == valuekind::text) return in.text();
    if (s.value == valuekind::number) return numberfor(s.range, in);
    std::string list = numberfor(s.range, in);
    for (int more = in.byte() % 4; more > 0; --more) list += "," + numberfor(s.range, in);
    return list;
}

// What may stand between a name and its value: an indent level ("-il3") or a tag ("-tag[x]").
std::string infixfor(uint8_t choice, bytereader& in) {
    if ((choice >> 3 & 3) == 2) return std::to_string(in.wide(choice & 0x80 ? 4 : 1));
    if ((choice >> 3 & 3) != 3) return "";
    const uint8_t pick = in.byte();
    if (pick >= tokenkinds().size()) return "[" + in.text() + "]";
    auto kind = tokenkinds().begin();
    std::advance(kind, pick);
    return "[" + kind->first + "]";
}

}  // namespace

std::vector<std::string> switchwordsfrom(std::string_view bytes, size_t limit) {
    static const std::vector<spelling> all = vocabulary();
    static const char* const signs[] = {"", "+", "-", ""};
    std::vector<std::string> words;
    bytereader in(bytes);
    while (!in.empty() && words.size() < limit) {
        const spelling& s = all[in.wide(2) % all.size()];
        const uint8_t choice = in.byte();
        std::string word = s.name + infixfor(choice, in);
        if (s.value == valuekind::none) {
            words.push_back(word + signs[choice >> 1 & 3]);
        } else if (s.inword || (choice & 1) != 0) {
            words.push_back(word + "=" + valuefor(s, in));
        } else {
            words.push_back(word);
            words.push_back(valuefor(s, in));
        }
    }
    return words;
}

void discardstandardoutput() {
    std::fflush(stdout);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    ::dup2(null, STDOUT_FILENO);
    ::close(null);
}
