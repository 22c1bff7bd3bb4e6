// The engine's entry: a formatter over the source text, the format driver, and the text the
// writer takes: the header, the -slsf lines and the plain text or html page.
#include "formattext.h"

#include "formatter.h"
#include "header.h"
#include "htmlwriter.h"
#include "pagememory.h"
#include "support.h"

#include <ctime>
#include <map>

namespace {

// Lends the caller's message sink to the formatter for one text, and gives it back however
// the text ends.
class sinkloan {
public:
    sinkloan(messagestream& lender, messagestream& taker) : owner(lender), borrower(taker) {
        borrower = std::move(owner);
    }
    ~sinkloan() { owner = std::move(borrower); }
    sinkloan(const sinkloan&) = delete;
    sinkloan& operator=(const sinkloan&) = delete;

private:
    messagestream& owner;
    messagestream& borrower;
};

// The formatted-by header of -pl and -plo (empty without them); an old header is taken out of
// the token list first.
std::string outputheader(formatter& f, const headermarker& marker, const switchparser& switches) {
    const settings& s = f.s;
    if (!s.pl && !s.plo) return {};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string header = headerline(marker, s.plo ? "" : switches.printswitches(s, 0), !s.plo, local, f.linebreaktext);
    removeoldheader(marker, f);
    return header;
}

// For each input line whose line break is still in the output, its number and the output
// line's.
std::string linesynchronization(formatter& f) {
    std::map<int32_t, int32_t> outputlines;  // by the sequence number of the line break
    int32_t outputline = 0;
    for (const token& t : f.tokens)
        if (t.breaksline()) outputlines[t.sequence] = ++outputline;
    std::string text;
    for (int32_t i = 1; i < f.linearray.size(); ++i) {
        auto found = outputlines.find(f.linearray.at(i));
        if (found != outputlines.end()) text += numtostring(i) + " " + numtostring(found->second) + "\n";
    }
    return text;
}

}  // namespace

formattedtext writtentext(formatter& f, const switchparser& switches) {
    formattedtext out;
    out.formatted = true;
    const settings& s = f.s;
    if (lc(s.outputfile) == "null") return out;
    const headermarker marker;
    std::string header = outputheader(f, marker, switches);
    if (!s.slsf.empty() && !s.html) out.sidefile = linesynchronization(f);
    if (s.html) {
        out.text = htmltext(f, marker);
    } else if (f.outputjoined && header.empty()) {
        out.text = std::move(f.joinedoutput);  // the integrity check joined it already
    } else {
        reservetext(header, header.size() + static_cast<size_t>(f.tokens.textbytes()));
        header += f.jointokentexts(f.tokens.begin(), f.tokens.end());
        out.text = std::move(header);
    }
    return out;
}

formattedtext formattext(const settings& s, const switchparser& switches, std::string source, messagestream& sink,
                         std::ostream& listings, bool keephighbytecase) {
    formatter f;
    f.s = s;
    f.highbytecasekept = keephighbytecase;
    f.sourcetext = std::move(source);
    f.listings = &listings;
    sinkloan loan(sink, f.messages);
    formattedtext result;
    if (f.formatsource(switches)) result = writtentext(f, switches);
    result.input = f.inputbyteskept ? std::move(f.inputbytes) : std::move(f.sourcetext);
    result.s = std::move(f.s);
    return result;
}
