// Defaults, the all-off switch and deep copies of the settings record.
#include "settings.h"

#include "globals.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class settingsrecord : public testing::Test {
protected:
    std::map<std::string, std::string> savedenvironment;
    void SetUp() override {
        savedenvironment = environmenttable;
        environmenttable = {{"TMP", "/var/tmp/brelm"}};
    }
    void TearDown() override { environmenttable = savedenvironment; }

    static settings defaults() {
        settings s;
        setdefaults(s);
        return s;
    }
};

const std::map<std::string, std::string> defaulttags = {
    {"singlequotes", "<font color=yellow>"},   {"doublequotes", "<font color=yellow>"},
    {"qquotes", "<font color=brown>"},         {"multilinecomment", "<font color=brown>"},
    {"other", "<font color=black>"},           {"whitespace", "<font color=blue>"},
    {"identifier", "<b>"},                     {"singlelinecomment", "<i><font color=brown>"},
    {"keyword", "<font color=blue>"},          {"number", "<i><font color=blue>"},
};

}  // namespace

TEST_F(settingsrecord, defaultsofafreshrecord) {
    settings s = defaults();
    struct flag {
        const char* name;
        int32_t value, expected;
    } flags[] = {
        {"uk", s.uk, 1},   {"lk", s.lk, 0},     {"ck", s.ck, 0},     {"in", s.in, 1},    {"ps", s.ps, 1},
        {"b", s.b, 40},    {"soe", s.soe, 1},   {"sr", s.sr, 1},     {"ss", s.ss, 0},    {"gsfif", s.gsfif, 0},
        {"sbi_ml", s.sbi_ml, 20}, {"sbi_max", s.sbi_max, 40}, {"c", s.c, 1}, {"rsaob", s.rsaob, 1},
        {"rsbcb", s.rsbcb, 0}, {"itlwb", s.itlwb, 1}, {"clb", s.clb, 1}, {"sf", s.sf, 1}, {"rl", s.rl, 1},
        {"mcs", s.mcs, 0}, {"html", s.html, 0}, {"rlafu", s.rlafu, 0}, {"isis", s.isis, 0}, {"l", s.l, -1},
    };
    for (const flag& f : flags) EXPECT_EQ(f.value, f.expected) << f.name;
    EXPECT_EQ(s.t, std::vector<int32_t>{4});
    EXPECT_EQ(s.is, "2");
    EXPECT_EQ(s.cs, "US7ASCII");
    EXPECT_EQ(s.oe, "+.vmq");
    EXPECT_EQ(s.sbi_m, "of block:");
    EXPECT_EQ(s.sic_m, "<-");
    EXPECT_EQ(s.ht, "");
    EXPECT_EQ(s.bdir, "/var/tmp/brelm");
    EXPECT_EQ(s.tag, defaulttags);
    EXPECT_EQ(s.inifsblock, 0);
    EXPECT_EQ(s.il.capacity(), 10);
    EXPECT_EQ(s.il.size(), 0);
    EXPECT_EQ(s.il.at(9), -1);
    EXPECT_EQ(s.inputfiles.size(), 0);
}

TEST_F(settingsrecord, backupdirectoryfallsbacktotmpdirthentmp) {
    struct row {
        std::map<std::string, std::string> environment;
        std::string bdir;
    } rows[] = {
        {{{"TMP", "/a"}, {"TMPDIR", "/b"}}, "/a"},
        {{{"TMPDIR", "/b"}}, "/b"},
        {{{"TMP", ""}, {"TMPDIR", "/b"}}, "/b"},
        {{{"HOME", "/home/u"}}, "/tmp/brelm-" + std::to_string(::geteuid())},
    };
    for (const row& r : rows) {
        environmenttable = r.environment;
        EXPECT_EQ(defaults().bdir, r.bdir);
        settings s;
        setalloff(s, 1);
        EXPECT_EQ(s.bdir, r.bdir);
    }
}

TEST_F(settingsrecord, alloffclearsswitchesandkeepswhatitmust) {
    settings s = defaults();
    s.actvct = 1;
    s.aav = 1;
    s.str = 1;
    s.il.at(3) = 6;
    s.pp_I = {"inc"};
    s.pp_D = {{"X", "1"}};
    s.ae = {".sql"};
    s.si = {{"dbms_output", "DBMS_Output"}};
    s.ifskeywords["select"].index = 0;
    s.ifsblocks.push_back({ifsentry{"uk", flagkind, 0, "", nullptr, nullptr}});
    s.inifsblock = 1;
    s.x = s.sl = s.el = s.ct = s.lt = s.v = s.sigiven = 1;
    s.l = 12;
    s.e = "err.txt";
    s.ls = "my.cfg";
    s.ps = 5;
    s.eiib = 3;
    s.pp = 1;
    s.inputfiles.at(0) = "a.sql";

    settings off = s;
    setalloff(off, 0);
    struct flag {
        const char* name;
        int32_t value, expected;
    } flags[] = {
        {"b", off.b, 0},       {"soe", off.soe, 0},   {"sr", off.sr, 0},       {"uk", off.uk, 0},
        {"in", off.in, 0},     {"c", off.c, 0},       {"mlacd", off.mlacd, 0}, {"eiib", off.eiib, 0},
        {"pp", off.pp, 0},     {"x", off.x, 0},       {"sl", off.sl, 0},       {"sigiven", off.sigiven, 0},
        {"l", off.l, -1},      {"ps", off.ps, 1},     {"sbi_ml", off.sbi_ml, 20}, {"sbi_max", off.sbi_max, 40},
        {"actvct", off.actvct, 1}, {"aav", off.aav, 1}, {"str", off.str, 1},
    };
    for (const flag& f : flags) EXPECT_EQ(f.value, f.expected) << f.name;
    EXPECT_TRUE(off.tag.empty());
    EXPECT_TRUE(off.si.empty());
    EXPECT_EQ(off.e, "");
    EXPECT_EQ(off.ls, "");
    EXPECT_EQ(off.t, std::vector<int32_t>{4});
    EXPECT_EQ(off.is, "2");
    EXPECT_EQ(off.cs, "US7ASCII");
    EXPECT_EQ(off.il.at(3), 6);
    EXPECT_EQ(off.pp_I, std::vector<std::string>{"inc"});
    EXPECT_EQ(off.pp_D.size(), 1u);
    EXPECT_EQ(off.ae.size(), 1u);
    EXPECT_EQ(off.inifsblock, 0);
    EXPECT_EQ(off.ifskeywords.size(), 1u);
    EXPECT_EQ(off.ifsblocks.size(), 1u);
    EXPECT_EQ(off.inputfiles.at(0), "a.sql");

    setalloff(off, 1);
    EXPECT_TRUE(off.ifskeywords.empty());
    EXPECT_EQ(off.ifsblocks.size(), 1u);  // blocks stay; only the tree that reaches them goes
}

TEST_F(settingsrecord, copiesaredeep) {
    settings original = defaults();
    original.pp_I = {"a", "b"};
    original.ifskeywords["create"].children["procedure"].index = 0;
    original.ifsblocks.push_back({ifsentry{"is", stringkind, 0, "4", nullptr, &settings::is}});
    original.inputfiles.at(1) = "b.sql";
    original.il.at(2) = 8;

    settings copy(original);
    copy.pp_I.clear();
    copy.ifskeywords["create"].children["procedure"].index = 7;
    copy.ifskeywords["create"].children["function"].index = 1;
    copy.ifsblocks[0][0].text = "8";
    copy.inputfiles.at(1) = "c.sql";
    copy.il.at(2) = 1;
    copy.tag.clear();

    EXPECT_EQ(original.pp_I, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(original.ifskeywords["create"].children.size(), 1u);
    EXPECT_EQ(original.ifskeywords["create"].children["procedure"].index, 0);
    EXPECT_EQ(original.ifsblocks[0][0].text, "4");
    EXPECT_EQ(original.inputfiles.at(1), "b.sql");
    EXPECT_EQ(original.il.at(2), 8);
    EXPECT_EQ(original.tag.size(), 10u);

    // Assignment back restores the saved state, and a recorded entry writes the field
    // of whichever record it is applied to.
    settings saved = original;
    original.tag.clear();
    original.is = "3";
    original = saved;
    EXPECT_EQ(original.tag.size(), 10u);
    const ifsentry& entry = original.ifsblocks[0][0];
    copy.*entry.textfield = entry.text;
    EXPECT_EQ(copy.is, "4");
    EXPECT_EQ(original.is, "2");
}
