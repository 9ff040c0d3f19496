#pragma once
// The statements the question bank sends, in the database's own dialect,
// each written once here. Text values pasted between quotes have every
// quote doubled (SqlText of the configuration store), so a paper or knowledge point named with an apostrophe
// ("O'Neil杯") reads as itself instead of ending the literal early; for
// ordinary names the statement text is unchanged.
#include <string>

namespace plx::bank {

namespace sql {
std::wstring PaperByName(const std::wstring& name);
std::wstring PaperIdsByName(const std::wstring& name);
std::wstring PaperById(long id);
std::wstring PaperQuestionIds(long id);
std::wstring NewPaper();
std::wstring PaperList();
std::wstring LatestPapers();
std::wstring DeletePaper(const std::wstring& name);
std::wstring QuestionFile(long id);
std::wstring QuestionById(long id);
std::wstring QuestionByIdForEdit(long id);  // "id = " with blanks, as the editor writes it
std::wstring NewQuestion();
std::wstring DeleteQuestion(long id);
std::wstring QuestionsOfPoint(const std::wstring& point);
// "select name from  T  order by id asc" for a value-list table.
std::wstring ValueList(const std::wstring& table);
std::wstring ChapterTree();
std::wstring PointTree();
std::wstring ChapterById(long id);
std::wstring PointChildren(long id);
}  // namespace sql

}  // namespace plx::bank
