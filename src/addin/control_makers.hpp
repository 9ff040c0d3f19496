#pragma once
// Short ways to describe a dialog's controls.
#include <functional>
#include <string>
#include <vector>

#include "addin/form.hpp"

namespace plx {

inline Control Box(const std::wstring& name, const std::wstring& caption, const std::wstring& text) {
  Control c;
  c.name = name;
  c.caption = caption;
  c.text = text;
  return c;
}

inline Control Check(const std::wstring& name, const std::wstring& caption, int value,
                     std::function<void()> change = {}) {
  Control c;
  c.name = name;
  c.kind = ControlKind::CheckBox;
  c.caption = caption;
  c.value = value;
  c.change = std::move(change);
  return c;
}

inline Control Combo(const std::wstring& name, const std::wstring& caption, std::vector<std::wstring> items,
                     const std::wstring& text) {
  Control c;
  c.name = name;
  c.kind = ControlKind::ComboBox;
  c.caption = caption;
  c.items = std::move(items);
  c.text = text;
  return c;
}

inline Control Options(const std::wstring& name, const std::wstring& caption, std::vector<std::wstring> items) {
  Control c;
  c.name = name;
  c.kind = ControlKind::OptionGroup;
  c.caption = caption;
  c.items = std::move(items);
  return c;
}

inline Control Button(const std::wstring& name, const std::wstring& caption, std::function<void()> click) {
  Control c;
  c.name = name;
  c.kind = ControlKind::Button;
  c.caption = caption;
  c.click = std::move(click);
  return c;
}

}  // namespace plx
