// The XML writer.
#include "core/xml.h"

#include <cstdio>

namespace {

const char* const header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n";

bool istextual(const XmlNode& node) { return node.kind == XmlKind::Text || node.kind == XmlKind::CData; }

// A "]]>" inside the text ends one section and starts the next.
std::string cdatasection(const std::string& text) {
    std::string out = "<![CDATA[";
    size_t from = 0;
    for (size_t end; (end = text.find("]]>", from)) != std::string::npos; from = end + 2)
        out += text.substr(from, end + 2 - from) + "]]><![CDATA[";
    return out + text.substr(from) + "]]>";
}

class XmlWriter {
public:
    explicit XmlWriter(bool indent) : indent(indent) {}

    void Node(const XmlNode& node, size_t depth) {
        std::string prefix = indent ? std::string(depth, '\t') : std::string();
        switch (node.kind) {
        case XmlKind::Document:
            for (const XmlNode& child : node.children) Node(child, depth);
            return;
        case XmlKind::Element:
            out += prefix;
            Element(node, depth);
            break;
        case XmlKind::Text: out += prefix + XmlEscape(node.text); break;
        case XmlKind::CData: out += prefix + cdatasection(node.text); break;
        case XmlKind::Comment: out += prefix + "<!--" + node.text + "-->"; break;
        case XmlKind::ProcessingInstruction: out += prefix + "<?" + node.name + node.text + "?>"; break;
        case XmlKind::Declaration: out += prefix + "<?xml" + node.text + "?>"; break;
        }
        if (indent) out += "\r\n";
    }

    std::string out;

private:
    bool indent;

    void Element(const XmlNode& node, size_t depth) {
        out += "<" + node.name;
        for (const XmlAttribute& a : node.attributes) out += " " + a.name + "=\"" + XmlEscape(a.value) + "\"";
        if (node.children.empty()) {
            out += "/>";
            return;
        }
        out += ">";
        bool textonly = true;
        for (const XmlNode& child : node.children) textonly = textonly && istextual(child);
        if (textonly) {
            for (const XmlNode& child : node.children)
                out += child.kind == XmlKind::Text ? XmlEscape(child.text) : cdatasection(child.text);
        } else {
            if (indent) out += "\r\n";
            for (const XmlNode& child : node.children) Node(child, depth + 1);
            if (indent) out += std::string(depth, '\t');
        }
        out += "</" + node.name + ">";
    }
};

}  // namespace

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                char code[8];
                std::snprintf(code, sizeof code, "&#x%02x;", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += code;
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string AsXml(const XmlNode& node, unsigned flags) {
    XmlWriter writer((flags & XmlIndent) != 0);
    if (flags & XmlHeader) writer.out += header;
    const XmlNode* root = &node;
    if (node.kind == XmlKind::Document) {
        root = nullptr;
        for (const XmlNode& child : node.children)
            if (child.IsElement() && !root) root = &child;
    }
    if ((flags & XmlDoctype) && root) writer.out += "<!DOCTYPE " + root->name + ">\r\n";
    if (node.kind == XmlKind::Document && (flags & XmlHeader)) {
        // The header stands in for a declaration the document holds: never two of them.
        for (const XmlNode& child : node.children)
            if (child.kind != XmlKind::Declaration) writer.Node(child, 0);
    } else {
        writer.Node(node, 0);
    }
    // A text node written alone that starts with a byte-order mark keeps it as a reference,
    // since a reader takes the mark at the start for the encoding's.
    if (writer.out.compare(0, 3, "\xEF\xBB\xBF") == 0) writer.out.replace(0, 3, "&#xfeff;");
    return writer.out;
}
