// The settings dialog shown modally: the caller goes on only once the user
// has closed it, and it never appears twice.
#include "config/config_modal.hpp"

#include <gtest/gtest.h>

#include "addin/addin_context.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

class ConfigModal : public test::AddinTest {
 protected:
  std::string Stored(const std::string& key) {
    return test::QueryOne(install.File("config/config.mdb"),
                          "select configvalue from config where configname='" + key + "'");
  }
  frmConfig& Shown() {
    auto form = ctx->FindForm<frmConfig>();
    EXPECT_TRUE(form) << "the dialog is open while the user answers it";
    return *form;
  }
};

TEST_F(ConfigModal, ReturnsOnlyAfterTheUserClosedTheDialog) {
  ui.QueueModal([&] { Shown().SetValue(L"SSTab1", L"8"); });
  ui.QueueModal([&] { Shown().SetValue(L"txtAnsKey", L"【答案】"); });
  ui.QueueModal([&] { Shown().Click(L"cmdOk"); });
  ShowConfigModal(*ctx);
  EXPECT_EQ(ui.ModalDialogs(), std::vector<std::wstring>{L"frmConfig"});
  EXPECT_EQ(Stored("txtAnsKey"), "【答案】");
  EXPECT_TRUE(ctx->OpenForms.empty());
}

TEST_F(ConfigModal, ADialogNobodyAnswersClosesWithoutSaving) {
  int unanswered = 0;
  ui.OnUnexpected([&](const ShownBox&) { ++unanswered; });
  const std::string before = Stored("txtAnsKey");
  ui.QueueModal([&] { Shown().SetValue(L"SSTab1", L"8"); });
  ui.QueueModal([&] { Shown().SetValue(L"txtAnsKey", L"【答案】"); });
  ShowConfigModal(*ctx);
  EXPECT_EQ(unanswered, 1);
  EXPECT_EQ(Stored("txtAnsKey"), before);
  EXPECT_TRUE(ctx->OpenForms.empty());
}

TEST_F(ConfigModal, TheDialogAlreadyOpenIsTheOneShown) {
  auto open = std::make_shared<frmConfig>(*ctx);
  open->Show();
  open->SetValue(L"SSTab1", L"6");
  open->SetValue(L"intK", L"33");  // typed before the send asked for the settings
  ui.QueueModal([&] {
    EXPECT_EQ(ctx->OpenForms.size(), 1u);
    Shown().Click(L"cmdOk");
  });
  ShowConfigModal(*ctx);
  EXPECT_EQ(Stored("intK"), "33");
  EXPECT_FALSE(open->Loaded());
}

}  // namespace
}  // namespace plx
