#include "dialog_windows.hpp"

#include <algorithm>

#include "common/error.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

void DialogWindows::Sync() {
  for (auto& w : std::exchange(closed_, {})) w->Dispose();
  const std::vector<std::shared_ptr<Form>>& open = ctx_.OpenForms;
  for (auto it = windows_.begin(); it != windows_.end();) {
    const auto& form = (*it)->ViewModel();
    if (form->Loaded() && std::find(open.begin(), open.end(), form) != open.end()) {
      ++it;
      continue;
    }
    (*it)->Close();
    closed_.push_back(*it);
    it = windows_.erase(it);
  }
  for (const auto& form : std::vector<std::shared_ptr<Form>>(open)) {
    const bool shown = std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) { return w->ViewModel() == form; });
    if (shown || !office_.is()) continue;
    auto window = std::make_shared<DialogWindow>(*this, form);
    try {
      window->Open(office_, parent_(), form->Name() != opening_);
    } catch (const css::uno::Exception& e) {
      // A dialog without a window cannot be used: it closes unseen.
      form->Dismiss();
      Raise(err::kInvalidCall, L"无法打开对话框“" + form->Name() + L"”：" + docif::lo::FromOUString(e.Message));
    } catch (...) {
      form->Dismiss();
      throw;
    }
    windows_.push_back(window);
  }
  for (const auto& w : std::vector<std::shared_ptr<DialogWindow>>(windows_)) w->Refresh();
}

void DialogWindows::RunModal(const std::wstring& name, const std::function<bool()>& closed) {
  opening_ = name;
  Sync();
  opening_.clear();
  std::shared_ptr<DialogWindow> window;
  for (const auto& w : windows_)
    if (w->ViewModel()->Name() == name) window = w;
  if (!window || closed()) return;
  ++modal_;
  try {
    window->RunModal();
  } catch (...) {
    --modal_;
    throw;
  }
  --modal_;
}

void DialogWindows::ToFront(const std::wstring& name) {
  for (const auto& w : windows_)
    if (w->ViewModel()->Name() == name) w->ToFront();
}

void DialogWindows::CloseAll() {
  for (auto& w : windows_) closed_.push_back(w);
  windows_.clear();
  for (auto& w : std::exchange(closed_, {})) {
    w->Close();
    w->Dispose();
  }
}

}  // namespace plx::oxt
