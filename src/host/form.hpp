#pragma once
// A dialog as a view model. Show loads it (Form_Load runs); a modeless
// dialog stays in the context's list of open dialogs, which keeps it
// alive, until it unloads. Dialogs are made with std::make_shared.
#include <memory>
#include <string>

namespace plx {

class AddinContext;

class Form : public std::enable_shared_from_this<Form> {
 public:
  Form(AddinContext& ctx, std::wstring name) : ctx_(ctx), name_(std::move(name)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::wstring& Name() const { return name_; }
  bool Loaded() const { return loaded_; }
  // Loads and shows the dialog without blocking.
  void Show();
  // Closes the dialog (Form_Unload runs once).
  void Unload();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  AddinContext& Ctx() { return ctx_; }

 private:
  AddinContext& ctx_;
  std::wstring name_;
  bool loaded_ = false;
};

}  // namespace plx
