#pragma once
// The statements of one page of questions, newest first: page 1 takes the
// first k rows, a later page p the first k rows not among the newest
// (p - 1)·k. Every page of a chapter stays inside that chapter (the rows
// skipped and the rows shown both carry the chapter condition).
#include <string>

namespace plx::bank {

struct PageFilter {
  std::wstring type;    // empty: any type
  std::wstring degree;  // empty: any difficulty
};

// " and type='…'" and " and degree='…'" for the filters given.
std::wstring FilterSql(const PageFilter& filter);
std::wstring ChapterPageSql(long chapter, int pageSize, int page, const PageFilter& filter = {});
std::wstring AllQuestionsPageSql(int pageSize, int page);

}  // namespace plx::bank
