// EditPadPro's ini file read into the tools document.
#include "core/editpadprotools.h"

#include "core/registry.h"
#include "core/xml.h"
#include "fakewritercontext.h"

#include <gtest/gtest.h>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n";

class EditPadProIni : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    XmlNode document;
    std::string Ini() const { return (folder / "EditPadPro.ini").string(); }
    bool Read(const std::string& text, const std::string& target = "EditPadPro 6") {
        folder.write("EditPadPro.ini", text);
        return ReadEditPadProIniTools(document, Ini(), target, false, context);
    }
    std::string Text() const { return EditPadProDocumentText(document); }
};

TEST_F(EditPadProIni, CountedToolSectionsAfterTheCountWithTheirTypes) {
    ASSERT_TRUE(Read("[Tool0]\r\nCaption=before the count\r\n"
                     "[Pro]\r\nToolCount=2\r\nCaption=not a tool\r\n"
                     "[Tool0]\r\nCaption=brelm\r\nShortCut=16496\r\nno equals sign\r\nCommandLine=brelm -x=1\r\n"
                     "[Toolbar]\r\nCaption=toolbar\r\n"
                     "[Tool1]\r\nCaption=second\r\n"
                     "[Tool2]\r\nCaption=beyond the count\r\nBogus=1\r\n"
                     "[Tool1x]\r\nCaption=no tool either\r\n"));
    EXPECT_EQ(Text(), header +
                          "<!DOCTYPE Editpadpro>\r\n"
                          "<Editpadpro version=\"EditPadPro 6\">\r\n"
                          "\t<tools>\r\n"
                          "\t\t<tool>\r\n"
                          "\t\t\t<Caption type=\"1\">brelm</Caption>\r\n"
                          "\t\t\t<ShortCut type=\"4\">16496</ShortCut>\r\n"
                          "\t\t\t<CommandLine type=\"1\">brelm -x=1</CommandLine>\r\n"
                          "\t\t</tool>\r\n"
                          "\t\t<tool>\r\n"
                          "\t\t\t<Caption type=\"1\">second</Caption>\r\n"
                          "\t\t</tool>\r\n"
                          "\t</tools>\r\n"
                          "</Editpadpro>\r\n");
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(EditPadProIni, ToolSectionsBeforeTheProSectionAreNotTaken) {
    ASSERT_TRUE(Read("[Tool0]\nCaption=a\n[Tool1]\nCaption=b\n[Pro]\nToolCount=2\n"));
    EXPECT_EQ(Text(), header + "<!DOCTYPE Editpadpro>\r\n<Editpadpro version=\"EditPadPro 6\">\r\n\t<tools/>\r\n"
                               "</Editpadpro>\r\n");
}

TEST_F(EditPadProIni, NumbersBeyond32BitsAreNoNumbers) {
    ASSERT_TRUE(Read("[Pro]\nToolCount=99999999999\n[Tool0]\nCaption=a\n"));
    EXPECT_EQ(document.children.at(0).children.at(0).children.size(), 0u);
    ASSERT_TRUE(Read("[Pro]\nToolCount=3\n[Tool0]\nCaption=a\n[Tool4294967296]\nBogus=x\n[Tool-1]\nBogus=y\n"));
    ASSERT_EQ(document.children.at(0).children.at(0).children.size(), 1u);
    ASSERT_TRUE(Read("[Pro]\nToolCount=\n[Tool0]\nCaption=a\n"));
    EXPECT_EQ(document.children.at(0).children.at(0).children.size(), 0u);
}

TEST_F(EditPadProIni, Version6TakesOnlyItsSettingsAndConvertsFromTheCodePage) {
    EXPECT_FALSE(Read("[Pro]\nToolCount=1\n[Tool0]\nCaption=a\nColor=1\n"));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(document.children.empty());
    context.codePage = 1252;
    ASSERT_TRUE(Read("[Pro]\nToolCount=1\n[Tool0]\nHint=caf\xE9\nStdOutSyntaxCSCS=x\n"));
    const XmlNode& tool = document.children.at(0).children.at(0).children.at(0);
    ASSERT_EQ(tool.children.size(), 2u);
    EXPECT_EQ(tool.children[0].FirstChildText(), "caf\xC3\xA9");
    EXPECT_EQ(tool.children[1].name, "StdOutSyntaxCSCS");
}

TEST_F(EditPadProIni, Version7TakesEverySettingAsText) {
    context.codePage = 1252;
    ASSERT_TRUE(Read("[Pro]\nToolCount=1\n[Tool0]\nColor=12\nHint=caf\xE9\nEmpty=\n", "EditPadPro 7"));
    EXPECT_EQ(Text(), header +
                          "<!DOCTYPE Editpadpro>\r\n<Editpadpro version=\"EditPadPro 7\">\r\n\t<tools>\r\n\t\t<tool>\r\n"
                          "\t\t\t<Color type=\"1\">12</Color>\r\n\t\t\t<Hint type=\"1\">caf\xE9</Hint>\r\n"
                          "\t\t\t<Empty type=\"1\"></Empty>\r\n\t\t</tool>\r\n\t</tools>\r\n</Editpadpro>\r\n");
    // A name that cannot be an element fails the read rather than the document.
    EXPECT_FALSE(Read("[Pro]\nToolCount=1\n[Tool0]\nTwo words=1\n", "EditPadPro 7"));
    EXPECT_FALSE(Read("[Pro]\nToolCount=1\n[Tool0]\n<b>=1\n", "EditPadPro 7"));
}

TEST_F(EditPadProIni, MissingAndEmptyFiles) {
    EXPECT_FALSE(ReadEditPadProIniTools(document, Ini(), "EditPadPro 7", true, context));
    EXPECT_EQ(context.errors, std::vector<std::string>{"Configuration file for EditPadPro is not found:" + Ini()});
    EXPECT_FALSE(Read(""));
    EXPECT_EQ(context.errors.back(), "could not open configuration file for EditPadPro:" + Ini());
    // EditPadPro 7 in the registry: a missing file is an empty document.
    context.errors.clear();
    ASSERT_TRUE(RegWriteValue(context.registry, "Software\\JGsoft\\EditPadPro7", "x", std::string("1"), false));
    std::filesystem::remove(Ini());
    EXPECT_TRUE(ReadEditPadProIniTools(document, Ini(), "EditPadPro 7", true, context));
    EXPECT_TRUE(document.children.empty());
    EXPECT_FALSE(ReadEditPadProIniTools(document, Ini(), "EditPadPro 7", false, context));
    EXPECT_FALSE(ReadEditPadProIniTools(document, Ini(), "EditPadPro 6", true, context));
    EXPECT_EQ(context.errors.size(), 2u);
}

}  // namespace
