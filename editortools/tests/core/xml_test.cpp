// The XML reader and writer: node kinds, flags, entities, the byte format, bad input.
#include "core/xml.h"

#include <gtest/gtest.h>

namespace {

// A literal with its NUL bytes.
template <size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

XmlNode parsed(std::string_view text, unsigned flags = 0) {
    XmlNode document;
    std::string error;
    EXPECT_TRUE(ParseXml(text, flags, document, error)) << error;
    return document;
}

std::string parseerror(std::string_view text) {
    XmlNode document;
    std::string error;
    EXPECT_FALSE(ParseXml(text, 0, document, error));
    EXPECT_TRUE(document.children.empty());
    return error;
}

}  // namespace

TEST(XmlRead, NodeKindsInDocumentOrder) {
    XmlNode doc = parsed("<?xml version=\"1.0\"?>\n<!-- first -->\n<?app run now?>\n"
                         "<root a=\"1\" b='two'><![CDATA[<raw> & ]]>text<leaf/></root>\n");
    ASSERT_EQ(doc.children.size(), 4u);
    EXPECT_EQ(doc.children[0].kind, XmlKind::Declaration);
    EXPECT_EQ(doc.children[0].text, " version=\"1.0\"");
    EXPECT_EQ(doc.children[1].kind, XmlKind::Comment);
    EXPECT_EQ(doc.children[1].text, " first ");
    EXPECT_EQ(doc.children[2].kind, XmlKind::ProcessingInstruction);
    EXPECT_EQ(doc.children[2].name, "app");
    EXPECT_EQ(doc.children[2].text, " run now");
    const XmlNode& root = doc.children[3];
    ASSERT_TRUE(root.IsElement("root"));
    ASSERT_EQ(root.attributes.size(), 2u);
    EXPECT_EQ(root.attributes[0].name, "a");
    EXPECT_EQ(root.attributes[1].value, "two");
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].kind, XmlKind::CData);
    EXPECT_EQ(root.children[0].text, "<raw> & ");
    EXPECT_EQ(root.children[1].kind, XmlKind::Text);
    EXPECT_TRUE(root.children[2].IsElement("leaf"));
}

TEST(XmlRead, FlagsDropDeclarationsInstructionsAndComments) {
    std::string text = "<?xml version=\"1.0\"?><!--c--><?pi x?><r><!--in--><?pi y?>a<!--split-->b</r>";
    XmlNode kept = parsed(text);
    EXPECT_EQ(kept.children.size(), 4u);
    XmlNode dropped = parsed(text, XmlIgnoreDecls | XmlIgnorePis | XmlIgnoreComments);
    ASSERT_EQ(dropped.children.size(), 1u);
    const XmlNode& r = dropped.children[0];
    ASSERT_EQ(r.children.size(), 1u);   // the text around a dropped comment is one text
    EXPECT_EQ(r.children[0].text, "ab");
    XmlNode onlydecls = parsed(text, XmlIgnoreDecls);
    EXPECT_EQ(onlydecls.children[0].kind, XmlKind::Comment);
}

TEST(XmlRead, DoctypeIsSkippedWithItsInternalSubset) {
    XmlNode doc = parsed("<!DOCTYPE r [ <!ENTITY x \"]>\"> ]>\n<r/>");
    ASSERT_EQ(doc.children.size(), 1u);
    EXPECT_TRUE(doc.children[0].IsElement("r"));
}

TEST(XmlRead, BlankTextBetweenElementsIsDroppedButABlankFieldStays) {
    XmlNode doc = parsed("<r>\r\n\t<a> </a>\r\n\t<b>  x \n</b>\n<c>\n<!-- c -->\n</c></r>", XmlIgnoreComments);
    const XmlNode& r = doc.children[0];
    ASSERT_EQ(r.children.size(), 3u);
    EXPECT_EQ(r.children[0].FirstChildText(), " ");
    EXPECT_EQ(r.children[1].FirstChildText(), "  x \n");
    EXPECT_TRUE(r.children[2].children.empty());
}

TEST(XmlRead, EntitiesAndCharacterReferencesOfAnyCode) {
    XmlNode doc = parsed("<r v=\"&quot;&#x3c;\">&lt;&gt;&amp;&apos;&quot;&#x00;&#x01;&#65;&#xe9;&#x20AC;&#x1F600;</r>");
    const XmlNode& r = doc.children[0];
    EXPECT_EQ(r.AttributeOr("v", ""), "\"<");
    EXPECT_EQ(r.FirstChildText(), bytes("<>&'\"\0\x01" "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
}

TEST(XmlRead, ByteOrderMarkAndRawBytesAreKept) {
    XmlNode doc = parsed("\xEF\xBB\xBF<r>\xFF\xFE" + std::string(1, '\0') + "</r>");
    EXPECT_EQ(doc.children[0].FirstChildText(), bytes("\xFF\xFE\0"));
    // Text beside the root element would come first when written back, where a mark of its
    // own (UTF-8's or UTF-16's) is read as the file's encoding: such a file is refused.
    EXPECT_EQ(parseerror("\xEF\xBB\xBF\xEF\xBB\xBFx<r/>"), "line 1: text outside the root element");
    EXPECT_EQ(parseerror("<?xml version=\"1.0\"?>\xFE\xFF\r\n<r/>"), "line 1: text outside the root element");
    EXPECT_EQ(parseerror("<r/>tail"), "line 1: text outside the root element");
}

TEST(XmlRead, MalformedTextGivesAnErrorWithItsLine) {
    EXPECT_EQ(parseerror("<r>\n<a></b></r>"), "line 2: the closing tag </b> does not match <a>");
    EXPECT_EQ(parseerror("<r><a>"), "line 1: the element <a> is not closed");
    EXPECT_EQ(parseerror("</r>"), "line 1: the closing tag </r> closes nothing");
    EXPECT_EQ(parseerror("<r>&nbsp;</r>"), "line 1: unknown entity &nbsp;");
    EXPECT_EQ(parseerror("<r>a & b</r>"), "line 1: a '&' that starts no entity");
    EXPECT_EQ(parseerror("<r>&#x110000;</r>"), "line 1: unknown entity &#x110000;");
    EXPECT_EQ(parseerror("<r a=\"1\" a=\"2\"/>"), "line 1: the attribute a is given twice");
    EXPECT_EQ(parseerror("<r a=1/>"), "line 1: the value of the attribute a is not quoted");
    EXPECT_EQ(parseerror("<r a=\"1\"b=\"2\"/>"), "line 1: no blank before an attribute of <r>");
    EXPECT_EQ(parseerror("<r><!-- open"), "line 1: a comment is not closed");
    EXPECT_EQ(parseerror("<r><![CDATA[x</r>"), "line 1: a CDATA section is not closed");
    EXPECT_EQ(parseerror("< r/>"), "line 1: a '<' that starts no tag");
    EXPECT_EQ(parseerror("<r><!ELEMENT x></r>"), "line 1: unknown markup <!");
    EXPECT_EQ(parseerror("<r\n\nb"), "line 3: the attribute b has no value");
}

TEST(XmlRead, NestingIsLimitedToAThousandLevels) {
    auto nested = [](size_t depth) {
        std::string text;
        for (size_t i = 0; i < depth; ++i) text += "<a>";
        for (size_t i = 0; i < depth; ++i) text += "</a>";
        return text;
    };
    XmlNode doc;
    std::string error;
    EXPECT_TRUE(ParseXml(nested(1000), 0, doc, error)) << error;
    EXPECT_FALSE(ParseXml(nested(1001), 0, doc, error));
    EXPECT_EQ(error, "line 1: elements nested deeper than 1000 levels");
    // Far deeper input fails the same way without exhausting the stack.
    std::string opens;
    for (int i = 0; i < 200000; ++i) opens += "<a>";
    EXPECT_FALSE(ParseXml(opens, 0, doc, error));
    EXPECT_EQ(error, "line 1: elements nested deeper than 1000 levels");
}

TEST(XmlWrite, IndentedDocumentWithHeaderAndDoctype) {
    XmlNode root = XmlNode::Element("Gantrel");
    root.Add("tools");
    XmlNode& ides = root.Add("ides");
    XmlNode& ide = ides.Add("ide");
    ide.AddField("name", "Pspad");
    ide.AddField("dir", "");
    EXPECT_EQ(AsXml(root, XmlHeader | XmlDoctype | XmlIndent),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
              "<!DOCTYPE Gantrel>\r\n"
              "<Gantrel>\r\n"
              "\t<tools/>\r\n"
              "\t<ides>\r\n"
              "\t\t<ide>\r\n"
              "\t\t\t<name>Pspad</name>\r\n"
              "\t\t\t<dir></dir>\r\n"
              "\t\t</ide>\r\n"
              "\t</ides>\r\n"
              "</Gantrel>\r\n");
}

TEST(XmlWrite, FlagsAreIndependent) {
    XmlNode root = XmlNode::Element("r");
    root.Add("a").AddField("b", "x");
    EXPECT_EQ(AsXml(root, 0), "<r><a><b>x</b></a></r>");
    EXPECT_EQ(AsXml(root, XmlDoctype), "<!DOCTYPE r>\r\n<r><a><b>x</b></a></r>");
    EXPECT_EQ(AsXml(root, XmlHeader),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n<r><a><b>x</b></a></r>");
    EXPECT_EQ(AsXml(root, XmlIndent), "<r>\r\n\t<a>\r\n\t\t<b>x</b>\r\n\t</a>\r\n</r>\r\n");
}

TEST(XmlWrite, EscapingOfTextAndAttributes) {
    EXPECT_EQ(XmlEscape(bytes("<a href='x'>&\"\t\r\n\x01\x1f\0\x7f\xC3\xA9")),
              "&lt;a href=&apos;x&apos;&gt;&amp;&quot;\t\r\n&#x01;&#x1f;&#x00;\x7f\xC3\xA9");
    XmlNode root = XmlNode::Element("r");
    root.SetAttribute("q", "a\"b<");
    root.SetAttribute("z", "1");
    root.SetAttribute("q", "c&d");   // replaced in place
    EXPECT_EQ(AsXml(root, 0), "<r q=\"c&amp;d\" z=\"1\"/>");
}

TEST(XmlWrite, OtherNodeKinds) {
    XmlNode doc = parsed("<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--c--><r><![CDATA[a]]>b]]>x</r>");
    EXPECT_EQ(AsXml(doc, 0), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--c--><r><![CDATA[a]]>b]]&gt;x</r>");
    // The header takes the place of the document's own declaration.
    EXPECT_EQ(AsXml(doc, XmlHeader),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n<!--c--><r><![CDATA[a]]>b]]&gt;x</r>");
    XmlNode cdata = XmlNode::Element("c");
    cdata.children.push_back(XmlNode::TextNode("x]]>y", XmlKind::CData));
    std::string written = AsXml(cdata, 0);
    EXPECT_EQ(written, "<c><![CDATA[x]]]]><![CDATA[>y]]></c>");
    XmlNode back = parsed(written);
    std::string joined;
    for (const XmlNode& piece : back.children[0].children) joined += piece.text;
    EXPECT_EQ(joined, "x]]>y");
    XmlNode mixed = parsed("<r><a/>text<!--c--></r>");
    EXPECT_EQ(AsXml(mixed, XmlIndent), "<r>\r\n\t<a/>\r\n\ttext\r\n\t<!--c-->\r\n</r>\r\n");
}

TEST(XmlRoundTrip, WrittenTextReadsBackUnchanged) {
    std::string field = bytes("<&>'\" \t\r\n\x01\x02\0 \xE2\x9C\x93 end");
    XmlNode root = XmlNode::Element("r");
    root.AddField("f", field);
    root.Add("a").SetAttribute("v", field);
    for (unsigned flags : {0u, unsigned(XmlHeader | XmlDoctype | XmlIndent)}) {
        XmlNode doc = parsed(AsXml(root, flags), XmlIgnoreDecls);
        ASSERT_EQ(doc.children.size(), 1u);
        const XmlNode& r = doc.children[0];
        EXPECT_EQ(r.Find("f")->FirstChildText(), field);
        EXPECT_EQ(r.Find("a")->AttributeOr("v", ""), field);
        EXPECT_EQ(AsXml(doc, flags), AsXml(root, flags));
    }
}

TEST(XmlNodeLookup, FindAndAttributes) {
    XmlNode doc = parsed("<r><a n=\"1\"/><b/><a n=\"2\">t</a></r>");
    const XmlNode& r = doc.children[0];
    EXPECT_EQ(r.FindIndex("b"), 1);
    EXPECT_EQ(r.FindIndex("zz"), -1);
    EXPECT_EQ(r.Find("zz"), nullptr);
    EXPECT_EQ(*r.Find("a")->Attribute("n"), "1");
    ASSERT_EQ(r.FindAll("a").size(), 2u);
    EXPECT_EQ(r.FindAll("a")[1]->FirstChildText(), "t");
    EXPECT_EQ(r.ElementCount(), 3u);
    EXPECT_EQ(r.Find("a")->Attribute("m"), nullptr);
    EXPECT_EQ(r.Find("b")->AttributeOr("m", "none"), "none");
    EXPECT_EQ(r.FirstChildText(), "");   // the first child is an element
}
