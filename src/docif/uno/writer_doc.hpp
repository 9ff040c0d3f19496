#pragma once
// What the adapter's objects of one Writer document share: the document,
// its text and mirror, whether field codes show, and the selection as the
// add-in last set or read it.
#include <memory>
#include <optional>

#include <com/sun/star/frame/XModel.hpp>

#include "docif/formats.hpp"
#include "docif/uno/writer_story.hpp"

namespace plx::docif::lo {

struct WriterDoc {
  explicit WriterDoc(const Reference<css::text::XTextDocument>& document)
      : story(document), model(document, css::uno::UNO_QUERY_THROW) {}

  WriterStory story;
  Reference<css::frame::XModel> model;
  bool showFieldCodes = false;
  bool snapToShapes = false;  // Writer has no such option; kept while the document is open
  // The selection in the mirror; Writer's view shows the same.
  std::shared_ptr<model::Anchor> selection = story.Mirror().MakeAnchor(0, 0);
  // Font changes made at the insertion point, for the text typed there next.
  struct Typing {
    FontFormat changes;
    long at = 0;
  };
  std::optional<Typing> typing;

  // Reads Writer's selection into the mirror (a range in the text; the
  // start when several are selected).
  void ReadSelection();
  // Shows the mirror's selection in Writer's view, once the command ends
  // or something reads the view (a command may move it many times).
  void ShowSelection() { selectionShown = false; }
  void FlushSelection();
  bool selectionShown = true;
};

// Error 5 for what the LibreOffice host does not offer yet.
[[noreturn]] void NotYetInLibreOffice(const wchar_t* what);

}  // namespace plx::docif::lo
