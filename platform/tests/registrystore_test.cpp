// The registry store's operations: names, order, deletion rules, saving and failed saves.
#include "registrystore.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

namespace fs = std::filesystem;

namespace {

using names = std::vector<std::string>;

registryvalue text(const std::string& t) { return {regsz, t + std::string(1, '\0')}; }
registryvalue dword(uint32_t n) {
    std::string data;
    for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>(n >> shift & 0xFF);
    return {regdword, data};
}

std::optional<registryvalue> query(const registrystore& store, const std::string& key, const std::string& name) {
    registryvalue value;
    if (store.queryvalue(key, name, value) != registryok) return std::nullopt;
    return value;
}

names subkeysof(const registrystore& store, const std::string& key) {
    names list;
    EXPECT_EQ(store.subkeys(key, list), registryok) << key;
    return list;
}

names valuesof(const registrystore& store, const std::string& key) {
    names list;
    EXPECT_EQ(store.valuenames(key, list), registryok) << key;
    return list;
}

bool sameas(const std::optional<registryvalue>& value, const registryvalue& expected) {
    return value && value->type == expected.type && value->data == expected.data;
}

std::string storefile(const testfolder& folder) { return (folder / "registry.reg").string(); }

}  // namespace

TEST(registrystore, writesregistryexporttext) {
    testfolder folder;
    registrystore store(storefile(folder));
    ASSERT_TRUE(store.usable());
    EXPECT_EQ(store.createkey("Software\\Beta"), registryok);
    const std::string key = "Software\\alpha";
    EXPECT_EQ(store.setvalue(key, "Name", text("PSPad \"x\" C:\\tools")), registryok);
    EXPECT_EQ(store.setvalue(key, "", text("default")), registryok);
    EXPECT_EQ(store.setvalue(key, "Count", dword(42)), registryok);
    EXPECT_EQ(store.setvalue(key, "Big", {regqword, "\x08\x07\x06\x05\x04\x03\x02\x01"}), registryok);
    EXPECT_EQ(store.setvalue(key, "Raw", {regbinary, std::string("\x01\x00", 2)}), registryok);
    EXPECT_EQ(store.setvalue(key, "Nothing", {regnone, ""}), registryok);
    EXPECT_EQ(store.setvalue(key, "Tab", text("a\tb")), registryok);
    EXPECT_EQ(store.setvalue(key, "NoZero", {regsz, "abc"}), registryok);
    EXPECT_EQ(store.setvalue(key, "Inner", {regsz, std::string("a\0b\0", 4)}), registryok);
    EXPECT_EQ(store.setvalue(key, "Latin", {regsz, std::string("\xe9\0", 2)}), registryok);   // not UTF-8
    EXPECT_EQ(store.setvalue(key, "Short", {regdword, "\x01\x02"}), registryok);
    EXPECT_EQ(store.setvalue(key, "Expand", {regexpandsz, std::string("%A%\0", 4)}), registryok);
    EXPECT_EQ(store.setvalue(key, "\"q\\", text("\xc3\xa9t\xc3\xa9")), registryok);
    EXPECT_EQ(testfolder::readall(storefile(folder)),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER]\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\alpha]\r\n"
              "\"Name\"=\"PSPad \\\"x\\\" C:\\\\tools\"\r\n"
              "@=\"default\"\r\n"
              "\"Count\"=dword:0000002a\r\n"
              "\"Big\"=hex(b):08,07,06,05,04,03,02,01\r\n"
              "\"Raw\"=hex:01,00\r\n"
              "\"Nothing\"=hex(0):\r\n"
              "\"Tab\"=hex(1):61,09,62,00\r\n"
              "\"NoZero\"=hex(1):61,62,63\r\n"
              "\"Inner\"=hex(1):61,00,62,00\r\n"
              "\"Latin\"=hex(1):e9,00\r\n"
              "\"Short\"=hex(4):01,02\r\n"
              "\"Expand\"=hex(2):25,41,25,00\r\n"
              "\"\\\"q\\\\\"=\"\xc3\xa9t\xc3\xa9\"\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Beta]\r\n"
              "\r\n");
}

TEST(registrystore, afileitwroteisreadbackbyteforbyte) {
    testfolder folder;
    std::string binary;
    for (int i = 0; i < 300; ++i) binary += static_cast<char>(i * 7);
    {
        registrystore store(storefile(folder));
        store.setvalue("Software\\A", "long", {regbinary, binary});
        store.setvalue("Software\\A", "multi", {regmultisz, std::string("one\0two\0\0", 9)});
        store.setvalue("Software\\A", "q", {regqword, std::string(8, '\xff')});
        store.setvalue("Software\\A\\b", "", text("x"));
        store.setvalue("Software\\A\\b", "odd", {0x12345678, "z"});
        store.setvalue("Software\\C", "d", dword(0xdeadbeef));
    }
    const std::string written = testfolder::readall(storefile(folder));
    // Long hex data goes on over lines ended by "\".
    size_t linestart = 0, lines = 0;
    for (size_t end; (end = written.find("\r\n", linestart)) != std::string::npos; linestart = end + 2, ++lines)
        EXPECT_LE(end - linestart, 80u) << written.substr(linestart, end - linestart);
    EXPECT_NE(written.find(",\\\r\n  "), std::string::npos);

    registrystore again(storefile(folder));
    ASSERT_TRUE(again.usable()) << again.loaderror();
    EXPECT_TRUE(sameas(query(again, "Software\\A", "long"), {regbinary, binary}));
    EXPECT_TRUE(sameas(query(again, "Software\\A\\b", "odd"), {0x12345678, "z"}));
    EXPECT_EQ(valuesof(again, "Software\\A"), (names{"long", "multi", "q"}));
    // A change and its undoing give the same bytes again.
    EXPECT_EQ(again.setvalue("Software\\New", "x", dword(1)), registryok);
    EXPECT_NE(testfolder::readall(storefile(folder)), written);
    EXPECT_EQ(again.deletevalue("Software\\New", "x"), registryok);
    EXPECT_EQ(again.deletekey("Software\\New"), registryok);
    EXPECT_EQ(testfolder::readall(storefile(folder)), written);
}

TEST(registrystore, namesignorecaseandkeeptheirfirstcase) {
    testfolder folder;
    registrystore store(storefile(folder));
    ASSERT_EQ(store.setvalue("Software\\JGsoft", "MyValue", text("one")), registryok);
    EXPECT_EQ(store.openkey("SOFTWARE\\jgSOFT"), registryok);
    EXPECT_TRUE(sameas(query(store, "software\\JGSOFT", "myvalue"), text("one")));

    EXPECT_EQ(store.setvalue("SOFTWARE\\JGSOFT", "MYVALUE", text("two")), registryok);
    EXPECT_EQ(store.createkey("software"), registryok);
    EXPECT_EQ(subkeysof(store, ""), names{"Software"});
    EXPECT_EQ(subkeysof(store, "Software"), names{"JGsoft"});
    EXPECT_EQ(valuesof(store, "Software\\JGsoft"), names{"MyValue"});
    EXPECT_TRUE(sameas(query(store, "Software\\JGsoft", "MyValue"), text("two")));

    // Only ASCII letters fold.
    EXPECT_EQ(store.createkey("\xc3\x84"), registryok);   // Ä
    EXPECT_EQ(store.openkey("\xc3\xa4"), registrynotfound);   // ä

    registrystore again(storefile(folder));
    EXPECT_EQ(subkeysof(again, "software"), names{"JGsoft"});
    EXPECT_EQ(valuesof(again, "software\\jgsoft"), names{"MyValue"});
}

TEST(registrystore, subkeysinnameordervaluesincreationorder) {
    testfolder folder;
    registrystore store(storefile(folder));
    for (const char* name : {"beta", "Alpha", "gamma", "Beta2", "_x", "Zeta", "alpha1"})
        ASSERT_EQ(store.createkey(std::string("Tools\\") + name), registryok);
    // Upper-case folding, as Windows orders: "_" comes after the letters.
    const names keyorder{"Alpha", "alpha1", "beta", "Beta2", "gamma", "Zeta", "_x"};
    EXPECT_EQ(subkeysof(store, "Tools"), keyorder);

    for (const char* name : {"z", "a", "M", "b"}) store.setvalue("Tools", name, dword(1));
    store.setvalue("Tools", "A", dword(2));        // replaced in place
    store.deletevalue("Tools", "m");
    store.setvalue("Tools", "m", dword(3));        // made again: last
    const names valueorder{"z", "a", "b", "m"};
    EXPECT_EQ(valuesof(store, "Tools"), valueorder);

    registrystore again(storefile(folder));
    EXPECT_EQ(subkeysof(again, "Tools"), keyorder);
    EXPECT_EQ(valuesof(again, "Tools"), valueorder);
}

TEST(registrystore, keypathsignoreatrailingbackslashandmaketheirparents) {
    testfolder folder;
    registrystore store(storefile(folder));
    EXPECT_EQ(store.openkey(""), registryok);
    EXPECT_EQ(store.openkey("Software\\JGsoft\\EditPadPro7\\"), registrynotfound);
    EXPECT_EQ(store.createkey("Software\\JGsoft\\EditPadPro7\\"), registryok);
    EXPECT_EQ(store.openkey("Software\\JGsoft\\EditPadPro7"), registryok);
    EXPECT_EQ(store.openkey("Software\\JGsoft"), registryok);
    EXPECT_EQ(store.openkey("Software\\JGsoft\\EditPadPro7\\"), registryok);
    EXPECT_EQ(subkeysof(store, "Software\\JGsoft\\"), names{"EditPadPro7"});

    EXPECT_EQ(store.setvalue("Software\\Helios\\Tools\\", "n", dword(7)), registryok);
    EXPECT_EQ(store.openkey("Software\\Helios"), registryok);
    EXPECT_TRUE(sameas(query(store, "Software\\Helios\\Tools", "n"), dword(7)));
    EXPECT_TRUE(sameas(query(store, "Software\\Helios\\Tools\\", "n"), dword(7)));
    EXPECT_EQ(subkeysof(store, "Software"), (names{"Helios", "JGsoft"}));

    names list{"stale"};
    EXPECT_EQ(store.subkeys("Software\\Missing", list), registrynotfound);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(store.valuenames("Software\\Missing", list), registrynotfound);
    registryvalue out;
    EXPECT_EQ(store.queryvalue("Software\\Helios\\Tools", "other", out), registrynotfound);
    EXPECT_EQ(store.queryvalue("Software\\Missing", "n", out), registrynotfound);
}

TEST(registrystore, namesthefilecannotholdarerefused) {
    testfolder folder;
    registrystore store(storefile(folder));
    EXPECT_EQ(store.createkey("bad\nname"), registryinvalidparameter);
    EXPECT_EQ(store.createkey(std::string("nul\0", 4)), registryinvalidparameter);
    EXPECT_EQ(store.createkey("latin\xe9"), registryinvalidparameter);
    EXPECT_EQ(store.setvalue("ok", "line\r\nbreak", dword(1)), registryinvalidparameter);
    EXPECT_EQ(store.openkey("ok"), registrynotfound);
    std::string deep;
    for (size_t i = 0; i < registrymaxdepth; ++i) deep += "k\\";
    EXPECT_EQ(store.createkey(deep), registryok);
    EXPECT_EQ(store.createkey(deep + "one-too-many"), registryinvalidparameter);
    EXPECT_EQ(testfolder::readall(storefile(folder)).find("one-too-many"), std::string::npos);
    registrystore again(storefile(folder));
    EXPECT_TRUE(again.usable()) << again.loaderror();
    EXPECT_EQ(again.openkey(deep), registryok);
}

TEST(registrystore, akeywithsubkeysisnotdeleted) {
    testfolder folder;
    registrystore store(storefile(folder));
    store.setvalue("A\\B\\C", "v", dword(1));
    store.setvalue("A\\B", "w", dword(2));
    EXPECT_EQ(store.deletekey("A"), registryaccessdenied);
    EXPECT_EQ(store.deletekey("a\\b"), registryaccessdenied);
    EXPECT_EQ(store.openkey("A\\B\\C"), registryok);
    EXPECT_EQ(store.deletekey(""), registryaccessdenied);
    EXPECT_EQ(store.deletekey("A\\Missing"), registrynotfound);
    EXPECT_EQ(store.deletekey("Missing\\Deeper"), registrynotfound);

    EXPECT_EQ(store.deletekey("a\\b\\c\\"), registryok);   // its values go with it
    EXPECT_EQ(store.openkey("A\\B\\C"), registrynotfound);
    EXPECT_EQ(store.deletekey("A\\B"), registryok);
    EXPECT_EQ(store.deletekey("A"), registryok);
    EXPECT_EQ(subkeysof(store, ""), names{});
    EXPECT_EQ(store.deletevalue("A", "v"), registrynotfound);

    registrystore again(storefile(folder));
    EXPECT_EQ(again.openkey("A"), registrynotfound);
}

TEST(registrystore, textkeepsitsterminatingzero) {
    testfolder folder;
    registrystore store(storefile(folder));
    ASSERT_EQ(store.setvalue("T", "v", {regsz, std::string("abc\0", 4)}), registryok);
    EXPECT_NE(testfolder::readall(storefile(folder)).find("\r\n\"v\"=\"abc\"\r\n"), std::string::npos);
    registrystore again(storefile(folder));
    std::optional<registryvalue> value = query(again, "T", "v");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, regsz);
    EXPECT_EQ(value->data, std::string("abc\0", 4));

    registrystore moved = std::move(again);   // the store goes with its owner
    EXPECT_TRUE(sameas(query(moved, "T", "v"), *value));
    EXPECT_EQ(moved.setvalue("T", "w", text("d")), registryok);
    EXPECT_TRUE(sameas(query(registrystore(storefile(folder)), "T", "w"), text("d")));
}

TEST(registrystore, missingfoldersaremadeonthefirstsave) {
    testfolder folder;
    const std::string path = (folder / "one/two/registry.reg").string();
    registrystore store(path);
    EXPECT_TRUE(store.usable());
    EXPECT_EQ(store.path(), path);
    EXPECT_FALSE(fs::exists(folder / "one"));   // reading makes nothing
    EXPECT_EQ(store.openkey("x"), registrynotfound);
    EXPECT_FALSE(fs::exists(folder / "one"));
    ASSERT_EQ(store.createkey("x"), registryok);
    for (const char* made : {"one", "one/two"}) {
        struct stat st {};
        ASSERT_EQ(stat((folder / made).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(registrystore(path).openkey("X"), registryok);
    for (const auto& entry : fs::directory_iterator(folder / "one/two"))
        EXPECT_EQ(entry.path().filename(), "registry.reg");   // no temporary file left
}

TEST(registrystore, afailedsavedropsthechange) {
    testfolder folder;
    folder.write("plain", "a file, not a folder");
    registrystore blocked((folder / "plain/registry.reg").string());
    ASSERT_TRUE(blocked.usable()) << blocked.loaderror();
    EXPECT_EQ(blocked.setvalue("New\\Key", "v", dword(1)), registrywritefault);
    EXPECT_EQ(blocked.openkey("New"), registrynotfound);   // the parents made for it go too
    EXPECT_EQ(blocked.createkey("Other"), registrywritefault);
    EXPECT_EQ(subkeysof(blocked, ""), names{});

    // A store whose folder turns into a file after it was read.
    const std::string path = (folder / "sub/registry.reg").string();
    registrystore store(path);
    store.setvalue("K", "a", dword(1));
    store.setvalue("K", "b", dword(2));
    store.setvalue("K", "c", dword(3));
    store.createkey("K\\Child");
    const std::string before = testfolder::readall(path);
    fs::rename(folder / "sub", folder / "away");
    folder.write("sub", "blocking file");

    EXPECT_EQ(store.setvalue("K", "a", dword(10)), registrywritefault);
    EXPECT_EQ(store.setvalue("K", "new", dword(4)), registrywritefault);
    EXPECT_EQ(store.setvalue("K\\Made\\Deeper", "x", dword(4)), registrywritefault);
    EXPECT_EQ(store.deletevalue("K", "b"), registrywritefault);
    EXPECT_EQ(store.deletekey("K\\Child"), registrywritefault);
    EXPECT_EQ(store.createkey("K\\Made"), registrywritefault);
    EXPECT_TRUE(sameas(query(store, "K", "a"), dword(1)));
    EXPECT_EQ(valuesof(store, "K"), (names{"a", "b", "c"}));
    EXPECT_EQ(subkeysof(store, "K"), names{"Child"});
    EXPECT_EQ(store.setvalue("K", "a", dword(1)), registryok);   // unchanged: nothing to save

    fs::remove(folder / "sub");
    fs::rename(folder / "away", folder / "sub");
    EXPECT_EQ(testfolder::readall(path), before);
    EXPECT_EQ(store.setvalue("K", "d", dword(5)), registryok);
    registrystore again(path);
    EXPECT_EQ(valuesof(again, "K"), (names{"a", "b", "c", "d"}));
    EXPECT_EQ(subkeysof(again, "K"), names{"Child"});
}

TEST(registrystore, anunparsablefileisneveroverwritten) {
    testfolder folder;
    const std::string damaged = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n"
                                "\"ok\"=dword:00000001\r\n\"broken\"=hex:0g\r\n";
    folder.write("registry.reg", damaged);
    registrystore store(storefile(folder));
    EXPECT_FALSE(store.usable());
    EXPECT_NE(store.loaderror().find("line 5"), std::string::npos) << store.loaderror();
    EXPECT_NE(store.loaderror().find(storefile(folder)), std::string::npos) << store.loaderror();

    EXPECT_EQ(store.openkey(""), registryok);
    EXPECT_EQ(store.openkey("Software"), registrynotfound);   // reads see an empty registry
    EXPECT_EQ(subkeysof(store, ""), names{});
    EXPECT_EQ(query(store, "Software", "ok"), std::nullopt);
    EXPECT_EQ(store.createkey("Software"), registryaccessdenied);
    EXPECT_EQ(store.setvalue("Software", "ok", dword(2)), registryaccessdenied);
    EXPECT_EQ(store.deletevalue("Software", "ok"), registryaccessdenied);
    EXPECT_EQ(store.deletekey("Software"), registryaccessdenied);
    EXPECT_EQ(store.deletekey("Missing"), registryaccessdenied);
    EXPECT_EQ(testfolder::readall(storefile(folder)), damaged);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(registrystore, afilethatcannotbereadisneveroverwritten) {
    testfolder folder;
    fs::create_directory(folder / "registry.reg");
    registrystore directory(storefile(folder));
    EXPECT_FALSE(directory.usable());
    EXPECT_EQ(directory.createkey("x"), registryaccessdenied);
    EXPECT_TRUE(fs::is_empty(folder / "registry.reg"));

    const std::string fifo = (folder / "fifo.reg").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    registrystore pipe(fifo);   // does not wait for a writer
    EXPECT_FALSE(pipe.usable());
    EXPECT_EQ(pipe.setvalue("x", "y", dword(1)), registryaccessdenied);
    EXPECT_TRUE(fs::is_fifo(fifo));

    folder.write("empty.reg", "");
    registrystore empty((folder / "empty.reg").string());
    EXPECT_TRUE(empty.usable());   // an empty file is an empty store
    EXPECT_EQ(empty.createkey("x"), registryok);
}

TEST(registrystore, aspecialfilethatturnsupinitsplacestays) {
    testfolder folder;
    registrystore store(storefile(folder));
    ASSERT_EQ(mkfifo(storefile(folder).c_str(), 0600), 0);
    EXPECT_EQ(store.setvalue("x", "y", dword(1)), registrywritefault);
    EXPECT_TRUE(fs::is_fifo(storefile(folder)));
    fs::remove(storefile(folder));
    fs::create_directory(storefile(folder));
    EXPECT_EQ(store.setvalue("x", "y", dword(1)), registrywritefault);
    EXPECT_TRUE(fs::is_empty(storefile(folder)));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(registrystore, asymboliclinkkeepspointingatthereplacedfile) {
    testfolder folder;
    folder.write("real/registry.reg", "Windows Registry Editor Version 5.00\r\n");
    ASSERT_EQ(chmod((folder / "real/registry.reg").c_str(), 0640), 0);
    fs::create_directory(folder / "links");
    fs::create_symlink("../real/registry.reg", folder / "links/registry.reg");
    registrystore store((folder / "links/registry.reg").string());
    ASSERT_TRUE(store.usable()) << store.loaderror();
    ASSERT_EQ(store.setvalue("Linked", "v", dword(1)), registryok);

    EXPECT_TRUE(fs::is_symlink(folder / "links/registry.reg"));
    EXPECT_NE(folder.read("real/registry.reg").find("[HKEY_CURRENT_USER\\Linked]"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(stat((folder / "real/registry.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "links"), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "real"), fs::directory_iterator()), 1);
}

namespace {

// Sets or unsets environment variables for one test and restores them afterwards.
class environmentchange {
public:
    void set(const char* name, const char* value) {
        if (!saved.count(name)) {
            const char* old = std::getenv(name);
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~environmentchange() {
        for (const auto& [name, value] : saved)
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};

}  // namespace

TEST(registrystorepath, followstheenvironment) {
    environmentchange env;
    env.set("TOLVANE_REGISTRY", "/tmp/mine.reg");
    env.set("XDG_CONFIG_HOME", "/xdg");
    env.set("HOME", "/home/user");
    EXPECT_EQ(registrystorepath(), "/tmp/mine.reg");
    env.set("TOLVANE_REGISTRY", "");
    EXPECT_EQ(registrystorepath(), "/xdg/tolvane/registry.reg");
    env.set("TOLVANE_REGISTRY", nullptr);
    env.set("XDG_CONFIG_HOME", "/xdg/");
    EXPECT_EQ(registrystorepath(), "/xdg/tolvane/registry.reg");
    env.set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(registrystorepath(), "/home/user/.config/tolvane/registry.reg");
    env.set("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(registrystorepath(), "/home/user/.config/tolvane/registry.reg");
}
