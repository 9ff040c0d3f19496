#include "bank/tk_pages.hpp"

#include "common/text.hpp"
#include "config/mod_config.hpp"

namespace plx::bank {
namespace {

std::wstring N(long n) { return std::to_wstring(n); }

// A text literal between double quotes, its double quotes doubled.
std::wstring Quoted(const std::wstring& text) { return L"\"" + Replace(text, L"\"", L"\"\"") + L"\""; }

// One name among a question's points: the whole list, its first name, a
// middle one or its last.
std::wstring HasPoint(const std::wstring& name) {
  return L"(points=" + Quoted(name) + L" or instr(points," + Quoted(name + L",") + L")=1 or instr(points," +
         Quoted(L"," + name + L",") + L")>0 or points like " + Quoted(L"%," + name) + L")";
}

// The tests joined by "or" as a balanced tree, so that a point with many
// children stays far inside the database's limit on expression depth.
std::wstring AnyOf(const std::vector<std::wstring>& tests, size_t from, size_t to) {
  if (to - from == 1) return tests[from];
  size_t mid = from + (to - from) / 2;
  return L"(" + AnyOf(tests, from, mid) + L" or " + AnyOf(tests, mid, to) + L")";
}

// Page p of the rows meeting `where` (a condition, or empty for all rows):
// `first` is page 1's statement, and a later page skips the newest rows
// with `skipFrom` (the sub-select's "top n id from tm ..." tail).
std::wstring Paged(int pageSize, int page, const std::wstring& first, const std::wstring& where,
                   const std::wstring& skipFrom) {
  if (page <= 1) return first;
  std::wstring skip = N(static_cast<long>(page - 1) * pageSize);
  return L"select top " + N(pageSize) + L" * from tm where " + (where.empty() ? L"" : where + L" and ") +
         L"(id not in ( select top " + skip + skipFrom + L" order by id desc )) order by id desc";
}

}  // namespace

std::wstring FilterSql(const PageFilter& filter) {
  std::wstring f;
  if (!filter.type.empty()) f += L" and type='" + SqlText(filter.type) + L"'";
  if (!filter.degree.empty()) f += L" and degree='" + SqlText(filter.degree) + L"'";
  return f;
}

std::wstring ChapterCountSql(long chapter, const PageFilter& filter) {
  return L"select * from tm where chapter =" + N(chapter) + FilterSql(filter);
}

std::wstring ChapterPageSql(long chapter, int pageSize, int page, const PageFilter& filter) {
  std::wstring where = L"chapter =" + N(chapter) + FilterSql(filter);
  return Paged(pageSize, page, L"select top " + N(pageSize) + L" * from tm where " + where + L" order by id desc",
               where, L" id from tm where " + where);
}

std::wstring PointCondition(const std::vector<std::wstring>& names) {
  std::vector<std::wstring> tests;
  for (const auto& name : names)
    if (!name.empty()) tests.push_back(HasPoint(name));
  return tests.empty() ? L"1=0" : AnyOf(tests, 0, tests.size());
}

std::wstring PointCountSql(const std::vector<std::wstring>& names, const PageFilter& filter) {
  return L"select * from tm where " + PointCondition(names) + FilterSql(filter);
}

std::wstring PointPageSql(const std::vector<std::wstring>& names, int pageSize, int page, const PageFilter& filter) {
  std::wstring where = PointCondition(names) + FilterSql(filter);
  return Paged(pageSize, page, L"select top " + N(pageSize) + L" * from tm where " + where + L" order by id desc",
               where, L" id from tm where " + where);
}

std::wstring AllCountSql(const PageFilter& filter) {
  std::wstring f = FilterSql(filter);
  return f.empty() ? L"select * from tm" : L"select * from tm where" + f.substr(4);
}

std::wstring AllQuestionsPageSql(int pageSize, int page, const PageFilter& filter) {
  std::wstring f = FilterSql(filter);
  if (f.empty()) {
    if (page <= 1) return L"select top " + N(pageSize) + L" * from tm  order by id desc";
    return L"select top " + N(pageSize) + L" * from tm where (id not in ( select  top " +
           N(static_cast<long>(page - 1) * pageSize) + L" id from tm  order by id desc )) order by id desc";
  }
  std::wstring where = f.substr(5);  // the filter less its leading " and "
  return Paged(pageSize, page, L"select top " + N(pageSize) + L" * from tm where " + where + L" order by id desc",
               where, L" id from tm where " + where);
}

std::wstring PaperQuestionsSql(const std::vector<long>& ids) {
  std::wstring list;
  for (long id : ids) list += (list.empty() ? L"" : L",") + N(id);
  return L"select * from tm where id  in (" + list + L") order by id asc";
}

int PageCount(long n, int pageSize) {
  if (n <= 0 || pageSize <= 0) return 1;
  return static_cast<int>((n + pageSize - 1) / pageSize);
}

}  // namespace plx::bank
