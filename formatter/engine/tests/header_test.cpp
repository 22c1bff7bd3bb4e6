// The formatted-by header: its line, and the old header recognised only at the front.
#include "formatter.h"
#include "globals.h"
#include "header.h"

#include <gtest/gtest.h>

namespace {

std::tm at(int hour, int minute, int second, int day, int month, int year) {
    std::tm t{};
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    return t;
}

TEST(header, lineformat) {
    versiontext = "2.6.1";
    headermarker part;
    EXPECT_EQ(part.headertext.size(), 41u);
    EXPECT_EQ(headerline(part, "-uk+ ", 1, at(10, 5, 7, 8, 12, 2026), "\r\n"),
              "/*formatted by Vellmarq Pl/Sql Formatter 2.6.1 on: 10:05:7 8/12/2026 options:-uk+ */\r\n");
    EXPECT_EQ(headerline(part, "-uk+ ", 0, at(3, 0, 59, 1, 1, 2027), "\n"),
              "/*formatted by Vellmarq Pl/Sql Formatter 2.6.1 on: 03:00:59 1/1/2027*/\n");
    EXPECT_EQ(part.placeholder, "$formatted");
}

std::string afterremoval(const std::string& text) {
    formatter f;
    f.resettokencontext();
    f.tokenize(text);
    f.tokens.begin()->settext("");
    removeoldheader(headermarker(), f);
    return f.jointokentexts(f.tokens.begin(), f.tokens.end());
}

TEST(header, oldheaderremovedonlyatthefront) {
    EXPECT_EQ(afterremoval("/*formatted by Vellmarq Pl/Sql Formatter 1.0 on: x*/\r\n  begin"), "begin");
    EXPECT_EQ(afterremoval("/*formatted by Vellmarq Pl/Sql Formatter 1.0\nsecond line*/ x"), " x");
    EXPECT_EQ(afterremoval("/*formatted by Vellmarq Pl/Sql Formatter*/\nx"),
              "/*formatted by Vellmarq Pl/Sql Formatter*/\nx");
    EXPECT_EQ(afterremoval("/*formatted by Another Tool 1.0*/\nx"), "/*formatted by Another Tool 1.0*/\nx");
    EXPECT_EQ(afterremoval("-- a\n/*formatted by Vellmarq Pl/Sql Formatter 1 */\nx"),
              "-- a\n/*formatted by Vellmarq Pl/Sql Formatter 1 */\nx");
}

}  // namespace
