// brelm -pp as a whole: the options handed to libmarlox.so, conditionals, macros and includes
// before formatting, warnings and errors of the library, several files in one run, and brelm
// needing the library beside itself.
#include "programrun.h"

#include <sys/stat.h>

#include <filesystem>

namespace {

class preprocessing : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        environment["TMP"] = (folder / "backups").string();
    }

    // brelm -pp on one file written to stdout, with -np so that the text is not reformatted.
    programresult preprocessfile(const std::string& name, const std::vector<std::string>& switches = {}) {
        std::vector<std::string> arguments = {"-pp", "-np"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        arguments.insert(arguments.end(), {"-i", name, "-o", "stdout"});
        return brelm(arguments);
    }
};

const std::string failed = " formatting failed because of errors.\n";

}  // namespace

TEST_F(preprocessing, conditionalsmacrosandincludes) {
    writefile("inc/head.sql", "-- head\n");
    writefile("a.sql",
              "#if defined(debug) and debug > 0\n"
              "#define trace(m) dbms_output.put_line(###m)\n"
              "#else\n"
              "#define trace(m) null\n"
              "#endif\n"
              "#include \"head.sql\"\n"
              "begin\n"
              "  trace(start); x := __line__;\n"
              "end;\n"
              "/\n");
    const std::string head = "#line 0 \"inc/head.sql\"\n-- head\n#line 6 \"a.sql\"\n\n";
    programresult run = preprocessfile("a.sql", {"-pp.D=debug=1", "-pp.I=inc"});
    EXPECT_EQ(run.out, "\n" + head + "begin\n  dbms_output.put_line('start')\n; x := '8';\nend;\n/\n");
    EXPECT_EQ(run.err, "a.sql -> stdout formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    run = preprocessfile("a.sql", {"-pp.I=inc"});
    EXPECT_EQ(run.out, "\n\n" + head + "begin\n  null\n; x := '8';\nend;\n/\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(preprocessing, thepreprocessedtextisformatted) {
    writefile("a.sql", "#define cond x=1\nselect a from t where cond;\n");
    programresult run = brelm({"-pp", "-i", "a.sql", "-o", "stdout"});
    EXPECT_EQ(run.out.find("#define"), std::string::npos);
    EXPECT_NE(run.out.find("x = 1"), std::string::npos);
    EXPECT_EQ(run.exitcode, 0);
    // Without -pp the directives are text like any other.
    run = brelm({"-np", "-i", "a.sql", "-o", "stdout"});
    EXPECT_EQ(run.out, "#define cond x=1\nselect a from t where cond;\n");
}

TEST_F(preprocessing, includepathsandpreloadfileskeeptheirorder) {
    writefile("A/x.sql", "from A\n");
    writefile("B/x.sql", "from B\n");
    writefile("defs1.sql", "#define who 'first'\n");
    writefile("defs2.sql", "#define who 'second'\n#define what who\n");
    writefile("a.sql", "#include \"x.sql\"\nv := what;\n");
    programresult run = preprocessfile("a.sql", {"-pp.I=A;B", "-pp.pf=defs1.sql", "-pp.pf=defs2.sql"});
    EXPECT_EQ(run.out, "#line 0 \"B/x.sql\"\nfrom B\n#line 1 \"a.sql\"\n\nv := 'second'\n;\n");
    run = preprocessfile("a.sql", {"-pp.I=B", "-pp.I=A", "-pp.pf=defs2.sql", "-pp.pf=defs1.sql"});
    EXPECT_EQ(run.out, "#line 0 \"A/x.sql\"\nfrom A\n#line 1 \"a.sql\"\n\nv := 'first'\n;\n");
}

TEST_F(preprocessing, sqlpluslinesafteraslashlinearenotexpanded) {
    // Statements ended by a "/" line alone: the PROMPT and REM lines after them are commands,
    // whose quotes open nothing and whose words are not macros.
    writefile("a.sql",
              "#define tbs users\n"
              "grant connect, resource to app\n"
              "/\n"
              "prompt Granted; it's tbs next\n"
              "create table t (a number) tablespace tbs\n"
              "/\n"
              "rem tbs's done\n");
    programresult run = preprocessfile("a.sql");
    EXPECT_EQ(run.out, "grant connect, resource to app\n/\nprompt Granted; it's tbs next\n"
                       "create table t (a number) tablespace users\n\n/\nrem tbs's done\n");
    EXPECT_EQ(run.err, "a.sql -> stdout formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    run = brelm({"-pp", "-sr-", "-i", "a.sql", "-o", "stdout"});
    EXPECT_EQ(run.out, "GRANT CONNECT, RESOURCE TO app\n/\nprompt Granted; it's tbs next\n"
                       "CREATE TABLE t (a NUMBER) TABLESPACE users\n\n/\nrem tbs's done\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(preprocessing, adivisioninablockleavesthenextlinesmacrosexpanded) {
    // "a / b" divides; only a "/" on a line of its own closes the block, so EXIT on the next
    // line is PL/SQL and its macro is expanded.
    writefile("a.sql",
              "#define maxv 10\n"
              "begin\n"
              "  loop\n"
              "    x := a / b;\n"
              "    exit when x > maxv;\n"
              "  end loop;\n"
              "end;\n"
              "/\n"
              "exit maxv\n");
    programresult run = preprocessfile("a.sql");
    EXPECT_EQ(run.out, "begin\n  loop\n    x := a / b;\n    exit when x > 10\n;\n  end loop;\nend;\n/\n"
                       "exit maxv\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(preprocessing, linedirectiveswitches) {
    writefile("a.sql", "#define m 1\nx := m;\n#line 20 \"b.sql\"\ny := __line__ || __file__;\n");
    struct row {
        std::vector<std::string> switches;
        std::string out;
    } rows[] = {
        {{}, "x := 1\n;\ny := '20' || 'b.sql';\n"},
        {{"-pp.ld"}, "#line 2 \"a.sql\"\nx := 1\n#line 2 \"a.sql\"\n;\ny := '20' || 'b.sql';\n"},
        {{"-pp.ild"}, "x := 1\n;\ny := '4' || 'a.sql';\n"},
        {{"-pp.kld"}, "x := 1\n;\n#line 20 \"b.sql\"\ny := '20' || 'b.sql';\n"},
        {{"-pp.ild", "-pp.kld"}, "x := 1\n;\n#line 20 \"b.sql\"\ny := '4' || 'a.sql';\n"},
    };
    for (const row& r : rows) {
        programresult run = preprocessfile("a.sql", r.switches);
        EXPECT_EQ(run.out, r.out) << testing::PrintToString(r.switches);
        EXPECT_EQ(run.exitcode, 0);
    }
}

TEST_F(preprocessing, warningsareprinted) {
    writefile("w.sql", "#warning check this\n#warning and that\nx;\n");
    programresult run = preprocessfile("w.sql");
    EXPECT_EQ(run.out, "x;\n");
    EXPECT_EQ(run.err, "#warning:check this\n#warning:and that\nw.sql -> stdout formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(preprocessing, anerrorofthelibraryfailsthefile) {
    writefile("e.sql", "x;\n#warning first\n#error stop here\n");
    programresult run = brelm({"-pp", "-i", "e.sql", "-o", "out.sql"});
    EXPECT_EQ(run.err, "#warning:first\ne.sql line 3:#error:stop here\nAt source:x;\n#warning first\n#error stop here<<\n"
                       "e.sql -> out.sql" + failed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("out.sql"));
    EXPECT_FALSE(exists("backups"));

    run = preprocessfile("e.sql", {"-pp.pf=missing.sql"});
    EXPECT_EQ(run.err, "could not preload file missing.sql: No such file or directory\ne.sql -> stdout" + failed);
    EXPECT_EQ(run.exitcode, 255);
}

// Files the library reads besides the input are regular files of at most 1 GB: a device, a
// folder or a FIFO named by #include or -pp.pf fails the file at once, waiting on nothing.
TEST_F(preprocessing, includedandpreloadedfilesareregularfiles) {
    ASSERT_EQ(::mkfifo((folder / "pipe.sql").c_str(), 0600), 0);
    writefile("zero.sql", "x;\n#include \"/dev/zero\"\n");
    writefile("fifo.sql", "#include \"pipe.sql\"\n");
    writefile("plain.sql", "x;\n");
    programresult run = brelm({"-pp", "-soe-", "-i", "zero.sql", "-o", "zero.out", "-i", "fifo.sql", "-o",
                               "pipe.out", "-i", "plain.sql", "-o", "plain.out", "-pp.pf=pipe.sql"});
    EXPECT_EQ(run.err, "could not preload file pipe.sql: it is not a regular file\nzero.sql -> zero.out" + failed +
                           "could not preload file pipe.sql: it is not a regular file\nfifo.sql -> pipe.out" +
                           failed + "could not preload file pipe.sql: it is not a regular file\nplain.sql -> plain.out" +
                           failed);
    run = brelm({"-pp", "-soe-", "-i", "zero.sql", "-o", "zero.out", "-i", "fifo.sql", "-o", "pipe.out"});
    EXPECT_EQ(run.err, "/dev/zero: it is not a regular file\nzero.sql -> zero.out" + failed +
                           "pipe.sql: it is not a regular file\nfifo.sql -> pipe.out" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("zero.out"));
    EXPECT_FALSE(exists("pipe.out"));
}

// A chain of stringizing macros doubles its text on every line: the file fails once its
// expansions pass their bound, long before memory runs out.
TEST_F(preprocessing, stringizingchainsarebounded) {
    std::string text = "#define s(x) #x\n#define t(x) s(x) s(x)\n#define u0 x\n";
    for (int level = 1; level <= 24; ++level) {
        const std::string name = "u" + std::to_string(level);
        text += "#define " + name + " t(u" + std::to_string(level - 1) + ")\n" + name + ";\n";
    }
    writefile("chain.sql", text);
    programresult run = brelm({"-pp", "-i", "chain.sql", "-o", "chain.out"});
    EXPECT_EQ(run.err, "chain.sql line 43:macro expansion exceeds 16777216 bytes\n"
                       "At source:e u19 t(u18)\nu19;\n#define u20 t(u19)\nu20<<\n"
                       "chain.sql -> chain.out" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("chain.out"));
}

TEST_F(preprocessing, severalfilesinonerunstartafresh) {
    // The first file fails inside a conditional with a #line directive in force; neither the
    // conditional, the #line state nor the macros of one file reach the next.
    writefile("a.sql", "#line 100 \"z.sql\"\n#if 1\n#error inside\n#endif\n");
    writefile("b.sql", "#define m 1\nx := __line__ || __file__;\n");
    writefile("c.sql", "#endif\n");
    writefile("d.sql", "v := m;\n");
    programresult run = brelm({"-pp", "-np", "-soe-", "-sr-", "-i", "a.sql", "-o", "stdout", "-i", "b.sql", "-o",
                               "stdout", "-i", "c.sql", "-o", "stdout", "-i", "d.sql", "-o", "stdout"});
    EXPECT_EQ(run.err, "a.sql line 3:#error:inside\nAt source:#line 100 \"z.sql\"\n#if 1\n#error inside<<\n"
                       "a.sql -> stdout" + failed +
                       "c.sql line 1:#endif found but there are no #if or #ifdef\nAt source:#endif<<\n"
                       "c.sql -> stdout" + failed);
    EXPECT_EQ(run.out, "x := '2' || 'b.sql';\nv := m;\n");
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(preprocessing, asourceholdinganulbyteisrefused) {
    writefile("n.sql", std::string("x := 1;\0y := 2;\n", 16));
    programresult run = preprocessfile("n.sql");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "n.sql holds a NUL byte and cannot be preprocessed\nn.sql -> stdout" + failed);
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(preprocessing, brelmneedsthelibrarybesideitself) {
    namespace fs = std::filesystem;
    fs::create_directories(folder / "alone");
    fs::create_directories(folder / "pair");
    fs::copy_file(programfile("brelm"), folder / "alone" / "brelm");
    fs::copy_file(programfile("brelm"), folder / "pair" / "brelm");
    fs::copy_file(programfile("libmarlox.so"), folder / "pair" / "libmarlox.so");
    writefile("a.sql", "#define m 1\nv := m;\n");
    std::vector<std::string> arguments = {"-pp", "-np", "-sr-", "-i", "a.sql", "-o", "stdout"};
    programresult alone = runprogram((folder / "alone" / "brelm").string(), arguments, folder, std::nullopt, environment);
    EXPECT_EQ(alone.exitcode, 127);
    EXPECT_NE(alone.err.find("libmarlox.so"), std::string::npos);
    EXPECT_EQ(alone.out, "");
    programresult pair = runprogram((folder / "pair" / "brelm").string(), arguments, folder, std::nullopt, environment);
    EXPECT_EQ(pair.out, "v := 1\n;\n");
    EXPECT_EQ(pair.exitcode, 0);
}
