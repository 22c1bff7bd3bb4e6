// The output of a call: tokens are appended at the end, and older tokens are joined into the
// result text in batches, so the list of tokens stays small however long the text is.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "cpptokens.h"

class tokenoutput {
public:
    void push_back(const atoken& token) {
        recenttokens.push_back(token);
        textbytes += token.text.size();
    }
    void append(std::span<const atoken> tokens) {
        recenttokens.insert(recenttokens.end(), tokens.begin(), tokens.end());
        for (const atoken& token : tokens) textbytes += token.text.size();
    }
    // The length of the whole text so far.
    size_t bytes() const { return textbytes; }
    // The tokens appended since the last join; their indexes hold until the next join.
    const tokenlist& recent() const { return recenttokens; }
    // True when the joined tokens end at a line start: after their last white space holding a
    // line break only white space and block comments follow (also when nothing is joined).
    bool joinedendsatlinestart() const { return linestart; }
    // Joins the recent tokens when there are many of them and no hold is in force.
    void joinifmany() {
        if (recenttokens.size() >= batchsize && holds == 0) joinrecent();
    }
    // Room for bytes; the pages of the first likely bytes are filled in at once when they are many.
    void reservetext(size_t bytes, size_t likely);
    // Drops everything appended so far.
    void clear();
    // The whole text so far, joined and recent tokens together.
    std::string text() const;
    // The same, leaving the output empty.
    std::string taketext();

    // While a hold is in force nothing is joined, so recent() keeps every token appended.
    class hold {
    public:
        explicit hold(tokenoutput& output) : output(output) { ++output.holds; }
        ~hold() { --output.holds; }
        hold(const hold&) = delete;
        hold& operator=(const hold&) = delete;

    private:
        tokenoutput& output;
    };

private:
    static constexpr size_t batchsize = 8192;
    void joinrecent();

    tokenlist recenttokens;
    std::string joined;
    bool linestart = true;
    int holds = 0;
    size_t textbytes = 0;
};
