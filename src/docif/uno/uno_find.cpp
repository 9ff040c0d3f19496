// Find and replace on a Writer document. Writer's own search matches within
// one paragraph and speaks ICU's syntax, not the host's wildcards; the
// adapter searches its mirror of the text with the same code as the model
// (so "^p" and wildcards across paragraphs find the same matches) and makes
// each replacement in Writer, last match first, so the positions of the
// earlier ones still hold.
#include <algorithm>

#include "docif/find_pattern.hpp"
#include "docif/model/model_find.hpp"
#include "docif/model/model_range.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_formats.hpp"

namespace plx::docif::lo {
namespace {

class UnoFind final : public Find {
 public:
  UnoFind(std::shared_ptr<WriterDoc> doc, std::function<model::Anchor&()> scope)
      : doc_(std::move(doc)), scope_(std::move(scope)) {}

  bool Execute(int replace) override try {
    model::Anchor& anchor = scope_();
    model::Story& story = doc_->story.Mirror();
    auto hits = model::FindHits(story, doc_->showFieldCodes, *this, anchor.start, anchor.end, replace);
    if (hits.empty()) return false;
    if (replace == kReplaceNone) {
      Move(anchor, hits[0].start, hits[0].end);
      return true;
    }
    const auto parts = ParseReplacement(Replacement.Text, MatchWildcards);
    const auto fields = story.FieldsIn(0, story.Length());
    std::erase_if(hits, [&](const model::FindHit& h) { return model::CutsField(fields, h.start, h.end); });
    if (hits.empty()) return false;
    long firstStart = 0, firstLength = 0;
    for (auto h = hits.rbegin(); h != hits.rend(); ++h) {
      const long end = std::min(h->end, story.Length() - 1);  // the final mark stays
      const std::wstring text = model::NormaliseInsertedText(ExpandReplacement(parts, h->match));
      const long start = doc_->story.Replace(h->start, end, text).first;
      if (Format && !text.empty())
        for (const auto& cursor : doc_->story.CursorsOver(start, start + static_cast<long>(text.size())))
          WriteFont(css::uno::Reference<css::beans::XPropertySet>(cursor, css::uno::UNO_QUERY_THROW),
                    Replacement.Font);
      firstStart = start;
      firstLength = static_cast<long>(text.size());
    }
    if (replace == kReplaceOne) Move(anchor, firstStart, firstStart + firstLength);
    return true;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  // Moves the searched range onto what was found; the selection's find
  // shows it in Writer's view too.
  void Move(model::Anchor& anchor, long start, long end) {
    anchor.start = start;
    anchor.end = end;
    if (&anchor == doc_->selection.get()) doc_->SelectionMoved();
  }

  std::shared_ptr<WriterDoc> doc_;
  std::function<model::Anchor&()> scope_;
};

}  // namespace

std::shared_ptr<Find> MakeUnoFind(const std::shared_ptr<WriterDoc>& doc, std::function<model::Anchor&()> scope) {
  return std::make_shared<UnoFind>(doc, std::move(scope));
}

}  // namespace plx::docif::lo
