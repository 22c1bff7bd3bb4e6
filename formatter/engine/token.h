// The token record, the token kinds and the doubly linked token list the engine walks.
// Edits go through the list so that cached columns and the re-tokenizer stay exact.
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// Token kinds.
enum tokenkind : int32_t {
    singlelinecomment = 1,
    doublequotedname = 2,
    stringliteral = 3,
    qquoteliteral = 4,
    blockcomment = 6,
    qquoteopener = 7,      // q' whose end was not found
    identifier = 8,
    whitespace = 9,
    lonedoublequote = 10,
    lonesinglequote = 11,
    lonecommentmark = 12,  // "/*" without its end, or a lone "*/"
    number = 13,
    othertoken = 14,
    keywordtoken = 254,
    endtoken = 255,
};


// Comments and whitespace: the kinds the walking operations step over.
inline bool isinsignificant(int32_t kind) {
    return kind == singlelinecomment || kind == blockcomment || kind == whitespace;
}
// True when the text holds a CR or LF byte.
bool haslinebreak(std::string_view text);

class tokenlist;

// Token texts of a list: bytes that stay where they are until the list goes.
class textstore {
public:
    textstore() = default;
    textstore(const textstore&) = delete;
    textstore& operator=(const textstore&) = delete;
    // A lasting copy of the text.
    std::string_view keep(std::string_view text);

private:
    std::vector<std::unique_ptr<char[]>> chunks;
    size_t chunksize = 0;
    char* room = nullptr;
    size_t roomleft = 0;
};

class token {
public:
    token() = default;
    token(std::string_view text, int32_t ofkind, int32_t ofclass = 0, int32_t atsequence = 0,
          int32_t atline = -1, int32_t atcolumn = 1)
        : sequence(atsequence), column(atcolumn), line(atline), kind(static_cast<int16_t>(ofkind)),
          classcode(static_cast<int8_t>(ofclass)) {
        takecopy(text);
    }
    // A token whose text is the given bytes themselves: they must outlive the token.
    static token referring(std::string_view text, int32_t kind, int32_t classcode, int32_t sequence,
                           int32_t line, int32_t column);
    token(const token& other);
    token(token&& other) noexcept;
    token& operator=(const token& other);
    ~token() {
        if (ownstext) delete[] textdata;
    }

    std::string_view text() const { return {textdata, textsize}; }
    // The text holds a CR or LF byte.
    bool breaksline() const { return breaks; }
    // Replaces the text; the list that holds the token learns of it.
    void settext(std::string_view text);

    // Where the token stands in the tokenized text (inserted tokens: where they were put).
    int64_t sourceoffset = -1;
private:
    friend class tokenlist;
    token* prev = nullptr;
    token* next = nullptr;
    const char* textdata = "";   // the list's texts, the tokenized text, or a copy of its own
    uint32_t textsize = 0;
    int32_t cachedcolumn = 0;    // display column where the token starts on its line; 0 unknown

public:
    int32_t sequence = 0;      // pieces of one multi-line token are numbered consecutively
    int32_t column = 1;        // input column where the tokenizer found it
    int32_t line = -1;         // -1: the nearest earlier token's line counts
    int16_t kind = 0;
    int8_t classcode = 0;      // keyword class of an identifier, else 0

    // Blanks the alignment rules placed: operator spacing must leave them alone.
    bool protectedtoken : 1 = false;
    bool protectedfollowingblank : 1 = false;
    // The token begins a match of the tokenizer (the first piece of a multi-line token).
    bool matchstart : 1 = false;

private:
    bool ownstext : 1 = false;   // textdata is this token's own copy (a token outside lists)
    bool breaks : 1 = false;     // the text holds a line break
    bool inlist : 1 = false;     // the token lives in a list's slot: the list is found from it
    void point(std::string_view text, bool owned);
    void takecopy(std::string_view text);
};

// A doubly linked list of tokens. Positions stay valid until their token is erased; the
// end position is the list's head and means "no token".
class tokenlist {
public:
    static constexpr size_t prefetchdistance = 8 * 64;

    class iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = token;
        using difference_type = std::ptrdiff_t;
        using pointer = token*;
        using reference = token&;

        iterator() = default;
        token& operator*() const { return *node; }
        token* operator->() const { return node; }
        // Tokens mostly lie in list order in memory: the ones a walk reaches next are fetched early.
        iterator& operator++() {
            __builtin_prefetch(reinterpret_cast<const char*>(node) + prefetchdistance);
            node = node->next;
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        iterator& operator--() { node = node->prev; return *this; }
        iterator operator--(int) { iterator old = *this; node = node->prev; return old; }
        bool operator==(const iterator&) const = default;
        token* get() const { return node; }

    private:
        friend class tokenlist;
        explicit iterator(token* n) : node(n) {}
        token* node = nullptr;
    };

    tokenlist();
    ~tokenlist();
    tokenlist(const tokenlist&) = delete;
    tokenlist& operator=(const tokenlist&) = delete;

    iterator begin() const { return iterator(head.next); }
    iterator end() const { return iterator(const_cast<token*>(&head)); }
    bool empty() const { return head.next == &head; }
    // The number of tokens in the list.
    int64_t size() const;
    token& front() const { return *head.next; }
    token& back() const { return *head.prev; }

    // Inserts before pos; the new token takes pos's place in the text.
    iterator insert(iterator pos, token&& t);
    iterator insert(iterator pos, const token& t) { return insert(pos, token(t)); }
    // Inserts before pos a new token whose text is copied into the list's store.
    iterator insertnew(iterator pos, std::string_view text, int32_t kind, int32_t classcode,
                       int32_t sequence, int32_t line = -1);
    void push_back(token&& t) { insert(end(), std::move(t)); }
    // Erases the token at pos; returns the position after it.
    iterator erase(iterator pos);
    void clear();
    // Appends a token of the tokenized text itself (not an edit of it).
    iterator append(token&& t);

    // True when a token at or after this offset of the tokenized text was edited, inserted
    // or erased since the text was tokenized.
    bool editedfrom(int64_t offset) const;
    void forgeteditsfrom(int64_t offset);

    // Column cache of a position (0 = unknown).
    static int32_t cachedcolumnof(const token& t) { return t.cachedcolumn; }
    static void setcachedcolumn(token& t, int32_t column) { t.cachedcolumn = column; }

    // Chain surgery for the re-tokenizer: a chain is a run of linked tokens outside any list.
    struct chain {
        token* first = nullptr;
        token* last = nullptr;
    };
    // Cuts the tokens from pos to the end out of the list, linked as they are.
    chain detachtail(iterator pos);
    // Links a chain (first..last) at the end of the list; the cached columns it brings
    // along are checked again from its first token.
    void attachtail(chain c);
    // A token of this list's kind made outside it, to be linked into a chain.
    token* newnode(token&& t);
    static token* nextof(token* t) { return t->next; }
    static token* prevof(token* t) { return t->prev; }
    // Gives back a token that newnode made and that no list holds.
    void freenode(token* t);
    // Appends a token of the tokenized text whose text is those bytes themselves.
    iterator appendtokenized(std::string_view text, int32_t kind, int32_t classcode, int32_t sequence,
                             int32_t line, int32_t column, int64_t sourceoffset, bool matchstart,
                             bool breaks) {
        token* node = new (takeslot()) token();
        node->inlist = true;
        node->textdata = text.data();
        node->textsize = static_cast<uint32_t>(text.size());
        node->breaks = breaks;
        node->sequence = sequence;
        node->column = column;
        node->line = line;
        node->kind = static_cast<int16_t>(kind);
        node->classcode = static_cast<int8_t>(classcode);
        node->sourceoffset = sourceoffset;
        node->matchstart = matchstart;
        link(head.prev, node);
        return iterator(node);
    }

private:
    friend class token;
    // Text before `first` changed: forget the cached columns that it may move.
    void changedat(token* first, int64_t offset);
    void forgetcolumnsfrom(token* first);
    void link(token* before, token* t) {
        token* after = before->next;
        t->prev = before;
        t->next = after;
        before->next = t;
        after->prev = t;
        ++count;
    }
    void* takeslot() {
        if (freeslots) {
            void* place = freeslots;
            freeslots = freeslots->next;
            return place;
        }
        if (room == pageend) newpage();
        void* place = room;
        room += sizeof(token);
        return place;
    }
    void newpage();
    token head;
    textstore texts;
    int64_t lastedit = -1;   // the highest offset edited so far
    mutable int64_t count = 0;          // tokens in the list,
    mutable bool countknown = true;     // unless chains were cut off or linked in

    // Tokens live in blocks of slots, handed out in order and reused once freed: a text's
    // tokens lie next to each other in memory and cost no allocation of their own. A token
    // in a list keeps its text in the list's store, so the slots need no destruction. Blocks
    // are made of aligned pages whose first slot names the list, so a token finds its list
    // without a pointer of its own.
    static constexpr size_t pagesize = 64 * 1024;
    static tokenlist* listof(const token* t) {
        return *reinterpret_cast<tokenlist* const*>(reinterpret_cast<uintptr_t>(t) & ~(pagesize - 1));
    }
    struct freeslot {
        freeslot* next;
    };
    struct blockrelease {
        void operator()(char* block) const;
    };
    std::vector<std::unique_ptr<char[], blockrelease>> blocks;
    char* currentpage = nullptr;  // the newest page
    char* room = nullptr;         // its next slot
    char* pageend = nullptr;      // past the last slot of that page
    char* blockend = nullptr;     // past the newest block
    size_t blockbytes = 0;        // size of the newest block
    freeslot* freeslots = nullptr;
};
