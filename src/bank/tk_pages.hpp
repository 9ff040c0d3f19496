#pragma once
// The statements of the question browser. A page of questions is newest
// first: page 1 takes the first k rows, a later page p the first k rows not
// among the newest (p - 1)·k. Every page stays inside its view (the rows
// skipped and the rows shown both carry the view's condition), so page 2
// of a chapter never shows another chapter's questions.
#include <string>
#include <vector>

namespace plx::bank {

struct PageFilter {
  std::wstring type;    // empty: any type
  std::wstring degree;  // empty: any difficulty
};

// " and type='…'" and " and degree='…'" for the filters given.
std::wstring FilterSql(const PageFilter& filter);

// Questions of one chapter.
std::wstring ChapterCountSql(long chapter, const PageFilter& filter = {});
std::wstring ChapterPageSql(long chapter, int pageSize, int page, const PageFilter& filter = {});
// Questions with at least one of the named knowledge points (the chosen
// point and its children) among their own: a question's points are names
// joined by ",", so a name matches the whole list, its first, a middle or
// its last name, never a part of a longer name and never an empty list.
// Names are written between double quotes with every double quote doubled;
// no name (or only empty ones) matches nothing.
std::wstring PointCondition(const std::vector<std::wstring>& names);
std::wstring PointCountSql(const std::vector<std::wstring>& names, const PageFilter& filter = {});
std::wstring PointPageSql(const std::vector<std::wstring>& names, int pageSize, int page,
                          const PageFilter& filter = {});
// Every question; with a filter, those it lets through.
std::wstring AllCountSql(const PageFilter& filter = {});
std::wstring AllQuestionsPageSql(int pageSize, int page, const PageFilter& filter = {});
// A paper's questions by their ids, oldest first.
std::wstring PaperQuestionsSql(const std::vector<long>& ids);

// Pages needed for n questions, k to a page (at least 1).
int PageCount(long n, int pageSize);

}  // namespace plx::bank
