// #include and #include_next: name, search, included texts, include stack and bracketing.
#include "cppincludes.h"

#include <optional>
#include <utility>

#include "cpreprocessor.h"
#include "cppdriver.h"
#include "cpperrors.h"
#include "cppfiles.h"
#include "cppincludecache.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppstate.h"

namespace {

bool isseparator(char c) { return c == '/' || c == '\\'; }

std::string_view lastcomponent(std::string_view path) {
    size_t separator = path.find_last_of("/\\:");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view directorypart(std::string_view path) {
    size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

std::string_view withouttrailingseparator(std::string_view path) {
    if (!path.empty() && isseparator(path.back())) path.remove_suffix(1);
    return path;
}

bool samepath(std::string_view a, std::string_view b) {
    return !a.empty() && !b.empty() && withouttrailingseparator(a) == withouttrailingseparator(b);
}

std::string joinpath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (isseparator(directory.back())) return directory + name;
    return directory + "/" + name;
}

// The #line state of the including text, set aside while an included text is read: a #line
// directive of one file does not number the lines of another.
class linestatescope {
public:
    explicit linestatescope(linestate& lines) : lines(lines), outer(std::exchange(lines, {})) {}
    ~linestatescope() { lines = std::move(outer); }
    linestatescope(const linestatescope&) = delete;
    linestatescope& operator=(const linestatescope&) = delete;

private:
    linestate& lines;
    linestate outer;
};

std::string unclosedmessage(bool system) { return system ? "closing > not found in #include" : "closing \" not found"; }

// The name at position; closed is false when its closing delimiter is missing.
includename scanincludename(size_t& position, std::string_view text, bool& closed) {
    closed = true;
    if (position >= text.size() || (text[position] != '"' && text[position] != '<')) return {};
    bool system = text[position] == '<';
    size_t closing = text.find(system ? '>' : '"', position + 1);
    if (closing == std::string_view::npos) {
        closed = false;
        return {{}, system};
    }
    includename parsed{std::string(text.substr(position + 1, closing - position - 1)), system};
    position = closing + 1;
    return parsed;
}

// The name written after the directive, or made by the macros on its line; empty when there
// is none. In an inactive section the macros are not expanded.
includename readincludename(const expansionparts& parts, bool active, size_t& position, std::string_view text) {
    includename parsed = parseincludename(parts.errors, position, text);
    if (!parsed.name.empty()) return parsed;
    textplace site{text, position};
    tokenlist line = tokenizeline(parts.errors, true, position, text);
    if (!active) return parsed;
    std::string expanded = jointokens(expandlist(parts, line, site));
    size_t start = 0;
    bool closed = true;
    parsed = scanincludename(start, expanded, closed);
    if (!closed) raiseerror(parts.errors, unclosedmessage(parsed.system), position, text);
    return parsed;
}

// The list that the search uses: for #include_next, the entries after the one that holds
// the file being read.
std::vector<std::string> searchlist(const optionstate& options, const std::string& currentfilename, bool next,
                                    bool system) {
    std::vector<std::string> list = system ? options.systempaths : options.quotedpaths;
    if (!next) return list;
    std::string_view directory = directorypart(currentfilename);
    for (size_t i = 0; i < list.size(); ++i)
        if (samepath(list[i], directory))
            return std::vector<std::string>(list.begin() + static_cast<ptrdiff_t>(i) + 1, list.end());
    return list;
}

const std::string& includedtext(includestate& includes, const std::string& path) {
    auto& filetexts = includes.filetexts;
    auto found = filetexts.find(path);
    if (found == filetexts.end()) found = filetexts.emplace(path, readtextfile(path)).first;
    return found->second;
}

// Runs the driver over the included text; with a recording under way, stores its tokens.
void processincluded(preprocessstate& state, const std::string& path, bool recording, tokenoutput& output) {
    const std::string& text = includedtext(state.includes, path);
    allowexpansionsfor(state.expansion, text.size());
    // A recording needs the included text's tokens as tokens.
    std::optional<tokenoutput::hold> unjoined;
    if (recording) unjoined.emplace(output);
    size_t first = output.recent().size();
    size_t depth = state.ifstack.size();
    size_t position = 0;
    processtext(state, true, output, position, text);
    if (state.ifstack.size() > depth) {
        printifstack(state);
        raiseerror(state, "#endif not found", text.size(), text);
    }
    if (recording)
        writecache(state.cache, state.switches, state.sourcefilename,
                   std::span<const atoken>(output.recent()).subspan(first));
}

void includefound(preprocessstate& state, const std::string& path, tokenoutput& output, size_t position,
                  std::string_view text) {
    std::vector<includeinfo>& includestack = state.includes.stack;
    if (includestack.size() >= maximumincludedepth) raiseerror(state, "#include nested too deeply", position, text);
    std::string_view cached;
    size_t cacheposition = 0;
    bool usecache = false;
    bool recording = false;
    if (state.switches.c && !state.switches.ld && !state.switches.kld && includestack.empty()) {
        usecache = checkcache(state.cache, state.macros, state.kepttexts, path, cached, cacheposition);
        if (!usecache) {
            startcacherecording(state.cache, state.macros, path);
            recording = true;
            trace(state.switches, "generate cache true " + path);
        }
    }
    std::string noted = state.currentfilename;
    {
        linestatescope outerlines(state.lines);
        output.push_back(makelinetoken(state.currentfilename, state.kepttexts, 0, path));
        includestack.push_back(
            {path, lineofposition(state.lineindexes, position, text), static_cast<int32_t>(state.ifstack.size())});
        state.cache.includedfiles.insert(path);
        if (usecache) readcachedtokens(state.switches, cached, cacheposition, output);
        else processincluded(state, path, recording, output);
        includestack.pop_back();
    }
    state.currentfilename = noted;
    output.push_back(linetokenat(state, position, text));
}

}  // namespace

includename parseincludename(errorreporter errors, size_t& position, std::string_view text) {
    bool closed = true;
    includename parsed = scanincludename(position, text, closed);
    if (!closed) raiseerror(errors, unclosedmessage(parsed.system), text.size(), text);
    return parsed;
}

std::string searchinclude(const std::string& name, bool system, const std::vector<std::string>& directories) {
    std::string found;
    for (const std::string& directory : directories) {
        std::string candidate = joinpath(directory, name);
        if (fileexists(candidate)) found = candidate;
    }
    if (found.empty() && !system && fileexists(name)) found = name;
    return found;
}

void includedirective(preprocessstate& state, bool next, bool active, tokenoutput& output, size_t& position,
                      std::string_view text) {
    std::string directive = next ? "include_next" : "include";
    includename parsed = readincludename(state, active, position, text);
    if (parsed.name.empty()) {
        if (active) raiseerror(state, "filename is empty in #" + directive, position, text);
        return;
    }
    for (char& c : parsed.name)
        if (c == '\\') c = '/';
    if (next && lastcomponent(parsed.name) != lastcomponent(state.currentfilename))
        raiseerror(state, "the filename of #include_next is not the same as of the current file", position, text);
    if (!active) return;
    std::vector<std::string> directories = searchlist(state.options, state.currentfilename, next, parsed.system);
    std::string path = searchinclude(parsed.name, parsed.system, directories);
    if (path.empty()) {
        dumptext({});
        raiseerror(state, "file " + parsed.name + " is not found in the known paths in #" + directive, position, text);
    }
    includefound(state, path, output, position, text);
}
