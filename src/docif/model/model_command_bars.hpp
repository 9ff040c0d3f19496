#pragma once
// The model word processor's command bars: bars and controls held in
// memory, with click events that the host (or a test) fires by Click().
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "docif/command_bars.hpp"

namespace plx::docif {
class Application;
}

namespace plx::docif::model {

class ModelControls;

class ModelControl final : public CommandBarControl,
                           public std::enable_shared_from_this<ModelControl> {
 public:
  ModelControl(ControlType type, ModelControls* owner);
  ControlType Type() const override { return type_; }
  std::wstring Caption() const override { return Live().caption_; }
  void SetCaption(const std::wstring& v) override { Live().caption_ = v; }
  std::wstring Parameter() const override { return Live().parameter_; }
  void SetParameter(const std::wstring& v) override { Live().parameter_ = v; }
  std::wstring Tag() const override { return Live().tag_; }
  void SetTag(const std::wstring& v) override { Live().tag_ = v; }
  std::wstring TooltipText() const override { return Live().tooltip_; }
  void SetTooltipText(const std::wstring& v) override { Live().tooltip_ = v; }
  ButtonStyle Style() const override { return Live().style_; }
  void SetStyle(ButtonStyle v) override { Live().style_ = v; }
  bool State() const override { return Live().state_; }
  void SetState(bool v) override { Live().state_ = v; }
  bool Visible() const override { return Live().visible_; }
  void SetVisible(bool v) override { Live().visible_ = v; }
  void SetPicture(const std::wstring& path) override { Live().picture_ = path; }
  std::wstring Picture() const override { return Live().picture_; }
  std::shared_ptr<CommandBarControls> Controls() override;
  void AddClickHandler(ClickHandler handler) override;
  void Execute() override;
  void Delete() override;

  // What the host does when the user clicks the button: every attached
  // sink runs; returns whether a sink cancelled the built-in action.
  bool Click();
  void Detach() { deleted_ = true; }
  // A control of the host itself, whose action is the host's own.
  void SetBuiltInAction(std::function<void()> action) { builtIn_ = std::move(action); }

 private:
  const ModelControl& Live() const;
  ModelControl& Live();

  ControlType type_;
  ModelControls* owner_;
  bool deleted_ = false;
  std::wstring caption_, parameter_, tag_, tooltip_, picture_;
  ButtonStyle style_ = ButtonStyle::Automatic;
  bool state_ = false;
  bool visible_ = true;
  std::shared_ptr<ModelControls> children_;
  std::vector<ClickHandler> handlers_;
  std::function<void()> builtIn_;
};

class ModelControls final : public CommandBarControls {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::shared_ptr<CommandBarControl> Item(int index) override;
  std::shared_ptr<CommandBarControl> Add(ControlType type, bool temporary) override;
  void Remove(const ModelControl* control);
  void DetachAll();

 private:
  std::vector<std::shared_ptr<ModelControl>> items_;
};

class ModelCommandBars;

class ModelBar final : public CommandBar {
 public:
  ModelBar(std::wstring name, BarPosition position, ModelCommandBars* owner);
  std::wstring Name() const override { return name_; }
  bool Visible() const override;
  void SetVisible(bool v) override;
  BarPosition Position() const override { return position_; }
  std::shared_ptr<CommandBarControls> Controls() override;
  void Delete() override;
  void Detach();

 private:
  void RequireLive() const;

  std::wstring name_;
  BarPosition position_;
  ModelCommandBars* owner_;
  bool visible_ = false;
  bool deleted_ = false;
  std::shared_ptr<ModelControls> controls_ = std::make_shared<ModelControls>();
};

class ModelCommandBars final : public CommandBars {
 public:
  ~ModelCommandBars() override;
  int Count() const override { return static_cast<int>(bars_.size()); }
  std::shared_ptr<CommandBar> Item(int index) override;
  std::shared_ptr<CommandBar> Item(const std::wstring& name) override;
  std::shared_ptr<CommandBar> Add(const std::wstring& name, BarPosition position, bool menuBar,
                                  bool temporary) override;
  std::shared_ptr<CommandBarControl> FindControl(const std::wstring& caption) override;
  void Remove(const ModelBar* bar);
  // Adds one of the host's own controls (not on any toolbar of the add-in).
  void AddBuiltIn(const std::wstring& caption, std::function<void()> action);
  // Adds the host's align and distribute controls ("左对齐(&L)" …
  // "纵向分布(&V)"), which arrange the shapes selected in `app`; `done`
  // hears each one run.
  void AddArrangeControls(Application& app, std::function<void(const std::wstring&)> done = {});

 private:
  std::vector<std::shared_ptr<ModelBar>> bars_;
  std::shared_ptr<ModelControls> builtIns_ = std::make_shared<ModelControls>();
};

}  // namespace plx::docif::model
