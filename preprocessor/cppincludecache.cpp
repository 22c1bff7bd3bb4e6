// The include cache file, beside the included file: NUL-ended items; the magic, the
// dependency files with their last-write times, "#endofincludedfiles", the macros in force,
// "#endofmacros", then the output tokens as kind byte and text.
#include "cppincludecache.h"

#include <charconv>
#include <optional>
#include <vector>

#include "cpperrors.h"
#include "cppfiles.h"
#include "cppmacros.h"
#include "cppstate.h"

namespace {

constexpr std::string_view cachemagic = "cpptodcachefilev0.1";
constexpr std::string_view endofincludedfiles = "#endofincludedfiles";
constexpr std::string_view endofmacros = "#endofmacros";

// The items of a cache file, read one by one. Every item ends in a NUL; a missing NUL is a
// fault of the file.
class cachereader {
public:
    cachereader(std::string_view data, size_t position) : data(data), position(position) {}
    std::optional<std::string_view> next() {
        size_t end = data.find('\0', position);
        if (end == std::string_view::npos) return std::nullopt;
        std::string_view item = data.substr(position, end - position);
        position = end + 1;
        return item;
    }
    bool atend() const { return position >= data.size(); }
    size_t where() const { return position; }

private:
    std::string_view data;
    size_t position;
};

// "(" then name ":" index ";" per parameter in byte order of the names, then ")"; empty for
// an object-like macro.
std::string signature(const macro& definition) {
    if (!definition.functionlike) return {};
    std::string text = "(";
    for (const auto& [name, index] : definition.parameters) {
        text += name;
        text += ':';
        text += std::to_string(index);
        text += ';';
    }
    text += ')';
    return text;
}

void additem(std::string& data, std::string_view item) {
    data += item;
    data += '\0';
}

std::optional<int64_t> parsetime(std::string_view text) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// The dependency pairs: each file unchanged, and the found path among them.
bool dependenciesunchanged(cachereader& reader, const std::string& foundpath) {
    bool foundlisted = false;
    for (;;) {
        std::optional<std::string_view> name = reader.next();
        if (!name || name->empty()) return false;
        if (*name == endofincludedfiles) return foundlisted;
        std::optional<std::string_view> timetext = reader.next();
        if (!timetext) return false;
        std::optional<int64_t> recorded = parsetime(*timetext);
        std::optional<int64_t> now = lastwritetime(std::string(*name));
        if (!recorded || !now || *recorded != *now) return false;
        foundlisted = foundlisted || *name == foundpath;
    }
}

// The macro triples: exactly the macros defined now, with the same signatures and bodies.
bool macrosunchanged(const macrostate& macros, cachereader& reader) {
    size_t count = 0;
    for (;;) {
        std::optional<std::string_view> name = reader.next();
        if (!name || name->empty()) return false;
        if (*name == endofmacros) return count == macros.table.size();
        std::optional<std::string_view> recordedsignature = reader.next();
        std::optional<std::string_view> body = reader.next();
        if (!recordedsignature || !body) return false;
        auto found = macros.table.find(*name);
        if (found == macros.table.end() || signature(found->second) != *recordedsignature ||
            jointokens(found->second.body) != *body)
            return false;
        ++count;
    }
}

// Each token: a one-byte kind item and a text item, up to the end of the data.
bool tokensectionwellformed(cachereader reader) {
    while (!reader.atend()) {
        std::optional<std::string_view> kind = reader.next();
        if (!kind || kind->size() != 1 || !reader.next()) return false;
    }
    return true;
}

bool recordable(const cachestate& cache, const switchstate& switches, std::span<const atoken> tokens) {
    if (cache.uncacheableevents != cache.eventsatrecordingstart || switches.ld || switches.kld) return false;
    for (const atoken& token : tokens)
        if (token.kind <= 0 || token.kind > 255 || token.text.find('\0') != std::string_view::npos) return false;
    return true;
}

// The head: the magic, then each dependency with its time; empty when one cannot be examined.
std::string dependencysection(const cachestate& cache, const std::string& sourcefilename) {
    std::string head;
    additem(head, cachemagic);
    std::vector<std::string> names = {sourcefilename};
    names.insert(names.end(), cache.includedfiles.begin(), cache.includedfiles.end());
    for (const std::string& name : names) {
        std::optional<int64_t> time = lastwritetime(name);
        if (!time) return {};
        additem(head, name);
        additem(head, std::to_string(*time));
    }
    additem(head, endofincludedfiles);
    return head;
}

}  // namespace

// Beside the included file, a cache has the trust of the text it stands for: whoever may
// change one may change the other. In the current folder, which may be anyone's, another user
// could plant a cache that puts any text into the output.
std::string cachefilenamefor(const std::string& foundpath) {
    std::string name = foundpath;
    size_t folderend = name.find_last_of('/');
    for (size_t i = folderend == std::string::npos ? 0 : folderend + 1; i < name.size(); ++i)
        if (name[i] == ':' || name[i] == '\\' || name[i] == '.') name[i] = '_';
    name += ".cch";
    return name;
}

bool checkcache(cachestate& cache, const macrostate& macros, textstore& kept, const std::string& foundpath,
                std::string_view& data, size_t& position) {
    cache.cachefilename = cachefilenamefor(foundpath);
    const std::string& name = cache.cachefilename;
    cache.mayreplace = !nameexists(name);
    if (cache.mayreplace) return false;
    std::string content;
    try {
        content = readwholefile(name);
    } catch (const std::exception&) {
        return false;
    }
    cache.mayreplace = isplainfile(name) && content.starts_with(cachemagic) && content.size() > cachemagic.size() &&
                       content[cachemagic.size()] == '\0';
    if (content.empty() || content.back() != '\0') return false;
    cachereader reader(content, 0);
    std::optional<std::string_view> magic = reader.next();
    if (!magic || *magic != cachemagic || !dependenciesunchanged(reader, foundpath) ||
        !macrosunchanged(macros, reader) || !tokensectionwellformed(reader))
        return false;
    position = reader.where();
    data = keeptext(kept, std::move(content));
    return true;
}

void readcachedtokens(const switchstate& switches, std::string_view data, size_t position, tokenoutput& output) {
    cachereader reader(data, position);
    while (!reader.atend()) {
        std::string_view kind = reader.next().value_or("");
        std::string_view text = reader.next().value_or("");
        if (kind.empty()) break;
        output.push_back({static_cast<unsigned char>(kind[0]), text});
    }
    trace(switches, "cache read");
}

void startcacherecording(cachestate& cache, const macrostate& macros, const std::string& foundpath) {
    cache.cachefilename = cachefilenamefor(foundpath);
    cache.recordedmacros.clear();
    for (const auto* entry : sortedmacros(macros)) {
        const auto& [name, definition] = *entry;
        additem(cache.recordedmacros, name);
        additem(cache.recordedmacros, signature(definition));
        additem(cache.recordedmacros, jointokens(definition.body));
    }
    cache.includedfiles.clear();
    cache.eventsatrecordingstart = cache.uncacheableevents;
}

void writecache(const cachestate& cache, const switchstate& switches, const std::string& sourcefilename,
                std::span<const atoken> tokens) {
    if (!recordable(cache, switches, tokens)) return;
    if (!cache.mayreplace) {
        trace(switches, "cache not written: " + cache.cachefilename + " is no cache file");
        return;
    }
    std::string content = dependencysection(cache, sourcefilename);
    if (content.empty()) return;
    content += cache.recordedmacros;
    additem(content, endofmacros);
    for (const atoken& token : tokens) {
        content += static_cast<char>(token.kind);
        content += '\0';
        additem(content, token.text);
    }
    // The cache only saves time: a folder that cannot take it leaves the output as it is.
    try {
        writewholefile(cache.cachefilename, content);
    } catch (const preprocesserror& error) {
        trace(switches, std::string("cache not written: ") + error.what());
        return;
    }
    trace(switches, "cache generated");
}
