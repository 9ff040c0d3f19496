#include "addin/form.hpp"

#include <algorithm>

#include "common/error.hpp"
#include "common/vbnum.hpp"
#include "addin/addin_context.hpp"

namespace plx {

void Form::Show() {
  if (loaded_) return;
  loaded_ = true;
  ctx_.OpenForms.push_back(shared_from_this());
  Form_Load();
}

void Form::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  auto keepAlive = shared_from_this();
  Form_Unload();
  std::erase_if(ctx_.OpenForms, [this](const auto& f) { return f.get() == this; });
}

Control& Form::AddControl(Control control) {
  controls_.push_back(std::move(control));
  return controls_.back();
}

Control& Form::GetControl(const std::wstring& name) {
  for (auto& c : controls_)
    if (c.name == name) return c;
  Raise(730, L"控件“" + name + L"”不存在。");
}

void Form::SetValue(const std::wstring& name, const std::wstring& value) {
  Control& c = GetControl(name);
  if (!c.enabled) Raise(380, L"控件“" + name + L"”当前不可用。");
  switch (c.kind) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
      c.text = value;
      if (c.kind == ControlKind::ComboBox) {
        auto it = std::find(c.items.begin(), c.items.end(), value);
        c.value = it == c.items.end() ? -1 : static_cast<int>(it - c.items.begin());
      }
      break;
    case ControlKind::CheckBox:
      c.value = Val(value) != 0 ? 1 : 0;
      break;
    case ControlKind::OptionGroup:
    case ControlKind::ListBox: {
      double v = CDbl(value);
      int index = static_cast<int>(v);
      if (index != v || index < -1 || index >= static_cast<int>(c.items.size()))
        Raise(380, L"“" + value + L"”不是控件“" + name + L"”的有效选项。");
      c.value = index;
      break;
    }
    default:
      Raise(380, L"控件“" + name + L"”不能设置值。");
  }
  if (c.change) {
    auto handler = c.change;  // the handler may change the control list
    handler();
  }
}

std::wstring Form::ValueText(const std::wstring& name) {
  Control& c = GetControl(name);
  switch (c.kind) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox: return c.text;
    case ControlKind::CheckBox:
    case ControlKind::OptionGroup:
    case ControlKind::ListBox: return std::to_wstring(c.value);
    default: return c.caption;
  }
}

void Form::Click(const std::wstring& name) {
  Control& c = GetControl(name);
  if (!c.enabled) Raise(380, L"控件“" + name + L"”当前不可用。");
  if (c.click) {
    auto handler = c.click;
    handler();
  }
}

void Form::DblClick(const std::wstring& name, int index) {
  Control& c = GetControl(name);
  if (c.dblClick) {
    auto handler = c.dblClick;
    handler(index);
  }
}

std::string Form::PreviewSvg() { Raise(err::kInvalidCall, L"对话框“" + name_ + L"”没有预览。"); }

}  // namespace plx
