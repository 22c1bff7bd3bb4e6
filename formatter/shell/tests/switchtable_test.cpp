// The switch table: its maps, the recording setters and the handlers of the switch objects.
#include "switchfixture.h"

#include "globals.h"

#include <algorithm>
#include <set>

TEST_F(switchfixture, everyflagnamemapsbacktoitsownfield) {
    std::vector<std::string> names = flagnames();
    EXPECT_EQ(names.size(), 119u);
    std::set<std::string> keys;
    for (const std::string& name : names) {
        const std::string key = fieldkey(flagfields.at(name));
        EXPECT_EQ(fieldnames.at(key), name) << "two flags share one field";
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), names.size());
    EXPECT_EQ(actionnames.size(), 11u);
    for (const char* preset : {"al", "ar", "ai", "lsql", "rsql", "isql", "alol", "ol"})
        EXPECT_EQ(findswitchobject(preset)->kind, actionkind) << preset;
}

TEST_F(switchfixture, optiondefaultszeroeveryswitchobjectfield) {
    std::vector<fieldref> fields = {&settings::eiib, &settings::brei};
    for (const auto& [name, object] : switchobjects)
        if (object.kind >= flagkind && object.kind <= actionkind) fields.push_back(flagfields.at(name));
    EXPECT_EQ(fields.size(), 29u);
    for (fieldref field : fields) s.*field = 7;
    applyoptiondefaults(s);
    for (fieldref field : fields) EXPECT_EQ(s.*field, 0) << fieldnames[fieldkey(field)];
    EXPECT_EQ(s.uk, 1);
    EXPECT_EQ(s.sbi_ml, 20);
}

TEST_F(switchfixture, settersrecordintoanopenblockinsteadofwriting) {
    setfield(&settings::uk, 0, s);
    setnumber(&settings::eiib, 4, s);
    EXPECT_EQ(s.uk, 0);
    EXPECT_EQ(s.eiib, 4);

    openblock();
    setfield(&settings::lk, 1, s);
    setnumber(&settings::brei, 2, s);
    setnumberbyname("mcs", &settings::mcs, 80, s);
    recordtext("0", "", s);
    EXPECT_EQ(s.lk, 0);
    EXPECT_EQ(s.brei, 0);
    EXPECT_EQ(s.mcs, 0);
    const ifsblock& block = lastblock();
    ASSERT_EQ(block.size(), 4u);
    EXPECT_EQ(block[0].name, "lk");
    EXPECT_EQ(block[0].kind, flagkind);
    EXPECT_EQ(block[0].number, 1);
    EXPECT_EQ(block[1].name, "brei");
    EXPECT_EQ(block[1].kind, numberkind);
    EXPECT_EQ(block[1].numberfield, &settings::brei);
    EXPECT_EQ(block[1].number, 2);
    EXPECT_EQ(block[2].name, "mcs");
    EXPECT_EQ(block[3].name, "0");
    EXPECT_EQ(block[3].kind, alloffkind);
}

TEST_F(switchfixture, switchesthatcannotberecordedrefuseinablock) {
    openblock();
    settings before = s;
    for (const char* name : {"sbi.ml", "sbi.max", "pp.clp", "pp.cpfl", "pp.cmd"})
        EXPECT_EQ(runhandler(name, 5), std::string(name) + " cannot be used in -ifs");
    for (const char* name : {"sbi.m", "sic.m", "pp.I", "pp.D", "pp.pf"})
        EXPECT_EQ(runtext(name, "X=1"), std::string(name) + " cannot be used in -ifs");
    EXPECT_EQ(s.sbi_ml, 20);
    EXPECT_EQ(s.sbi_m, "of block:");
    EXPECT_TRUE(s.pp_I.empty());
    EXPECT_TRUE(s.pp_D.empty());
    EXPECT_TRUE(lastblock().empty());
}

TEST_F(switchfixture, bracketindentskeepeachotherapart) {
    runhandler("eiib", 3);
    runhandler("brei", 0);
    EXPECT_EQ(s.eiib, 3);
    EXPECT_EQ(s.brei, 0);
    runhandler("brei", 2);
    EXPECT_EQ(s.eiib, 0);
    EXPECT_EQ(s.brei, 2);
    runhandler("eiib", 0);
    EXPECT_EQ(s.brei, 2);

    openblock();
    runhandler("eiib", 0);
    runhandler("brei", 5);
    const ifsblock& block = lastblock();
    ASSERT_EQ(block.size(), 4u);
    std::vector<std::pair<std::string, int32_t>> recorded;
    for (const ifsentry& entry : block) recorded.push_back({entry.name, entry.number});
    EXPECT_EQ(recorded, (std::vector<std::pair<std::string, int32_t>>{
                            {"eiib", 0}, {"brei", 0}, {"eiib", 0}, {"brei", 5}}));
}

TEST_F(switchfixture, preprocessorlists) {
    EXPECT_EQ(runtext("pp.I", "a;b"), "");
    EXPECT_EQ(runtext("pp.I", "c"), "");
    EXPECT_EQ(s.pp_I, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(runtext("pp.pf", "first.sql"), "");
    EXPECT_EQ(s.pp_pf, std::vector<std::string>{"first.sql"});

    EXPECT_EQ(runtext("pp.D", "X=1=2"), "");
    EXPECT_EQ(runtext("pp.D", "Y=2"), "");
    EXPECT_EQ(runtext("pp.D", "Y=3"), "");
    EXPECT_EQ(s.pp_D, (std::map<std::string, std::string>{{"X", "1=2"}, {"Y", "3"}}));
    for (const char* bad : {"NOVALUE", "=1", "X="})
        EXPECT_EQ(runtext("pp.D", bad), std::string("the argument of macro definition (") + bad +
                                             ") is not correct, should be like macroname=value\n");

    runhandler("pp.clp");
    runhandler("pp.cpfl");
    EXPECT_TRUE(s.pp_I.empty());
    EXPECT_TRUE(s.pp_pf.empty());
    EXPECT_FALSE(s.pp_D.empty());
    runhandler("pp.cmd");
    EXPECT_TRUE(s.pp_D.empty());
}

TEST_F(switchfixture, aligngroupandindentgroupexcludeeachother) {
    s.ins = s.iu = s.iaw = 1;
    s.isis = 4;
    runhandler("as");
    EXPECT_EQ(s.as, 1);
    EXPECT_EQ(s.ins + s.iu + s.iaw + s.isis, 0);

    s.as = s.au = s.aaw = 1;
    runhandler("iaw");
    EXPECT_EQ(s.iaw, 1);
    EXPECT_EQ(s.as + s.au + s.aaw, 0);

    s.as = s.au = s.aaw = 1;
    runhandler("isis", 0);
    EXPECT_EQ(s.as + s.au + s.aaw, 3);
    runhandler("isis", 3);
    EXPECT_EQ(s.isis, 3);
    EXPECT_EQ(s.as + s.au + s.aaw, 0);
}

TEST_F(switchfixture, presetsrecordedbeforeisisstillnameit) {
    openblock();
    runhandler("lsql");
    bool found = false;
    for (const ifsentry& entry : lastblock())
        if (entry.numberfield == &settings::isis) {
            EXPECT_EQ(entry.name, "isis");
            found = true;
        }
    EXPECT_TRUE(found);
}
