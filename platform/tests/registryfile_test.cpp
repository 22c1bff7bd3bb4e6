// The registry store's file: hand-written files, values the store only keeps, other roots,
// and damaged files, which must never crash the reader nor be overwritten.
#include "registrystore.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {

using names = std::vector<std::string>;
const std::string header = "Windows Registry Editor Version 5.00\r\n";

registryvalue dword(uint32_t n) {
    std::string data;
    for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>(n >> shift & 0xFF);
    return {regdword, data};
}

// The value as "type:data", or "missing".
std::string shown(const registrystore& store, const std::string& key, const std::string& name) {
    registryvalue value;
    if (store.queryvalue(key, name, value) != registryok) return "missing";
    return std::to_string(value.type) + ":" + value.data;
}

names valuesof(const registrystore& store, const std::string& key) {
    names list;
    EXPECT_EQ(store.valuenames(key, list), registryok) << key;
    return list;
}

names subkeysof(const registrystore& store, const std::string& key) {
    names list;
    EXPECT_EQ(store.subkeys(key, list), registryok) << key;
    return list;
}

std::string z(const std::string& text) { return text + std::string(1, '\0'); }

}  // namespace

TEST(registryfile, readsahandwrittenfile) {
    testfolder folder;
    folder.write("registry.reg",
                 "; exported by hand\n"
                 "Windows Registry Editor Version 5.00\n"
                 "\n"
                 "; the tools\n"
                 "[HKEY_CURRENT_USER\\Software\\Hand]\n"
                 "\"Path\"=\"C:\\\\Program Files\\\\x\"\n"
                 "@=\"unnamed\"\n"
                 "\"Bytes\"=hex:01,02,\\\n"
                 "  03,4,\\  \n"
                 "\tff\n"
                 "\"Num\" = dword:2a\n"
                 "   \"Spaced\"=\"  inner  \"   \n"
                 "\n"
                 "[hkey_current_user\\software\\hand\\Sub\\]\n"
                 "\"x\"=hex(2):25,00\r\n"
                 "\"Quote\"=\"say \\\"hi\\\"\"\n"
                 "\"Tabbed\"=\"a\tb\"\n"
                 "\"Multi\"=hex(7):61,00,\\\n"
                 "  00,00\n"
                 "[HKEY_CURRENT_USER\\Software\\Hand]\n"
                 "\"NUM\"=dword:FFFFFFFF\n"
                 "\"End\"=hex:ab,\\");
    registrystore store((folder / "registry.reg").string());
    ASSERT_TRUE(store.usable()) << store.loaderror();
    EXPECT_EQ(subkeysof(store, ""), names{"Software"});
    EXPECT_EQ(subkeysof(store, "Software"), names{"Hand"});
    EXPECT_EQ(subkeysof(store, "Software\\Hand"), names{"Sub"});
    EXPECT_EQ(valuesof(store, "Software\\Hand"), (names{"Path", "", "Bytes", "Num", "Spaced", "End"}));
    EXPECT_EQ(shown(store, "Software\\Hand", "Path"), "1:" + z("C:\\Program Files\\x"));
    EXPECT_EQ(shown(store, "Software\\Hand", ""), "1:" + z("unnamed"));
    EXPECT_EQ(shown(store, "Software\\Hand", "Bytes"), "3:\x01\x02\x03\x04\xff");
    EXPECT_EQ(shown(store, "Software\\Hand", "Num"), "4:\xff\xff\xff\xff");
    EXPECT_EQ(shown(store, "Software\\Hand", "Spaced"), "1:" + z("  inner  "));
    EXPECT_EQ(shown(store, "Software\\Hand", "End"), "3:\xab");
    EXPECT_EQ(valuesof(store, "Software\\Hand\\Sub"), (names{"x", "Quote", "Tabbed", "Multi"}));
    EXPECT_EQ(shown(store, "Software\\Hand\\Sub", "x"), "2:" + z("%"));
    EXPECT_EQ(shown(store, "Software\\Hand\\Sub", "Quote"), "1:" + z("say \"hi\""));
    EXPECT_EQ(shown(store, "Software\\Hand\\Sub", "Tabbed"), "1:" + z("a\tb"));
    EXPECT_EQ(shown(store, "Software\\Hand\\Sub", "Multi"), "7:" + std::string("a\0\0\0", 4));

    folder.write("bom.reg", "\xef\xbb\xbf" + header + "[HKEY_CURRENT_USER\\B]\r\n\"v\"=dword:0\r\n");
    registrystore bom((folder / "bom.reg").string());
    ASSERT_TRUE(bom.usable()) << bom.loaderror();
    EXPECT_EQ(shown(bom, "B", "v"), std::string("4:\0\0\0\0", 6));
}

TEST(registryfile, typesitdoesnotreadarekeptandwrittenback) {
    testfolder folder;
    const std::string before = header +
                               "\r\n"
                               "[HKEY_CURRENT_USER]\r\n"
                               "\r\n"
                               "[HKEY_CURRENT_USER\\Software]\r\n"
                               "\r\n"
                               "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                               "\"expand\"=hex(2):25,00,41,00\r\n"
                               "\"multi\"=hex(7):61,00,62,00,00\r\n"
                               "\"odd\"=hex(ffffffff):01\r\n"
                               "\"q\"=hex(b):2a,00,00,00,00,00,00,00\r\n"
                               "\r\n";
    folder.write("registry.reg", before);
    registrystore store((folder / "registry.reg").string());
    ASSERT_TRUE(store.usable()) << store.loaderror();
    EXPECT_EQ(shown(store, "Software\\T", "expand"), "2:" + std::string("%\0A\0", 4));
    EXPECT_EQ(shown(store, "Software\\T", "multi"), "7:" + std::string("a\0b\0\0", 5));
    EXPECT_EQ(shown(store, "Software\\T", "odd"), "4294967295:\x01");
    ASSERT_EQ(store.setvalue("Software\\T", "added", dword(1)), registryok);
    std::string after = before;
    after.insert(after.size() - 2, "\"added\"=dword:00000001\r\n");
    EXPECT_EQ(folder.read("registry.reg"), after);
}

TEST(registryfile, sectionsofotherrootsarekept) {
    testfolder folder;
    folder.write("registry.reg",
                 "Windows Registry Editor Version 5.00\n"
                 "\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\n"
                 "; kept comment\n"
                 "\"Installed\"=\"yes\"\n"
                 "\"Weird\"=something the store does not read\n"
                 "\n"
                 "\n"
                 "[HKEY_CURRENT_USER\\Software\\Mine]\n"
                 "\"a\"=dword:00000001\n"
                 "\n"
                 "[HKEY_CLASSES_ROOT\\.sql]\r\n"
                 "@=\"sqlfile\"\r\n"
                 "; trailing comment\n"
                 "\n");
    registrystore store((folder / "registry.reg").string());
    ASSERT_TRUE(store.usable()) << store.loaderror();
    EXPECT_EQ(subkeysof(store, ""), names{"Software"});
    EXPECT_EQ(store.openkey("SOFTWARE\\Vendor"), registrynotfound);
    ASSERT_EQ(store.setvalue("Software\\Mine", "b", dword(2)), registryok);
    EXPECT_EQ(folder.read("registry.reg"), header +
                                               "\r\n"
                                               "[HKEY_CURRENT_USER]\r\n"
                                               "\r\n"
                                               "[HKEY_CURRENT_USER\\Software]\r\n"
                                               "\r\n"
                                               "[HKEY_CURRENT_USER\\Software\\Mine]\r\n"
                                               "\"a\"=dword:00000001\r\n"
                                               "\"b\"=dword:00000002\r\n"
                                               "\r\n"
                                               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
                                               "; kept comment\r\n"
                                               "\"Installed\"=\"yes\"\r\n"
                                               "\"Weird\"=something the store does not read\r\n"
                                               "\r\n"
                                               "[HKEY_CLASSES_ROOT\\.sql]\r\n"
                                               "@=\"sqlfile\"\r\n"
                                               "\r\n");
}

namespace {

struct filecase {
    const char* what;
    std::string text;
    bool usable;
};

std::string repeated(const std::string& piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

std::string inkey(const std::string& lines) { return header + "[HKEY_CURRENT_USER\\k]\r\n" + lines; }

std::vector<filecase> filecases() {
    std::string deep = header + "[HKEY_CURRENT_USER";
    for (size_t i = 0; i < registrymaxdepth; ++i) deep += "\\k";
    return {
        {"NUL in a text", inkey(std::string("\"a\"=\"x\0y\"\r\n", 11)), false},
        {"NUL in another root", header + std::string("[HKEY_USERS\\x]\r\n\"a\"=\"\0\"\r\n", 26), false},
        {"a byte that is no UTF-8", inkey("\"a\"=\"\xff\"\r\n"), false},
        {"an overlong form", inkey("\"a\"=\"\xc0\xaf\"\r\n"), false},
        {"a surrogate", inkey("\"a\"=\"\xed\xa0\x80\"\r\n"), false},
        {"a cut sequence at the end", inkey("\"a\"=\"x\"\r\n\xe2\x82"), false},
        {"UTF-16", std::string("\xff\xfeW\0i\0n\0", 8), false},
        {"no header", "[HKEY_CURRENT_USER\\k]\r\n", false},
        {"an older header", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n", false},
        {"a value before any section", header + "\"a\"=dword:1\r\n", false},
        {"a byte of three digits", inkey("\"a\"=hex:123\r\n"), false},
        {"a byte that is no hex", inkey("\"a\"=hex:0g\r\n"), false},
        {"an empty byte", inkey("\"a\"=hex:01,,02\r\n"), false},
        {"a byte list without commas", inkey("\"a\"=hex:01 02\r\n"), false},
        {"continued bytes without a comma", inkey("\"a\"=hex:01\\\r\n  02\r\n"), false},
        {"an open hex type", inkey("\"a\"=hex(1:00\r\n"), false},
        {"a hex type of nine digits", inkey("\"a\"=hex(123456789):00\r\n"), false},
        {"a hex type that is no hex", inkey("\"a\"=hex(zz):00\r\n"), false},
        {"a dword of nine digits", inkey("\"a\"=dword:123456789\r\n"), false},
        {"a dword without digits", inkey("\"a\"=dword:\r\n"), false},
        {"a negative dword", inkey("\"a\"=dword:-1\r\n"), false},
        {"an open text", inkey("\"a\"=\"x\r\n"), false},
        {"an unknown escape", inkey("\"a\"=\"\\n\"\r\n"), false},
        {"a backslash at the end of a text", inkey("\"a\"=\"x\\"), false},
        {"an open value name", inkey("\"a=dword:1\r\n"), false},
        {"no equals sign", inkey("\"a\" dword:1\r\n"), false},
        {"text after the quotes", inkey("\"a\"=\"x\"y\r\n"), false},
        {"unknown data", inkey("\"a\"=word:1\r\n"), false},
        {"a value deletion", inkey("\"a\"=-\r\n"), false},
        {"a key deletion", header + "[-HKEY_CURRENT_USER\\k]\r\n", false},
        {"an open section", header + "[HKEY_CURRENT_USER\\k\r\n", false},
        {"a section without a root", header + "[]\r\n", false},
        {"a section whose root is empty", header + "[\\k]\r\n", false},
        {"a line of something else", inkey("garbage\r\n"), false},
        {"a key too deep", deep + "\\k]\r\n", false},
        {"a huge line of something else", inkey(std::string(4 << 20, 'x')), false},
        {"a key as deep as can be", deep + "]\r\n", true},
        {"continued bytes at the end of the file", inkey("\"a\"=hex:01,\\"), true},
        {"a comma after the last byte", inkey("\"a\"=hex:01,02,\r\n"), true},
        {"no bytes", inkey("\"a\"=hex(0):\r\n@=hex:\r\n"), true},
        {"only comments", header + ";\r\n; [HKEY_CURRENT_USER\\k\r\n", true},
        {"a huge hex line", inkey("\"a\"=hex:" + repeated("7f,", 1 << 20) + "7f\r\n"), true},
        {"a huge key name", header + "[HKEY_CURRENT_USER\\" + std::string(1 << 20, 'n') + "]\r\n", true},
    };
}

}  // namespace

TEST(registryfile, damagedfilesaresafelyrefused) {
    testfolder folder;
    const std::string path = (folder / "registry.reg").string();
    for (const filecase& c : filecases()) {
        folder.write("registry.reg", c.text);
        registrystore store(path);
        EXPECT_EQ(store.usable(), c.usable) << c.what << ": " << store.loaderror();
        EXPECT_EQ(store.loaderror().empty(), c.usable) << c.what;
        if (c.usable) continue;
        EXPECT_NE(store.loaderror().find(": line "), std::string::npos) << c.what << ": " << store.loaderror();
        EXPECT_EQ(store.setvalue("k", "a", dword(1)), registryaccessdenied) << c.what;
        EXPECT_EQ(folder.read("registry.reg"), c.text) << c.what;
    }
    folder.write("registry.reg", inkey("\"a\"=hex:" + std::string(3 << 20, ' ') + "7f\r\n"));
    EXPECT_EQ(shown(registrystore(path), "k", "a"), "3:\x7f");
}

// Randomly damaged copies of a file: the reader never fails hard, a file it refuses stays as
// it is, and what the store writes from a file it accepts reads back the same.
TEST(registryfile, damagedcopiesofafile) {
    testfolder folder;
    const std::string path = (folder / "registry.reg").string();
    {
        registrystore store(path);
        store.setvalue("Software\\A", "text", {regsz, z("a \"quoted\" \\ text")});
        store.setvalue("Software\\A", "", dword(7));
        store.setvalue("Software\\A\\B", "bin", {regbinary, std::string(100, '\x5a')});
        store.setvalue("Software\\C", "multi", {regmultisz, std::string("x\0y\0\0", 5)});
    }
    const std::string original = folder.read("registry.reg") + "[HKEY_USERS\\x]\r\n\"y\"=\"z\"\r\n";
    const std::string inserts[] = {"\\", "\"", "[", "]", "\n", "\r", ",", std::string(1, '\0'), "\xff", ":",
                                   "=", "@", "hex(", "\\\r\n", ";", "\xc3\xa9"};
    std::mt19937 random(20);
    int accepted = 0, refused = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string text = original;
        for (int changes = 1 + static_cast<int>(random() % 3); changes > 0; --changes) {
            size_t at = random() % (text.size() + 1);
            switch (random() % 4) {
            case 0: text.insert(at, inserts[random() % std::size(inserts)]); break;
            case 1: text.erase(at, random() % 8); break;
            case 2:
                if (at < text.size()) text[at] = static_cast<char>(random());
                break;
            default: text.resize(at); break;
            }
        }
        folder.write("registry.reg", text);
        registrystore store(path);
        if (!store.usable()) {
            ++refused;
            EXPECT_EQ(store.createkey("x"), registryaccessdenied);
            ASSERT_EQ(folder.read("registry.reg"), text) << round;
            continue;
        }
        ++accepted;
        ASSERT_EQ(store.setvalue("fuzz-check", "v", dword(round)), registryok) << round;
        const std::string written = folder.read("registry.reg");
        registrystore again(path);
        ASSERT_TRUE(again.usable()) << round << ": " << again.loaderror() << "\n" << written;
        ASSERT_EQ(again.deletevalue("fuzz-check", "v"), registryok) << round;
        ASSERT_EQ(again.setvalue("fuzz-check", "v", dword(round)), registryok) << round;
        ASSERT_EQ(folder.read("registry.reg"), written) << round;
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}
