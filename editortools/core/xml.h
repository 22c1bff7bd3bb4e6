// A small XML document model with its own reader and writer, for files that must be read and
// written byte for byte: character references of any code (&#x00; too), CDATA kept apart,
// attributes in document order, declarations, processing instructions and comments kept or
// dropped on request. Errors come back as text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class XmlKind { Document, Element, Text, CData, Comment, ProcessingInstruction, Declaration };

struct XmlAttribute {
    std::string name, value;
};

class XmlNode {
public:
    XmlKind kind = XmlKind::Document;
    // Element: the tag; processing instruction: its target; declaration: "xml".
    std::string name;
    // Text and CDATA: the characters; comment, processing instruction and declaration: everything
    // between the name and the closing "?>" or "-->", leading blanks included.
    std::string text;
    std::vector<XmlAttribute> attributes;  // document order
    std::vector<XmlNode> children;

    static XmlNode Element(std::string name);
    static XmlNode TextNode(std::string text, XmlKind kind = XmlKind::Text);

    bool IsElement() const { return kind == XmlKind::Element; }
    bool IsElement(std::string_view tag) const { return kind == XmlKind::Element && name == tag; }

    // Appends a child element and returns it.
    XmlNode& Add(std::string tag);
    // Appends a child element holding one text node (also when the text is empty, so that it is
    // written as <tag></tag> rather than <tag/>).
    XmlNode& AddField(std::string tag, std::string text);
    void AddText(std::string text);

    // The first child element of that tag, or nullptr; FindIndex gives its index or -1.
    const XmlNode* Find(std::string_view tag) const;
    XmlNode* Find(std::string_view tag);
    int FindIndex(std::string_view tag) const;
    // The child elements of that tag, in order.
    std::vector<const XmlNode*> FindAll(std::string_view tag) const;
    size_t ElementCount() const;

    // The text of the first child node when it is text or CDATA, else "".
    std::string FirstChildText() const;

    const std::string* Attribute(std::string_view attribute) const;
    std::string AttributeOr(std::string_view attribute, std::string_view fallback) const;
    // Replaces the value in place, or appends the attribute.
    void SetAttribute(std::string_view attribute, std::string value);
};

// Reading flags.
enum XmlReadFlag : unsigned {
    XmlIgnoreDecls = 1,  // <?xml ...?>
    XmlIgnorePis = 2,    // <?target ...?>
    XmlIgnoreComments = 4,
};

// Parses text into a Document node whose children are the top-level nodes. The DOCTYPE is
// skipped; text that is only white space is dropped unless it is all an element holds.
// False with the reason in error, and an empty document, when the text is not well formed or
// nests elements deeper than XmlMaxDepth.
bool ParseXml(std::string_view text, unsigned flags, XmlNode& document, std::string& error);

inline constexpr size_t XmlMaxDepth = 1000;

// Writing flags.
enum XmlWriteFlag : unsigned {
    XmlHeader = 1,   // <?xml version="1.0" encoding="UTF-8" standalone="yes" ?> and CR LF
    XmlDoctype = 2,  // <!DOCTYPE root> and CR LF
    XmlIndent = 4,   // every node on its own line, indented by tabs, lines ended by CR LF
};

// The document (or a lone element taken as the root) as text.
std::string AsXml(const XmlNode& node, unsigned flags);

// Text with < > & ' " as entities and control characters other than TAB, LF and CR as &#xnn;.
std::string XmlEscape(std::string_view text);
