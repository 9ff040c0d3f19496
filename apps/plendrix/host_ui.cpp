#include "host_ui.hpp"

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "messages.hpp"

namespace plx::cli {
namespace {

std::optional<Answer> ButtonNamed(const std::wstring& text) {
  const std::wstring word = LCase(Trim(text));
  if (word == L"ok") return Answer::OK;
  if (word == L"cancel") return Answer::Cancel;
  if (word == L"yes") return Answer::Yes;
  if (word == L"no") return Answer::No;
  return std::nullopt;
}

bool Offers(Buttons buttons, Answer a) {
  switch (buttons) {
    case Buttons::OK: return a == Answer::OK;
    case Buttons::OKCancel: return a == Answer::OK || a == Answer::Cancel;
    case Buttons::YesNo: return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel: return a != Answer::OK;
  }
  return false;
}

const wchar_t* ButtonsText(Buttons buttons) {
  switch (buttons) {
    case Buttons::OK: return L"ok";
    case Buttons::OKCancel: return L"ok、cancel";
    case Buttons::YesNo: return L"yes、no";
    case Buttons::YesNoCancel: return L"yes、no、cancel";
  }
  return L"";
}

}  // namespace

void HostUi::QueueAnswer(const std::wstring& answer, int line) { queue_.push_back({answer, line}); }

void HostUi::ReportUnused() {
  for (const Queued& q : queue_) Misfit(q, L"没有被任何对话框用上");
  queue_.clear();
}

void HostUi::Misfit(const Queued& answer, const std::wstring& why) {
  ++problems_;
  std::fprintf(err_, "plendrix: 第 %d 行的回答“%s”%s\n", answer.line, WideToUtf8(answer.text).c_str(),
               WideToUtf8(why).c_str());
  std::fflush(err_);
}

void HostUi::RunModal(const std::wstring& dialog, const std::function<bool()>& closed) {
  std::fprintf(out_, "[对话框] %s（模态：脚本接下来的动作作用于它，直到它关闭）\n", WideToUtf8(dialog).c_str());
  std::fflush(out_);
  if (modalLoop_) modalLoop_(closed);
  ConsoleUi::RunModal(dialog, closed);
}

void HostUi::Announce(const ShownBox& box) {
  ShownBox shown = box;
  shown.text = InChinese(box.text);
  ConsoleUi::Announce(shown);
}

std::optional<ScriptedAnswer> HostUi::Unanswered(const ShownBox& box) {
  if (queue_.empty()) return ConsoleUi::Unanswered(box);
  const Queued q = queue_.front();
  queue_.pop_front();
  std::fprintf(out_, "[回答] %s\n", WideToUtf8(q.text).c_str());
  std::fflush(out_);
  const std::optional<Answer> button = ButtonNamed(q.text);
  switch (box.kind) {
    case BoxKind::Message:
      if (!button) {
        Misfit(q, L"是给输入框的文字，却被消息框取走了（消息框要 " + std::wstring(ButtonsText(box.buttons)) +
                      L"），按了默认按钮");
        return ScriptedAnswer{FirstButton(box.buttons), L"", std::nullopt};
      }
      if (!Offers(box.buttons, *button)) {
        Misfit(q, L"不是这个消息框的按钮（它只有 " + std::wstring(ButtonsText(box.buttons)) + L"），按了默认按钮");
        return ScriptedAnswer{FirstButton(box.buttons), L"", std::nullopt};
      }
      return ScriptedAnswer{button, L"", std::nullopt};
    case BoxKind::Input:
    case BoxKind::Folder:
    case BoxKind::SaveFile:
      if (button && *button != Answer::Cancel)
        Misfit(q, L"是按钮，却被输入框取走了；输入框要文字（cancel 表示取消），已按取消处理");
      if (button) return ScriptedAnswer{std::nullopt, L"", std::nullopt};
      return ScriptedAnswer{std::nullopt, q.text, std::nullopt};
    case BoxKind::Color:
      if (button == Answer::Cancel) return ScriptedAnswer{std::nullopt, L"", std::nullopt};
      if (!IsNumeric(q.text)) {
        Misfit(q, L"不是颜色：选择颜色要一个 RGB 数值（cancel 表示取消），已按取消处理");
        return ScriptedAnswer{std::nullopt, L"", std::nullopt};
      }
      return ScriptedAnswer{std::nullopt, L"", static_cast<uint32_t>(CDbl(q.text))};
  }
  return std::nullopt;
}

}  // namespace plx::cli
