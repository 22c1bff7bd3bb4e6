// The preprocessing bridge: with -pp the source text is run through libmarlox.so before it
// is tokenized, and the text that comes back is formatted instead.
#include "preprocessbridge.h"

#include "cpreprocessordll.h"
#include "formatter.h"
#include "messages.h"
#include "pagememory.h"

#include <new>
#include <string>
#include <string_view>
#include <vector>

// Only the "+" forms of the switches are sent: a switch once on stays on in the library.
std::vector<std::string> preprocessoroptions(const settings& s) {
    std::vector<std::string> options;
    for (const std::string& directory : s.pp_I) {
        options.push_back("-I");
        options.push_back(directory);
    }
    for (const std::string& file : s.pp_pf) {
        options.push_back("-pf");
        options.push_back(file);
    }
    for (const auto& [name, value] : s.pp_D) {
        options.push_back("-D");
        std::string definition = name;
        definition += '=';
        definition += value;
        options.push_back(std::move(definition));
    }
    if (s.pp_ild) options.push_back("-ild+");
    if (s.pp_ld) options.push_back("-ld+");
    if (s.pp_kld) options.push_back("-kld+");
    options.push_back("-cs");
    options.push_back(s.cs);
    return options;
}

namespace {

std::string withlinefeed(std::string text) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

// The source's room, its pages already filled in, takes the result when it fits; otherwise it
// is given back first and room of the result's size is taken, not twice the source's.
void replacetext(std::string& text, std::string_view preprocessed) {
    if (preprocessed.size() > text.capacity()) {
        std::string().swap(text);
        reservetext(text, preprocessed.size());
    }
    text.assign(preprocessed);
}

}  // namespace

void formatter::preprocess(std::string_view text) {
    // The library reads the text up to its first NUL byte: the rest would be lost unseen.
    if (text.find('\0') != std::string_view::npos)
        die(s.inputfilealias + " holds a NUL byte and cannot be preprocessed\n");
    std::vector<std::string> options = preprocessoroptions(s);
    std::vector<const char*> pointers;
    pointers.reserve(options.size());
    for (const std::string& option : options) pointers.push_back(option.c_str());
    const char* error = nullptr;
    const char* warnings = nullptr;
    const char* result = preprocessplsql(s.inputfilealias.c_str(), pointers.data(), static_cast<int>(pointers.size()),
                                         text.data(), &error, &warnings);
    // The library's texts live until its next call: copy them, then release it, also when a
    // copy fails, or every later call, on any thread, would wait for ever.
    std::string warningtext, errortext;
    {
        struct release {
            ~release() { safetoprocess(); }
        } released;
        replacetext(sourcetext, result ? result : "");
        warningtext = warnings ? warnings : "";
        errortext = error ? error : "";
    }
    if (errortext == MARLOX_OUT_OF_MEMORY) throw std::bad_alloc();  // ends the run as in brelm itself
    if (!warningtext.empty()) printout(messages, withlinefeed(warningtext));
    if (!errortext.empty()) die(withlinefeed(errortext));
}
