// One preprocessing call: option parsing, preload files and the source as top-level texts.
#include "cppcall.h"

#include <new>
#include <stdexcept>

#include "cpreprocessor.h"
#include "cpreprocessordll.h"
#include "cppdirectives.h"
#include "cppdriver.h"
#include "cpperrors.h"
#include "cppfiles.h"
#include "cppmacros.h"
#include "cppoutput.h"
#include "cppstate.h"
#include "cpptokens.h"

namespace {

std::string joinwarnings(const std::vector<std::string>& warnings) {
    std::string joined;
    for (size_t i = 0; i < warnings.size(); ++i) {
        if (i > 0) joined += '\n';
        joined += warnings[i];
    }
    return joined;
}

// Runs the driver over a text that no other text includes.
void processtoplevel(preprocessstate& state, const std::string& name, std::string_view text, tokenoutput& output) {
    setsourcefile(state, name);
    resetstatementstate(state.statement);
    allowexpansionsfor(state.expansion, text.size());
    starttopleveltext(state);
    size_t position = 0;
    processtext(state, true, output, position, text);
    checkconditionalsclosed(state.ifstack, errorreporter(state), output, text);
}

// The preload file's text; a file that cannot be read fails the call with its own message.
std::string preloadtext(const std::string& name) {
    try {
        return readtextfile(name);
    } catch (const preprocesserror& error) {
        throw std::runtime_error("could not preload file " + std::string(error.what()));
    }
}

void run(preprocessstate& state, const std::string& filename, const std::vector<std::string>& options,
         std::string_view source, callresult& outcome) {
    forgetkepttexts(state.kepttexts);
    startcallexpansionbudget(state.expansion);
    std::vector<std::string> args = {""};
    args.insert(args.end(), options.begin(), options.end());
    // The call names its file, so an option left over is never taken for a file name.
    setsourcefile(state, filename);
    parseoptions(state, args);
    for (const std::string& name : state.options.preloadfiles) {
        std::string text = preloadtext(name);
        tokenoutput discarded;
        processtoplevel(state, name, text, discarded);
    }
    tokenoutput output;
    // Room that is never filled costs no memory: the text is not copied as it grows unless
    // macros make it a quarter longer than the source, and only the source's length of it is
    // filled in ahead, as the directive lines that go make up for most expansions.
    output.reservetext(source.size() + source.size() / 4 + 64, source.size());
    processtoplevel(state, filename, source, output);
    outcome.result = output.taketext();
    outcome.warnings = joinwarnings(state.warnings);
    outcome.succeeded = true;
}

void fail(callresult& outcome, const std::string& gathered, const std::string& message) {
    outcome = {};
    outcome.error = gathered;
    outcome.error += message;
    if (outcome.error.empty() || outcome.error.back() != '\n') outcome.error += '\n';
}

}  // namespace

callresult preprocesscall(preprocessstate& state, const std::string& filename, const std::vector<std::string>& options,
                          std::string_view source) {
    callresult outcome;
    try {
        run(state, filename, options, source, outcome);
    } catch (const preprocesserror& error) {
        std::string gathered = joinwarnings(state.warnings);
        if (!gathered.empty()) gathered += '\n';
        fail(outcome, gathered, error.what());
    } catch (const std::bad_alloc&) {
        fail(outcome, {}, MARLOX_OUT_OF_MEMORY);
    } catch (const std::exception& error) {
        fail(outcome, {}, error.what());
    }
    return outcome;
}
