// Lines of configuration files and element texts as the writers take them.
#include "core/writers/writercommon.h"
#include "core/xml.h"

#include <gtest/gtest.h>

using lines = std::vector<std::string>;

TEST(WriterLines, BreaksAreDroppedAndBlankLinesKept) {
    EXPECT_EQ(SplitLines(""), lines{});
    EXPECT_EQ(SplitLines("\r\n"), lines{""});
    EXPECT_EQ(SplitLines("a\r\n\r\nb\n\nc"), (lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(SplitLines("a\rb\r\r\n"), (lines{"a\rb\r"}));
    EXPECT_EQ(JoinCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinCrLf({}), "");
}

TEST(WriterXml, ElementTextJoinsTextAndCDataButNotLayout) {
    XmlNode document;
    std::string error;
    ASSERT_TRUE(ParseXml("<r><s>\n\t<![CDATA[a]]]]><![CDATA[>b]]>\n</s><e>\n</e></r>", 0, document, error)) << error;
    XmlNode& r = document.children[0];
    EXPECT_EQ(ElementText(r.children[0]), "a]]>b");
    EXPECT_EQ(ElementText(r.children[1]), "\n");
    DropLayoutText(r.children[1]);
    EXPECT_TRUE(r.children[1].children.empty());
    r.children[0].AddText(" x ");
    DropLayoutText(r.children[0]);
    EXPECT_EQ(ElementText(r.children[0]), "a]]>b x ");
}
