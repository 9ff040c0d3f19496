#include "bank/tk_pages.hpp"

#include "config/mod_config.hpp"

namespace plx::bank {
namespace {
std::wstring N(long n) { return std::to_wstring(n); }
}  // namespace

std::wstring FilterSql(const PageFilter& filter) {
  std::wstring f;
  if (!filter.type.empty()) f += L" and type='" + SqlText(filter.type) + L"'";
  if (!filter.degree.empty()) f += L" and degree='" + SqlText(filter.degree) + L"'";
  return f;
}

std::wstring ChapterPageSql(long chapter, int pageSize, int page, const PageFilter& filter) {
  std::wstring where = L"chapter =" + N(chapter) + FilterSql(filter);
  if (page <= 1) return L"select top " + N(pageSize) + L" * from tm where " + where + L" order by id desc";
  return L"select top " + N(pageSize) + L" * from tm where " + where + L" and (id not in ( select top " +
         N(static_cast<long>(page - 1) * pageSize) + L" id from tm where " + where +
         L" order by id desc )) order by id desc";
}

std::wstring AllQuestionsPageSql(int pageSize, int page) {
  if (page <= 1) return L"select top " + N(pageSize) + L" * from tm  order by id desc";
  return L"select top " + N(pageSize) + L" * from tm where (id not in ( select  top " +
         N(static_cast<long>(page - 1) * pageSize) + L" id from tm  order by id desc )) order by id desc";
}

}  // namespace plx::bank
