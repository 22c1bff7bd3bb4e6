// Style presets: exactly which fields each preset writes, and in which order in a block.
#include "switchfixture.h"

#include <map>

namespace {

const std::vector<std::string> linebreakmaintain = {"mlacd", "mlai", "mlaf", "mlaw",
                                                    "mlapr", "mlapa", "mlal", "mlafu"};
const std::vector<std::string> linebreakremove = {"rlacd", "rlai", "rlaf", "rlaw",
                                                  "rlapr", "rlapa", "rlal", "rlafu"};

using expectation = std::map<std::string, int32_t>;

void put(expectation& e, const std::vector<std::string>& names, int32_t value) {
    for (const std::string& name : names) e[name] = value;
}

expectation allon() {
    expectation e;
    put(e, {"in", "rsaob", "rsbcb", "c", "co", "sao", "ncb", "id", "iaew", "iacw", "iac", "iibe",
            "clb", "pcr", "acav", "acev", "acarv", "isc", "isc2", "as", "au", "aaw", "kitt", "kwlt",
            "kflt", "kpit", "kwtt", "itlwb", "ni", "iiie", "pius", "plouwh", "bus", "buml", "actv",
            "actvct", "aav", "ac", "aroa", "bbj"},
        1);
    put(e, linebreakmaintain, 1);
    put(e, linebreakremove, 1);
    put(e, {"iic", "rs", "rask"}, 0);
    return e;
}

expectation indentinsql(expectation e) {
    put(e, {"as", "au", "aaw", "rs", "rask"}, 0);
    put(e, {"aav", "bbj", "bus", "pius", "plouwh", "iaw", "iu", "ins"}, 1);
    e["isis"] = 2;
    return e;
}

expectation leftaligned(int32_t rask) {
    expectation e;
    put(e, {"as", "au", "aaw", "aav", "bbj", "bus", "pius", "plouwh"}, 1);
    put(e, {"rs", "iaw", "iu", "ins"}, 0);
    e["isis"] = 0;
    e["rask"] = rask;
    return e;
}

}  // namespace

// Every flag starts at 7, so a field the preset does not write is seen to stay 7.
TEST_F(switchfixture, eachpresetwritesexactlyitsfields) {
    expectation ar = allon();
    ar["rask"] = 1;
    expectation ol;
    put(ol, linebreakmaintain, 1);
    put(ol, linebreakremove, 1);
    expectation alol;
    put(alol, linebreakmaintain, 1);
    const std::map<std::string, expectation> presets = {
        {"al", allon()},         {"ar", ar},
        {"ai", indentinsql(allon())}, {"lsql", leftaligned(0)},
        {"rsql", leftaligned(1)}, {"isql", indentinsql({})},
        {"alol", alol},          {"ol", ol},
    };
    for (const auto& [preset, expected] : presets) {
        for (const auto& [name, field] : flagfields) s.*field = 7;
        s.isis = 7;
        EXPECT_EQ(runhandler(preset), "") << preset;
        for (const auto& [name, field] : flagfields) {
            auto want = expected.find(name);
            EXPECT_EQ(s.*field, want == expected.end() ? 7 : want->second) << preset << " " << name;
        }
        auto isis = expected.find("isis");
        EXPECT_EQ(s.isis, isis == expected.end() ? 7 : isis->second) << preset << " isis";
    }
}

TEST_F(switchfixture, presetinablockrecordsitswritesinorder) {
    openblock();
    settings before = s;
    runhandler("rsql");
    std::vector<std::string> names;
    for (const ifsentry& entry : lastblock()) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"as", "au", "aaw", "aav", "bbj", "bus", "rs", "pius",
                                               "plouwh", "isis", "iaw", "iu", "ins", "rask"}));
    EXPECT_EQ(lastblock().back().number, 1);
    EXPECT_EQ(s.rask, before.rask);
    EXPECT_EQ(s.as, before.as);
    EXPECT_EQ(s.rs, before.rs);
}
