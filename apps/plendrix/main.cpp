// plendrix: the command-line host. It plays the word processor's part: it
// makes a model application, loads the add-in by calling Connect as the
// word processor would, carries out the command and disconnects at the end.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <string>

#include "common/clock.hpp"
#include "common/random.hpp"
#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "host/addin_context.hpp"
#include "host/connect.hpp"
#include "host/frm_browse.hpp"
#include "host/services.hpp"
#include "platform/console_ui.hpp"
#include "platform/registry.hpp"

namespace {

using plx::Utf8ToWide;
using plx::WideToUtf8;

struct Options {
  std::string install;
  std::string hostVersion = "16.0";
  bool online = false;
};

bool DailyStepRan(const plx::AddinContext& ctx) {
  for (const auto& sql : ctx.Conn.Journal())
    if (sql == L"select * from  record  where id =1") return true;
  return false;
}

bool ErrorBoxShown(const plx::ScriptedUi& ui) {
  for (const auto& box : ui.Boxes())
    if (plx::StartsWith(box.title, L"错误号:") || plx::StartsWith(box.title, L"Error:")) return true;
  return false;
}

// What connecting did, in the user's language.
void ReportConnection(plx::AddinContext& ctx, plx::Connect& connect) {
  std::printf("宿主版本：%s\n", WideToUtf8(ctx.App->Version()).c_str());
  std::printf("安装文件夹：%s\n", WideToUtf8(plx::GetAppPath(ctx)).c_str());
  std::wstring ribbon = connect.IRibbonExtensibility_GetCustomUI(L"Microsoft.Word.Document");
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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"plendrix — Plendrix4Word 的命令行宿主"};
  Options opt;
  app.add_option("--install", opt.install, "add-in install folder (default: the library's folder)");
  app.add_option("--host-version", opt.hostVersion, "host version; 11.0 uses the legacy toolbars");
  app.add_flag("--online", opt.online, "report the computer as connected to the Internet");
  app.require_subcommand(1);
  app.add_subcommand("connect", "connect the add-in, report what happened and disconnect");
  CLI11_PARSE(app, argc, argv);

  plx::ConsoleUi ui(stdout, isatty(STDIN_FILENO) != 0);
  plx::SystemClock clock;
  plx::ClockSeededRandom random;
  plx::Registry registry;
  plx::NetworkState network(opt.online);
  plx::AddinContext ctx({ui, clock, random, registry, network});
  if (!opt.install.empty()) {
    std::wstring folder = Utf8ToWide(opt.install);
    while (folder.size() > 1 && folder.back() == L'/') folder.pop_back();
    ctx.ModuleFolder = [folder] { return folder; };
  }

  auto host = std::make_shared<plx::docif::model::ModelApplication>(Utf8ToWide(opt.hostVersion));
  plx::Connect connect(ctx);
  connect.AddinInstance_OnConnection(host);
  connect.AddinInstance_OnStartupComplete();
  ReportConnection(ctx, connect);
  connect.AddinInstance_OnDisconnection();
  if (ErrorBoxShown(ui)) {
    std::fprintf(stderr, "plendrix: 插件报告了错误（见上面的消息框）\n");
    return 1;
  }
  return 0;
}
