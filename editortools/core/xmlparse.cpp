// The XML reader: one pass over the text with a stack of open elements (no recursion, so deep
// nesting fails with a message instead of exhausting the stack).
#include "core/xml.h"

#include <cstdint>

namespace {

bool isblank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isnamestart(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == ':' || u >= 0x80;
}

bool isnamechar(char c) { return isnamestart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-'; }

bool allblank(std::string_view text) {
    for (char c : text)
        if (!isblank(c)) return false;
    return true;
}

void appendutf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code of a character reference body such as "#x41" or "#65"; false when it is none.
bool charactercode(std::string_view body, uint32_t& code) {
    bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return false;
    code = 0;
    for (char c : digits) {
        uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
        else if (hex && c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
        else return false;
        code = code * (hex ? 16 : 10) + digit;
        if (code > 0x10FFFF) return false;
    }
    return true;
}

class XmlReader {
public:
    XmlReader(std::string_view text, unsigned flags) : s(text), flags(flags) {}

    bool Run(XmlNode& document) {
        if (s.substr(0, 3) == "\xEF\xBB\xBF") at = 3;
        open.push_back({XmlNode(), true});
        while (error.empty() && at < s.size()) {
            if (s[at] == '<') Markup();
            else CharacterData();
        }
        if (error.empty() && open.size() > 1) Fail("the element <" + open.back().node.name + "> is not closed");
        if (!error.empty()) return false;
        document = std::move(open.front().node);
        DropBlankText(document, true);
        return true;
    }

    std::string Error() const { return error; }

private:
    struct OpenElement {
        XmlNode node;
        bool markup = false;  // the source held markup inside it, kept or not
    };

    std::string_view s;
    unsigned flags;
    size_t at = 0;
    std::string error;
    std::vector<OpenElement> open;  // open[0] is the document

    void Fail(const std::string& message) {
        if (!error.empty()) return;
        size_t line = 1;
        for (size_t i = 0; i < at && i < s.size(); ++i)
            if (s[i] == '\n') ++line;
        error = "line " + std::to_string(line) + ": " + message;
    }

    bool StartsWith(std::string_view prefix) const { return s.substr(at, prefix.size()) == prefix; }

    void SkipBlanks() {
        while (at < s.size() && isblank(s[at])) ++at;
    }

    std::string Name() {
        size_t start = at;
        if (at < s.size() && isnamestart(s[at]))
            while (at < s.size() && isnamechar(s[at])) ++at;
        return std::string(s.substr(start, at - start));
    }

    void AddNode(XmlNode node) {
        std::vector<XmlNode>& children = open.back().node.children;
        if (node.kind == XmlKind::Text && !children.empty() && children.back().kind == XmlKind::Text)
            children.back().text += node.text;
        else children.push_back(std::move(node));
    }

    // Text up to the next "<", with entities decoded.
    void CharacterData() {
        size_t end = s.find('<', at);
        if (end == std::string_view::npos) end = s.size();
        std::string text;
        if (!Decode(s.substr(at, end - at), text)) return;
        // Only blanks may stand beside the root element: written back, other text would come
        // first in the file, where it can read as another encoding's byte-order mark.
        if (open.size() == 1 && !allblank(text)) {
            Fail("text outside the root element");
            return;
        }
        at = end;
        AddNode(XmlNode::TextNode(std::move(text)));
    }

    // Entities and character references; at is the start of raw, for error lines.
    bool Decode(std::string_view raw, std::string& out) {
        out.reserve(raw.size());
        size_t base = at;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            size_t semicolon = raw.find(';', i + 1);
            at = base + i;
            if (semicolon == std::string_view::npos || semicolon - i > 12) {
                Fail("a '&' that starts no entity");
                return false;
            }
            std::string_view body = raw.substr(i + 1, semicolon - i - 1);
            uint32_t code;
            if (body == "lt") out += '<';
            else if (body == "gt") out += '>';
            else if (body == "amp") out += '&';
            else if (body == "apos") out += '\'';
            else if (body == "quot") out += '"';
            else if (!body.empty() && body[0] == '#' && charactercode(body, code)) appendutf8(out, code);
            else {
                Fail("unknown entity &" + std::string(body) + ";");
                return false;
            }
            i = semicolon;
        }
        at = base;
        return true;
    }

    void Markup() {
        if (StartsWith("</")) {
            EndTag();
            return;
        }
        open.back().markup = true;
        if (StartsWith("<?")) ProcessingInstruction();
        else if (StartsWith("<!--")) Comment();
        else if (StartsWith("<![CDATA[")) CData();
        else if (StartsWith("<!DOCTYPE")) Doctype();
        else if (StartsWith("<!")) Fail("unknown markup <!");
        else StartTag();
    }

    // The text between at + skip and the terminator; at moves past the terminator.
    bool Until(size_t skip, std::string_view terminator, const char* what, std::string& body) {
        size_t end = s.find(terminator, at + skip);
        if (end == std::string_view::npos) {
            Fail(std::string(what) + " is not closed");
            at = s.size();
            return false;
        }
        body = std::string(s.substr(at + skip, end - at - skip));
        at = end + terminator.size();
        return true;
    }

    void ProcessingInstruction() {
        at += 2;
        std::string target = Name();
        at -= 2 + target.size();
        if (target.empty()) {
            Fail("a processing instruction without a name");
            return;
        }
        XmlNode node;
        node.kind = target == "xml" ? XmlKind::Declaration : XmlKind::ProcessingInstruction;
        node.name = target;
        if (!Until(2 + target.size(), "?>", "a processing instruction", node.text)) return;
        unsigned ignore = node.kind == XmlKind::Declaration ? XmlIgnoreDecls : XmlIgnorePis;
        if (!(flags & ignore)) AddNode(std::move(node));
    }

    void Comment() {
        XmlNode node;
        node.kind = XmlKind::Comment;
        if (Until(4, "-->", "a comment", node.text) && !(flags & XmlIgnoreComments)) AddNode(std::move(node));
    }

    void CData() {
        XmlNode node;
        node.kind = XmlKind::CData;
        if (Until(9, "]]>", "a CDATA section", node.text)) AddNode(std::move(node));
    }

    // Skipped as a whole, with its internal subset and quoted strings.
    void Doctype() {
        at += 9;
        int brackets = 0;
        while (at < s.size()) {
            char c = s[at++];
            if (c == '"' || c == '\'') {
                size_t end = s.find(c, at);
                at = end == std::string_view::npos ? s.size() : end + 1;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                return;
            }
        }
        Fail("the DOCTYPE is not closed");
    }

    void StartTag() {
        ++at;
        XmlNode node = XmlNode::Element(Name());
        if (node.name.empty()) {
            Fail("a '<' that starts no tag");
            return;
        }
        for (;;) {
            size_t before = at;
            SkipBlanks();
            if (at >= s.size()) {
                Fail("the tag <" + node.name + "> is not closed");
                return;
            }
            if (StartsWith("/>")) {
                at += 2;
                AddNode(std::move(node));
                return;
            }
            if (s[at] == '>') {
                ++at;
                if (open.size() > XmlMaxDepth) {
                    Fail("elements nested deeper than " + std::to_string(XmlMaxDepth) + " levels");
                    return;
                }
                open.push_back({std::move(node), false});
                return;
            }
            if (at == before) {
                Fail("no blank before an attribute of <" + node.name + ">");
                return;
            }
            if (!AttributeOf(node)) return;
        }
    }

    bool AttributeOf(XmlNode& node) {
        std::string name = Name();
        if (name.empty()) {
            Fail("a bad attribute name in <" + node.name + ">");
            return false;
        }
        SkipBlanks();
        if (at >= s.size() || s[at] != '=') {
            Fail("the attribute " + name + " has no value");
            return false;
        }
        ++at;
        SkipBlanks();
        if (at >= s.size() || (s[at] != '"' && s[at] != '\'')) {
            Fail("the value of the attribute " + name + " is not quoted");
            return false;
        }
        char quote = s[at++];
        size_t end = s.find(quote, at);
        if (end == std::string_view::npos) {
            Fail("the value of the attribute " + name + " is not closed");
            return false;
        }
        if (node.Attribute(name)) {
            Fail("the attribute " + name + " is given twice");
            return false;
        }
        std::string value;
        if (!Decode(s.substr(at, end - at), value)) return false;
        at = end + 1;
        node.attributes.push_back({std::move(name), std::move(value)});
        return true;
    }

    void EndTag() {
        at += 2;
        std::string name = Name();
        SkipBlanks();
        if (at >= s.size() || s[at] != '>') {
            Fail("the closing tag </" + name + "> is not closed");
            return;
        }
        if (open.size() < 2 || open.back().node.name != name) {
            Fail(open.size() < 2 ? "the closing tag </" + name + "> closes nothing"
                                 : "the closing tag </" + name + "> does not match <" + open.back().node.name + ">");
            return;
        }
        ++at;
        OpenElement done = std::move(open.back());
        open.pop_back();
        DropBlankText(done.node, done.markup);
        AddNode(std::move(done.node));
    }

    // Blank text between markup is layout, not content.
    static void DropBlankText(XmlNode& node, bool markup) {
        if (!markup) return;
        std::erase_if(node.children,
                      [](const XmlNode& child) { return child.kind == XmlKind::Text && allblank(child.text); });
    }
};

}  // namespace

bool ParseXml(std::string_view text, unsigned flags, XmlNode& document, std::string& error) {
    XmlReader reader(text, flags);
    document = XmlNode();
    if (reader.Run(document)) {
        error.clear();
        return true;
    }
    error = reader.Error();
    return false;
}
