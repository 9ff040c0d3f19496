#pragma once
// Marking an exam paper for the question bank: every big-question heading,
// small-question number and answer gets a bracketed tag ("[pdDT]",
// "[pdTM]", "[pdAns]") by the find-and-replace rules of the "tikuconfig"
// settings, in bold and colour so the teacher sees and corrects them.
#include <string>

namespace plx {
class AddinContext;
}

namespace plx::bank {

enum class MarkKind { BigQuestion, SmallQuestion, Answer };

// Marks the active paper: removes bracketed source notes, tags the big and
// small questions in the question part and the answers in the answer part.
void TiKu_AutoMark(AddinContext& ctx);
// Counts the tags of the active document and reports whether questions and
// answers pair up; shows the report when `show`.
std::wstring TiKu_JianChaBiaoJi(AddinContext& ctx, bool show);
// Tags the selection, or removes the tag it holds.
void ToggleMark(AddinContext& ctx, MarkKind kind);
// The selection's font colour becomes the answer colour.
void ColourAnswer(AddinContext& ctx);
// Paragraphs in the answer colour become hidden text, or visible again.
void HideAnswers(AddinContext& ctx, bool hide);

}  // namespace plx::bank
