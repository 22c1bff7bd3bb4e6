// Compiled PCRE2 patterns with the matching, consuming and rewriting calls brelm uses.
// Patterns are cached by (text, options): pattern::get costs a lock and one hash lookup after the
// first compile. A pattern may be used from several threads at once: each thread matches into
// match data of its own, and the cache and the forms compiled on first use are guarded.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Groups of one match: group(0) is the whole match, group(i) the i-th capture.
// A group that took no part in the match reads as empty and reports matched(i) false.
class patternmatch {
public:
    std::string_view group(size_t i) const;
    std::string str(size_t i) const { return std::string(group(i)); }
    bool matched(size_t i) const;
    size_t count() const { return groups.size(); }  // 1 + number of capture groups
    size_t start(size_t i) const;                   // offset into the subject; npos when unset
    size_t end(size_t i) const;

private:
    friend class pattern;
    std::string_view subject;
    std::vector<std::pair<size_t, size_t>> groups;  // (start, end) or (npos, npos)
};

class pattern {
public:
    enum options : int { none = 0, caseless = 1, dotall = 2 };

    // Compiles the pattern; an invalid pattern throws a message string (an internal error).
    explicit pattern(std::string_view text, int options = none);
    ~pattern();
    pattern(const pattern&) = delete;
    pattern& operator=(const pattern&) = delete;

    // The cached compiled form of text: compiled on first use, kept for the process.
    static const pattern& get(std::string_view text, int options = none);

    // Whole text must match (the match ends at the very end, "$" alone is not enough).
    bool fullmatch(std::string_view text, patternmatch* m = nullptr) const;
    // A match anywhere in the text.
    bool partialmatch(std::string_view text, patternmatch* m = nullptr) const;
    // Match anchored at pos (so "\G" holds there); on success pos moves past the match.
    bool consume(std::string_view text, size_t& pos, patternmatch* m = nullptr) const;
    // First match at or after pos; on success pos moves past the match.
    bool findandconsume(std::string_view text, size_t& pos, patternmatch* m = nullptr) const;
    // Unanchored search from pos, pos kept; the subject stays whole for look-behind and "\G".
    bool search(std::string_view text, size_t pos, patternmatch* m = nullptr) const;

    // Replace the first match by rewrite, where "\0".."\9" insert groups and "\\" a backslash.
    bool replace(std::string_view rewrite, std::string& text) const;
    // Replace every match; an empty match is followed by a retry at the same place that
    // refuses an empty match, and failing that by one byte copied over. Returns the count.
    int globalreplace(std::string_view rewrite, std::string& text) const;

    int capturecount() const { return groupcount; }
    const std::string& text() const { return source; }

    // The text with every byte but [A-Za-z0-9_] and bytes above 127 escaped.
    static std::string quotemeta(std::string_view literal);

private:
    struct compiled;
    // startnotempty: anchored at the start offset, where an empty match is refused.
    enum class anchoring { none, start, startnotempty, both };
    bool run(std::string_view text, size_t pos, anchoring how, patternmatch* m) const;
    bool rewriteinto(std::string& out, std::string_view rewrite, const patternmatch& m) const;
    const compiled& form(anchoring how) const;
    const compiled& compiledonce(std::atomic<const compiled*>& slot, const std::string& text) const;

    std::string source;
    int groupcount = 0;
    int flags = 0;
    std::unique_ptr<compiled> code;                       // the pattern as given
    mutable std::atomic<const compiled*> anchoredcode{};  // anchored at the start offset; owned
    mutable std::atomic<const compiled*> fullcode{};      // "(?:pattern)\z", anchored; owned
};
