// In-source options: switches given in a "/*brelm options:" comment of the file (-gsfif),
// parsed into the formatter's own copy of the settings.
#include "formatter.h"
#include "switchparser.h"
#include "support.h"

namespace {

const std::string optionsmarker = "/*brelm options:";

}  // namespace

// The first block comment that begins with the marker; the list's end when there is none.
position formatter::findoptionscomment() const {
    for (position p = tokens.begin(); p != tokens.end(); ++p)
        if (p->kind == blockcomment && startswith(p->text(), optionsmarker)) return p;
    return tokens.end();
}

// Applies the switches of the first options comment to the working settings. A usage error
// in them ends the file with the parser's message.
void formatter::applyinsourceoptions(const switchparser& switches) {
    position comment = findoptionscomment();
    if (comment == tokens.end()) return;
    const std::string text = jointokenrun(comment);
    // The closing "*/" is left out.
    const int64_t length = static_cast<int64_t>(text.size() - optionsmarker.size()) - 2;
    const std::string options = substr(text, static_cast<int64_t>(optionsmarker.size()), length < 0 ? 0 : length);

    const std::vector<int32_t> tabs = s.t;
    const std::string charset = s.cs;
    const auto spellings = s.si;
    switches.parseoptions(options, s, messages);
    forgetindentsums();
    // Tab stops, the character set and the spellings were prepared before the comment was
    // read; switches in it that change them take effect from here on.
    if (s.t != tabs || s.cs != charset || s.si != spellings) preparecolumnsandcase();
}
