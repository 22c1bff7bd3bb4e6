// EditPadPro 6's tools in the registry: the one scan in its backup, check and install uses,
// the tool count, merging a replaced tool's values, values of other types, failed writes.
#include "fakewritercontext.h"
#include "registryfixtures.h"

#include "core/numbers.h"
#include "core/targetlocations.h"
#include "core/writers/editpadprorecords.h"
#include "core/xml.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string prefs = "Software\\JGsoft\\EditPadPro6\\EPPrefs";

// Tools 0 and 1, "ToolCount" 2, a "Tool" key without a caption and keys of other kinds, one
// of them named like a tool's but for its number; tool 1 has values of every type and one
// whose name is no XML name.
std::string twotools() {
    return RegistryFile({{prefs, {"\"Other\"=\"x\""}},
                         {prefs + "\\Pro", {"\"ToolCount\"=dword:00000002"}},
                         {prefs + "\\Tool0", {"\"Caption\"=\"grep\"", "\"ShortCut\"=dword:00000010"}},
                         {prefs + "\\Tool1",
                          {"\"Caption\"=\"brelm\"", "\"CommandLine\"=\"old.exe\"", "\"Custom\"=\"stays\"",
                           "\"Blob\"=hex:00,ff,0a,3c,26", "\"Expand\"=hex(2):25,00,00,00", "\"Big\"=hex(b):01,00,00,00,00,00,00,00",
                           "\"Two words\"=\"no tag\""}},
                         {prefs + "\\Tool5", {"\"Hint\"=\"no caption\""}},
                         {prefs + "\\Toolbar", {"\"Caption\"=\"bar\""}},
                         {prefs + "\\Window", {"\"Caption\"=\"sed\""}}});
}

class EditPadPro6Registry : public testing::Test {
protected:
    testfolder folder;
    EditPadProToolRecord record = MakeEditPadPro6Tool("sed", "/opt/sed -i %FILE%", "/work");

    std::string Value(FakeWriterContext& context, const std::string& key, const std::string& name) const {
        registryvalue raw;
        if (context.registry.queryvalue(prefs + "\\" + key, name, raw) != registryok) return "missing";
        return std::to_string(raw.type) + ":" + raw.data;
    }
    std::vector<std::string> Names(FakeWriterContext& context, const std::string& key) const {
        long status;
        return RegListValueNames(context.registry, prefs + "\\" + key, status);
    }
    bool Install(FakeWriterContext& context, const std::string& name, const EditPadProToolRecord& tool) {
        XmlNode document;
        return EditPadPro6RegistryTools(document, EditPadPro6Target, name, tool, false, true, context);
    }
};

std::string dword(uint32_t n) { return "4:" + std::string(reinterpret_cast<const char*>(&n), 4); }

}  // namespace

TEST_F(EditPadPro6Registry, TheCheckAnswersForCaptionedToolKeysOnly) {
    folder.write("registry.reg", twotools());
    FakeWriterContext context(folder);
    XmlNode document;
    EXPECT_TRUE(EditPadPro6RegistryTools(document, EditPadPro6Target, "brelm", {}, true, false, context));
    EXPECT_TRUE(EditPadPro6RegistryTools(document, EditPadPro6Target, "grep", {}, true, false, context));
    EXPECT_FALSE(EditPadPro6RegistryTools(document, EditPadPro6Target, "sed", {}, true, false, context));
    EXPECT_FALSE(EditPadPro6RegistryTools(document, EditPadPro6Target, "bar", {}, true, false, context));
    EXPECT_FALSE(EditPadPro6RegistryTools(document, EditPadPro6Target, "Brelm", {}, true, false, context));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(context.asked.empty());
    EXPECT_EQ(folder.read("registry.reg"), twotools());
    // Without tool keys every use says so, the check too.
    testfolder other;
    FakeWriterContext empty(other);
    EXPECT_FALSE(EditPadPro6RegistryTools(document, EditPadPro6Target, "brelm", {}, true, false, empty));
    EXPECT_FALSE(EditPadPro6RegistryTools(document, "", "", {}, false, false, empty));
    EXPECT_FALSE(Install(empty, "sed", record));
    EXPECT_EQ(empty.errors, std::vector<std::string>(3, "could not read registry for EditPadPro."));
    EXPECT_TRUE(empty.backups.empty());
}

TEST_F(EditPadPro6Registry, TheBackupDocumentListsTheToolsInTheStoresOrder) {
    folder.write("registry.reg", twotools());
    FakeWriterContext context(folder);
    ASSERT_TRUE(RegWriteValue(context.registry, prefs + "\\tool10", "Caption", std::string("a<b&c"), false));
    XmlNode document;
    ASSERT_TRUE(EditPadPro6RegistryTools(document, "", "", {}, false, false, context));
    EXPECT_EQ(AsXml(document, XmlHeader | XmlDoctype),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n<!DOCTYPE Editpadpro>\r\n"
              "<Editpadpro><tools>"
              "<tool><Caption type=\"1\">grep</Caption><ShortCut type=\"4\">16</ShortCut></tool>"
              "<tool><Caption type=\"1\">brelm</Caption><CommandLine type=\"1\">old.exe</CommandLine>"
              "<Custom type=\"1\">stays</Custom><Blob type=\"3\">00ff0a3c26</Blob><Big type=\"11\">1</Big></tool>"
              "<tool><Caption type=\"1\">a&lt;b&amp;c</Caption></tool>"
              "</tools></Editpadpro>");
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(EditPadPro6Registry, ANewToolTakesTheToolCountsNumber) {
    folder.write("registry.reg", twotools());
    FakeWriterContext context(folder);
    ASSERT_TRUE(Install(context, "sed", record));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.errors.empty());
    std::vector<std::string> names;
    for (const auto& [name, value] : record) names.push_back(name);
    EXPECT_EQ(Names(context, "Tool2"), names);
    EXPECT_EQ(Value(context, "Tool2", "Caption"), Sz("sed"));
    EXPECT_EQ(Value(context, "Tool2", "CommandLine"), Sz("/opt/sed -i %FILE%"));
    EXPECT_EQ(Value(context, "Tool2", "UserFileTypes"), Sz(std::string(30, 'N')));
    EXPECT_EQ(Value(context, "Tool2", "StdOut"), dword(2));
    EXPECT_EQ(Value(context, "Pro", "ToolCount"), dword(3));
    // The backup came before any change.
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].location, "located in registry");
    EXPECT_EQ(context.backups[0].extra, "");
    EXPECT_EQ(context.backups[0].registryText, twotools());
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"sed", "EditPadPro 6"}}));
}

TEST_F(EditPadPro6Registry, WithoutAToolCountTheFirstFreeKeyFromOneIsTaken) {
    folder.write("registry.reg", RegistryFile({{prefs + "\\Tool0", {"\"Caption\"=\"grep\""}}}));
    FakeWriterContext context(folder);
    ASSERT_TRUE(Install(context, "sed", record));
    EXPECT_EQ(Value(context, "Tool1", "Caption"), Sz("sed"));
    EXPECT_EQ(Value(context, "Pro", "ToolCount"), dword(2));
    // A count that names a tool's key never overwrites that tool.
    ASSERT_TRUE(RegWriteValue(context.registry, prefs + "\\Pro", "ToolCount", std::string("zero"), false));
    ASSERT_TRUE(Install(context, "awk", MakeEditPadPro6Tool("awk", "awk", "")));
    EXPECT_EQ(Value(context, "Tool1", "Caption"), Sz("sed"));
    EXPECT_EQ(Value(context, "Tool2", "Caption"), Sz("awk"));
    EXPECT_EQ(Value(context, "Pro", "ToolCount"), dword(3));
}

TEST_F(EditPadPro6Registry, OverwritingMergesTheRecordIntoTheOldValues) {
    folder.write("registry.reg", twotools());
    FakeWriterContext context(folder);
    EditPadProToolRecord brelm = MakeEditPadPro6Tool("brelm", "/opt/brelm %FILE%", "/work");
    ASSERT_TRUE(Install(context, "brelm", brelm));   // No
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    EXPECT_EQ(folder.read("registry.reg"), twotools());

    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(context, "brelm", brelm));
    // The old values keep their places, the record's others follow.
    std::vector<std::string> names = {"Caption", "CommandLine", "Custom", "Blob", "Expand", "Big", "Two words"};
    for (const auto& [name, value] : brelm)
        if (name != "Caption" && name != "CommandLine") names.push_back(name);
    EXPECT_EQ(Names(context, "Tool1"), names);
    EXPECT_EQ(Value(context, "Tool1", "CommandLine"), Sz("/opt/brelm %FILE%"));
    EXPECT_EQ(Value(context, "Tool1", "Custom"), Sz("stays"));
    EXPECT_EQ(Value(context, "Tool1", "Blob"), std::string("3:\x00\xff\x0a\x3c\x26", 7));
    EXPECT_EQ(Value(context, "Tool1", "Expand"), std::string("2:%\0\0\0", 6));
    EXPECT_EQ(Value(context, "Tool1", "Big"), std::string("11:\x01\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(Value(context, "Tool1", "Two words"), Sz("no tag"));
    EXPECT_EQ(Value(context, "Tool1", "ShortCut"), dword(0));
    EXPECT_EQ(Value(context, "Pro", "ToolCount"), dword(2));
    EXPECT_EQ(Value(context, "Tool0", "Caption"), Sz("grep"));
    EXPECT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(EditPadPro6Registry, TextsGoThroughTheCodePage) {
    FakeWriterContext context(folder);
    context.codePage = 1252;
    ASSERT_TRUE(RegWriteValue(context.registry, prefs + "\\Tool0", "Caption", std::string("Gr\xFC\xDF"), false));
    ASSERT_TRUE(RegWriteValue(context.registry, prefs + "\\Tool0", "Hint", std::string("\xE9t\xE9"), false));
    XmlNode document;
    ASSERT_TRUE(EditPadPro6RegistryTools(document, "", "", {}, false, false, context));
    EXPECT_EQ(document.Find("Editpadpro")->Find("tools")->Find("tool")->Find("Hint")->FirstChildText(), "été");
    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(context, "Grüß", MakeEditPadPro6Tool("Grüß", "x", "/B\xC3\xBC" "cher")));
    EXPECT_EQ(Value(context, "Tool0", "Caption"), Sz("Gr\xFC\xDF"));
    EXPECT_EQ(Value(context, "Tool0", "Hint"), Sz(""));
    EXPECT_EQ(Value(context, "Tool0", "WorkingFolder"), Sz("/B\xFC" "cher"));
}

TEST_F(EditPadPro6Registry, FailedWritesAreReported) {
    folder.write("registry.reg", twotools());
    FakeWriterContext context(folder);
    // A folder where the store's file was: every save fails.
    std::filesystem::remove(folder / "registry.reg");
    std::filesystem::create_directory(folder / "registry.reg");
    EXPECT_FALSE(Install(context, "sed", record));
    context.overwriteAnswers = {true};
    EXPECT_FALSE(Install(context, "brelm", record));
    EXPECT_EQ(context.errors, std::vector<std::string>(2, "Install failed,could not save write registry for EditPadPro 6"));
    EXPECT_EQ(context.backups.size(), 2u);
    EXPECT_TRUE(context.installed.empty());
    // A failed backup writes nothing.
    testfolder other;
    other.write("registry.reg", twotools());
    FakeWriterContext refused(other);
    refused.backupSucceeds = false;
    EXPECT_FALSE(Install(refused, "sed", record));
    EXPECT_TRUE(refused.errors.empty());
    EXPECT_EQ(other.read("registry.reg"), twotools());
}
