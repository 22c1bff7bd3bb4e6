// The two fixed matchers that split a -D value: "^(\w+)=(.+)$" and "^(\w+)$". \w is one of
// a-z, A-Z, 0-9, "_"; "." any byte but LF; "$" the end, or just before one final LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a group matched; end is -1 while the group has not taken part.
struct capturerecord {
    int32_t start = -1;
    int32_t end = -1;
};
// "[start,end]".
std::string formatcapture(const capturerecord& capture);

class definitionmatcher {
public:
    virtual ~definitionmatcher() = default;

    // Tries the pattern at each start from the current position on; stops at the first success.
    bool match(std::string_view text);
    // Tries the pattern only at the current position.
    bool gmatch(std::string_view text);
    // The text of group n (0 is the whole match); empty when it did not take part.
    std::string group(size_t n) const;
    std::string operator[](size_t n) const { return group(n); }
    bool ismatched(size_t n) const;
    const capturerecord& capture(size_t n) const;
    // The position the next match starts from; a success moves it to the match's end.
    size_t pos() const { return position; }
    void pos(size_t at) { position = at; }
    void restart() { position = 0; }

protected:
    explicit definitionmatcher(size_t groups) : captures(groups + 1) {}
    // The pattern at start: on success the end of the match, with groups 1.. filled.
    virtual std::optional<size_t> matchat(size_t start) = 0;

    // The longest run of \w bytes from the position: its end.
    size_t wordrunend(size_t from) const;
    // The longest run of "." bytes from the position: its end.
    size_t dotrunend(size_t from) const;
    // "$" at the position.
    bool atend(size_t at) const;
    void setgroup(size_t n, size_t start, size_t end);

    std::string subject;

private:
    bool attempt(size_t start);

    std::vector<capturerecord> captures;
    size_t position = 0;
};

// ^(\w+)=(.+)$ : a macro name, "=" and a body.
class namevaluematcher final : public definitionmatcher {
public:
    namevaluematcher() : definitionmatcher(2) {}

private:
    std::optional<size_t> matchat(size_t start) override;
};

// ^(\w+)$ : a macro name alone.
class namematcher final : public definitionmatcher {
public:
    namematcher() : definitionmatcher(1) {}

private:
    std::optional<size_t> matchat(size_t start) override;
};
