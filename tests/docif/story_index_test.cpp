// The story's indexes of fields, tables and paragraph ends answer as a
// pass over the text would, after every kind of edit.
#include <gtest/gtest.h>

#include "docif/model/story.hpp"

namespace plx::docif::model {
namespace {

std::wstring Field(const std::wstring& code, const std::wstring& result) {
  return std::wstring(1, kFieldBegin) + code + kFieldSeparator + result + kFieldEnd;
}

std::vector<long> Begins(const Story& s, long start, long end) {
  std::vector<long> out;
  for (const FieldMarks& f : s.FieldsIn(start, end)) out.push_back(f.begin);
  return out;
}

TEST(StoryIndex, FieldsFollowInsertionsDeletionsAndReplacements) {
  Story s;
  s.Insert(0, L"ab" + Field(L"PAGE", L"1") + L"cd" + Field(L"EQ " + Field(L"X", L""), L"r") + L"\r", CharCell{});
  EXPECT_EQ(Begins(s, 0, s.Length()), (std::vector<long>{2, 12, 16}));
  EXPECT_EQ(Begins(s, 3, 16), (std::vector<long>{12})) << "begins inside the span only";
  EXPECT_EQ(s.FieldsIn(12, 13)[0].end, 22) << "the outer field ends after the inner one";

  s.Insert(0, L"xyz", CharCell{});
  EXPECT_EQ(Begins(s, 0, s.Length()), (std::vector<long>{5, 15, 19}));
  s.Erase(10, 11);  // the first field's separator: the whole field goes
  EXPECT_EQ(Begins(s, 0, s.Length()), (std::vector<long>{7, 11}));
  s.ReplaceSpans({{0, 3, L"甲", CharCell{}}});
  EXPECT_EQ(Begins(s, 0, s.Length()), (std::vector<long>{5, 9}));
  s.Insert(1, std::wstring(1, kFieldBegin), CharCell{});
  EXPECT_EQ(Begins(s, 0, s.Length()).size(), 2u) << "a begin mark without an end is no field";
  s.Assign(L"plain\r", std::vector<CharCell>(6));
  EXPECT_TRUE(s.FieldsIn(0, s.Length()).empty());
}

TEST(StoryIndex, TablesAndParagraphFormatsFollowChangedCells) {
  Story s;
  s.Assign(L"a\rb\rc\rd\r", std::vector<CharCell>(8));
  EXPECT_FALSE(s.TableExtent(1));
  EXPECT_EQ(s.ParagraphEndsBefore(8, 0), 4);
  s.Cell(3).table = s.Cell(2).table = 1;
  s.Cell(3).paragraph = 5;
  s.Cell(7).paragraph = 5;
  EXPECT_EQ(s.TableExtent(1), std::make_pair(2L, 4L));
  EXPECT_EQ(s.ParagraphEndsBefore(8, 5), 2);
  EXPECT_EQ(s.ParagraphEndsBefore(7, 5), 1) << "the end at 7 is not before 7";
  EXPECT_EQ(s.ParagraphEndsBefore(8, 0), 2);
  s.Insert(0, L"new\r", CharCell{});
  EXPECT_EQ(s.TableExtent(1), std::make_pair(6L, 8L));
  EXPECT_EQ(s.ParagraphEndsBefore(s.Length(), 0), 3);
  s.Erase(6, 8);
  EXPECT_FALSE(s.TableExtent(1));
}

}  // namespace
}  // namespace plx::docif::model
