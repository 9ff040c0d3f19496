#include "platform/console_ui.hpp"

#include <iostream>
#include <string>

#include "common/text.hpp"

namespace plx {
namespace {

const char* KindLabel(BoxKind kind) {
  switch (kind) {
    case BoxKind::Message: return "消息框";
    case BoxKind::Input: return "输入框";
    case BoxKind::Folder: return "选择文件夹";
    case BoxKind::Color: return "选择颜色";
    case BoxKind::SaveFile: return "另存为";
  }
  return "";
}

}  // namespace

void ConsoleUi::Announce(const ShownBox& box) {
  std::string text = WideToUtf8(Replace(box.text, L"\r\n", L"\n"));
  std::fprintf(out_, "[%s] %s\n%s\n", KindLabel(box.kind), WideToUtf8(box.title).c_str(),
               text.c_str());
  std::fflush(out_);
}

void ConsoleUi::AnnounceStatus(const std::wstring& text) {
  std::fprintf(out_, "[状态] %s\n", WideToUtf8(text).c_str());
}

void ConsoleUi::ModalUnanswered(const std::wstring& dialog) {
  std::fprintf(out_, "[对话框] %s 没有人操作，按关闭（不保存）处理\n", WideToUtf8(dialog).c_str());
  std::fflush(out_);
}

std::optional<ScriptedAnswer> ConsoleUi::Unanswered(const ShownBox& box) {
  if (!interactive_) return std::nullopt;
  std::string line;
  if (box.kind == BoxKind::Message) {
    if (box.buttons == Buttons::OK) return std::nullopt;
    std::fprintf(out_, "> (ok/cancel/yes/no) ");
    std::fflush(out_);
    if (!std::getline(std::cin, line)) return std::nullopt;
    std::wstring a = LCase(Trim(Utf8ToWide(line)));
    if (a == L"cancel") return ScriptedAnswer{Answer::Cancel, L"", std::nullopt};
    if (a == L"no") return ScriptedAnswer{Answer::No, L"", std::nullopt};
    if (a == L"yes") return ScriptedAnswer{Answer::Yes, L"", std::nullopt};
    return ScriptedAnswer{Answer::OK, L"", std::nullopt};
  }
  std::fprintf(out_, "> ");
  std::fflush(out_);
  if (!std::getline(std::cin, line)) return std::nullopt;
  return ScriptedAnswer{std::nullopt, Utf8ToWide(line), std::nullopt};
}

}  // namespace plx
