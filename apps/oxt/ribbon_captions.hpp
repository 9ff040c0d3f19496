#pragma once
// The captions of the ribbon's command buttons by identifier, from the
// ribbon definition the add-in gave the host at connection.
#include <map>
#include <optional>
#include <string>

namespace plx::oxt {

class RibbonCaptions {
 public:
  RibbonCaptions() = default;
  // Empty for a definition that is empty or not XML.
  explicit RibbonCaptions(const std::wstring& ribbonXml);
  // The caption of the button with this identifier; nothing when the
  // ribbon has no such button.
  std::optional<std::wstring> Find(const std::wstring& id) const;
  bool Empty() const { return captions_.empty(); }

 private:
  std::map<std::wstring, std::wstring> captions_;
};

}  // namespace plx::oxt
