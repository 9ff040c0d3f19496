#include "platform/xml.hpp"

#include <pugixml.hpp>

#include "common/error.hpp"
#include "common/text.hpp"
#include "platform/codepage.hpp"

namespace plx {
namespace {

pugi::xml_node Node(const void* p) {
  return pugi::xml_node(static_cast<pugi::xml_node_struct*>(const_cast<void*>(p)));
}

void CollectText(pugi::xml_node n, std::string& out) {
  for (pugi::xml_node c : n.children()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) out += c.value();
    else if (c.type() == pugi::node_element) CollectText(c, out);
  }
}

}  // namespace

std::wstring XmlNode::Name() const { return IsNull() ? L"" : Utf8ToWide(Node(node_).name()); }

std::wstring XmlNode::Text() const {
  if (IsNull()) return {};
  std::string out;
  CollectText(Node(node_), out);
  return Utf8ToWide(out);
}

std::wstring XmlNode::Attribute(const std::wstring& name) const {
  if (IsNull()) return {};
  return Utf8ToWide(Node(node_).attribute(WideToUtf8(name).c_str()).value());
}

std::vector<XmlNode> XmlNode::Children() const {
  std::vector<XmlNode> out;
  if (IsNull()) return out;
  for (pugi::xml_node c : Node(node_).children())
    if (c.type() == pugi::node_element) out.push_back(XmlNode(c.internal_object()));
  return out;
}

std::vector<XmlNode> XmlNode::SelectChildren(const std::wstring& name) const {
  std::vector<XmlNode> out;
  if (IsNull()) return out;
  std::string n = WideToUtf8(name);
  for (pugi::xml_node c : Node(node_).children(n.c_str())) out.push_back(XmlNode(c.internal_object()));
  return out;
}

XmlNode XmlNode::Child(const std::wstring& name) const {
  if (IsNull()) return {};
  pugi::xml_node c = Node(node_).child(WideToUtf8(name).c_str());
  return c ? XmlNode(c.internal_object()) : XmlNode();
}

XmlDocument::XmlDocument() : doc_(std::make_unique<pugi::xml_document>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::LoadXml(const std::string& bytes) {
  pugi::xml_parse_result r = doc_->load_buffer(bytes.data(), bytes.size());
  error_ = r ? L"" : Utf8ToWide(r.description());
  if (!r) doc_->reset();  // a failed parse leaves no half-read document behind
  return static_cast<bool>(r);
}

bool XmlDocument::Load(const std::wstring& path) {
  try {
    return LoadXml(ReadFileBytes(path));
  } catch (const VbError& e) {
    doc_->reset();
    error_ = e.description();
    return false;
  }
}

XmlNode XmlDocument::DocumentElement() const {
  pugi::xml_node root = doc_->document_element();
  return root ? XmlNode(root.internal_object()) : XmlNode();
}

}  // namespace plx
