#include "script.hpp"

#include <fstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "addin/form.hpp"

namespace plx::cli {
namespace {

// The first word of a line and the rest after one blank.
std::pair<std::wstring, std::wstring> Word(const std::wstring& s) {
  size_t blank = s.find(L' ');
  if (blank == std::wstring::npos) return {s, L""};
  return {s.substr(0, blank), s.substr(blank + 1)};
}

long Number(const std::wstring& s) {
  std::wstring t = Trim(s);
  double v = CDbl(t);
  if (v != static_cast<long>(v) || v < 0) Raise(err::kInvalidCall, L"“" + t + L"”不是有效的位置。");
  return static_cast<long>(v);
}

}  // namespace

std::wstring Unescape(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    wchar_t c = text[++i];
    if (c == L'r') out += L'\r';
    else if (c == L'n') out += L'\n';
    else if (c == L't') out += L'\t';
    else if (c == L'\\') out += L'\\';
    else out += std::wstring(L"\\") + c;
  }
  return out;
}

void ScriptRunner::Run(std::istream& in) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      RunLine(Utf8ToWide(line));
    } catch (const std::exception& e) {
      throw ScriptError("第 " + std::to_string(number) + " 行：" + WideToUtf8(AsVbError(e).description()));
    }
  }
}

std::shared_ptr<Form> ScriptRunner::OpenForm(const std::wstring& name) {
  for (const auto& f : session_.Context().OpenForms)
    if (f->Name() == name) return f;
  Raise(err::kInvalidCall, L"对话框“" + name + L"”没有打开。");
}

std::pair<std::shared_ptr<Form>, std::wstring> ScriptRunner::Target(const std::wstring& formDotControl) {
  size_t dot = formDotControl.find(L'.');
  if (dot == std::wstring::npos) Raise(err::kInvalidCall, L"“" + formDotControl + L"”应写作 对话框.控件。");
  return {OpenForm(formDotControl.substr(0, dot)), formDotControl.substr(dot + 1)};
}

void ScriptRunner::RunLine(const std::wstring& raw) {
  std::wstring line = Trim(raw);
  if (line.empty() || line[0] == L'#') return;
  auto [command, rest] = Word(line);
  auto& app = session_.Host();
  if (command == L"press") {
    if (!press) Raise(err::kInvalidCall, L"此宿主不能执行命令。");
    press(Trim(rest));
  } else if (command == L"set") {
    auto [target, value] = Word(rest);
    auto [form, control] = Target(target);
    form->SetValue(control, Unescape(value));
  } else if (command == L"click") {
    auto [form, control] = Target(Trim(rest));
    form->Click(control);
  } else if (command == L"dblclick") {
    auto [target, index] = Word(rest);
    auto [form, control] = Target(target);
    form->DblClick(control, Trim(index).empty() ? 0 : static_cast<int>(Number(index)));
  } else if (command == L"answer") {
    std::wstring a = Unescape(rest);
    std::wstring lower = LCase(Trim(a));
    if (lower == L"ok") session_.Ui().Queue(Answer::OK);
    else if (lower == L"cancel") session_.Ui().Queue(Answer::Cancel);
    else if (lower == L"yes") session_.Ui().Queue(Answer::Yes);
    else if (lower == L"no") session_.Ui().Queue(Answer::No);
    else session_.Ui().QueueText(a);
  } else if (command == L"select") {
    auto [what, arg] = Word(rest);
    auto doc = app.ActiveDocument();
    if (what == L"all") {
      doc->Content()->Select();
    } else if (what == L"after") {
      // An insertion point just after the first occurrence of the text.
      const std::wstring find = Unescape(Trim(arg));
      const size_t at = doc->Content()->Text().find(find);
      if (find.empty() || at == std::wstring::npos) Raise(err::kInvalidCall, L"文档中没有“" + find + L"”。");
      const long pos = static_cast<long>(at + find.size());
      doc->GetRange(pos, pos)->Select();
    } else if (what == L"end") {
      const long end = doc->Content()->End() - 1;  // before the final paragraph mark
      doc->GetRange(end, end)->Select();
    } else if (what == L"shape") {
      doc->GetShapes()->Item(arg)->Select(true);
    } else {
      long start = Number(what), end = Number(arg);
      if (end < start || end > doc->Content()->End()) Raise(err::kInvalidCall, L"选择的范围超出了文档。");
      doc->GetRange(start, end)->Select();
    }
  } else if (command == L"type") {
    app.GetSelection()->TypeText(Unescape(rest));
  } else if (command == L"close") {
    OpenForm(Trim(rest))->Unload();
  } else if (command == L"config") {
    // A setting for the rest of the run, as if the settings dialog had set it;
    // the stored configuration is not changed.
    auto [target, value] = Word(rest);
    size_t dot = target.find(L'.');
    if (dot == std::wstring::npos) Raise(err::kInvalidCall, L"“" + target + L"”应写作 配置组.设置项。");
    ConfigDictionary& group = ConfigGroup(session_.Context(), target.substr(0, dot));
    if (!group.Exists(target.substr(dot + 1))) Raise(err::kInvalidCall, L"没有设置项“" + target + L"”。");
    group.Set(target.substr(dot + 1), Unescape(Trim(value)));
  } else if (command == L"preview") {
    auto [name, file] = Word(rest);
    std::string svg = OpenForm(name)->PreviewSvg();
    std::ofstream out(WideToUtf8(Trim(file)), std::ios::binary);
    out << svg;
    if (!out) Raise(err::kFileNotFound, L"无法写入“" + file + L"”。");
  } else {
    Raise(err::kInvalidCall, L"不认识的动作“" + command + L"”。");
  }
}

}  // namespace plx::cli
