// brelm's bounds on what it reads and accepts: texts of any length in the token store,
// number switches that take numbers only and within their bounds, inputs, settings files,
// templates and the clipboard file of bounded size and kind, unreadable standard input,
// echoed words and names, settings files that load one file again and again, and the
// preprocessor's dumps and memory.
#include "programrun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string done = " formatting is done.\n";
const std::string failed = " formatting failed because of errors.\n";
const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";

class inputbounds : public programtest {
protected:
    // Runs brelm through the shell, so that its standard input can be redirected.
    programresult brelmwithinput(const std::string& redirection, const std::vector<std::string>& arguments) {
        std::vector<std::string> wrapped{"-c", "exec \"$0\" \"$@\" " + redirection, programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/bin/sh", wrapped, folder, std::nullopt, environment);
    }
};

// Texts longer than a chunk of the token store: a long identifier re-cased, a long declared
// name aligned, long block markers; each formats and keeps its text.
TEST_F(inputbounds, longtextsareformatted) {
    const std::string name(9000, 'n');
    const std::string text = "declare\n  " + name + " number;\n  b varchar2(10);\nbegin\n  " + name +
                             " := 1;\n  b := 'x';\nend;\n";
    writefile("long.sql", text);
    for (const std::vector<std::string>& switches : std::vector<std::vector<std::string>>{
             {"-li"}, {"-ui"}, {"-ci+"}, {"-al"}, {"-ar"}, {"-ai"}, {"-actv"},
             {"-sbi", "-sbi.ml", "1", "-sbi.m", std::string(9000, 'm')},
             {"-sic", "-sic.m", std::string(9000, 'm')}}) {
        std::vector<std::string> arguments{"-i", "long.sql", "-o", "long.out", "-b", "0"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        programresult run = brelm(arguments);
        EXPECT_EQ(run.err, "long.sql -> long.out" + done) << switches[0];
        EXPECT_EQ(run.exitcode, 0);
        std::string output = readfile("long.out");
        EXPECT_NE(output.find(switches[0] == "-ui" ? std::string(9000, 'N') : switches[0] == "-ci+" ? "N" + name.substr(1) : name),
                  std::string::npos)
            << switches[0];
    }
}

// Number switches take a decimal number within their bounds; anything else is a usage error
// that names the switch, on the command line and in an options comment alike. A file that
// fails so does not end a run that goes on after failures.
TEST_F(inputbounds, numberswitchestakeboundednumbersonly) {
    writefile("a.sql", "begin\nx:=1;\nend;\n");
    struct row {
        std::vector<std::string> switches;
        std::string err;
    } rows[] = {
        {{"-b", "abc"}, "The value abc of -b is not a number.\n"},
        {{"-b", "0x10"}, "The value 0x10 of -b is not a number.\n"},
        {{"-mcs", "abc"}, "The value abc of -mcs is not a number.\n"},
        {{"-mcs=12abc"}, "The value 12abc of -mcs is not a number.\n"},
        {{"-sbi.ml", ""}, "The value  of -sbi.ml is not a number.\n"},
        {{"-eiib", "20000000"}, "The value 20000000 of -eiib is too large, the largest allowed is 1000.\n"},
        {{"-eiib", "2147483647"}, "The value 2147483647 of -eiib is too large, the largest allowed is 1000.\n"},
        {{"-is", "2147483647"}, "The value 2147483647 of -is is too large, the largest allowed is 1000.\n"},
        {{"-is", "9000"}, "The value 9000 of -is is too large, the largest allowed is 1000.\n"},
        {{"-il1", "9000"}, "The value 9000 of -il is too large, the largest allowed is 1000.\n"},
        {{"-isis", "9000"}, "The value 9000 of -isis is too large, the largest allowed is 1000.\n"},
        {{"-brei", "-9000"}, "The value -9000 of -brei is too small, the smallest allowed is -1000.\n"},
        {{"-ps", "9000"}, "The value 9000 of -ps is too large, the largest allowed is 1000.\n"},
        {{"-t", "4,9000"}, "The value 9000 of -t is too large, the largest allowed is 1000.\n"},
        {{"-mcs", "100001"}, "The value 100001 of -mcs is too large, the largest allowed is 100000.\n"},
        {{"-sl", "99999999999"}, "The value 99999999999 of -sl is too large, the largest allowed is 1000000000.\n"},
    };
    for (const row& r : rows) {
        std::vector<std::string> arguments{"-i", "a.sql", "-o", "null"};
        arguments.insert(arguments.end(), r.switches.begin(), r.switches.end());
        programresult run = brelm(arguments);
        EXPECT_EQ(run.err, r.err + hint) << r.switches[0];
        EXPECT_EQ(run.exitcode, 2);
    }
    // The bounds themselves are accepted.
    programresult run = brelm({"-i", "a.sql", "-o", "stdout", "-sr-", "-is", "1000", "-eiib", "1000", "-mcs", "100000"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(run.out, "BEGIN\n" + std::string(1000, ' ') + "x := 1;\nEND;\n");

    const std::string grown = "/*brelm options: -eiib 20000000 */\nbegin\nx := f(1);\nend;\n";
    writefile("grown.sql", grown);
    writefile("wide.sql", "/*brelm options: -is 9000 */\nbegin\nx:=1;\nend;\n");
    run = brelm({"-gsfif", "-soe-", "-io", "grown.sql", "-io", "wide.sql", "-io", "a.sql"});
    EXPECT_EQ(run.err, "The value 20000000 of -eiib is too large, the largest allowed is 1000.\n" + hint + "grown.sql" +
                           failed + "The value 9000 of -is is too large, the largest allowed is 1000.\n" + hint +
                           "wide.sql" + failed + "a.sql" + done);
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(readfile("grown.sql"), grown);
    EXPECT_EQ(readfile("a.sql"), "BEGIN\n  x := 1;\nEND;\n");
}

// Inputs that are neither files nor pipes, and inputs beyond 1 GB, are refused before they
// are read; a pipe is read, and its backup holds what was read from it.
TEST_F(inputbounds, inputsarefilesorpipesofboundedsize) {
    writefile("huge.sql", "");
    fs::resize_file(folder / "huge.sql", (size_t(1) << 30) + 1);   // sparse
    programresult run = brelm({"-soe-", "-i", "/dev/zero", "-o", "null", "-i", "huge.sql", "-o", "null"});
    EXPECT_EQ(run.err, "can't open /dev/zero: it is neither a regular file nor a pipe\n/dev/zero -> null" + failed +
                           "can't read huge.sql: the input is larger than 1 GB\nhuge.sql -> null" + failed);
    EXPECT_EQ(run.exitcode, 255);

    ASSERT_EQ(::mkfifo((folder / "pipe.sql").c_str(), 0600), 0);
    std::thread writer([this] {
        int fd = ::open((folder / "pipe.sql").c_str(), O_WRONLY);
        const std::string text = "x:=1;\n";
        if (fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size())) ::close(fd);
    });
    run = brelm({"-i", "pipe.sql", "-o", "out.sql"});
    writer.join();
    EXPECT_EQ(run.err, "pipe.sql -> out.sql" + done);
    EXPECT_EQ(readfile("out.sql"), "x := 1;\n");
    EXPECT_EQ(testfolder::readall(mirror("pipe_b1.sql.bak")), "x:=1;\n");
}

// Blocks, brackets and $IF directives nest 1,000 deep at most: one level more fails the file
// (the output's indentation would grow with the square of the text), and its input stays.
TEST_F(inputbounds, nestingisbounded) {
    auto repeated = [](const std::string& text, int count) {
        std::string all;
        for (int i = 0; i < count; ++i) all += text;
        return all;
    };
    auto blocks = [&](int depth) { return repeated("begin\n", depth) + "null;\n" + repeated("end;\n", depth); };
    auto brackets = [&](int depth) {
        return "select " + std::string(static_cast<size_t>(depth), '(') + "1" + std::string(static_cast<size_t>(depth), ')') +
               " from dual;\n";
    };
    auto directives = [&](int depth) {
        return "create procedure p is begin\n" + repeated("$if 1 = 1 $then\n", depth) + "null;\n" +
               repeated("$end\n", depth) + "end;\n/\n";
    };
    struct row {
        std::string text;
        int line;   // where the level beyond the bound opens
    };
    for (const row& r : {row{blocks(1001), 1001}, row{brackets(1001), 1}, row{directives(1001), 1002}}) {
        writefile("deep.sql", r.text);
        programresult run = brelm({"-io", "deep.sql", "-b", "0", "-mcs", "80"});
        EXPECT_EQ(run.err, "nesting deeper than 1000 levels at line " + std::to_string(r.line) + "\ndeep.sql" + failed);
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_EQ(readfile("deep.sql"), r.text);
    }
    for (const std::string& text : {blocks(1000), brackets(1000), directives(1000)}) {
        writefile("deep.sql", text);
        programresult run = brelm({"-i", "deep.sql", "-o", "deep.out", "-b", "0", "-mcs", "80"});
        EXPECT_EQ(run.err, "deep.sql -> deep.out" + done);
        EXPECT_EQ(run.exitcode, 0);
    }
    // Below the bound, a large indent makes no line wider than the widest indentation: the
    // output stays within a bounded multiple of the input.
    writefile("deep.sql", blocks(1000));
    programresult run = brelm({"-i", "deep.sql", "-o", "deep.out", "-b", "0", "-is", "1000"});
    EXPECT_EQ(run.err, "deep.sql -> deep.out" + done);
    std::istringstream lines(readfile("deep.out"));
    size_t widest = 0;
    for (std::string line; std::getline(lines, line);) widest = std::max(widest, line.size());
    EXPECT_EQ(widest, 10000u + std::string("null;").size());
}

// Standard input that cannot be read fails the file and leaves the output alone.
TEST_F(inputbounds, unreadablestandardinputfailsthefile) {
    writefile("important.sql", "keep\n");
    programresult run = brelmwithinput("< \"$PWD\"", {"-i", "stdin", "-o", "important.sql"});
    EXPECT_EQ(run.err, "can't read stdin: Is a directory\nstdin -> important.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    run = brelmwithinput("<&-", {"-i", "stdin", "-o", "important.sql"});
    EXPECT_EQ(run.err, "can't read stdin: Bad file descriptor\nstdin -> important.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("important.sql"), "keep\n");
    // A closed standard output is no place to write to either.
    run = brelmwithinput(">&-", {"-i", "important.sql", "-o", "stdout"});
    EXPECT_EQ(run.err, "could not write stdout: Bad file descriptor\nimportant.sql -> stdout" + failed);
    EXPECT_EQ(run.exitcode, 255);
    // Empty standard input is no error.
    run = brelm({"-i", "stdin", "-o", "stdout", "-sr-"}, "");
    EXPECT_EQ(run.exitcode, 0);
}

// Settings files beyond 1 MB are refused; settings files that load one file again and again
// are refused like a loop; words echoed back from them show control bytes escaped.
TEST_F(inputbounds, settingsfilesareboundedandechoedsafely) {
    writefile("a.sql", "x:=1;\n");
    writefile("big.cfg", std::string((1 << 20) + 1, ' '));
    programresult run = brelm({"-ls", "big.cfg", "-i", "a.sql"});
    EXPECT_EQ(run.err, "could not load settings from big.cfg: the file is larger than 1 MB\n");
    EXPECT_EQ(run.exitcode, 255);
    run = brelm({"-ls", "/dev/zero", "-i", "a.sql"});
    EXPECT_EQ(run.err, "could not load settings from /dev/zero: it is neither a regular file nor a pipe\n");

    for (int level = 1; level <= 20; ++level)
        writefile("d" + std::to_string(level),
                  "-ls d" + std::to_string(level + 1) + " -ls d" + std::to_string(level + 1) + "\n");
    writefile("d21", "-uk\n");
    run = brelm({"-ls", "d1", "-i", "a.sql", "-o", "null"});
    EXPECT_EQ(run.err, "Error:settings file d21 is loaded more than once through -ls\n" + hint);
    EXPECT_EQ(run.exitcode, 2);

    writefile("escape.cfg", "\x1b[2J\x1b]0;owned\x07 -uk\n");
    writefile("escape.sql", "/*brelm options: \x1b[31mred */\nx:=1;\n");
    run = brelm({"-ls", "escape.cfg", "-gsfif", "-i", "escape.sql", "-o", "null"});
    EXPECT_EQ(run.err, "Argument \\x1b[2J\\x1b]0;owned\\x07 is ignored\nArgument \\x1b[31mred is ignored\n"
                       "escape.sql -> null" + done);
}

// The files read besides the input (an html template, settings files, the clipboard file)
// are read by the input's rule: a regular file or a pipe, within its bound. A pipe that
// nothing writes to is refused at once instead of waited on; one that is written is read.
TEST_F(inputbounds, filesbesidetheinputarereadastheinputis) {
    writefile("a.sql", "begin\nnull;\nend;\n");
    for (const char* name : {"big.html", "big.clip"}) {
        writefile(name, "");
        fs::resize_file(folder / name, (size_t(1) << 30) + 1);   // sparse
    }
    for (const char* name : {"t.fifo", "s.fifo", "c.fifo"}) ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0);
    const std::string html = "a.sql -> a.html" + failed, clip = "clipboard -> stdout" + failed;
    struct row {
        std::vector<std::string> arguments;
        std::string clipboard, err;
        int exitcode;
    } rows[] = {
        {{"-i", "a.sql", "-o", "a.html", "-html", "-ht", "/dev/zero"}, "",
         "could not open html template file /dev/zero: it is neither a regular file nor a pipe\n" + html, 255},
        {{"-i", "a.sql", "-o", "a.html", "-html", "-ht", "big.html"}, "",
         "could not open html template file big.html: the file is larger than 1 GB\n" + html, 255},
        {{"-i", "a.sql", "-o", "a.html", "-html", "-ht", "t.fifo"}, "",
         "could not open html template file t.fifo: no program writes to the pipe\n" + html, 255},
        {{"-ls", "s.fifo", "-i", "a.sql"}, "", "could not load settings from s.fifo: no program writes to the pipe\n", 255},
        {{"-i", "clipboard", "-o", "stdout"}, "c.fifo", "can't open clipboard: c.fifo: no program writes to the pipe\n" + clip, 255},
        {{"-i", "clipboard", "-o", "stdout"}, "big.clip", "can't open clipboard: big.clip: the file is larger than 1 GB\n" + clip, 255},
        {{"-i", "clipboard", "-o", "stdout"}, "/dev/zero",
         "can't open clipboard: /dev/zero: it is neither a regular file nor a pipe\n" + clip, 255},
    };
    for (const row& r : rows) {
        if (!r.clipboard.empty()) environment["BRELM_CLIPBOARD_FILE"] = r.clipboard;
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, r.exitcode);
    }
    EXPECT_FALSE(fs::exists(folder / "a.html"));

    // Pipes that are written to: settings and a template from standard input.
    programresult run = brelm({"-ls", "/dev/stdin", "-i", "a.sql", "-o", "stdout", "-sr-"}, "-lk -is 4\n");
    EXPECT_EQ(run.out, "begin\n    null;\nend;\n");
    run = brelm({"-i", "a.sql", "-o", "stdout", "-sr-", "-html", "-ht", "/dev/stdin", "-tag[keyword]=<b>"},
                "<p>$formatted</p>");
    EXPECT_TRUE(run.out.starts_with("<p><b>BEGIN</b>") && run.out.ends_with("</p>")) << run.out;
    EXPECT_EQ(run.exitcode, 0);
}

// File names and switch values echoed in messages and listings show their control bytes as
// \xNN: no name can steer the terminal or forge a result line.
TEST_F(inputbounds, namesandvaluesareechoedescaped) {
    const std::string title = "\x1b]0;owned\x07.sql", forged = "x.sql formatting is done.\nroot.sql";
    writefile(title, "x:=1;\n");
    writefile(forged, "x:=1;\n");
    writefile("tree/\x1b[2J/a.sql", "x:=1;\n");
    writefile("open\x1b]2;x\x07.sql", "x := 'never closed;\n");
    writefile("a.sql", "x:=1;\n");
    programresult run = brelm({"-soe-", "-b", "0", "-i", title, "-i", forged, "-o", "null", "-ir", "tree/*.sql",
                               "-i", "open\x1b]2;x\x07.sql", "-o", "null", "-i", "gone\x07.sql", "-o", "null"});
    EXPECT_EQ(run.out, "subdir:tree/\\x1b[2J\n");
    EXPECT_EQ(run.err, "\\x1b]0;owned\\x07.sql -> \\x1b]0;owned\\x07.sql.vmq" + done +
                           "x.sql formatting is done.\\x0aroot.sql -> null" + done +
                           "tree/\\x1b[2J/a.sql -> tree/\\x1b[2J/a.sql.vmq" + done +
                           "Syntax error:unclosed ' somewhere before open\\x1b]2;x\\x07.sql line 1\n"
                           "Error possible around open\\x1b]2;x\\x07.sql line 1\nopen\\x1b]2;x\\x07.sql -> null" + failed +
                           "can't open gone\\x07.sql: No such file or directory\ngone\\x07.sql -> null" + failed);
    EXPECT_EQ(run.exitcode, 255);

    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-i", "a.sql", "-cs", "\x1b[2J"}, "Character set \\x1b[2J is not correct or not supported.\n" + hint},
        {{"-i", "a.sql", "-tag[\x1b[2J]=<b>"}, "-tag[\\x1b[2J]=<b> is not valid,token type \\x1b[2J is not known\n"},
        {{"-i", "a.sql", "-t", "4,\x1b"}, "The value 4,\\x1b of -t is not a number.\n" + hint},
        {{"-i", "a.sql", "-od", "no\x1b"}, "The output directory (-od) no\\x1b does not exist\n" + hint},
        {{"-i", "a.sql", "-ias", "\x1b[2J", "-o", "null", "-x"}, "Input file to be tidied is \\x1b[2J.\n"},
    };
    for (const auto& r : rows) {
        run = brelm(r.arguments);
        EXPECT_NE(run.err.find(r.err), std::string::npos) << run.err;
        for (const std::string* text : {&run.out, &run.err})
            for (char c : *text) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t') << *text;
    }
}

// The preprocessor's dumps are not written through links nor into a pipe (here one the
// test reads from, so that a write would not wait), and running out of memory inside it
// ends the run as out of memory anywhere does.
TEST_F(inputbounds, preprocessordumpsandmemory) {
    writefile("victim.txt", "untouched\n");
    fs::create_directory(folder / "dump");
    fs::create_symlink(folder / "victim.txt", folder / "dump/tokens.txt");
    ASSERT_EQ(::mkfifo((folder / "dump/defines.txt").c_str(), 0600), 0);
    const int reader = ::open((folder / "dump/defines.txt").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writefile("open.sql", "#define a 1\n#if 0\nx := 1;\n");
    environment["MARLOX_DUMP"] = (folder / "dump").string();
    programresult run = brelm({"-pp", "-i", "open.sql", "-o", "open.out"});
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_NE(run.err.find("#endif not found"), std::string::npos) << run.err;
    EXPECT_EQ(readfile("victim.txt"), "untouched\n");
    EXPECT_TRUE(fs::is_symlink(folder / "dump/tokens.txt"));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
    environment.erase("MARLOX_DUMP");

#ifndef BRELM_SANITIZED   // the sanitizers need more address space than the limit leaves
    writefile("p.sql", "x := 1;\n");
    writefile("preload.sql", "");
    fs::resize_file(folder / "preload.sql", size_t(500) << 20);   // sparse: more than the limit leaves
    std::vector<std::string> wrapped{"-c", "ulimit -v 400000 && exec \"$0\" \"$@\"", programfile("brelm"), "-pp",
                                     "-pp.pf", "preload.sql", "-i", "p.sql", "-o", "null"};
    run = runprogram("/bin/sh", wrapped, folder, std::nullopt, environment);
    EXPECT_EQ(run.err, "Error:program ran out of memory.\n");
    EXPECT_EQ(run.exitcode, 3);
#endif
}

}  // namespace
