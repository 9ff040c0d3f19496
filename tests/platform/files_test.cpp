#include <gtest/gtest.h>

#include <fstream>

#include "common/error.hpp"
#include "platform/codepage.hpp"
#include "platform/md5.hpp"
#include "platform/xml.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

TEST(CodePage, Gb2312BothWaysAndDamagedBytes) {
  // "函数" in GB2312 is BA AF CA FD.
  EXPECT_EQ(DecodeCodePage("\xBA\xAF\xCA\xFD", "GB2312"), L"函数");
  EXPECT_EQ(EncodeCodePage(L"函数x", "GB2312"), "\xBA\xAF\xCA\xFDx");
  // A lone lead byte at the end decodes to the replacement character.
  EXPECT_EQ(DecodeCodePage("ab\xBA", "GB2312"), L"ab\uFFFD");
  EXPECT_THROW(DecodeCodePage("x", "NO-SUCH-CHARSET"), VbError);
}

TEST(CodePage, MissingFileIsError53) {
  try {
    ReadTextFile(L"/nonexistent/wordui.txt", "GB2312");
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), err::kFileNotFound);
  }
}

TEST(Xml, ChildSelectionByName) {
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?><root><rule><org>log(p1,p2)</org>"
                          "<res>log_(p1)p2</res></rule><rule><org>a</org></rule><x/></root>"));
  auto rules = doc.DocumentElement().SelectChildren(L"rule");
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].Child(L"org").Text(), L"log(p1,p2)");
  EXPECT_TRUE(rules[1].Child(L"res").IsNull());
  EXPECT_EQ(doc.DocumentElement().Children().size(), 3u);
  XmlDocument bad;
  EXPECT_FALSE(bad.LoadXml("<root><open></root>"));
  EXPECT_FALSE(bad.ParseError().empty());
  EXPECT_TRUE(bad.DocumentElement().IsNull());
  EXPECT_FALSE(bad.Load(L"/nonexistent.xml"));
}

TEST(Md5, PublishedDigests) {
  EXPECT_EQ(Md5Hex(""), L"d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Hex("abc"), L"900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
}  // namespace plx
