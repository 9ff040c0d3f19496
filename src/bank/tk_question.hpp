#pragma once
// One question as the bank keeps it: a small document that starts with the
// stem mark "【题干】", then "【答案】" and the answer (a worked solution
// may follow under "【详解】"), saved as P + ".doc" beside a picture of it,
// P + ".wmf", for the browser's previews; then its row in tm.
#include <functional>
#include <memory>
#include <string>

#include "bank/marking/paper_analysis.hpp"
#include "bank/tk_store.hpp"
#include "docif/document.hpp"
#include "pictures/scene.hpp"

namespace plx::bank {

inline const std::wstring kStemMark = L"【题干】";
inline const std::wstring kAnswerMark = L"【答案】";
inline const std::wstring kSolutionMark = L"【详解】";

// Writes a question's picture to a file; an empty text on success, else
// what went wrong. The bank writes metafiles; tests may write anything.
using PreviewWriter = std::function<std::wstring(const pictures::Scene&, const std::wstring& file)>;
std::wstring WriteWmfPreview(const pictures::Scene& scene, const std::wstring& file);

// A question can be stored when a stem mark comes before an answer mark.
bool HasStemAndAnswer(const std::wstring& text);
// The text between the stem mark and the answer mark (all of it when the
// marks are missing).
std::wstring StemText(const std::wstring& text);

// Copies the range, with its formatting and tables, to the end of the
// document's text and returns the copy, which ends with a paragraph mark
// or a table row.
docif::RangePtr AppendCopy(docif::Document& doc, const docif::Range& source);
// Adds a paragraph of plain text at the end; the range covers the text
// without its paragraph mark.
docif::RangePtr AppendParagraph(docif::Document& doc, const std::wstring& text);

// Removes the empty paragraphs at the end of the document; the last
// paragraph keeps its formats (one stays after a closing table).
void TrimEmptyEnd(docif::Document& doc);

// Removes the marks a paper got for the bank: every tag ("[pdTM]",
// "[pdAns]", "[pdDT…]") with the blanks and the paper's question number
// that follow it ("[pdTM]12．").
void RemovePaperMarks(docif::Document& doc);

// A new document (it becomes the active one) holding the analysed
// question: the stem under "【题干】" without its tag and paper number, then
// the answer under "【答案】" without its tag; no tag stays inside.
std::shared_ptr<docif::Document> QuestionDocument(AddinContext& ctx, const AnalysedQuestion& question);

// The question's picture: its first page's text, cut out.
pictures::Scene QuestionScene(AddinContext& ctx, docif::Document& doc);

// A path stem no stored question uses yet: a new file name, and when a
// question saved in the same second drew the same name (the generator is
// reseeded from the clock's second), the names after it in turn.
std::wstring FreshQuestionStem(AddinContext& ctx);

// Stores the question document: its files under the row's stem (a new
// stem when it has none; an edited question keeps its own), then the row
// with its search text, added or (with an id) rewritten. The id.
long StoreQuestion(AddinContext& ctx, QuestionRow row, docif::Document& doc, const PreviewWriter& writer);

}  // namespace plx::bank
