// Registry values over a store file: types as stored, the case rules, listings, updates,
// values from a backup element, failed saves and an unreadable store.
#include "core/registry.h"
#include "core/xml.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

class Registry : public testing::Test {
protected:
    testfolder folder;
    std::string file = (folder / "registry.reg").string();
    registrystore store{file};

    registryvalue Raw(const std::string& key, const std::string& name) {
        registryvalue raw;
        EXPECT_EQ(store.queryvalue(key, name, raw), registryok) << key << " " << name;
        return raw;
    }

    XmlNode Element(const std::string& text) {
        XmlNode document;
        std::string error;
        EXPECT_TRUE(ParseXml(text, 0, document, error)) << error;
        return document.children.at(0);
    }
};

const std::string key = "Software\\Helios\\TextPad 5\\Tools\\0";

}  // namespace

TEST_F(Registry, EachKindIsStoredAsItsTypeAndReadBack) {
    ASSERT_TRUE(RegWriteValue(store, key, "MenuText", std::string("abc"), false));
    ASSERT_TRUE(RegWriteValue(store, key, "Flags", int32_t(-2), false));
    ASSERT_TRUE(RegWriteValue(store, key, "Big", int64_t(0x0102030405060708), false));
    ASSERT_TRUE(RegWriteValue(store, key, "Nothing", std::monostate(), false));
    ASSERT_TRUE(RegWriteValue(store, key, "Properties", std::string("\x01\0\0\0\x56", 5), true));
    EXPECT_EQ(Raw(key, "MenuText").type, uint32_t(regsz));
    EXPECT_EQ(Raw(key, "MenuText").data, std::string("abc\0", 4));   // 3 bytes stored with size 4
    EXPECT_EQ(Raw(key, "Flags").data, "\xFE\xFF\xFF\xFF");
    EXPECT_EQ(Raw(key, "Big").data, "\x08\x07\x06\x05\x04\x03\x02\x01");
    EXPECT_EQ(Raw(key, "Nothing").type, uint32_t(regnone));
    EXPECT_EQ(Raw(key, "Nothing").data, "");
    EXPECT_EQ(Raw(key, "Properties").type, uint32_t(regbinary));
    EXPECT_EQ(Raw(key, "Properties").data, std::string("\x01\0\0\0\x56", 5));

    registrystore again(file);   // saved at every change
    RegValue value;
    uint32_t type = 99;
    long status = -1;
    ASSERT_TRUE(RegReadValue(again, key, "menutext", value, type, status));
    EXPECT_EQ(value, RegValue(std::string("abc")));
    EXPECT_EQ(type, uint32_t(regsz));
    EXPECT_EQ(status, registryok);
    ASSERT_TRUE(RegReadValue(again, key, "Flags", value, type, status));
    EXPECT_EQ(value, RegValue(int32_t(-2)));
    ASSERT_TRUE(RegReadValue(again, key, "Big", value, type, status));
    EXPECT_EQ(value, RegValue(int64_t(0x0102030405060708)));
    ASSERT_TRUE(RegReadValue(again, key, "Nothing", value, type, status));
    EXPECT_EQ(value, RegValue());
    ASSERT_TRUE(RegReadValue(again, key, "Properties", value, type, status));
    EXPECT_EQ(value, RegValue(std::string("\x01\0\0\0\x56", 5)));
    EXPECT_EQ(type, uint32_t(regbinary));
    // Binary text of a number: its decimal digits.
    ASSERT_TRUE(RegWriteValue(store, key, "Digits", int32_t(42), true));
    EXPECT_EQ(Raw(key, "Digits").data, "42");
}

TEST_F(Registry, TextEndsAtItsFirstZeroByte) {
    registryvalue raw{regsz, std::string("one\0two\0", 8)};
    ASSERT_EQ(store.setvalue(key, "Text", raw), registryok);
    RegValue value;
    uint32_t type;
    long status;
    ASSERT_TRUE(RegReadValue(store, key, "Text", value, type, status));
    EXPECT_EQ(value, RegValue(std::string("one")));
}

TEST_F(Registry, ExpandableAndMultiStringsAreNotRead) {
    ASSERT_EQ(store.setvalue(key, "Path", {regexpandsz, std::string("%SystemRoot%\0", 13)}), registryok);
    ASSERT_EQ(store.setvalue(key, "List", {regmultisz, std::string("a\0b\0\0", 5)}), registryok);
    RegValue value = std::string("untouched");
    uint32_t type = 0;
    long status = -1;
    EXPECT_FALSE(RegReadValue(store, key, "Path", value, type, status));
    EXPECT_FALSE(RegReadValue(store, key, "List", value, type, status));
    EXPECT_EQ(value, RegValue(std::string("untouched")));
    EXPECT_EQ(type, uint32_t(regmultisz));
    EXPECT_EQ(status, registryok);
}

TEST_F(Registry, MissingKeysAndValues) {
    long status = -1;
    EXPECT_FALSE(RegKeyExists(store, "Software\\None", status));
    EXPECT_EQ(status, registrynotfound);
    EXPECT_TRUE(RegListSubkeys(store, "Software\\None", status).empty());
    EXPECT_NE(status, registryok);
    EXPECT_TRUE(RegListValueNames(store, "Software\\None", status).empty());
    EXPECT_NE(status, registryok);
    EXPECT_TRUE(RegEnumNames(store, "Software\\None", true).empty());
    RegValue value;
    uint32_t type;
    EXPECT_FALSE(RegReadValue(store, "Software\\None", "x", value, type, status));
    EXPECT_EQ(status, registrynotfound);
    ASSERT_TRUE(RegWriteValue(store, key, "a", std::string("1"), false));
    EXPECT_FALSE(RegReadValue(store, key, "b", value, type, status));
    EXPECT_EQ(status, registrynotfound);
}

TEST_F(Registry, NamesIgnoreCaseKeepTheirCaseAndListInOrder) {
    ASSERT_TRUE(RegWriteValue(store, "Software\\JGsoft\\EditPadPro7\\", "Zeta", std::string("1"), false));
    ASSERT_TRUE(RegWriteValue(store, "software\\jgsoft\\editpadpro7", "alpha", std::string("2"), false));
    ASSERT_TRUE(RegWriteValue(store, "SOFTWARE\\JGSOFT\\EditPadPro7", "ZETA", std::string("3"), false));
    for (const char* sub : {"b", "A", "c", "B2"}) ASSERT_TRUE(RegWriteValue(store, std::string("Software\\JGsoft\\") + sub, "v", int32_t(1), false));
    long status = -1;
    EXPECT_TRUE(RegKeyExists(store, "SOFTWARE\\jgsoft\\EDITPADPRO7\\", status));
    EXPECT_EQ(RegListValueNames(store, "Software\\JGsoft\\EditPadPro7", status), (std::vector<std::string>{"Zeta", "alpha"}));
    EXPECT_EQ(status, registryok);
    EXPECT_EQ(RegListSubkeys(store, "Software\\JGsoft", status), (std::vector<std::string>{"A", "b", "B2", "c", "EditPadPro7"}));
    EXPECT_EQ(RegEnumNames(store, "Software", true), std::vector<std::string>{"JGsoft"});
    RegValue value;
    uint32_t type;
    ASSERT_TRUE(RegReadValue(store, "Software\\JGsoft\\EditPadPro7", "zeta", value, type, status));
    EXPECT_EQ(value, RegValue(std::string("3")));
}

TEST_F(Registry, UpdateOnlyIfPresent) {
    RegValue old = std::string("before");
    EXPECT_FALSE(RegUpdateValue(store, key, "Missing", std::string("new"), false, old, true));
    EXPECT_EQ(old, RegValue(std::string("before")));
    long status;
    EXPECT_FALSE(RegKeyExists(store, key, status));   // nothing written, not even the key
    ASSERT_TRUE(RegWriteValue(store, key, "Present", int32_t(7), false));
    EXPECT_TRUE(RegUpdateValue(store, key, "Present", int32_t(8), false, old, true));
    EXPECT_EQ(old, RegValue(int32_t(7)));
    EXPECT_EQ(Raw(key, "Present").data, std::string("\x08\0\0\0", 4));
    old = std::monostate();
    EXPECT_TRUE(RegUpdateValue(store, key, "Other", std::string("x"), false, old, false));
    EXPECT_EQ(old, RegValue());
    EXPECT_EQ(Raw(key, "Other").data, std::string("x\0", 2));
}

TEST_F(Registry, ValuesFromABackupElement) {
    XmlNode element = Element(
        "<registry><Count type=\"4\">-5</Count>text<MenuText type=\"1\">brelm \xC3\xA9</MenuText>"
        "<Big type=\"11\">9000000000</Big><Properties type=\"3\">0100000056</Properties>"
        "<Plain>no type</Plain><Odd type=\"x\"/><Expand type=\"2\">lost</Expand></registry>");
    ASSERT_TRUE(RegWriteValuesFromXml(element, store, key, 1252));
    EXPECT_EQ(Raw(key, "Count").type, uint32_t(regdword));
    EXPECT_EQ(Raw(key, "Count").data, "\xFB\xFF\xFF\xFF");
    EXPECT_EQ(Raw(key, "MenuText").type, uint32_t(regsz));
    EXPECT_EQ(Raw(key, "MenuText").data, std::string("brelm \xE9\0", 8));
    EXPECT_EQ(Raw(key, "Big").type, uint32_t(regqword));
    EXPECT_EQ(Raw(key, "Big").data, std::string("\x00\x1A\x71\x18\x02\x00\x00\x00", 8));
    EXPECT_EQ(Raw(key, "Properties").type, uint32_t(regbinary));
    EXPECT_EQ(Raw(key, "Properties").data, std::string("\x01\0\0\0\x56", 5));
    for (const char* none : {"Plain", "Odd", "Expand"}) {
        EXPECT_EQ(Raw(key, none).type, uint32_t(regnone)) << none;
        EXPECT_EQ(Raw(key, none).data, "");
    }
    long status;
    EXPECT_EQ(RegListValueNames(store, key, status),
              (std::vector<std::string>{"Count", "MenuText", "Big", "Properties", "Plain", "Odd", "Expand"}));
    ASSERT_TRUE(RegWriteValuesFromXml(Element("<r><MenuText type=\"1\">\xC3\xA9</MenuText></r>"), store, key, -1));
    EXPECT_EQ(Raw(key, "MenuText").data, "\xC3\xA9" + std::string(1, '\0'));
}

TEST_F(Registry, ValuesFromXmlStopAtTheFirstBadOne) {
    XmlNode element = Element("<r><First type=\"1\">ok</First><Second type=\"4\">4294967296</Second>"
                              "<Third type=\"1\">never</Third></r>");
    EXPECT_FALSE(RegWriteValuesFromXml(element, store, key, -1));
    long status;
    EXPECT_EQ(RegListValueNames(store, key, status), std::vector<std::string>{"First"});
    EXPECT_FALSE(RegWriteValuesFromXml(Element("<r><P type=\"3\">0g</P></r>"), store, key, -1));
    EXPECT_FALSE(RegWriteValuesFromXml(Element("<r><Q type=\"11\">1.5</Q></r>"), store, key, -1));
    EXPECT_TRUE(RegWriteValuesFromXml(Element("<r/>"), store, key, -1));
}

TEST_F(Registry, AFailedSaveLeavesNoValueAndGivesFalse) {
    folder.write("plain", "a file where the store's folder should be");
    registrystore blocked((folder / "plain/registry.reg").string());
    EXPECT_FALSE(RegWriteValue(blocked, key, "MenuText", std::string("x"), false));
    long status;
    EXPECT_FALSE(RegKeyExists(blocked, key, status));
    RegValue value;
    uint32_t type;
    EXPECT_FALSE(RegReadValue(blocked, key, "MenuText", value, type, status));
    XmlNode element = Element("<r><A type=\"1\">x</A></r>");
    EXPECT_FALSE(RegWriteValuesFromXml(element, blocked, key, -1));
}

TEST_F(Registry, AnUnreadableStoreIsNeverWritten) {
    std::string broken = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"x\"=nonsense\r\n";
    folder.write("broken.reg", broken);
    registrystore unreadable((folder / "broken.reg").string());
    EXPECT_FALSE(unreadable.usable());
    long status;
    EXPECT_FALSE(RegKeyExists(unreadable, "Software", status));
    EXPECT_TRUE(RegListSubkeys(unreadable, "", status).empty());
    EXPECT_FALSE(RegWriteValue(unreadable, "Software", "y", std::string("1"), false));
    RegValue old;
    EXPECT_FALSE(RegUpdateValue(unreadable, "Software", "y", std::string("1"), false, old, false));
    EXPECT_EQ(folder.read("broken.reg"), broken);
}

TEST(RegTypeOfValue, TypeNumbers) {
    EXPECT_EQ(RegTypeOfValue(std::string("x")), 1u);
    EXPECT_EQ(RegTypeOfValue(int32_t(1)), 4u);
    EXPECT_EQ(RegTypeOfValue(int64_t(1)), 11u);
    EXPECT_EQ(RegTypeOfValue(RegValue()), 0u);
}
