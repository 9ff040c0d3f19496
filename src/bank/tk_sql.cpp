#include "bank/tk_sql.hpp"

#include "config/mod_config.hpp"

namespace plx::bank {

namespace sql {
namespace {
std::wstring Id(long id) { return std::to_wstring(id); }
}  // namespace

std::wstring PaperByName(const std::wstring& name) {
  return L"select * from  tkPaper  where name='" + SqlText(name) + L"'";
}
std::wstring PaperIdsByName(const std::wstring& name) {
  return L"select TM_id from  tkPaper  where name='" + SqlText(name) + L"'";
}
std::wstring PaperById(long id) { return L"select * from  tkPaper  where id=" + Id(id); }
std::wstring PaperQuestionIds(long id) { return L"select TM_id from tkPaper where id=" + Id(id); }
std::wstring NewPaper() { return L"select * from  tkPaper "; }
std::wstring PaperList() { return L"select name from  tkPaper  order by id desc"; }
std::wstring LatestPapers() { return L"select top 30 * from  tkPaper order by id desc"; }
std::wstring DeletePaper(const std::wstring& name) {
  return L"delete from  tkpaper  where name='" + SqlText(name) + L"'";
}
std::wstring QuestionFile(long id) { return L"select FileName from  TM  where id=" + Id(id); }
std::wstring QuestionById(long id) { return L"select * from  tm  where id=" + Id(id); }
std::wstring QuestionByIdForEdit(long id) { return L"select * from  tm  where id = " + Id(id); }
std::wstring NewQuestion() { return L"select * from  tm  order by id asc"; }
std::wstring DeleteQuestion(long id) { return L"delete from  tm  where id=" + Id(id); }
std::wstring QuestionsOfPoint(const std::wstring& point) {
  return L"select * from tm where Points like '%" + SqlText(point) + L"%'";
}
std::wstring ValueList(const std::wstring& table) {
  return L"select name from  " + table + L"  order by id asc";
}
std::wstring ChapterTree() { return L"select * from  tkChapter  order by id asc"; }
std::wstring PointTree() { return L"select * from  tkPoint  order by id asc"; }
std::wstring ChapterById(long id) { return L"select * from tkchapter where id=" + Id(id); }
std::wstring PointChildren(long id) { return L"select id,name from tkpoint where fid=" + Id(id); }
}  // namespace sql

}  // namespace plx::bank
