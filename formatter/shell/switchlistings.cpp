// The switches in effect written back as settings text, plain or annotated with help
// lines, in a form that the settings-text splitter reads back to the same switches.

#include "switchlistings.h"

#include "commandline.h"
#include "settingsfiles.h"
#include "support.h"
#include "switchtable.h"

#include <algorithm>

namespace {

bool isseparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string quoted(const std::string& text) {
    std::string result(1, '"');
    result += quotestring(text);
    result += '"';
    return result;
}

// A value written without quotes unless the splitter would read it otherwise: empty, with
// a separator, opening a quoted word or a comment.
std::string barevalue(const std::string& text) {
    bool plain = !text.empty() && text[0] != '"' && !startswith(text, "--") &&
                 std::none_of(text.begin(), text.end(), isseparator);
    return plain ? text : quoted(text);
}

std::string numberpiece(const std::string& name, int32_t value) { return "-" + name + " " + numtostring(value) + " "; }

std::string quotedpiece(const std::string& name, const std::string& value) {
    return "-" + name + " " + quoted(value) + " ";
}

std::string flagpiece(const std::string& name, int32_t value) { return "-" + name + (value == 0 ? "- " : "+ "); }

const settings& defaultsettings() {
    static const settings defaults = [] {
        settings d;
        setdefaults(d);
        return d;
    }();
    return defaults;
}

// The markers and sizes of block and insert information. Written when their flag is on,
// and also when they differ from the defaults, so that loading the text back keeps them.
void addinformationpieces(const settings& s, std::vector<std::string>& pieces) {
    const settings& d = defaultsettings();
    bool sbi = s.sbi != 0;
    if (sbi || s.sbi_m != d.sbi_m) pieces.push_back(quotedpiece("sbi.m", s.sbi_m));
    if (sbi || s.sbi_ml != d.sbi_ml) pieces.push_back(numberpiece("sbi.ml", s.sbi_ml));
    if (sbi || s.sbi_max != d.sbi_max) pieces.push_back(numberpiece("sbi.max", s.sbi_max));
    if (s.sic != 0 || s.sic_m != d.sic_m) pieces.push_back(quotedpiece("sic.m", s.sic_m));
}

// The listed rows of the switch table, in table order.
std::vector<std::string> tablepieces(const settings& s) {
    std::vector<std::string> pieces;
    for (const switchrow& r : switchrows()) {
        if (!r.listed) continue;
        const std::string word = r.name;
        if (r.number != nullptr) pieces.push_back(word + " " + numtostring(s.*r.number) + " ");
        else if (r.numbers != nullptr) pieces.push_back(word + " " + join(numberstostrings(s.*r.numbers), ",") + " ");
        else pieces.push_back(word + " " + barevalue(s.*r.text) + " ");
    }
    return pieces;
}

void addflagpieces(const settings& s, std::vector<std::string>& pieces) {
    std::vector<std::string> names = flagnames();
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (actionnames.count(name) != 0 || name == "sw" || name == "swx") continue;
        int32_t value = s.*flagfields.at(name);
        if (name == "v") {
            if (value == 1) pieces.push_back("-v ");
            continue;
        }
        pieces.push_back(flagpiece(name, value));
    }
}

void addpreprocessorpieces(const settings& s, std::vector<std::string>& pieces) {
    for (const std::string& path : s.pp_I) pieces.push_back(quotedpiece("pp.I", path));
    for (const std::string& file : s.pp_pf) pieces.push_back(quotedpiece("pp.pf", file));
    for (const auto& [name, value] : s.pp_D) pieces.push_back(quotedpiece("pp.D", name + "=" + value));
}

bool sameentry(const ifsentry& a, const ifsentry& b) {
    return a.name == b.name && a.kind == b.kind && a.number == b.number && a.text == b.text &&
           a.numberfield == b.numberfield && a.textfield == b.textfield;
}

// The entries that the parser records for the words of a piece given inside a block.
ifsblock recordedby(const std::string& piece) {
    settings scratch;
    commandlineargs args(1);
    std::vector<std::string> words = splitsettingstext(piece);
    args.arguments = {"-ifs", "x"};
    args.arguments.insert(args.arguments.end(), words.begin(), words.end());
    args.arguments.push_back("-ei");
    try {
        parsecommandline(args, scratch, 0);
    } catch (const std::string&) {
        // The checks after the words fail on a record without inputs; the block stands.
    }
    return scratch.ifsblocks.empty() ? ifsblock() : scratch.ifsblocks.front();
}

// How many entries from i on the piece gives back when it is loaded again; 0 when it
// gives back other entries.
size_t entriesof(const std::string& piece, const ifsblock& entries, size_t i) {
    ifsblock recorded = recordedby(piece);
    if (recorded.empty() || recorded.size() > entries.size() - i) return 0;
    for (size_t k = 0; k < recorded.size(); ++k)
        if (!sameentry(recorded[k], entries[i + k])) return 0;
    return recorded.size();
}

// The pieces that may have recorded entry i, the plain reading of the entry first. A
// switch can record several entries (exclusive groups, presets, eiib and brei).
std::vector<std::string> candidatepieces(const ifsblock& entries, size_t i) {
    const ifsentry& entry = entries[i];
    if (entry.kind == alloffkind)
        return entry.name == "0" ? std::vector<std::string>{"-0 "} : std::vector<std::string>{};
    if (entry.name.empty()) return {};
    if (entry.kind == flagkind) return {flagpiece(entry.name, entry.number)};
    if (entry.kind == stringkind) return {quotedpiece(entry.name, entry.text)};
    if (entry.kind != numberkind) return {};
    std::vector<std::string> candidates = {numberpiece(entry.name, entry.number)};
    if (i + 1 < entries.size() && entries[i + 1].kind == numberkind)
        candidates.push_back(numberpiece(entries[i + 1].name, entries[i + 1].number));
    return candidates;
}

// Two flags of one exclusive group.
bool partners(const std::string& a, const std::string& b) {
    for (const std::vector<std::string>& group : exclusiveswitchgroups())
        if (a != b && std::find(group.begin(), group.end(), a) != group.end() &&
            std::find(group.begin(), group.end(), b) != group.end())
            return true;
    return false;
}

// A group flag switched off again, as it was since its last entry (and no -0 came between),
// changes nothing: loading the pieces of a group flag and its partners back records the
// partners twice.
bool repeatsflag(const ifsblock& entries, size_t i) {
    const ifsentry& entry = entries[i];
    if (entry.kind != flagkind || entry.number != 0) return false;
    bool member = false;
    for (const std::vector<std::string>& group : exclusiveswitchgroups())
        member = member || std::find(group.begin(), group.end(), entry.name) != group.end();
    if (!member) return false;
    for (size_t k = i; k > 0;) {
        const ifsentry& earlier = entries[--k];
        if (earlier.kind == alloffkind) return false;
        if (earlier.kind == flagkind && earlier.name == entry.name) return earlier.number == entry.number;
    }
    return false;
}

}  // namespace

std::string quotestring(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '"') result += text[i];
        else if (i > 0 && text[i - 1] == '\\') result += "\\\"";
        else result += "\"\"";
    }
    return result;
}

// Each piece is chosen so that loading it again records the same entries: a switch
// whose side effects were recorded after it is written once, not once per entry.
std::vector<std::string> ifsblockswitchtext(const settings& s, int32_t block) {
    std::vector<std::string> pieces;
    if (block < 0 || static_cast<size_t>(block) >= s.ifsblocks.size()) return pieces;
    const ifsblock& entries = s.ifsblocks[static_cast<size_t>(block)];
    for (size_t i = 0; i < entries.size();) {
        if (repeatsflag(entries, i)) {
            ++i;
            continue;
        }
        std::vector<std::string> candidates = candidatepieces(entries, i);
        if (candidates.empty()) {
            ++i;
            continue;
        }
        size_t used = 0;
        std::string chosen = candidates.front();
        for (const std::string& candidate : candidates) {
            used = entriesof(candidate, entries, i);
            if (used != 0) {
                chosen = candidate;
                break;
            }
        }
        pieces.push_back(chosen);
        // A flag of an exclusive group records its partners as off: they are written too.
        const ifsentry& entry = entries[i];
        if (entry.kind == flagkind && entry.number != 0)
            for (size_t k = 1; k < used && entries[i + k].kind == flagkind && entries[i + k].number == 0 &&
                               partners(entry.name, entries[i + k].name);
                 ++k)
                pieces.push_back(flagpiece(entries[i + k].name, 0));
        i += used != 0 ? used : 1;
    }
    return pieces;
}

std::vector<std::string> ifstreetext(const std::map<std::string, ifsnode>& level, const settings& s,
                                     const std::string& prefix) {
    std::vector<std::string> pieces;
    for (const auto& [keyword, node] : level) {
        std::string path = prefix.empty() ? keyword : prefix + " " + keyword;
        if (node.index != -1) {
            pieces.push_back(quotedpiece("ifs", path));
            std::vector<std::string> block = ifsblockswitchtext(s, node.index);
            pieces.insert(pieces.end(), block.begin(), block.end());
            pieces.push_back("-ei ");
        }
        std::vector<std::string> deeper = ifstreetext(node.children, s, path);
        pieces.insert(pieces.end(), deeper.begin(), deeper.end());
    }
    return pieces;
}

std::vector<std::string> switchpieces(const settings& s) {
    std::vector<std::string> pieces = tablepieces(s);
    pieces.push_back(numberpiece("brei", s.brei));
    pieces.push_back(numberpiece("eiib", s.eiib));
    addinformationpieces(s, pieces);
    pieces.push_back(numberpiece("isis", s.isis));
    std::vector<std::string> looks;
    for (const auto& entry : s.si) looks.push_back(entry.second);
    std::sort(looks.begin(), looks.end());
    for (const std::string& look : looks) pieces.push_back("-si " + barevalue(look) + " ");
    addflagpieces(s, pieces);
    for (const auto& [kind, sequence] : s.tag) pieces.push_back(quotedpiece("tag[" + kind + "]", sequence));
    addpreprocessorpieces(s, pieces);
    std::vector<std::string> blocks = ifstreetext(s.ifskeywords, s, "");
    pieces.insert(pieces.end(), blocks.begin(), blocks.end());
    return pieces;
}

std::string printswitches(const settings& s, int annotated) {
    std::vector<std::string> pieces = switchpieces(s);
    if (annotated != 0) return annotateswitches(pieces, 0);
    return join(pieces, "");
}

std::string switchnamefromtext(std::string_view piece) {
    return switchkey(piece, "Internal error: there is no switch in text");
}

std::string helplinefor(const std::string& name) {
    auto found = helpbykey.find(name);
    std::string line = found == helpbykey.end() ? std::string() : ltrim(found->second.line);
    if (line.size() > 15) {
        size_t rest = line.find_first_not_of(' ', 15);
        // A switch part of fifteen characters keeps one blank before its description.
        size_t keep = line[14] == ' ' ? 15 : 16;
        if (rest == std::string::npos) rest = line.size();
        if (rest > keep) line.erase(keep, rest - keep);
    }
    return "-- " + line + "\n";
}

std::string annotateswitches(const std::vector<std::string>& pieces, int extra) {
    size_t width = 0;
    for (const std::string& piece : pieces) width = std::max(width, piece.size());
    std::string text;
    for (const std::string& piece : pieces) {
        text += piece;
        text.append(width - piece.size() + static_cast<size_t>(std::max(extra, 0)), ' ');
        text += helplinefor(switchnamefromtext(piece));
    }
    return text;
}
