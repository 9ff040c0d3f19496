#include "platform/console_ui.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace plx {
namespace {

std::string Captured(std::FILE* f) {
  std::rewind(f);
  std::string out;
  char buf[256];
  while (size_t n = std::fread(buf, 1, sizeof buf, f)) out.append(buf, n);
  return out;
}

TEST(ConsoleUi, PrintsEveryBoxAndNeverWaitsWhenNotInteractive) {
  std::FILE* f = std::tmpfile();
  ConsoleUi ui(f, false);
  EXPECT_EQ(ui.MsgBox(L"当前是公式模式，你要切换到文字模式吗？", Buttons::OKCancel, L"公式模式与文字模式切换"),
            Answer::OK);
  EXPECT_EQ(ui.MsgBox(L"继续？", Buttons::YesNo, L""), Answer::Yes);
  EXPECT_EQ(ui.InputBox(L"请输入放缩比例", L"自定义放缩", L"1"), L"");
  ui.Queue(Answer::Cancel);
  ui.QueueText(L"1.5");
  EXPECT_EQ(ui.MsgBox(L"再问", Buttons::OKCancel, L""), Answer::Cancel);
  EXPECT_EQ(ui.InputBox(L"比例", L"", L""), L"1.5");
  ui.StatusText(L"正在插入图形");
  std::string out = Captured(f);
  std::fclose(f);
  EXPECT_NE(out.find("[消息框] 公式模式与文字模式切换\n当前是公式模式，你要切换到文字模式吗？"), std::string::npos);
  EXPECT_NE(out.find("[输入框] 自定义放缩\n请输入放缩比例"), std::string::npos);
  EXPECT_NE(out.find("[状态] 正在插入图形"), std::string::npos);
  EXPECT_EQ(ui.Boxes().size(), 5u);
}

}  // namespace
}  // namespace plx
