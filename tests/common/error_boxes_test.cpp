#include "common/error_boxes.hpp"

#include <gtest/gtest.h>

namespace plx {
namespace {

TEST(ErrorBoxes, TheThreeFormsCharacterForCharacter) {
  VbError e(91, L"对象变量或 With 块变量未设置");
  ErrorBoxText s = ShortErrorBox(e, L"Connect.AddinInstance_OnConnection-->line", 42);
  EXPECT_EQ(s.title, L"错误号: 91");
  EXPECT_EQ(s.message, L"对象变量或 With 块变量未设置\r\nConnect.AddinInstance_OnConnection-->line 42");

  ErrorBoxText l = LongErrorBox(e, L"DrawZBBZ_Word", L"modGraph", 7);
  EXPECT_EQ(l.title, L"Error: 91");
  EXPECT_EQ(l.message, L"对象变量或 With 块变量未设置\r\n in procedure DrawZBBZ_Word of Module modGraph in line 7");
  ErrorBoxText f = LongErrorBox(e, L"cmdOk_Click", L"frmConfig", 3, true);
  EXPECT_EQ(f.message, L"对象变量或 With 块变量未设置\r\n in procedure cmdOk_Click of Form frmConfig in line 3");

  ErrorBoxText b = BracketErrorBox(VbError(11, L"除数为零"), L"Draw", L"modSector", 12);
  EXPECT_EQ(b.message, L"Error 11 (除数为零) in procedure Draw of Module modSector in line 12");
}

TEST(ErrorBoxes, ForeignExceptionsBecomeError5) {
  VbError e = AsVbError(std::runtime_error("boom"));
  EXPECT_EQ(e.number(), 5);
  EXPECT_EQ(e.description(), L"boom");
  EXPECT_EQ(AsVbError(VbError(53, L"x")).number(), 53);
}

}  // namespace
}  // namespace plx
