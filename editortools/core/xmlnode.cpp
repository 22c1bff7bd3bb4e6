// Building and searching XML nodes.
#include "core/xml.h"

XmlNode XmlNode::Element(std::string name) {
    XmlNode node;
    node.kind = XmlKind::Element;
    node.name = std::move(name);
    return node;
}

XmlNode XmlNode::TextNode(std::string text, XmlKind kind) {
    XmlNode node;
    node.kind = kind;
    node.text = std::move(text);
    return node;
}

XmlNode& XmlNode::Add(std::string tag) {
    children.push_back(Element(std::move(tag)));
    return children.back();
}

XmlNode& XmlNode::AddField(std::string tag, std::string text) {
    XmlNode& field = Add(std::move(tag));
    field.AddText(std::move(text));
    return field;
}

void XmlNode::AddText(std::string text) { children.push_back(TextNode(std::move(text))); }

const XmlNode* XmlNode::Find(std::string_view tag) const {
    int at = FindIndex(tag);
    return at < 0 ? nullptr : &children[static_cast<size_t>(at)];
}

XmlNode* XmlNode::Find(std::string_view tag) {
    int at = FindIndex(tag);
    return at < 0 ? nullptr : &children[static_cast<size_t>(at)];
}

int XmlNode::FindIndex(std::string_view tag) const {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i].IsElement(tag)) return static_cast<int>(i);
    return -1;
}

std::vector<const XmlNode*> XmlNode::FindAll(std::string_view tag) const {
    std::vector<const XmlNode*> found;
    for (const XmlNode& child : children)
        if (child.IsElement(tag)) found.push_back(&child);
    return found;
}

size_t XmlNode::ElementCount() const {
    size_t count = 0;
    for (const XmlNode& child : children)
        if (child.IsElement()) ++count;
    return count;
}

std::string XmlNode::FirstChildText() const {
    if (children.empty()) return "";
    const XmlNode& first = children.front();
    return first.kind == XmlKind::Text || first.kind == XmlKind::CData ? first.text : "";
}

const std::string* XmlNode::Attribute(std::string_view attribute) const {
    for (const XmlAttribute& a : attributes)
        if (a.name == attribute) return &a.value;
    return nullptr;
}

std::string XmlNode::AttributeOr(std::string_view attribute, std::string_view fallback) const {
    const std::string* value = Attribute(attribute);
    return value ? *value : std::string(fallback);
}

void XmlNode::SetAttribute(std::string_view attribute, std::string value) {
    for (XmlAttribute& a : attributes)
        if (a.name == attribute) {
            a.value = std::move(value);
            return;
        }
    attributes.push_back({std::string(attribute), std::move(value)});
}
