// Conditional switch blocks: the keyword tree of -ifs and the compact switch difference.
#include "ifsblocks.h"

#include "switchfixture.h"

TEST_F(switchfixture, ifsbuildsthekeywordtree) {
    EXPECT_EQ(ifshandler("select", s), "");
    EXPECT_EQ(s.inifsblock, 1);
    EXPECT_EQ(ifshandler("update", s),
              "Error using -ifs:there is already a -ifs , that needs to be closed first or removed");
    EXPECT_EQ(s.ifsblocks.size(), 1u);
    s.inifsblock = 0;

    EXPECT_EQ(ifshandler("Create  Procedure", s), "");
    s.inifsblock = 0;
    EXPECT_EQ(s.ifskeywords.at("select").index, 0);
    const ifsnode& create = s.ifskeywords.at("create");
    EXPECT_EQ(create.index, -1);
    EXPECT_EQ(create.children.at("procedure").index, 1);

    EXPECT_EQ(ifshandler("SELECT", s), "");
    s.inifsblock = 0;
    EXPECT_EQ(s.ifskeywords.at("select").index, 2);
    EXPECT_EQ(s.ifsblocks.size(), 3u);

    EXPECT_EQ(ifshandler("<<lbl>> pkg.proc", s), "");
    EXPECT_EQ(s.ifskeywords.at("<<").children.at("lbl").children.at(">>").children.at("pkg.proc").index, 3);
}

TEST_F(switchfixture, ifsrefusesargumentsthatarenotkeywords) {
    const std::string refusal = "Error using -ifs:argument is incorrect, it does not consist of keywords";
    for (const char* argument : {"select ", "select,into", "", " ", "insert 'x'"}) {
        settings fresh = s;
        EXPECT_EQ(ifshandler(argument, fresh), refusal) << "[" << argument << "]";
        EXPECT_EQ(fresh.inifsblock, 0);
        EXPECT_TRUE(fresh.ifsblocks.empty());
    }
    settings fresh = s;
    ifshandler("select,into", fresh);
    EXPECT_EQ(fresh.ifskeywords.at("select").index, -1);
}

namespace {

struct compactcase {
    const char* current;
    const char* defaults;
    std::vector<std::string> pieces;
};

}  // namespace

TEST(compactswitches, keepsonlywhatdiffersandeveryblock) {
    const compactcase cases[] = {
        {"-is 2 -t 4 -uk+ -ck- ", "-is 2 -t 4 -uk+ -ck- ", {}},
        {"-is 2 -t 4 -uk- -ck- ", "-is 2 -t 4 -uk+ -ck- ", {"-uk-"}},
        {"-is 4 -t 4,8 -uk+ ", "-is 2 -t 4 -uk+ ", {"-is 4", "-t 4,8"}},
        {"-v -uk+ ", "-uk+ ", {"-v"}},
        {"-uk+ ", "-v -uk+ ", {}},
        {"-sbi.m \"end of:\" -sbi+ ", "-sbi- ", {"-sbi.m \"end of:\"", "-sbi+"}},
        {"-sbi.m \"say \"\"hi\"\"\" ", "", {"-sbi.m \"say \"\"hi\"\"\""}},
        {"-tag[keyword] \"<b>\" ", "-tag[keyword] \"<font color=blue>\" ", {"-tag[keyword] \"<b>\""}},
        {"-tag[keyword] \"<b>\" ", "-tag[keyword] \"<b>\" ", {}},
        {"-si DBMS_Output -si My_Var ", "", {"-si DBMS_Output", "-si My_Var"}},
        {"-pp.I \"a\" -pp.I \"b\" ", "-pp.I \"a\" ", {"-pp.I a", "-pp.I b"}},
        {"-uk+ -ifs \"select\" -uk- -isis 2 -ei ", "-uk+ ",
         {"-ifs \"select\"", "-uk-", "-isis 2", "-ei"}},
        {"-ifs \"select into\" -0 -ei -ifs \"update\" -ei ", "",
         {"-ifs \"select into\"", "-0", "-ei", "-ifs \"update\"", "-ei"}},
    };
    for (const compactcase& c : cases)
        EXPECT_EQ(compactswitches(c.current, c.defaults), c.pieces) << c.current;
}

TEST(compactswitches, blocksareshownevenwhenbothtextshavethem) {
    const char* text = "-uk+ -ifs \"select\" -lk+ -ei ";
    EXPECT_EQ(compactswitches(text, text),
              (std::vector<std::string>{"-ifs \"select\"", "-lk+", "-ei"}));
}
