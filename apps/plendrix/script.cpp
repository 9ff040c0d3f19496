#include "script.hpp"

#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "addin/form.hpp"
#include "form_listing.hpp"
#include "picture_cli.hpp"
#include "press.hpp"
#include "script_text.hpp"
#include "surface_dump.hpp"

namespace plx::cli {
namespace {

// The first word of a line and the rest after one blank.
std::pair<std::wstring, std::wstring> Word(const std::wstring& s) {
  size_t blank = s.find(L' ');
  if (blank == std::wstring::npos) return {s, L""};
  return {s.substr(0, blank), s.substr(blank + 1)};
}

// A whole number not below 0: a position in the text or an index in a list.
long Number(const std::wstring& s, const wchar_t* what) {
  const std::wstring t = Trim(s);
  const double v = IsNumeric(t) ? CDbl(t) : -1;
  if (v < 0 || v > INT_MAX || v != std::floor(v))
    Raise(err::kInvalidCall, L"“" + t + L"”不是有效的" + what + L"（要一个不小于 0 的整数）。");
  return static_cast<long>(v);
}

void WriteTextFile(const std::wstring& path, const std::string& text) {
  std::ofstream out(WideToUtf8(path), std::ios::binary);
  out << text;
  out.close();
  if (!out) throw FileError("无法写入“" + WideToUtf8(path) + "”。");
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
  const ScriptText script = DecodeScript(std::string(std::istreambuf_iterator<char>(in), {}));
  if (script.fromGb18030) std::fprintf(stderr, "plendrix: 脚本不是 UTF-8 编码，已按 GB18030（GBK）读取。\n");
  line_ = 0;
  lines_ = Split(script.text, L"\n");
  failure_ = nullptr;
  // A modal dialog the add-in shows takes the script's next lines until it
  // closes, as a user answers it before the command goes on.
  session_.Ui().SetModalLoop([this](const std::function<bool()>& closed) { RunLines(closed); });
  RunLines([] { return false; });
  session_.Ui().SetModalLoop(nullptr);
  if (failure_) std::rethrow_exception(failure_);
}

void ScriptRunner::RunLines(const std::function<bool()>& done) {
  while (!failure_ && !done() && line_ < static_cast<int>(lines_.size())) {
    std::wstring line = lines_[line_++];
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const std::string where = "第 " + std::to_string(line_) + " 行：";
    try {
      RunLine(line);
    } catch (const FileError& e) {
      failure_ = std::make_exception_ptr(FileError(where + e.what()));
    } catch (const std::exception& e) {
      // The number tells the add-in's and the controls' errors apart from a
      // line this host cannot read.
      const VbError error = AsVbError(e);
      const std::string number = error.number() == err::kInvalidCall ? "" : "错误 " + std::to_string(error.number()) + "：";
      failure_ = std::make_exception_ptr(ScriptError(where + number + WideToUtf8(error.description())));
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
  const size_t first = raw.find_first_not_of(L" \t\u3000");
  std::wstring line = first == std::wstring::npos ? L"" : RTrim(raw.substr(first));
  if (line.empty() || line[0] == L'#') return;
  auto [command, rest] = Word(line);
  auto& app = session_.Host();
  if (command == L"press") {
    Press(session_, Trim(rest));
  } else if (command == L"set") {
    auto [target, value] = Word(rest);
    auto [form, control] = Target(target);
    form->SetValue(control, Unescape(value));
  } else if (command == L"click") {
    auto [form, control] = Target(Trim(rest));
    form->Click(control);
  } else if (command == L"focus") {
    auto [form, control] = Target(Trim(rest));
    form->Focus(control);
  } else if (command == L"dblclick") {
    auto [target, index] = Word(rest);
    auto [form, control] = Target(target);
    form->DblClick(control, Trim(index).empty() ? 0 : static_cast<int>(Number(index, L"序号")));
  } else if (command == L"answer") {
    session_.Ui().QueueAnswer(Unescape(rest), line_);
  } else if (command == L"select") {
    auto [what, arg] = Word(rest);
    auto doc = app.ActiveDocument();
    if (what == L"all") {
      doc->Content()->Select();
    } else if (what == L"after") {
      // An insertion point just after the first occurrence of the text,
      // found by the document's own find: positions in the text as shown
      // (field results, cell ends read as CR BEL) are no document positions.
      const std::wstring find = Unescape(Trim(arg));
      auto found = doc->Content();
      auto search = found->GetFind();
      search->Text = Replace(find, L"^", L"^^");  // the find's special codes start with a caret
      if (find.empty() || !search->Execute()) Raise(err::kInvalidCall, L"文档中没有“" + find + L"”。");
      found->Collapse(docif::kCollapseEnd);
      found->Select();
    } else if (what == L"end") {
      const long end = doc->Content()->End() - 1;  // before the final paragraph mark
      doc->GetRange(end, end)->Select();
    } else if (what == L"shape") {
      doc->GetShapes()->Item(arg)->Select(true);
    } else if (what == L"shapes") {
      doc->GetShapes()->SelectAll();  // every floating shape, as the host's "select objects" does
    } else if (!IsNumeric(what) || !IsNumeric(arg)) {
      Raise(err::kInvalidCall, L"select 后面要写：两个位置（select START END）、all、end、after 文字、shape 图形名 或 shapes（全部图形），"
                               L"而不是“" + rest + L"”。");
    } else {
      long start = Number(what, L"位置"), end = Number(arg, L"位置");
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
  } else if (command == L"render") {
    WriteRequestedPicture(session_, ParsePictureRequest(rest));
  } else if (command == L"show") {
    // What the open dialog shows now: its controls with their captions and values.
    const std::wstring name = Trim(rest);
    std::fprintf(session_.Ui().Out(), "对话框 %s：\n%s", WideToUtf8(name).c_str(),
                 FormControlListing(*OpenForm(name)).c_str());
  } else if (command == L"dump") {
    // The document as the surface shows it now, on any host.
    WriteTextFile(Trim(rest), SurfaceDumpJson(*session_.HostDocument()));
  } else if (command == L"preview") {
    auto [name, file] = Word(rest);
    WriteTextFile(Trim(file), OpenForm(name)->PreviewSvg());
  } else {
    Raise(err::kInvalidCall, L"不认识的动作“" + command + L"”。");
  }
}

}  // namespace plx::cli
