// The command-line host's scripts of user actions.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "common/text.hpp"
#include "addin/form.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx::cli {
namespace {

class ScriptTest : public ::testing::Test {
 protected:
  ScriptTest() : out_(std::tmpfile()) {
    SessionOptions o;
    o.install = install.WPath();
    session = std::make_unique<Session>(o, out_);
    session->Start();
    runner = std::make_unique<ScriptRunner>(*session);
  }
  ~ScriptTest() override {
    session.reset();
    std::fclose(out_);
  }
  void Run(const std::string& script) {
    std::istringstream in(script);
    runner->Run(in);
  }
  std::wstring Text() { return session->Host().ActiveDocument()->Content()->Text(); }

  test::TestInstall install;
  std::FILE* out_;
  std::unique_ptr<Session> session;
  std::unique_ptr<ScriptRunner> runner;
};

TEST(Script, Escapes) {
  EXPECT_EQ(Unescape(L"a\\rb\\nc\\td\\\\e\\x"), L"a\rb\nc\td\\e\\x");
}

TEST_F(ScriptTest, TypingSelectingAndPressing) {
  Run("# a worksheet line\n"
      "type 已知集合A\\r\n"
      "select 0 2\n"
      "type 设\n"
      "select 4 4\n"
      "press rxBtnSET_bingji\n"
      "type B\n");
  EXPECT_EQ(Text(), L"设集合A∪B\r\r");
}

TEST_F(ScriptTest, DialogsAreDrivenByTheirControlNames) {
  Run("press rxBtnztqt_dbzf\n"
      "set frmDot.txtLabel P\n"
      "set frmDot.optType 2\n"
      "click frmDot.cmdClose\n");
  EXPECT_EQ(test::QueryOne(install.File("config/config.mdb"), "select Data from record where id=4"), "五号@@2@@P");
  EXPECT_TRUE(session->Context().OpenForms.empty() ||
              session->Context().OpenForms.back()->Name() != L"frmDot");
}

TEST_F(ScriptTest, AnswersAreQueuedForTheNextBoxes) {
  Run("answer cancel\n"
      "press rxBtnztqt_xtms\n");
  EXPECT_EQ(session->Ui().Boxes().back().text, L"当前是网格模式，你要切换到绘图模式吗？");
  EXPECT_TRUE(session->Host().ActiveDocument()->SnapToGrid()) << "cancelled: nothing changed";
}

TEST_F(ScriptTest, BadLinesNameTheirNumber) {
  auto expectError = [&](const std::string& script, const std::string& part) {
    try {
      Run(script);
      ADD_FAILURE() << script << " was accepted";
    } catch (const ScriptError& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
  };
  expectError("type a\nfly away\n", "第 2 行");
  expectError("set frmGraph.txtXmin 1\n", "没有打开");
  expectError("press rxBtnztqt_dbzf\nset frmDot.nosuch 1\n", "不存在");
  expectError("press rxBtnztqt_dbzf\nset frmDot.optType 9\n", "错误 380");
  expectError("select 5 2\n", "第 1 行");
  expectError("select x y\n", "第 1 行");
  expectError("press rxBtnztqt_dbzf\npreview frmDot /tmp/x.svg\n", "没有预览");
}

}  // namespace
}  // namespace plx::cli
