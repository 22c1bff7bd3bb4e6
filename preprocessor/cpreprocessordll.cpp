// The exported interface of libmarlox.so: the call lock, the ready flag, the texts that stay
// valid until the next call and the state that calls share. Everything else happens in
// preprocesscall.
#include "exports/cpreprocessordll.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "cppcall.h"
#include "cppstate.h"

#define MARLOX_EXPORT __attribute__((visibility("default")))

namespace {

// Held for the whole of each call.
std::mutex preprocesslock;
// 1 when the caller has finished with the texts of the last call. A failed call holds its
// texts like a successful one: otherwise the next call, on another thread, would replace the
// error text while its caller still copies it.
std::atomic<int> readyflag{1};
std::mutex readymutex;
std::condition_variable readychanged;

std::string resulttext;
std::string errortext;
std::string warningstext;

// The switches and the texts of included files carry over from one call to the next; each
// call resets the rest.
preprocessstate callstate;

constexpr const char* emptytext = "";
constexpr const char* outofmemorytext = "out of memory\n";

void waituntilready() {
    std::unique_lock<std::mutex> lock(readymutex);
    readychanged.wait(lock, [] { return readyflag.load() != 0; });
}

void setreadyflag(int value) {
    {
        std::lock_guard<std::mutex> lock(readymutex);
        readyflag.store(value);
    }
    if (value != 0) readychanged.notify_all();
}

std::vector<std::string> optionlist(const char* const* options, int count) {
    std::vector<std::string> list;
    for (int i = 0; options && i < count; ++i) list.emplace_back(options[i] ? options[i] : "");
    return list;
}

void store(const char** out, const char* text) {
    if (out) *out = text;
}

}  // namespace

extern "C" MARLOX_EXPORT const char* preprocessplsql(const char* filename, const char* const* options, int count,
                                                     const char* source, const char** error, const char** warnings) {
    std::lock_guard<std::mutex> lock(preprocesslock);
    waituntilready();
    store(warnings, emptytext);
    store(error, emptytext);
    try {
        callresult outcome =
            preprocesscall(callstate, filename ? filename : "", optionlist(options, count), source ? source : "");
        setreadyflag(0);
        if (!outcome.succeeded) {
            errortext = std::move(outcome.error);
            store(error, errortext.c_str());
            return emptytext;
        }
        resulttext = std::move(outcome.result);
        warningstext = std::move(outcome.warnings);
        store(warnings, warningstext.c_str());
        return resulttext.c_str();
    } catch (...) {
        setreadyflag(0);
        store(error, outofmemorytext);
        return emptytext;
    }
}

extern "C" MARLOX_EXPORT void safetoprocess(void) { setreadyflag(1); }
