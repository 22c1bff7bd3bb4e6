// Option parsing: string options and their values, the boolean switches, -D definitions and
// their two matchers, the character set, and the option errors.
#include "marloxtesting.h"

#include "scregexp.h"

#include <vector>

class optiontest : public preprocessortest {
protected:
    // Parses the options after an empty program-name element.
    void parse(std::vector<std::string> options)
    {
        options.insert(options.begin(), "");
        parseoptions(state, options);
    }

    std::string parseerror(const std::vector<std::string>& options)
    {
        return errorof([&] { parse(options); });
    }

    std::string body(const std::string& name)
    {
        auto found = state.macros.table.find(name);
        return found == state.macros.table.end() ? "<none>" : jointokens(found->second.body);
    }
};

TEST_F(optiontest, stringoptionskeeptheirorder)
{
    parse({"-I", "inc/", "-sI", "sys", "-I", "b\\", "-pf", "p1.sql", "-pf", "p2.sql", "-I", "c\\\\", "-I", "/",
           "-cs", "US7ASCII", "-cs", "WE8ISO8859P1"});
    EXPECT_EQ(state.options.quotedpaths, (std::vector<std::string>{"inc", "b", "c\\", "/"}));
    EXPECT_EQ(state.options.systempaths, std::vector<std::string>{"sys"});
    EXPECT_EQ(state.options.preloadfiles, (std::vector<std::string>{"p1.sql", "p2.sql"}));
    EXPECT_EQ(state.options.charsetname, "WE8ISO8859P1");
    EXPECT_EQ(charsetlower(state.lowercase, "\xC4N"), "\xE4n");
}

TEST_F(optiontest, everycallstartswithemptylists)
{
    parse({"-I", "a", "-pf", "p", "-D", "m=1", "-cs", "WE8ISO8859P1"});
    state.warnings.push_back("old");
    parse({});
    EXPECT_TRUE(state.options.quotedpaths.empty());
    EXPECT_TRUE(state.options.preloadfiles.empty());
    EXPECT_TRUE(state.macros.table.empty());
    EXPECT_TRUE(state.warnings.empty());
    EXPECT_EQ(state.options.charsetname, "US7ASCII");
    EXPECT_EQ(charsetlower(state.lowercase, "\xC4"), "\xC4");
}

TEST_F(optiontest, booleanswitches)
{
    struct row {
        std::string argument;
        switchstate expected;
    };
    const row rows[] = {
        {"-t+", {true, false, false, false, false}},
        {"-c+", {false, true, false, false, false}},
        {"-ld+", {false, false, true, false, false}},
        {"-ild+", {false, false, false, true, false}},
        {"-kld+", {false, false, false, false, true}},
    };
    for (const row& r : rows) {
        state.switches = {};
        parse({r.argument});
        EXPECT_EQ(state.switches.t, r.expected.t) << r.argument;
        EXPECT_EQ(state.switches.c, r.expected.c) << r.argument;
        EXPECT_EQ(state.switches.ld, r.expected.ld) << r.argument;
        EXPECT_EQ(state.switches.ild, r.expected.ild) << r.argument;
        EXPECT_EQ(state.switches.kld, r.expected.kld) << r.argument;
    }
    // The switches keep their values from one parse to the next until a minus form clears them.
    state.switches = {};
    parse({"-ld+", "-kld+"});
    parse({});
    EXPECT_TRUE(state.switches.ld);
    EXPECT_TRUE(state.switches.kld);
    parse({"-ld-"});
    EXPECT_FALSE(state.switches.ld);
    EXPECT_TRUE(state.switches.kld);
}

TEST_F(optiontest, astrayargumentisanerrorwhileafileisnamed)
{
    for (const char* stray : {"-ld", "-ld+x", "-ldx", "-c", "-C+", "--ld+", "file.sql", "-x"})
        EXPECT_EQ(parseerror({stray}), std::string("unknown argument:") + stray);
    // With no file named yet, the first stray argument names it.
    setsourcefile(state, "");
    parse({"x.sql"});
    EXPECT_EQ(state.sourcefilename, "x.sql");
    EXPECT_EQ(state.currentfilename, "x.sql");
    EXPECT_EQ(parseerror({"y.sql"}), "unknown argument:y.sql");
}

TEST_F(optiontest, missingvaluesandbadvalues)
{
    struct row {
        std::vector<std::string> options;
        std::string error;
    };
    const row rows[] = {
        {{"-D"}, "macro name is not given"},
        {{"-I"}, "quoted path is not given"},
        {{"-sI"}, "library system path is not given"},
        {{"-pf"}, "filename is not given after -pf"},
        {{"-cs"}, "character set is not given after -cs"},
        {{"-cs", "we8iso8859p1"}, "unknown character set:we8iso8859p1"},
        {{"-D", "x="}, "unknown argument after -D:x="},
        {{"-D", "a-b=1"}, "unknown argument after -D:a-b=1"},
        {{"-D", "=1"}, "unknown argument after -D:=1"},
        {{"-D", ""}, "unknown argument after -D:"},
        {{"-D", "x=1\ny"}, "unknown argument after -D:x=1\ny"},
        {{"-D", "ok=1", "-D", "x y"}, "unknown argument after -D:x y"},
    };
    for (const row& r : rows)
        EXPECT_EQ(parseerror(r.options), r.error) << r.options.back();
}

TEST_F(optiontest, definitions)
{
    parse({"-D", "Mixed=1+2", "-D", "empty", "-D", "spaced=  a  b ", "-D", "twice=1", "-D", "twice=2", "-D",
           "line=x\n", "-D", "q='it''s' -- note"});
    EXPECT_EQ(body("mixed"), "1+2");
    EXPECT_EQ(body("empty"), "");
    EXPECT_EQ(body("spaced"), "a  b");
    EXPECT_EQ(body("twice"), "2");
    EXPECT_EQ(body("line"), "x");
    EXPECT_EQ(body("q"), "'it''s' -- note");
    EXPECT_FALSE(state.macros.table.at("mixed").functionlike);
    // A -D name is matched in any letter case, as a #define name is.
    EXPECT_EQ(process("v := MIXED * mixed;"), "v := 1+2\n * 1+2\n;");
}

TEST(definitionmatchers, namevalue)
{
    struct row {
        std::string subject;
        bool matches;
        std::string name, value;
    };
    const row rows[] = {
        {"a=1", true, "a", "1"},
        {"name_1=x = y", true, "name_1", "x = y"},
        {"a==", true, "a", "="},
        {"a=1\n", true, "a", "1"},
        {"a=\n", false, "", ""},
        {"a=1\n\n", false, "", ""},
        {"a=", false, "", ""},
        {"=1", false, "", ""},
        {" a=1", false, "", ""},
        {"a-b=1", false, "", ""},
        {"\xC4=1", false, "", ""},
    };
    for (const row& r : rows) {
        namevaluematcher matcher;
        EXPECT_EQ(matcher.match(r.subject), r.matches) << r.subject;
        EXPECT_EQ(matcher.group(1), r.name) << r.subject;
        EXPECT_EQ(matcher[2], r.value) << r.subject;
        EXPECT_EQ(matcher.ismatched(2), r.matches) << r.subject;
    }
}

TEST(definitionmatchers, nameandpositions)
{
    namematcher name;
    EXPECT_TRUE(name.match("abc\n"));
    EXPECT_EQ(formatcapture(name.capture(0)), "[0,3]");
    EXPECT_EQ(formatcapture(name.capture(1)), "[0,3]");
    EXPECT_EQ(name.pos(), 3u);
    EXPECT_FALSE(name.gmatch("abc"));
    name.restart();
    EXPECT_TRUE(name.gmatch("abc"));
    EXPECT_FALSE(name.match("a b"));
    EXPECT_FALSE(name.ismatched(1));
    EXPECT_EQ(formatcapture(name.capture(1)), "[-1,-1]");
    EXPECT_EQ(name.group(5), "");
}
