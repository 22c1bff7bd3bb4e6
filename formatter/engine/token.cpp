// The token list: linking, erasing, and the bookkeeping that keeps cached columns exact.
#include "token.h"

#include "pagememory.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

bool haslinebreak(std::string_view text) {
    for (char c : text)
        if (c == '\n' || c == '\r') return true;
    return false;
}

static_assert(sizeof(token) <= 44, "a token takes 44 bytes");

namespace {

// Blocks of slots and texts start small and double up to 2 MB: small texts stay small.
size_t nextblocksize(size_t previous, size_t first) {
    constexpr size_t largest = size_t(2) << 20;
    return previous == 0 ? first : previous >= largest ? largest : previous * 2;
}

// Chunks from this size on are whole pages of their own.
constexpr size_t pagechunkfrom = size_t(64) << 10;

}  // namespace

std::string_view textstore::keep(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > roomleft) {
        const size_t next = nextblocksize(chunksize, 4 * 1024);
        if (text.size() > next / 4) {
            // Texts larger than a quarter of a fresh chunk get a chunk of their own; the
            // room of the current one stays.
            chunks.push_back(std::unique_ptr<char[]>(new char[text.size()]));
            std::memcpy(chunks.back().get(), text.data(), text.size());
            return {chunks.back().get(), text.size()};
        }
        chunksize = next;
        if (chunksize >= pagechunkfrom) {
            pagechunks.emplace_back(static_cast<char*>(takepages(chunksize)), pagesrelease{chunksize});
            room = pagechunks.back().get();
        } else {
            chunks.push_back(std::unique_ptr<char[]>(new char[chunksize]));
            room = chunks.back().get();
        }
        roomleft = chunksize;
    }
    char* kept = room;
    std::memcpy(kept, text.data(), text.size());
    room += text.size();
    roomleft -= text.size();
    return {kept, text.size()};
}

token token::referring(std::string_view text, int32_t kind, int32_t classcode, int32_t sequence, int32_t line,
                       int32_t column) {
    token t;
    t.sequence = sequence;
    t.column = column;
    t.line = line;
    t.kind = static_cast<uint8_t>(kind);
    t.classcode = static_cast<int8_t>(classcode);
    t.point(text, false);
    return t;
}

// Points the token at the text; owned: the bytes are this token's own heap copy. A copy of
// its own that the token no longer points at goes.
void token::point(std::string_view text, bool owned) {
    const char* old = ownstext ? textdata() : nullptr;
    settextdata(text.empty() ? "" : text.data());
    textsize = static_cast<uint32_t>(text.size());
    ownstext = owned && !text.empty();
    breaks = haslinebreak(text);
    if (old && old != textdata()) delete[] old;
}

void token::takecopy(std::string_view text) {
    if (text.empty()) {
        point({}, false);
        return;
    }
    char* copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
    point({copy, text.size()}, true);
}

// The fields a copy takes over besides its text.
void token::copyfields(const token& other) {
    previd = other.previd;
    nextid = other.nextid;
    offset = other.offset;
    cachedcolumn = other.cachedcolumn;
    sequence = other.sequence;
    column = other.column;
    line = other.line;
    kind = other.kind;
    classcode = other.classcode;
    protectedtoken = other.protectedtoken;
    protectedfollowingblank = other.protectedfollowingblank;
    matchstart = other.matchstart;
}

// Points at the other token's text as it is, without owning it.
void token::sharetext(const token& other) {
    textwords[0] = other.textwords[0];
    textwords[1] = other.textwords[1];
    textsize = other.textsize;
    breaks = other.breaks;
}

token::token(const token& other) {
    copyfields(other);
    sharetext(other);
    if (other.ownstext) takecopy(other.text());
}

token::token(token&& other) noexcept {
    copyfields(other);
    sharetext(other);
    ownstext = other.ownstext;
    other.ownstext = false;
    other.settextdata("");
    other.textsize = 0;
    other.breaks = false;
}

token& token::operator=(const token& other) {
    if (this == &other) return *this;
    if (other.ownstext) takecopy(other.text());
    else point(other.text(), false);
    copyfields(other);
    return *this;
}

void token::settext(std::string_view text) {
    if (!inlist) {
        takecopy(text);
        return;
    }
    tokenlist* list = tokenlist::listof(this);
    list->bytes += static_cast<int64_t>(text.size()) - textsize;
    point(list->texts.keep(text), false);
    list->changedat(list->nextof(this), sourceoffset());
}

// The first page is taken at once: the head is its first token slot.
tokenlist::tokenlist() {
    head = new (takeslot()) token();
    head->previd = head->nextid = headid;
    head->kind = endtoken;
    head->inlist = true;
}

// Tokens in slots own nothing (their texts are in the store): the blocks just go.
tokenlist::~tokenlist() = default;

int64_t tokenlist::size() const {
    if (!countknown) {
        count = bytes = 0;
        for (const token* t = at(head->nextid); t != head; t = at(t->nextid)) {
            ++count;
            bytes += t->textsize;
        }
        countknown = true;
    }
    return count;
}

void tokenlist::clear() {
    token* t = at(head->nextid);
    while (t != head) {
        token* after = at(t->nextid);
        freenode(t);
        t = after;
    }
    head->previd = head->nextid = headid;
    lastedit = -1;
    count = bytes = 0;
    countknown = true;
}

tokenlist::iterator tokenlist::append(token&& t) {
    token* node = newnode(std::move(t));
    link(at(head->previd), node);
    return iterator(this, node);
}

tokenlist::iterator tokenlist::insert(iterator pos, token&& t) {
    token* node = newnode(std::move(t));
    token* at = pos.node;
    int64_t offset =
        at != head ? at->sourceoffset() : (head->previd != headid ? std::numeric_limits<int64_t>::max() : 0);
    if (node->sourceoffset() < 0) node->setsourceoffset(std::min(offset, token::offsetlimit - 1));
    node->matchstart = false;
    link(this->at(at->previd), node);
    changedat(at, offset);
    return iterator(this, node);
}

tokenlist::iterator tokenlist::insertnew(iterator pos, std::string_view text, int32_t kind, int32_t classcode,
                                         int32_t sequence, int32_t line) {
    return insert(pos, token::referring(texts.keep(text), kind, classcode, sequence, line, 1));
}

tokenlist::iterator tokenlist::erase(iterator pos) {
    token* t = pos.node;
    token* after = at(t->nextid);
    at(t->previd)->nextid = t->nextid;
    after->previd = t->previd;
    int64_t offset = t->sourceoffset();
    bytes -= t->textsize;
    freenode(t);
    --count;
    changedat(after, offset);
    return iterator(this, after);
}

// A token's start column depends on the texts before it on its line, so a change before
// `first` moves it and every later token up to the next line break.
void tokenlist::changedat(token* first, int64_t offset) {
    if (offset > lastedit) lastedit = offset;
    forgetcolumnsfrom(first);
}

void tokenlist::forgetcolumnsfrom(token* first) {
    for (token* x = first; x && x != head && x->cachedcolumn != 0; x = nextof(x)) {
        x->cachedcolumn = 0;
        if (x->breaksline()) break;
    }
}

// Rules edit at and just after the token they are at, so the highest edited offset tells
// well enough whether the text from an offset on is still as tokenized.
bool tokenlist::editedfrom(int64_t offset) const { return lastedit >= offset; }

void tokenlist::forgeteditsfrom(int64_t offset) {
    if (lastedit >= offset) lastedit = offset - 1;
}

void textstore::pagesrelease::operator()(char* chunk) const { givepages(chunk, bytes); }

// The next page of the newest block, or the first of a new block; its first slot names the
// list and the page's number.
void tokenlist::newpage() {
    char* page = currentpage ? currentpage + pagesize : nullptr;
    if (!page || page >= blockend) {
        blockbytes = nextblocksize(blockbytes, pagesize);
        page = static_cast<char*>(takepages(blockbytes));
        blocks.emplace_back(page, textstore::pagesrelease{blockbytes});
        blockend = page + blockbytes;
    }
    if (pagelist.size() >= (size_t(1) << (32 - pagebits))) throw std::bad_alloc();
    *reinterpret_cast<pageheader*>(page) = {this, static_cast<uint32_t>(pagelist.size())};
    pagelist.push_back(page);
    pages = pagelist.data();
    currentpage = page;
    room = page + sizeof(token);
    pageend = page + pagesize / sizeof(token) * sizeof(token);
}

token* tokenlist::newnode(token&& t) {
    token* node = new (takeslot()) token(std::move(t));
    if (node->ownstext) node->point(texts.keep(node->text()), false);
    node->inlist = true;
    node->previd = node->nextid = 0;
    node->cachedcolumn = 0;
    return node;
}

void tokenlist::freenode(token* t) {
    const uint32_t id = idof(t);
    t->~token();
    new (static_cast<void*>(t)) freeslot{freeslots};
    freeslots = id;
}

tokenlist::chain tokenlist::detachtail(iterator pos) {
    token* first = pos.node;
    if (first == head) return {};
    chain c{first, at(head->previd)};
    token* before = at(first->previd);
    before->nextid = headid;
    head->previd = first->previd;
    first->previd = 0;
    c.last->nextid = 0;
    countknown = false;
    return c;
}

void tokenlist::attachtail(chain c) {
    if (!c.first) return;
    token* before = at(head->previd);
    before->nextid = idof(c.first);
    c.first->previd = idof(before);
    c.last->nextid = headid;
    head->previd = idof(c.last);
    countknown = false;
    forgetcolumnsfrom(c.first);
}
