// The token record, the token kinds and the doubly linked token list the engine walks.
// Edits go through the list so that cached columns and the re-tokenizer stay exact.
#pragma once

#include <cstdint>
#include <cstring>
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
    qquoteopener = 7,  // q' whose end was not found
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
    friend class tokenlist;

public:
    textstore() = default;
    textstore(const textstore&) = delete;
    textstore& operator=(const textstore&) = delete;
    // A lasting copy of the text.
    std::string_view keep(std::string_view text);

private:
    struct pagesrelease {
        size_t bytes = 0;
        void operator()(char* chunk) const;
    };
    std::vector<std::unique_ptr<char[]>> chunks;
    std::vector<std::unique_ptr<char[], pagesrelease>> pagechunks;  // the chunks of whole pages
    size_t chunksize = 0;
    char* room = nullptr;
    size_t roomleft = 0;
};

class token {
public:
    token() { settextdata(""); }
    token(std::string_view text, int32_t ofkind, int32_t ofclass = 0, int32_t atsequence = 0, int32_t atline = -1,
          int32_t atcolumn = 1)
        : sequence(atsequence),
          column(atcolumn),
          line(atline),
          kind(static_cast<uint8_t>(ofkind)),
          classcode(static_cast<int8_t>(ofclass)) {
        takecopy(text);
    }
    // A token whose text is the given bytes themselves: they must outlive the token.
    static token referring(std::string_view text, int32_t kind, int32_t classcode, int32_t sequence, int32_t line,
                           int32_t column);
    token(const token& other);
    token(token&& other) noexcept;
    token& operator=(const token& other);
    ~token() {
        if (ownstext) delete[] textdata();
    }

    std::string_view text() const { return {textdata(), textsize}; }
    // The text holds a CR or LF byte.
    bool breaksline() const { return breaks; }
    // Replaces the text; the list that holds the token learns of it.
    void settext(std::string_view text);
    // Where the token stands in the tokenized text (inserted tokens: where they were put;
    // -1 until then).
    int64_t sourceoffset() const { return offset == unplaced ? -1 : int64_t(offset); }
    void setsourceoffset(int64_t at) { offset = at < 0 ? unplaced : static_cast<uint32_t>(at); }
    // Offsets of tokenized texts stay below this.
    static constexpr int64_t offsetlimit = int64_t(UINT32_MAX);

private:
    friend class tokenlist;
    // The neighbours, as slot numbers of the list that holds the token (0: none): half the
    // room of pointers, in the record every token of a text has.
    uint32_t previd = 0;
    uint32_t nextid = 0;
    // The text's address: the list's texts, the tokenized text, or a copy of its own. Kept as
    // two words, so that the record needs no 8-byte alignment and takes 44 bytes, not 48.
    uint32_t textwords[2] = {};
    static constexpr uint32_t unplaced = UINT32_MAX;
    uint32_t offset = unplaced;
    uint32_t textsize = 0;
    int32_t cachedcolumn = 0;  // display column where the token starts on its line; 0 unknown

public:
    int32_t sequence = 0;  // pieces of one multi-line token are numbered consecutively
    int32_t column = 1;    // input column where the tokenizer found it
    int32_t line = -1;     // -1: the nearest earlier token's line counts
    uint8_t kind = 0;
    int8_t classcode = 0;  // keyword class of an identifier, else 0

    // Blanks the alignment rules placed: operator spacing must leave them alone.
    bool protectedtoken : 1 = false;
    bool protectedfollowingblank : 1 = false;
    // The token begins a match of the tokenizer (the first piece of a multi-line token).
    bool matchstart : 1 = false;

private:
    bool ownstext : 1 = false;  // textdata is this token's own copy (a token outside lists)
    bool breaks : 1 = false;    // the text holds a line break
    bool inlist : 1 = false;    // the token lives in a list's slot: the list is found from it
    void point(std::string_view text, bool owned);
    void takecopy(std::string_view text);
    void copyfields(const token& other);
    void sharetext(const token& other);
    const char* textdata() const {
        const char* data;
        std::memcpy(&data, textwords, sizeof data);
        return data;
    }
    void settextdata(const char* data) { std::memcpy(textwords, &data, sizeof data); }
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
            node = list->at(node->nextid);
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        iterator& operator--() {
            node = list->at(node->previd);
            return *this;
        }
        iterator operator--(int) {
            iterator old = *this;
            --*this;
            return old;
        }
        bool operator==(const iterator& other) const { return node == other.node; }
        token* get() const { return node; }

    private:
        friend class tokenlist;
        iterator(const tokenlist* l, token* n) : node(n), list(l) {}
        token* node = nullptr;
        const tokenlist* list = nullptr;
    };

    tokenlist();
    ~tokenlist();
    tokenlist(const tokenlist&) = delete;
    tokenlist& operator=(const tokenlist&) = delete;

    iterator begin() const { return iterator(this, at(head->nextid)); }
    iterator end() const { return iterator(this, head); }
    bool empty() const { return head->nextid == headid; }
    // The number of tokens in the list.
    int64_t size() const;
    // The bytes of the tokens' texts: the size of the text they join to.
    int64_t textbytes() const {
        size();
        return bytes > 0 ? bytes : 0;
    }
    token& front() const { return *at(head->nextid); }
    token& back() const { return *at(head->previd); }

    // Inserts before pos; the new token takes pos's place in the text.
    iterator insert(iterator pos, token&& t);
    iterator insert(iterator pos, const token& t) { return insert(pos, token(t)); }
    // Inserts before pos a new token whose text is copied into the list's store.
    iterator insertnew(iterator pos, std::string_view text, int32_t kind, int32_t classcode, int32_t sequence,
                       int32_t line = -1);
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
    // The next and the previous token of a chain's token (nullptr: none).
    token* nextof(const token* t) const { return t->nextid ? at(t->nextid) : nullptr; }
    token* prevof(const token* t) const { return t->previd ? at(t->previd) : nullptr; }
    // Gives back a token that newnode made and that no list holds.
    void freenode(token* t);
    // Appends a token of the tokenized text whose text is those bytes themselves.
    iterator appendtokenized(std::string_view text, int32_t kind, int32_t classcode, int32_t sequence, int32_t line,
                             int32_t column, int64_t sourceoffset, bool matchstart, bool breaks) {
        token* node = new (takeslot()) token();
        node->inlist = true;
        node->settextdata(text.data());
        node->textsize = static_cast<uint32_t>(text.size());
        node->breaks = breaks;
        node->sequence = sequence;
        node->column = column;
        node->line = line;
        node->kind = static_cast<uint8_t>(kind);
        node->classcode = static_cast<int8_t>(classcode);
        node->setsourceoffset(sourceoffset);
        node->matchstart = matchstart;
        link(at(head->previd), node);
        return iterator(this, node);
    }

private:
    friend class token;
    // Tokens live in blocks of slots, handed out in order and reused once freed: a text's
    // tokens lie next to each other in memory and cost no allocation of their own. A token
    // in a list keeps its text in the list's store, so the slots need no destruction. Blocks
    // are made of aligned pages whose first slot names the list and the page's number, so a
    // token finds its list and its own slot number without a field of its own. A slot's
    // number is its page's number times slotsperpage plus its place on the page; the first
    // slot of the first page holds no token, so 0 means "none".
    static constexpr size_t pagesize = 64 * 1024;
    static constexpr int pagebits = 11;
    static constexpr uint32_t slotsperpage = uint32_t(1) << pagebits;
    static_assert(pagesize / sizeof(token) <= slotsperpage, "a page's slots are numbered in pagebits");
    static constexpr uint32_t headid = 1;  // the head is the first token slot of the first page
    struct pageheader {
        tokenlist* list;
        uint32_t number;
    };
    static_assert(sizeof(pageheader) <= sizeof(token), "a page's header fits in its first slot");
    static char* pageof(const token* t) {
        return reinterpret_cast<char*>(reinterpret_cast<uintptr_t>(t) & ~(pagesize - 1));
    }
    static tokenlist* listof(const token* t) { return reinterpret_cast<const pageheader*>(pageof(t))->list; }
    static uint32_t idof(const token* t) {
        const char* page = pageof(t);
        const auto place = static_cast<uint32_t>((reinterpret_cast<const char*>(t) - page) / sizeof(token));
        return (reinterpret_cast<const pageheader*>(page)->number << pagebits) | place;
    }
    token* at(uint32_t id) const {
        return reinterpret_cast<token*>(pages[id >> pagebits] + (id & (slotsperpage - 1)) * sizeof(token));
    }

    // Text before `first` changed: forget the cached columns that it may move.
    void changedat(token* first, int64_t offset);
    void forgetcolumnsfrom(token* first);
    void link(token* before, token* t) {
        const uint32_t beforeid = idof(before), tid = idof(t);
        token* after = at(before->nextid);
        t->previd = beforeid;
        t->nextid = before->nextid;
        before->nextid = tid;
        after->previd = tid;
        ++count;
        bytes += t->textsize;
    }
    void* takeslot() {
        if (freeslots) {
            void* place = at(freeslots);
            freeslots = static_cast<freeslot*>(place)->next;
            return place;
        }
        if (room == pageend) newpage();
        void* place = room;
        room += sizeof(token);
        return place;
    }
    void newpage();
    token* head = nullptr;
    textstore texts;
    int64_t lastedit = -1;           // the highest offset edited so far
    mutable int64_t count = 0;       // tokens in the list,
    mutable int64_t bytes = 0;       // and the bytes of their texts,
    mutable bool countknown = true;  // unless chains were cut off or linked in

    struct freeslot {
        uint32_t next;  // the slot number of the next free slot, 0: none
    };
    std::vector<std::unique_ptr<char[], textstore::pagesrelease>> blocks;
    std::vector<char*> pagelist;  // the pages by number
    char** pages = nullptr;       // pagelist's bytes, read on every step of a walk
    char* currentpage = nullptr;  // the newest page
    char* room = nullptr;         // its next slot
    char* pageend = nullptr;      // past the last slot of that page
    char* blockend = nullptr;     // past the newest block
    size_t blockbytes = 0;        // size of the newest block
    uint32_t freeslots = 0;       // the first free slot's number, 0: none
};
