#include "platform/scripted_ui.hpp"

namespace plx {

Answer FirstButton(Buttons buttons) {
  return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::OK;
}

std::optional<ScriptedAnswer> ScriptedUi::Unanswered(const ShownBox& box) {
  if (onUnexpected_) onUnexpected_(box);
  return std::nullopt;
}

void ScriptedUi::RunModal(const std::wstring& dialog, const std::function<bool()>& closed) {
  modal_.push_back(dialog);
  while (!closed() && !modalSteps_.empty()) {
    auto step = std::move(modalSteps_.front());
    modalSteps_.pop_front();
    step();
  }
  if (!closed()) ModalUnanswered(dialog);
}

void ScriptedUi::ModalUnanswered(const std::wstring& dialog) {
  if (onUnexpected_) onUnexpected_({BoxKind::Message, L"模态对话框“" + dialog + L"”没有人操作", L"", Buttons::OK});
}

void ScriptedUi::Progress(int percent, const std::wstring& text) {
  progress_.emplace_back(percent, text);
  AnnounceStatus(text);
}

void ScriptedUi::StatusText(const std::wstring& text) {
  status_.push_back(text);
  AnnounceStatus(text);
}

std::optional<ScriptedAnswer> ScriptedUi::Next(const ShownBox& box) {
  boxes_.push_back(box);
  Announce(box);
  if (answers_.empty()) return Unanswered(box);
  ScriptedAnswer a = answers_.front();
  answers_.pop_front();
  return a;
}

bool IsErrorBox(const std::wstring& text, const std::wstring& title, BoxLook look) {
  return look == BoxLook::Error || title.starts_with(L"错误号:") || title.starts_with(L"Error:") ||
         text.starts_with(L"Error ");
}

Answer ScriptedUi::MsgBox(const std::wstring& text, Buttons buttons, const std::wstring& title, BoxLook look) {
  auto a = Next({BoxKind::Message, text, title, buttons, look});
  if (a && a->answer) return *a->answer;
  return FirstButton(buttons);
}

std::wstring ScriptedUi::InputBox(const std::wstring& prompt, const std::wstring& title,
                                  const std::wstring&) {
  auto a = Next({BoxKind::Input, prompt, title, Buttons::OKCancel});
  return a ? a->text : std::wstring();
}

std::wstring ScriptedUi::ChooseFolder(const std::wstring& prompt) {
  auto a = Next({BoxKind::Folder, prompt, L"", Buttons::OKCancel});
  return a ? a->text : std::wstring();
}

// The box's text is the prompt, the offered types and the starting name,
// one a line, so that a transcript shows what the user was offered.
std::wstring ScriptedUi::ChooseSaveFile(const std::wstring& prompt, const std::vector<FileFilter>& filters,
                                        const std::wstring& defaultName) {
  std::wstring text = prompt + L"\r\n文件类型：";
  for (size_t i = 0; i < filters.size(); ++i)
    text += (i ? L"；" : L"") + filters[i].description + L" (" + filters[i].patterns + L")";
  text += L"\r\n文件名：" + defaultName;
  auto a = Next({BoxKind::SaveFile, text, L"", Buttons::OKCancel});
  return a ? a->text : std::wstring();
}

std::optional<uint32_t> ScriptedUi::ChooseColor(uint32_t) {
  auto a = Next({BoxKind::Color, L"", L"", Buttons::OKCancel});
  return a ? a->color : std::nullopt;
}

}  // namespace plx
