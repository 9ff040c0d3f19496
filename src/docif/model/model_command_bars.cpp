#include "docif/model/model_command_bars.hpp"

#include <algorithm>

#include "common/error.hpp"
#include "docif/application.hpp"
#include "docif/document.hpp"
#include "docif/shapes.hpp"

namespace plx::docif::model {
namespace {

[[noreturn]] void RaiseDeleted() {
  Raise(err::kInvalidCall, L"对象已被删除。");
}

}  // namespace

ModelControl::ModelControl(ControlType type, ModelControls* owner) : type_(type), owner_(owner) {
  if (type == ControlType::Popup) children_ = std::make_shared<ModelControls>();
}

const ModelControl& ModelControl::Live() const {
  if (deleted_) RaiseDeleted();
  return *this;
}

ModelControl& ModelControl::Live() {
  if (deleted_) RaiseDeleted();
  return *this;
}

std::shared_ptr<CommandBarControls> ModelControl::Controls() {
  Live();
  return children_;
}

void ModelControl::AddClickHandler(ClickHandler handler) { Live().handlers_.push_back(std::move(handler)); }

void ModelControl::Execute() {
  Live();
  if (builtIn_) builtIn_();
  else Click();
}

void ModelControl::Delete() {
  Live();
  if (children_) children_->DetachAll();
  deleted_ = true;
  owner_->Remove(this);
}

bool ModelControl::Click() {
  Live();
  bool cancelDefault = false;
  auto keepAlive = shared_from_this();
  auto handlers = handlers_;
  for (auto& h : handlers) h(*this, cancelDefault);
  return cancelDefault;
}

std::shared_ptr<CommandBarControl> ModelControls::Item(int index) {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall);
  return items_[index - 1];
}

std::shared_ptr<CommandBarControl> ModelControls::Add(ControlType type, bool) {
  auto c = std::make_shared<ModelControl>(type, this);
  items_.push_back(c);
  return c;
}

void ModelControls::Remove(const ModelControl* control) {
  std::erase_if(items_, [&](const auto& p) { return p.get() == control; });
}

void ModelControls::DetachAll() {
  for (auto& c : items_) {
    if (auto children = c->Controls()) static_cast<ModelControls&>(*children).DetachAll();
    c->Detach();
  }
  items_.clear();
}

ModelBar::ModelBar(std::wstring name, BarPosition position, ModelCommandBars* owner)
    : name_(std::move(name)), position_(position), owner_(owner) {}

void ModelBar::RequireLive() const {
  if (deleted_) RaiseDeleted();
}

bool ModelBar::Visible() const {
  RequireLive();
  return visible_;
}

void ModelBar::SetVisible(bool v) {
  RequireLive();
  visible_ = v;
}

std::shared_ptr<CommandBarControls> ModelBar::Controls() {
  RequireLive();
  return controls_;
}

void ModelBar::Delete() {
  RequireLive();
  Detach();
  owner_->Remove(this);
}

void ModelBar::Detach() {
  controls_->DetachAll();
  deleted_ = true;
}

ModelCommandBars::~ModelCommandBars() {
  for (auto& b : bars_) b->Detach();
}

std::shared_ptr<CommandBar> ModelCommandBars::Item(int index) {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall);
  return bars_[index - 1];
}

std::shared_ptr<CommandBar> ModelCommandBars::Item(const std::wstring& name) {
  for (auto& b : bars_)
    if (b->Name() == name) return b;
  Raise(err::kInvalidCall);
}

std::shared_ptr<CommandBar> ModelCommandBars::Add(const std::wstring& name, BarPosition position,
                                                  bool, bool) {
  for (auto& b : bars_)
    if (b->Name() == name) Raise(err::kInvalidCall, L"已存在同名的工具栏：" + name);
  auto bar = std::make_shared<ModelBar>(name, position, this);
  bars_.push_back(bar);
  return bar;
}

namespace {

std::shared_ptr<CommandBarControl> FindIn(CommandBarControls& controls, const std::wstring& caption) {
  for (int i = 1; i <= controls.Count(); ++i) {
    auto c = controls.Item(i);
    if (c->Caption() == caption) return c;
    if (auto children = c->Controls())
      if (auto found = FindIn(*children, caption)) return found;
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<CommandBarControl> ModelCommandBars::FindControl(const std::wstring& caption) {
  for (auto& b : bars_)
    if (auto found = FindIn(*b->Controls(), caption)) return found;
  return FindIn(*builtIns_, caption);
}

void ModelCommandBars::AddBuiltIn(const std::wstring& caption, std::function<void()> action) {
  auto control = std::static_pointer_cast<ModelControl>(builtIns_->Add(ControlType::Button, false));
  control->SetCaption(caption);
  control->SetBuiltInAction(std::move(action));
}

void ModelCommandBars::AddArrangeControls(Application& app, std::function<void(const std::wstring&)> done) {
  struct Arranger {
    const wchar_t* caption;
    bool align;
    int command;
  };
  static constexpr Arranger kArrangers[] = {
      {L"左对齐(&L)", true, kAlignLefts},      {L"右对齐(&R)", true, kAlignRights},
      {L"顶端对齐(&T)", true, kAlignTops},     {L"底端对齐(&B)", true, kAlignBottoms},
      {L"水平居中(&C)", true, kAlignCenters},  {L"垂直居中(&M)", true, kAlignMiddles},
      {L"横向分布(&H)", false, kDistributeHorizontally},
      {L"纵向分布(&V)", false, kDistributeVertically},
  };
  for (const Arranger& a : kArrangers)
    AddBuiltIn(a.caption, [&app, a, done] {
      app.ActiveDocument();  // error 4248 without one
      auto range = app.GetSelection()->GetShapeRange();
      if (!range || range->Count() == 0) Raise(4605, L"此方法或属性无效，因为没有选中图形。");
      if (a.align) range->Align(a.command, false);
      else range->Distribute(a.command, false);
      if (done) done(a.caption);
    });
}

void ModelCommandBars::Remove(const ModelBar* bar) {
  std::erase_if(bars_, [&](const auto& p) { return p.get() == bar; });
}

}  // namespace plx::docif::model
