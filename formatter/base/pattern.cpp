// Compiled PCRE2 patterns: three lazily compiled forms (unanchored, anchored at the start,
// anchored at both ends), each JIT-compiled when the library has JIT.
#include "pattern.h"

#include <pcre2.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

// Held while an anchored form is compiled: rare, so one lock serves every pattern.
std::mutex formcompiling;

// The match data of one thread, reused by every match it runs: a match writes its offsets
// there, so two threads never share one. It grows to the largest group count met.
class matchblock {
public:
    matchblock() = default;
    ~matchblock() { pcre2_match_data_free(data); }
    matchblock(const matchblock&) = delete;
    matchblock& operator=(const matchblock&) = delete;

    pcre2_match_data* withroomfor(uint32_t pairs) {
        if (pairs > room) {
            const uint32_t size = std::max(pairs, uint32_t(16));
            pcre2_match_data* bigger = pcre2_match_data_create(size, nullptr);
            if (!bigger) throw std::bad_alloc();
            pcre2_match_data_free(data);
            data = bigger;
            room = size;
        }
        return data;
    }

private:
    pcre2_match_data* data = nullptr;
    uint32_t room = 0;
};

thread_local matchblock threadmatchdata;

uint32_t compileoptions(int options) {
    uint32_t flags = 0;
    if (options & pattern::caseless) flags |= PCRE2_CASELESS;
    if (options & pattern::dotall) flags |= PCRE2_DOTALL;
    return flags;
}

std::string errortext(int code) {
    PCRE2_UCHAR buffer[256];
    pcre2_get_error_message(code, buffer, sizeof buffer);
    return reinterpret_cast<const char*>(buffer);
}

}  // namespace

struct pattern::compiled {
    pcre2_code* code = nullptr;

    compiled(std::string_view text, uint32_t flags) {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), flags, &error, &offset, nullptr);
        if (!code)
            throw std::string("Internal error: bad pattern ") + std::string(text) + ": " + errortext(error) +
                " at offset " + std::to_string(offset) + "\n";
        pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);  // falls back to the interpreter when unavailable
    }
    ~compiled() { pcre2_code_free(code); }
    compiled(const compiled&) = delete;
    compiled& operator=(const compiled&) = delete;
};

std::string_view patternmatch::group(size_t i) const {
    if (i >= groups.size() || groups[i].first == std::string_view::npos) return {};
    return subject.substr(groups[i].first, groups[i].second - groups[i].first);
}

bool patternmatch::matched(size_t i) const { return i < groups.size() && groups[i].first != std::string_view::npos; }

size_t patternmatch::start(size_t i) const { return i < groups.size() ? groups[i].first : std::string_view::npos; }

size_t patternmatch::end(size_t i) const { return i < groups.size() ? groups[i].second : std::string_view::npos; }

pattern::pattern(std::string_view text, int options) : source(text), flags(static_cast<int>(compileoptions(options))) {
    code = std::make_unique<compiled>(text, static_cast<uint32_t>(flags));
    uint32_t captures = 0;
    pcre2_pattern_info(code->code, PCRE2_INFO_CAPTURECOUNT, &captures);
    groupcount = static_cast<int>(captures);
}

// The anchored forms are compiled on first use: most patterns need only one of the three.
const pattern::compiled& pattern::form(anchoring how) const {
    switch (how) {
    case anchoring::none: return *code;
    case anchoring::start:
    case anchoring::startnotempty: return compiledonce(anchoredcode, source);
    case anchoring::both: return compiledonce(fullcode, "(?:" + source + ")\\z");
    }
    return *code;
}

// The form in slot, compiled from text by the first thread that needs it.
const pattern::compiled& pattern::compiledonce(std::atomic<const compiled*>& slot, const std::string& text) const {
    if (const compiled* made = slot.load(std::memory_order_acquire)) return *made;
    std::lock_guard<std::mutex> lock(formcompiling);
    if (const compiled* made = slot.load(std::memory_order_relaxed)) return *made;
    auto made = std::make_unique<const compiled>(text, static_cast<uint32_t>(flags) | PCRE2_ANCHORED);
    slot.store(made.get(), std::memory_order_release);
    return *made.release();
}

pattern::~pattern() {
    delete anchoredcode.load();
    delete fullcode.load();
}

const pattern& pattern::get(std::string_view text, int options) {
    struct key {
        std::string text;
        int options;
        bool operator==(const key&) const = default;
    };
    struct keyhash {
        size_t operator()(const key& k) const {
            return std::hash<std::string>()(k.text) * 31 + static_cast<size_t>(k.options);
        }
    };
    // Entries are never removed, so the patterns handed out stay where they are.
    static std::mutex cachelock;
    static std::unordered_map<key, std::unique_ptr<pattern>, keyhash> cache;
    std::lock_guard<std::mutex> lock(cachelock);
    key k{std::string(text), options};
    auto found = cache.find(k);
    if (found != cache.end()) return *found->second;
    auto made = std::make_unique<pattern>(text, options);
    const pattern& result = *made;
    cache.emplace(std::move(k), std::move(made));
    return result;
}

bool pattern::run(std::string_view text, size_t pos, anchoring how, patternmatch* m) const {
    if (pos > text.size()) return false;
    const compiled& c = form(how);
    uint32_t flags = how == anchoring::startnotempty ? PCRE2_NOTEMPTY_ATSTART : 0;
    pcre2_match_data* data = threadmatchdata.withroomfor(static_cast<uint32_t>(groupcount) + 1);
    int rc = pcre2_match(c.code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), pos, flags, data, nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (rc < 0) throw std::string("Internal error: pattern ") + source + ": " + errortext(rc) + "\n";
    if (m) {
        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data);
        m->subject = text;
        m->groups.assign(static_cast<size_t>(groupcount) + 1, {std::string_view::npos, std::string_view::npos});
        for (int i = 0; i < rc && i <= groupcount; ++i) {
            if (vector[2 * i] != PCRE2_UNSET) m->groups[i] = {vector[2 * i], vector[2 * i + 1]};
        }
    }
    return true;
}

bool pattern::fullmatch(std::string_view text, patternmatch* m) const { return run(text, 0, anchoring::both, m); }

bool pattern::partialmatch(std::string_view text, patternmatch* m) const { return run(text, 0, anchoring::none, m); }

bool pattern::search(std::string_view text, size_t pos, patternmatch* m) const {
    return run(text, pos, anchoring::none, m);
}

bool pattern::consume(std::string_view text, size_t& pos, patternmatch* m) const {
    patternmatch local;
    patternmatch& result = m ? *m : local;
    if (!run(text, pos, anchoring::start, &result)) return false;
    pos = result.end(0);
    return true;
}

bool pattern::findandconsume(std::string_view text, size_t& pos, patternmatch* m) const {
    patternmatch local;
    patternmatch& result = m ? *m : local;
    if (!run(text, pos, anchoring::none, &result)) return false;
    pos = result.end(0);
    return true;
}

bool pattern::rewriteinto(std::string& out, std::string_view rewrite, const patternmatch& m) const {
    for (size_t i = 0; i < rewrite.size(); ++i) {
        char c = rewrite[i];
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++i == rewrite.size()) return false;
        c = rewrite[i];
        if (c >= '0' && c <= '9') {
            size_t n = static_cast<size_t>(c - '0');
            if (n > static_cast<size_t>(groupcount)) return false;
            out.append(m.group(n));
        } else if (c == '\\') {
            out.push_back('\\');
        } else {
            return false;
        }
    }
    return true;
}

bool pattern::replace(std::string_view rewrite, std::string& text) const {
    patternmatch m;
    if (!run(text, 0, anchoring::none, &m)) return false;
    std::string out(text, 0, m.start(0));
    if (!rewriteinto(out, rewrite, m)) return false;
    out.append(text, m.end(0));
    text.swap(out);
    return true;
}

int pattern::globalreplace(std::string_view rewrite, std::string& text) const {
    int count = 0;
    std::string out;
    size_t start = 0;
    bool lastwasempty = false;
    patternmatch m;
    while (start <= text.size()) {
        if (lastwasempty) {
            // After an empty match, try a non-empty one at the same place; else copy one byte.
            if (!run(text, start, anchoring::startnotempty, &m)) {
                if (start < text.size()) out.push_back(text[start]);
                ++start;
                lastwasempty = false;
                continue;
            }
        } else if (!run(text, start, anchoring::none, &m)) {
            break;
        }
        out.append(text, start, m.start(0) - start);
        if (!rewriteinto(out, rewrite, m)) return count;
        lastwasempty = m.start(0) == m.end(0);
        start = m.end(0);
        ++count;
    }
    if (count == 0) return 0;
    if (start < text.size()) out.append(text, start);
    text.swap(out);
    return count;
}

std::string pattern::quotemeta(std::string_view literal) {
    std::string result;
    result.reserve(literal.size() * 2);
    for (char c : literal) {
        unsigned char b = static_cast<unsigned char>(c);
        bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' || b >= 128;
        if (b == 0) {
            result += "\\x00";
            continue;
        }
        if (!plain) result += '\\';
        result += c;
    }
    return result;
}
