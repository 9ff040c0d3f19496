// plendrix: the command-line host. It plays the word processor's part: it
// makes a model word processor with one document (new or opened from a
// .docx), loads the add-in by calling Connect as the word processor would,
// carries out the command, disconnects, and saves the document.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "docif/model/json_dump.hpp"
#include "formula_cli.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/script_engine.hpp"
#include "connect/form_registry.hpp"
#include "connect/frm_browse.hpp"
#include "connect/legacy_toolbars.hpp"
#include "addin/services.hpp"
#include "render.hpp"
#include "script.hpp"
#include "session.hpp"

namespace {

using plx::Utf8ToWide;
using plx::WideToUtf8;

bool DailyStepRan(const plx::AddinContext& ctx) {
  for (const auto& sql : ctx.Conn.Journal())
    if (sql == L"select * from  record  where id =1") return true;
  return false;
}

// What connecting did, in the user's language.
void ReportConnection(plx::cli::Session& s) {
  plx::AddinContext& ctx = s.Context();
  std::printf("宿主版本：%s\n", WideToUtf8(ctx.App->Version()).c_str());
  std::printf("安装文件夹：%s\n", WideToUtf8(plx::GetAppPath(ctx)).c_str());
  std::wstring ribbon = s.Addin().IRibbonExtensibility_GetCustomUI(L"Microsoft.Word.Document");
  if (ribbon.empty()) std::printf("功能区定义：未读取\n");
  else std::printf("功能区定义：已读取（%zu 个字符）\n", ribbon.size());
  auto bars = ctx.App->GetCommandBars();
  if (bars->Count() == 0) std::printf("工具栏：无\n");
  for (int i = 1; i <= bars->Count(); ++i)
    std::printf("工具栏：%s（%s）\n", WideToUtf8(bars->Item(i)->Name()).c_str(),
                bars->Item(i)->Visible() ? "显示" : "隐藏");
  std::printf("每日启动步骤：%s\n", DailyStepRan(ctx) ? "已运行" : "今天已运行过，跳过");
  if (auto news = ctx.FindForm<plx::frmBrowse>())
    std::printf("新闻窗口：已打开 %s\n", WideToUtf8(news->Address()).c_str());
  else if (DailyStepRan(ctx))
    std::printf("新闻窗口：未连接互联网，已自动关闭\n");
}

std::shared_ptr<plx::docif::CommandBarControl> FindByKey(plx::docif::CommandBarControls& controls,
                                                         const std::wstring& key) {
  for (int i = 1; i <= controls.Count(); ++i) {
    auto c = controls.Item(i);
    if (auto children = c->Controls()) {
      if (auto found = FindByKey(*children, key)) return found;
    } else if (plx::LCase(c->Parameter()) == plx::LCase(key)) {
      return c;
    }
  }
  return nullptr;
}

// Presses a ribbon command, or on the legacy host clicks the toolbar button
// with that key (a key on no toolbar built yet goes straight to dispatch).
void Press(plx::cli::Session& s, const std::wstring& id) {
  if (s.Context().App->Version() != L"11.0") {
    s.Addin().rxButtonClick({id, L""});
    return;
  }
  auto bars = s.Host().GetCommandBars();
  for (int i = 1; i <= bars->Count(); ++i)
    if (auto button = FindByKey(*bars->Item(i)->Controls(), id)) {
      static_cast<plx::docif::model::ModelControl&>(*button).Click();
      return;
    }
  plx::docif::model::ModelControl loose(plx::docif::ControlType::Button, nullptr);
  loose.SetParameter(id);
  bool cancel = false;
  plx::ButtonEvent(s.Context()).Button_Click(loose, cancel);
}

// Prints the normalised expression and its value, or the evaluator's error.
int Evaluate(const std::wstring& text, std::optional<double> x) {
  std::wstring normalised = plx::graph::NormaliseExpression(text);
  std::printf("%s\n", WideToUtf8(normalised).c_str());
  if (x) {
    plx::graph::ScriptEngine engine;
    try {
      std::printf("%s\n", WideToUtf8(plx::DecimalText(plx::graph::EvalAt(engine, *x, normalised))).c_str());
      return 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(plx::AsVbError(e).description()).c_str());
      return 1;
    }
  }
  plx::graph::MathPlugin math;
  bool error = false;
  double value = 0;
  math.MathExpression(normalised, error, value);
  if (error) {
    std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(math.LastError()).c_str());
    return 1;
  }
  std::printf("%s\n", WideToUtf8(plx::DecimalText(value)).c_str());
  return 0;
}

const char* KindName(plx::ControlKind k) {
  switch (k) {
    case plx::ControlKind::Label: return "标签";
    case plx::ControlKind::TextBox: return "文本框";
    case plx::ControlKind::CheckBox: return "复选框";
    case plx::ControlKind::OptionGroup: return "单选按钮组";
    case plx::ControlKind::ComboBox: return "组合框";
    case plx::ControlKind::ListBox: return "列表框";
    case plx::ControlKind::Button: return "按钮";
  }
  return "";
}

int ListControls(plx::cli::Session& s, const std::wstring& name) {
  std::shared_ptr<plx::Form> form;
  for (const auto& f : s.Context().OpenForms)
    if (f->Name() == name) form = f;
  bool opened = false;
  if (!form) {
    form = plx::CreateForm(s.Context(), name);
    if (!form) {
      std::fprintf(stderr, "plendrix: 没有名为“%s”的对话框\n", WideToUtf8(name).c_str());
      return 2;
    }
    form->Show();
    opened = true;
  }
  for (const auto& c : form->Controls()) {
    std::string value = WideToUtf8(form->ValueText(c.name));
    std::printf("%s\t%s\t%s\t%s", WideToUtf8(c.name).c_str(), KindName(c.kind), WideToUtf8(c.caption).c_str(),
                value.c_str());
    if (!c.items.empty()) std::printf("\t[%s]", WideToUtf8(plx::Join(c.items, L"|")).c_str());
    std::printf("\n");
  }
  if (opened) form->Unload();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"plendrix — Plendrix4Word 的命令行宿主"};
  std::string install, hostVersion = "16.0", docPath, outPath, renderPath;
  bool online = false;
  app.add_option("--install", install, "add-in install folder (default: the library's folder)");
  app.add_option("--host-version", hostVersion, "host version; 11.0 uses the legacy toolbars");
  app.add_option("--doc", docPath, "open this .docx instead of a new document")->check(CLI::ExistingFile);
  app.add_option("--out", outPath, "save the document here at the end");
  app.add_option("--render", renderPath, "after saving, write page 1 as a PNG (LibreOffice)");
  app.add_flag("--online", online, "report the computer as connected to the Internet");
  app.require_subcommand(1);
  auto* connectCmd = app.add_subcommand("connect", "connect the add-in, report what happened and disconnect");
  std::string scriptPath, formName;
  std::vector<std::string> pressIds;
  auto* pressCmd = app.add_subcommand("press", "press ribbon commands (toolbar keys on host version 11.0)");
  pressCmd->add_option("ID", pressIds)->required();
  auto* runCmd = app.add_subcommand("run", "run a script of user actions (a file, or - for standard input)");
  runCmd->add_option("SCRIPT", scriptPath)->required();
  auto* controlsCmd = app.add_subcommand("controls", "list every control of a dialog");
  controlsCmd->add_option("FORM", formName)->required();
  auto* dumpCmd = app.add_subcommand("dump", "print the document as JSON");
  std::string evalText;
  std::optional<double> evalAt;
  auto* evalCmd = app.add_subcommand("eval", "normalise and evaluate an expression (at x with --at)");
  evalCmd->add_option("--at", evalAt, "the value of x");
  evalCmd->add_option("EXPR", evalText)->required();
  std::string formulaText, formulaRoute;
  std::vector<std::string> formulaSets;
  auto* formulaCmd = app.add_subcommand("formula", "print the field code, TeX or linear text built for a formula");
  formulaCmd->add_option("--route", formulaRoute, "eq, tex or omath (default: the configured iMathType)");
  formulaCmd->add_option("--set", formulaSets, "override a gsconfig setting for this run: KEY=VALUE");
  formulaCmd->add_option("TEXT", formulaText)->required();
  CLI11_PARSE(app, argc, argv);
  if (evalCmd->parsed()) return Evaluate(Utf8ToWide(evalText), evalAt);

  if (!renderPath.empty() && outPath.empty()) {
    std::fprintf(stderr, "plendrix: --render 需要同时给出 --out\n");
    return 2;
  }
  plx::cli::SessionOptions options;
  options.install = Utf8ToWide(install);
  options.hostVersion = Utf8ToWide(hostVersion);
  options.document = Utf8ToWide(docPath);
  options.online = online;
  options.interactive = isatty(STDIN_FILENO) != 0;
  int status = 0;
  try {
    plx::cli::Session session(options);
    session.Start();
    if (connectCmd->parsed()) {
      ReportConnection(session);
    } else if (pressCmd->parsed()) {
      for (const auto& id : pressIds) Press(session, Utf8ToWide(id));
    } else if (runCmd->parsed()) {
      plx::cli::ScriptRunner runner(session);
      runner.press = [&session](const std::wstring& id) { Press(session, id); };
      if (scriptPath == "-") {
        runner.Run(std::cin);
      } else {
        std::ifstream in(scriptPath);
        if (!in) throw plx::cli::ScriptError("无法读取脚本 " + scriptPath);
        runner.Run(in);
      }
    } else if (controlsCmd->parsed()) {
      status = ListControls(session, Utf8ToWide(formName));
    } else if (formulaCmd->parsed()) {
      plx::cli::FormulaRequest request;
      if (!formulaRoute.empty()) request.route = Utf8ToWide(formulaRoute);
      for (const auto& s : formulaSets) request.settings.push_back(Utf8ToWide(s));
      request.text = Utf8ToWide(formulaText);
      status = plx::cli::PrintFormula(session, request);
    } else if (dumpCmd->parsed()) {
      std::printf("%s\n", plx::docif::model::DumpJson(*session.Host().ActiveData()).c_str());
    }
    session.Stop();
    if (!outPath.empty()) {
      session.Save(Utf8ToWide(outPath));
      std::printf("已保存：%s\n", outPath.c_str());
      if (!renderPath.empty()) {
        std::string error = plx::cli::RenderFirstPage(outPath, renderPath);
        if (error.empty()) std::printf("第 1 页图片：%s\n", renderPath.c_str());
        else std::fprintf(stderr, "plendrix: %s\n", error.c_str());
      }
    }
    if (session.ErrorReported()) {
      std::fprintf(stderr, "plendrix: 插件报告了错误（见上面的消息框）\n");
      status = status ? status : 1;
    }
  } catch (const plx::cli::ScriptError& e) {
    std::fprintf(stderr, "plendrix: %s\n", e.what());
    return 3;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(plx::AsVbError(e).description()).c_str());
    return 4;
  }
  return status;
}
