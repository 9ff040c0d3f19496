// plendrix: the command-line host. It plays the word processor's part: it
// makes a model word processor with one document (new or opened from a
// .docx), loads the add-in by calling Connect as the word processor would,
// carries out the command, disconnects, and saves the document.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "docif/model/json_dump.hpp"
#include "config_cli.hpp"
#include "form_listing.hpp"
#include "formula_cli.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/script_engine.hpp"
#include "connect/form_registry.hpp"
#include "config/mod_database.hpp"
#include "connect/frm_browse.hpp"
#include "addin/product_info.hpp"
#include "addin/services.hpp"
#include "command_line.hpp"
#include "messages.hpp"
#include "picture_cli.hpp"
#include "press.hpp"
#include "render.hpp"
#include "script.hpp"
#include "session.hpp"
#include "surface_dump.hpp"

namespace {

using plx::Utf8ToWide;
using plx::WideToUtf8;

// The exit statuses; when several failures happen the larger number wins.
constexpr int kAddinError = 1, kBadCommandLine = 2, kBadScript = 3, kFileError = 4;

void Complain(const std::string& message) {
  std::fprintf(stderr, "plendrix: %s\n", message.c_str());
  std::fflush(stderr);
}

void Complain(const std::wstring& message) { Complain(WideToUtf8(plx::cli::InChinese(message))); }

// Why the configuration table cannot be read, if it cannot: every command
// reads its settings there.
std::optional<std::wstring> ConfigTableProblem(plx::AddinContext& ctx) {
  try {
    plx::OpenDatabase(ctx);
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Rs.Open(L"select * from config", ctx.Conn, plx::db::CursorType::Keyset, plx::db::LockType::Pessimistic);
    plx::CloseDatabase(ctx);
    return std::nullopt;
  } catch (const std::exception& e) {
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    if (ctx.Conn.IsOpen()) ctx.Conn.Close();
    return plx::AsVbError(e).description();
  }
}

// What connecting did, in the user's language; 4 when the configuration
// database could not be opened.
int ReportConnection(plx::cli::Session& s) {
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
  if (auto failure = s.DatabaseFailure()) {
    std::printf("每日启动步骤：未能运行，配置数据库无法打开（%s）\n", WideToUtf8(*failure).c_str());
    return kFileError;
  }
  using Outcome = plx::Connect::DailyStep::Outcome;
  const plx::Connect::DailyStep& daily = s.Addin().DailyStartup();
  if (daily.outcome == Outcome::Failed) {
    std::printf("每日启动步骤：未能运行，配置数据库已损坏（%s）\n",
                WideToUtf8(plx::cli::InChinese(daily.failure)).c_str());
    return kFileError;
  }
  if (auto problem = ConfigTableProblem(ctx)) {
    std::printf("配置数据库已损坏：%s\n", WideToUtf8(plx::cli::InChinese(*problem)).c_str());
    return kFileError;
  }
  const bool ran = daily.outcome == Outcome::Ran;
  std::printf("每日启动步骤：%s\n", ran ? "已运行" : "今天已运行过，跳过");
  if (auto news = ctx.FindForm<plx::frmBrowse>())
    std::printf("新闻窗口：已打开 %s\n", WideToUtf8(news->Address()).c_str());
  else if (ran)
    std::printf("新闻窗口：未连接互联网，已自动关闭\n");
  return 0;
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
      Complain(plx::AsVbError(e).description());
      return 1;
    }
  }
  plx::graph::MathPlugin math;
  bool error = false;
  double value = 0;
  math.MathExpression(normalised, error, value);
  if (error) {
    Complain(math.LastError());
    return 1;
  }
  std::printf("%s\n", WideToUtf8(plx::DecimalText(value)).c_str());
  return 0;
}

int ListControls(plx::cli::Session& s, const std::wstring& name) {
  std::shared_ptr<plx::Form> form;
  for (const auto& f : s.Context().OpenForms)
    if (f->Name() == name) form = f;
  bool opened = false;
  if (!form) {
    form = plx::CreateForm(s.Context(), name);
    if (!form) {
      Complain(L"没有名为“" + name + L"”的对话框。");
      return kBadCommandLine;
    }
    form->Show();
    opened = true;
  }
  std::fputs(plx::cli::FormControlListing(*form).c_str(), stdout);
  // Looking has no side effects: the dialog closes without its closing
  // handler, so it does not save its inputs to the dialog memory.
  if (opened) form->Dismiss();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"plendrix：Plendrix4Word 的命令行宿主。它像文字处理软件一样加载插件、执行命令、保存文档。"};
  app.name("plendrix");
  plx::cli::UseChineseHelp(app);
  app.set_version_flag("--version", "plendrix " + WideToUtf8(plx::product::VersionText()), "显示版本号并退出");
  std::string install, hostVersion = "16.0", docPath, outPath, renderPath, pptxPath;
  std::string host = "model";
  bool online = false, strict = false, surfaceDump = false;
  app.add_option("--install", install, "插件的安装文件夹（默认：插件库所在的文件夹）")->type_name("文件夹");
  auto* hostVersionOpt =
      app.add_option("--host-version", hostVersion, "宿主版本；11.0 使用旧式工具栏")->type_name("版本");
  app.add_option("--host", host, "宿主：model（内置的文档模型，默认）或 libreoffice（无界面的 LibreOffice Writer）")
      ->type_name("宿主")
      ->check(CLI::IsMember({"model", "libreoffice"}));
  app.add_option("--doc", docPath, "打开这个 .docx，而不是新建文档")->type_name("文件");
  app.add_option("--out", outPath, "结束时把文档保存到这里")->type_name("文件");
  app.add_option("--render", renderPath, "保存后用 LibreOffice 把第 1 页写成 PNG")->type_name("文件");
  app.add_option("--pptx", pptxPath, "结束时把发送到PPT的演示文稿保存到这里（.pptx）")->type_name("文件");
  app.add_flag("--online", online, "让插件认为电脑已连接互联网");
  std::optional<uint32_t> seed;
  app.add_option("--seed", seed, "随机数从这个种子开始，不随时钟变化（随机的颜色等每次运行都相同）")->type_name("整数");
  app.add_flag("--strict", strict, "脚本的回答不合对话框或没有用上时，退出状态为 3");
  app.require_subcommand(1);
  app.fallthrough();  // the options above may also follow the command
  app.footer("退出状态：0 成功，1 插件报告了错误，2 命令行有误，3 脚本或命令无法执行，4 文件无法读写。\n"
             "以减号开头的公式或表达式照常写（plendrix formula -x/2），也可以写在 -- 之后。");
  auto command = [&app](const char* name, const char* description) {
    CLI::App* sub = app.add_subcommand(name, description)->group("命令");
    sub->get_help_ptr()->group("选项");
    return sub;
  };
  auto* connectCmd = command("connect", "连接插件，报告连接时做了什么，然后断开");
  std::string scriptPath, formName;
  std::vector<std::string> pressIds;
  auto* pressCmd = command("press", "按下功能区命令（宿主版本 11.0 时为工具栏按钮的键）");
  pressCmd->add_option("ID", pressIds, "控件标识，如 rxBtnSET_bingji")->required()->type_name("标识");
  auto* runCmd = command("run", "执行用户动作脚本（文件，或 - 表示标准输入）");
  runCmd->add_option("SCRIPT", scriptPath, "脚本文件")->required()->type_name("文件");
  auto* controlsCmd = command("controls", "列出对话框的所有控件");
  controlsCmd->add_option("FORM", formName, "对话框名，如 frmGraph")->required()->type_name("对话框");
  auto* dumpCmd = command("dump", "把文档打印成 JSON");
  dumpCmd->add_flag("--surface", surfaceDump,
                    "只打印插件通过文档接口看到的内容（段落、位置、文字、格式、表格、域），各宿主可以比较");
  std::string evalText;
  std::optional<double> evalAt;
  auto* evalCmd = command("eval", "规范化并计算表达式（--at 给出 x 的值）");
  evalCmd->add_option("--at", evalAt, "x 的值")->type_name("数");
  evalCmd->add_option("EXPR", evalText, "表达式")->required()->type_name("表达式");
  std::string formulaText, formulaRoute;
  std::vector<std::string> formulaSets;
  auto* formulaCmd = command("formula", "打印公式生成的域代码、TeX 或线性格式");
  formulaCmd->add_option("--route", formulaRoute, "eq、tex 或 omath（默认：配置中的 iMathType）")->type_name("形式");
  formulaCmd->add_option("--set", formulaSets, "本次运行改用的 gsconfig 设置：键=值")->type_name("键=值");
  formulaCmd->add_option("TEXT", formulaText, "公式文字")->required()->type_name("公式");

  std::string pictureFile, pictureFormat;
  int picturePage = 1;
  double pictureDpi = 150;
  bool pictureSelection = false;
  auto* renderCmd = command("render", "用插件自己的渲染器把文档的一页或所选内容存为图片");
  auto* pageOpt = renderCmd->add_option("--page", picturePage, "页码（默认：1）")->type_name("页码");
  renderCmd->add_flag("--selection", pictureSelection, "所选内容（图形或文字）")->excludes(pageOpt);
  renderCmd->add_option("--format", pictureFormat, "svg、png、pdf、jpg、bmp、emf 或 wmf（默认：按扩展名）")->type_name("格式");
  renderCmd->add_option("--dpi", pictureDpi, "位图的分辨率（默认：150）")->type_name("dpi");
  renderCmd->add_option("OUT", pictureFile, "图片文件")->required()->type_name("文件");

  std::string configAction, configKey, configValue;
  auto* configCmd = command("config", "列出全部设置，或用 set 配置组.设置项 值 保存一项设置");
  configCmd->add_option("ACTION", configAction, "set")->type_name("动作");
  configCmd->add_option("KEY", configKey, "配置组.设置项")->type_name("设置项");
  configCmd->add_option("VALUE", configValue, "值")->type_name("值");

  std::vector<std::string> args = plx::cli::MarkDashTexts({argv, argv + argc});
  std::vector<char*> pointers;
  for (auto& a : args) pointers.push_back(a.data());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::Success& e) {
    return app.exit(e);  // help or version, printed on standard output
  } catch (const CLI::ParseError& e) {
    Complain(plx::cli::ParserMessage(e, app.remaining(true)) + "。用 plendrix --help 查看用法。");
    return kBadCommandLine;
  }
  if (evalCmd->parsed()) return Evaluate(Utf8ToWide(evalText), evalAt);

  if (!renderPath.empty() && outPath.empty()) {
    Complain(std::string("--render 需要同时给出 --out。"));
    return kBadCommandLine;
  }
  plx::cli::SessionOptions options;
  options.install = Utf8ToWide(install);
  options.hostVersion = Utf8ToWide(hostVersion);
  options.document = Utf8ToWide(docPath);
  options.online = online;
  options.seed = seed;
  options.interactive = isatty(STDIN_FILENO) != 0;
  options.libreOffice = host == "libreoffice";
  options.hostVersionGiven = hostVersionOpt->count() > 0;
  int status = 0;
  auto fail = [&status](int s) { status = std::max(status, s); };
  try {
    plx::cli::Session session(options);
    session.Start();
    if (connectCmd->parsed()) {
      fail(ReportConnection(session));
    } else if (pressCmd->parsed()) {
      for (const auto& id : pressIds) {
        try {
          plx::cli::Press(session, Utf8ToWide(id));
        } catch (const plx::VbError& e) {
          throw plx::cli::ScriptError(WideToUtf8(e.description()));
        }
      }
    } else if (runCmd->parsed()) {
      plx::cli::ScriptRunner runner(session);
      if (scriptPath == "-") {
        runner.Run(std::cin);
      } else {
        std::ifstream in(scriptPath, std::ios::binary);
        if (!in || std::filesystem::is_directory(scriptPath))
          throw plx::cli::FileError("无法读取脚本“" + scriptPath + "”。");
        runner.Run(in);
      }
      session.Ui().ReportUnused();
      if (strict && session.Ui().Problems() > 0) fail(kBadScript);
    } else if (controlsCmd->parsed()) {
      fail(ListControls(session, Utf8ToWide(formName)));
    } else if (formulaCmd->parsed()) {
      plx::cli::FormulaRequest request;
      if (!formulaRoute.empty()) request.route = Utf8ToWide(formulaRoute);
      for (const auto& s : formulaSets) request.settings.push_back(Utf8ToWide(s));
      request.text = Utf8ToWide(formulaText);
      fail(plx::cli::PrintFormula(session, request));
    } else if (configCmd->parsed()) {
      std::vector<std::wstring> request;
      for (const char* name : {"ACTION", "KEY", "VALUE"})
        if (configCmd->count(name) > 0) request.push_back(Utf8ToWide(configCmd->get_option(name)->as<std::string>()));
      fail(plx::cli::RunConfigCommand(session, request));
    } else if (renderCmd->parsed()) {
      plx::cli::PictureRequest request;
      request.page = picturePage;
      request.selection = pictureSelection;
      request.format = Utf8ToWide(pictureFormat);
      request.dpi = pictureDpi;
      request.file = Utf8ToWide(pictureFile);
      try {
        plx::cli::WriteRequestedPicture(session, request);
      } catch (const plx::VbError& e) {
        throw plx::cli::ScriptError(WideToUtf8(e.description()));
      }
      std::printf("图片：%s\n", pictureFile.c_str());
    } else if (dumpCmd->parsed()) {
      // LibreOffice shows the add-in only the surface: its dump is the surface's.
      if (surfaceDump || !session.ModelDocument())
        std::printf("%s\n", plx::cli::SurfaceDumpJson(*session.HostDocument()).c_str());
      else
        std::printf("%s\n", plx::docif::model::DumpJson(*session.ModelDocument()).c_str());
    }
    session.Stop();
    if (auto failure = session.DatabaseFailure()) {
      Complain(L"配置数据库无法打开：" + *failure);
      fail(kFileError);
    }
    if (!outPath.empty()) {
      if (auto other = session.OtherActiveDocument())
        Complain(L"当前活动的文档是“" + *other + L"”；保存的仍是 plendrix " + (docPath.empty() ? L"新建" : L"打开") +
                 L"的文档。");
      session.Save(Utf8ToWide(outPath));
      std::printf("已保存：%s\n", outPath.c_str());
      if (!renderPath.empty()) {
        std::string error = plx::cli::RenderFirstPage(outPath, renderPath);
        if (error.empty()) {
          std::printf("第 1 页图片：%s\n", renderPath.c_str());
        } else {
          Complain(error);
          fail(kFileError);
        }
      }
    }
    if (!pptxPath.empty()) {
      if (session.SavePresentation(Utf8ToWide(pptxPath))) {
        std::printf("演示文稿已保存：%s\n", pptxPath.c_str());
      } else {
        Complain(std::string("没有发送到PPT的内容，演示文稿未保存。"));
        fail(kBadScript);
      }
    }
    if (session.ErrorReported()) {
      Complain(std::string("插件报告了错误（见上面的消息框）。"));
      fail(kAddinError);
    }
  } catch (const plx::cli::ScriptError& e) {
    Complain(Utf8ToWide(e.what()));
    return kBadScript;
  } catch (const plx::cli::FileError& e) {
    Complain(Utf8ToWide(e.what()));
    return kFileError;
  } catch (const std::exception& e) {
    Complain(plx::AsVbError(e).description());
    return kFileError;
  }
  return status;
}
