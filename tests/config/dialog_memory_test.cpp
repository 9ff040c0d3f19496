// Dialogs that reopen with their last inputs.
#include <gtest/gtest.h>

#include "config/dialog_memory.hpp"
#include "connect/form_registry.hpp"
#include "connect/forms/simple_form.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

class DialogMemoryTest : public test::AddinTest {
 protected:
  std::wstring Db() const { return install.File("config/config.mdb"); }
  void SetData(int row, const std::string& data) {
    test::ExecSql(Db(), "update record set Data='" + data + "' where id=" + std::to_string(row));
  }
  std::string Data(int row) { return test::QueryOne(Db(), "select Data from record where id=" + std::to_string(row)); }
  std::shared_ptr<Form> Open(const wchar_t* name) {
    auto f = CreateForm(*ctx, name);
    f->Show();
    return f;
  }
};

TEST_F(DialogMemoryTest, RestoresInOrderAndSavesJoinedWithTheExactStatements) {
  SetData(4, "小四@@3@@P");
  auto dot = Open(L"frmDot");
  EXPECT_EQ(dot->ValueText(L"cmbSize"), L"小四");
  EXPECT_EQ(dot->ValueText(L"optType"), L"3");
  EXPECT_EQ(dot->ValueText(L"txtLabel"), L"P");
  EXPECT_EQ(ctx->Conn.Journal().back(), L"select data from  record  where id=4");
  dot->SetValue(L"cmbSize", L" 五号 ");
  dot->SetValue(L"txtLabel", L"A@@B");
  dot->Click(L"cmdClose");
  EXPECT_FALSE(dot->Loaded());
  EXPECT_EQ(Data(4), "五号@@3@@A@@B") << "trimmed combo text; a typed @@ is not escaped";
  EXPECT_EQ(test::QueryOne(Db(), "select Date from record where id=4"), "2026/12/6");
  EXPECT_EQ(ctx->Conn.Journal().back(), L"select * from  record where id=4");
  EXPECT_FALSE(ctx->Conn.IsOpen());

  // On the next open the typed "@@" has split the label.
  auto again = Open(L"frmDot");
  EXPECT_EQ(again->ValueText(L"txtLabel"), L"A");
  again->Unload();
}

TEST_F(DialogMemoryTest, ShortOrEmptyDataRestoresTheLeadingParts) {
  SetData(7, "0@@倍数");
  auto xdt = Open(L"frmXDT");
  EXPECT_EQ(xdt->ValueText(L"optMode"), L"1") << "the first option was not chosen";
  EXPECT_EQ(xdt->ValueText(L"txtText1"), L"倍数");
  EXPECT_EQ(xdt->ValueText(L"txtLen1"), L"5") << "a missing part keeps the designed value";
  xdt->Unload();
  EXPECT_EQ(Data(7), "0@@倍数@@@@5@@3");

  SetData(3, "");
  auto tk = Open(L"frmTK");
  EXPECT_EQ(tk->ValueText(L"tvwFolder"), L"") << "empty Data gives the first control empty text";
  tk->Unload();

  // An unusable part stops restoring there.
  SetData(4, "小五@@9@@Q");
  auto dot = Open(L"frmDot");
  EXPECT_EQ(dot->ValueText(L"cmbSize"), L"小五");
  EXPECT_EQ(dot->ValueText(L"optType"), L"0");
  EXPECT_EQ(dot->ValueText(L"txtLabel"), L"A");
  EXPECT_TRUE(ui.Boxes().empty()) << "restore ignores errors";
  dot->Unload();
}

TEST_F(DialogMemoryTest, AFailingSaveIsReportedAndTheDialogStillCloses) {
  test::ExecSql(Db(), "delete from record where id=7");
  auto xdt = Open(L"frmXDT");
  ui.Queue(Answer::OK);
  xdt->Click(L"cmdClose");
  EXPECT_FALSE(xdt->Loaded());
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"frmXDT.Form_Unload-->line"), std::wstring::npos);
  EXPECT_FALSE(ctx->Conn.IsOpen());
}

}  // namespace
}  // namespace plx
