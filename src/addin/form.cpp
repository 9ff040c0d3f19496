#include "addin/form.hpp"

#include <algorithm>
#include <cmath>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "addin/addin_context.hpp"

namespace plx {
namespace {

std::optional<double> NumberIn(const std::wstring& value) {
  if (!IsNumeric(value)) return std::nullopt;
  return CDbl(value);
}

[[noreturn]] void InvalidValue(const std::wstring& name, const std::wstring& value, const std::wstring& takes) {
  Raise(380, L"无效的属性值：控件“" + name + L"”不能取“" + value + L"”，" + takes + L"。");
}

}  // namespace

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

void Form::Dismiss() {
  if (!loaded_) return;
  loaded_ = false;
  auto keepAlive = shared_from_this();
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
      if (c.range) {
        auto v = NumberIn(value);
        if (!v || *v < c.range->first || *v > c.range->second)
          InvalidValue(name, value, L"要一个 " + DecimalText(c.range->first) + L" 到 " +
                                        DecimalText(c.range->second) + L" 之间的数");
      }
      c.text = value;
      break;
    case ControlKind::ComboBox: {
      auto it = std::find(c.items.begin(), c.items.end(), value);
      if (c.listOnly && it == c.items.end()) InvalidValue(name, value, L"只能选列表中的一项：" + Join(c.items, L"、"));
      c.text = value;
      c.value = it == c.items.end() ? -1 : static_cast<int>(it - c.items.begin());
      break;
    }
    case ControlKind::CheckBox: {
      auto v = NumberIn(value);
      if (!v || (*v != 0 && *v != 1)) InvalidValue(name, value, L"复选框只取 0（不选）或 1（选中）");
      c.value = static_cast<int>(*v);
      break;
    }
    case ControlKind::OptionGroup:
    case ControlKind::ListBox: {
      auto v = NumberIn(value);
      const int count = static_cast<int>(c.items.size());
      if (!v || *v < -1 || *v >= count || *v != std::floor(*v))
        InvalidValue(name, value, L"要一个 -1（不选）到 " + std::to_wstring(count - 1) + L" 之间的序号");
      c.value = static_cast<int>(*v);
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

void Form::Focus(const std::wstring& name) {
  Control& c = GetControl(name);
  if (!c.enabled || !c.visible) Raise(380, L"控件“" + name + L"”当前不能获得焦点。");
  if (c.gotFocus) {
    auto handler = c.gotFocus;
    handler();
  }
}

std::function<void()> Form::SelectAllOnFocus(const std::wstring& name) {
  return [this, name] {
    Control& c = GetControl(name);
    c.selStart = 0;
    c.selLength = c.text.size();
  };
}

void Form::DblClick(const std::wstring& name, int index) {
  Control& c = GetControl(name);
  if (c.kind == ControlKind::ListBox && (index < 0 || index >= static_cast<int>(c.items.size())))
    Raise(380, L"无效的属性值：列表“" + name + L"”没有第 " + std::to_wstring(index) + L" 项（共 " +
                   std::to_wstring(c.items.size()) + L" 项，序号从 0 起）。");
  if (c.dblClick) {
    auto handler = c.dblClick;
    handler(index);
  }
}

DialogLayout Form::Layout() const { Raise(err::kInvalidCall, L"对话框“" + name_ + L"”没有布局。"); }

std::string Form::PreviewSvg() { Raise(err::kInvalidCall, L"对话框“" + name_ + L"”没有预览。"); }

}  // namespace plx
