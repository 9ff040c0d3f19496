#pragma once
// The dialogs whose behaviour is not laid down in detail: each opens,
// shows its controls, closes with its close button, and keeps its inputs
// in the dialog memory when it has a row there.
#include <optional>
#include <string>
#include <vector>

#include "config/dialog_memory.hpp"
#include "addin/form.hpp"

namespace plx {

struct SimpleFormSpec {
  const wchar_t* name;
  const wchar_t* caption;
  std::vector<Control> controls;  // a "cmdClose" button is added
  std::optional<DialogMemory> memory;
};

class SimpleForm : public Form {
 public:
  SimpleForm(AddinContext& ctx, const SimpleFormSpec& definition);
  const std::wstring& Caption() const { return caption_; }
  DialogLayout Layout() const override;

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  std::wstring caption_;
  std::optional<DialogMemory> memory_;
};

// The definition of each such dialog by name; null for other names.
const SimpleFormSpec* FindSimpleForm(const std::wstring& name);
const std::vector<SimpleFormSpec>& SimpleForms();

}  // namespace plx
