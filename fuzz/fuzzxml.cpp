// libFuzzer target: tolvane's XML reader on arbitrary bytes under each set of reading flags.
// A document that reads must write, and its written text must read back to the same text.
#include "core/xml.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzxml: %s\n", what.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    unsigned readflags = data[0] & 7;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    XmlNode document;
    std::string error;
    if (!ParseXml(text, readflags, document, error)) {
        if (error.empty()) fault("a failed read without a reason");
        if (!document.children.empty()) fault("a failed read left nodes");
        return 0;
    }
    std::string written = AsXml(document, 0);
    XmlNode again;
    if (!ParseXml(written, 0, again, error)) fault("written text does not read back: " + error);
    if (AsXml(again, 0) != written) fault("written text reads back changed");
    AsXml(document, XmlHeader | XmlDoctype | XmlIndent);
    return 0;
}
