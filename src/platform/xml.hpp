#pragma once
// XML documents with child selection by name, over pugixml.
#include <memory>
#include <string>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace plx {

class XmlNode {
 public:
  XmlNode() = default;
  bool IsNull() const { return node_ == nullptr; }
  std::wstring Name() const;
  // All text inside the node.
  std::wstring Text() const;
  std::wstring Attribute(const std::wstring& name) const;
  std::vector<XmlNode> Children() const;
  // Child elements with the given name.
  std::vector<XmlNode> SelectChildren(const std::wstring& name) const;
  XmlNode Child(const std::wstring& name) const;

 private:
  friend class XmlDocument;
  explicit XmlNode(const void* node) : node_(node) {}
  const void* node_ = nullptr;  // pugi::xml_node_struct
};

class XmlDocument {
 public:
  XmlDocument();
  ~XmlDocument();
  // False (with ParseError set) when the text is not well-formed XML.
  bool LoadXml(const std::string& bytes);
  bool Load(const std::wstring& path);
  XmlNode DocumentElement() const;
  const std::wstring& ParseError() const { return error_; }

 private:
  std::unique_ptr<pugi::xml_document> doc_;
  std::wstring error_;
};

}  // namespace plx
