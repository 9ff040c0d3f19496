#include "ribbon_captions.hpp"

#include "common/text.hpp"
#include "platform/xml.hpp"

namespace plx::oxt {
namespace {

// Controls that send a press (onAction) are the buttons that can be pressed.
void AddButtons(const XmlNode& node, std::map<std::wstring, std::wstring>& captions) {
  for (const XmlNode& child : node.Children()) {
    if (!child.Attribute(L"onAction").empty()) captions.emplace(child.Attribute(L"id"), child.Attribute(L"label"));
    AddButtons(child, captions);
  }
}

}  // namespace

RibbonCaptions::RibbonCaptions(const std::wstring& ribbonXml) {
  XmlDocument xml;
  if (!ribbonXml.empty() && xml.LoadXml(WideToUtf8(ribbonXml))) AddButtons(xml.DocumentElement(), captions_);
}

std::optional<std::wstring> RibbonCaptions::Find(const std::wstring& id) const {
  auto it = captions_.find(id);
  if (it == captions_.end()) return std::nullopt;
  return it->second;
}

}  // namespace plx::oxt
