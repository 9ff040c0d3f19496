#pragma once
// Laying out an exam paper at the insertion point: the paper header, the
// headers of the three question groups, question numbers and option blocks.
// The texts come from the configuration group "zhijuan".
#include <string>

namespace plx {

class AddinContext;

enum class QuestionGroup { Choice, FillIn, Worked };

// The configured paper header, bold, 16 pt, centred, in place of the first
// paragraph of the selection.
void PaperHeader(AddinContext& ctx);
// The configured header of a question group, bold, 12 pt.
void GroupHeader(AddinContext& ctx, QuestionGroup group);
// Numbers the selected paragraphs as questions ("1．", "2．" ... through the
// paper), continuing the previous question's list.
void TianJiaTiHao(AddinContext& ctx);
// The number format of question numbers: an Arabic number and U+FF0E.
inline constexpr const wchar_t* kQuestionNumberFormat = L"%1．";
// A numbered question followed by a borderless table of the labels
// "A．" to "D．" on 1, 2 or 4 lines (error 5 for any other count).
void OptionBlock(AddinContext& ctx, int lines);

}  // namespace plx
