// The install folder's data files as the build ships them.
#include <gtest/gtest.h>

#include <set>

#include "common/text.hpp"
#include "platform/codepage.hpp"
#include "platform/xml.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

void CollectButtons(const XmlNode& node, std::vector<XmlNode>& out) {
  for (const auto& child : node.Children()) {
    if (child.Name() == L"button") out.push_back(child);
    CollectButtons(child, out);
  }
}

TEST(ShippedData, RibbonHasOneButtonPerCommandIdentifier) {
  test::TestInstall install;
  std::wstring text = ReadTextFile(install.File("config/wordui.txt"), "GB2312");
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadXml(WideToUtf8(text))) << WideToUtf8(doc.ParseError());
  std::vector<XmlNode> buttons;
  CollectButtons(doc.DocumentElement(), buttons);
  std::set<std::wstring> ids;
  int images = 0;
  for (const auto& b : buttons) {
    std::wstring id = b.Attribute(L"id");
    EXPECT_TRUE(StartsWith(id, L"rxBtn")) << WideToUtf8(id);
    EXPECT_EQ(b.Attribute(L"onAction"), L"rxButtonClick") << WideToUtf8(id);
    EXPECT_FALSE(b.Attribute(L"label").empty()) << WideToUtf8(id);
    EXPECT_TRUE(ids.insert(id).second) << "duplicate " << WideToUtf8(id);
    images += b.Attribute(L"getImage") == L"rxGetImage";
  }
  EXPECT_EQ(ids.size(), 283u + 20u);
  EXPECT_EQ(images, 129);
  for (const wchar_t* id : {L"rxBtnonekey_zhuanhua", L"rxBtnzt1", L"rxBtnQt_cccs", L"rxBtnQT_matheq",
                            L"rxBtnSET_C", L"rxBtnJIHE_JHzhenbaohan", L"rxBtnzhijuan_8K2",
                            L"rxBtn_ShuZiFuHao_kuohao10", L"rxBtnztqt_hstx", L"rxBtnqt_2ppt_ab3"})
    EXPECT_EQ(ids.count(id), 1u) << WideToUtf8(id);
}

TEST(ShippedData, ConfigurationTablesAreComplete) {
  test::TestInstall install;
  std::wstring db = install.File("config/config.mdb");
  auto ids = test::QueryColumn(db, "select id from config order by id");
  ASSERT_FALSE(ids.empty());
  for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], std::to_string(i + 1)) << "ids without gaps";
  EXPECT_EQ(test::QueryColumn(db, "select configtype from config group by configtype order by min(id)"),
            (std::vector<std::string>{"wordconfig", "zbxconfig", "gsconfig", "word2pptconfig", "mhgsconfig",
                                      "ShpConfig", "zhijuan", "shuiyinconfig", "tikuconfig", "wzconfig"}));
  EXPECT_EQ(test::QueryColumn(db, "select configname from config where configtype='zbxconfig' order by id"),
            (std::vector<std::string>{"blYkdLeft", "blYtxtLeft", "blXkdUp", "blXtxtUp", "intK", "intKD",
                                      "blAutoKD", "KDKD"}));
  EXPECT_EQ(test::QueryOne(db, "select count(distinct configname) = count(*) from config"), "1");
  EXPECT_EQ(test::QueryOne(db, "select count(*) from config where configname like 'bl%' and "
                               "configvalue not in ('True','False')"), "0");
  EXPECT_EQ(test::QueryColumn(db, "select id from record order by id"),
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
}

}  // namespace
}  // namespace plx
