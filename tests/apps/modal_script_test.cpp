// A modal dialog shown by the add-in while a script runs takes the
// script's next lines until it closes; the command that showed it goes on
// only then.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "addin/control_makers.hpp"
#include "addin/form.hpp"
#include "config/config_modal.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx::cli {
namespace {

// A dialog whose button asks for the settings first, as sending to slides
// does, and notes what it found when the settings dialog had closed.
class frmAsks : public Form {
 public:
  explicit frmAsks(AddinContext& ctx) : Form(ctx, L"frmAsks") {
    AddControl(Button(L"cmdGo", L"发送", [this] {
      ShowConfigModal(Ctx());
      settingsOpenAfter = Ctx().FindForm<frmConfig>() != nullptr;
      ++sends;
    }));
  }
  int sends = 0;
  bool settingsOpenAfter = true;
};

class ModalScript : public ::testing::Test {
 protected:
  ModalScript() : out_(std::tmpfile()), err_(std::tmpfile()) {
    SessionOptions o;
    o.install = install.WPath();
    session = std::make_unique<Session>(o, out_, err_);
    session->Start();
    asks = std::make_shared<frmAsks>(session->Context());
    asks->Show();
  }
  ~ModalScript() override {
    session.reset();
    std::fclose(out_);
    std::fclose(err_);
  }
  void Run(const std::string& script) {
    std::istringstream in(script);
    ScriptRunner(*session).Run(in);
  }
  std::string Stored(const std::string& key) {
    return test::QueryOne(install.File("config/config.mdb"),
                          "select configvalue from config where configname='" + key + "'");
  }

  test::TestInstall install;
  std::FILE* out_;
  std::FILE* err_;
  std::unique_ptr<Session> session;
  std::shared_ptr<frmAsks> asks;
};

TEST_F(ModalScript, TheNextLinesAnswerTheDialogBeforeTheCommandGoesOn) {
  Run("click frmAsks.cmdGo\n"
      "set frmConfig.SSTab1 8\n"
      "set frmConfig.txtAnsKey 【答案】\n"
      "click frmConfig.cmdOk\n"
      "click frmAsks.cmdGo\n"
      "click frmConfig.cmdCancel\n");
  EXPECT_EQ(asks->sends, 2);
  EXPECT_FALSE(asks->settingsOpenAfter);
  EXPECT_EQ(Stored("txtAnsKey"), "【答案】");
}

TEST_F(ModalScript, AScriptEndingOrFailingInsideTheDialogClosesItUnsaved) {
  const std::string before = Stored("txtAnsKey");
  Run("click frmAsks.cmdGo\n"
      "set frmConfig.SSTab1 8\n"
      "set frmConfig.txtAnsKey 【答案】\n");
  EXPECT_EQ(asks->sends, 1);
  EXPECT_FALSE(asks->settingsOpenAfter);
  EXPECT_EQ(Stored("txtAnsKey"), before);

  // The bad line is the script's error, not an error box of the add-in.
  EXPECT_THROW(Run("click frmAsks.cmdGo\n"
                   "set frmConfig.SSTab1 8\n"
                   "click frmConfig.cmdNoSuchButton\n"
                   "click frmAsks.cmdGo\n"),
               ScriptError);
  EXPECT_EQ(asks->sends, 2) << "no line runs after the failing one";
  EXPECT_FALSE(session->ErrorReported());
  EXPECT_EQ(Stored("txtAnsKey"), before);
}

}  // namespace
}  // namespace plx::cli
