#pragma once
// What the adapter's objects of one Writer document share: the document,
// its text and mirror, whether field codes show, and the selection (text
// or shapes) as the add-in last set or read it. A text box's text is a
// WriterDoc of its own over the box's Writer frame, tied to the document's:
// ranges, fields, formulas, find and layout work in it as in the main
// text, while the selection Writer's view shows stays the document's.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XModel.hpp>

#include "docif/formats.hpp"
#include "docif/uno/writer_story.hpp"

namespace plx::docif::lo {

struct ShapeBook;

struct WriterDoc {
  explicit WriterDoc(const Reference<css::text::XTextDocument>& document)
      : story(document), model(document, css::uno::UNO_QUERY_THROW) {}
  // The text of a text box of the document `main`.
  WriterDoc(std::shared_ptr<WriterDoc> main, const Reference<css::text::XText>& text)
      : story(main->story.Document(), text), model(main->model), body(std::move(main)) {}

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

  // The shapes the add-in selected since it last selected text, or that
  // the view showed selected when the command started (empty: the text
  // selection is the selection).
  std::vector<Reference<css::drawing::XShape>> shapes;

  // What the adapter keeps about the document's shapes (uno_shape_book.hpp),
  // made when first needed and gone with the document.
  mutable std::shared_ptr<ShapeBook> shapeBook;

  // Reads Writer's selection: the drawings it shows selected, else a range
  // in the text into the mirror (the start when several are selected).
  void ReadSelection();
  // The add-in selected text (the mirror's selection): Writer's view shows
  // it once the command ends (a command may move it many times); in a text
  // box's text, the document's selection.
  void ShowSelection() {
    if (body) {
      body->ShowSelection();
      return;
    }
    shapes.clear();
    selectionShown = false;
  }
  // The add-in selected shapes: the view shows them once the command ends.
  void ShowShapes(std::vector<Reference<css::drawing::XShape>> chosen) {
    shapes = std::move(chosen);
    selectionShown = false;
  }
  // The adapter moved the view's cursor or selection for its own use: the
  // view shows the selection again once the command ends.
  void ViewMoved() {
    if (body) {
      body->ViewMoved();
      return;
    }
    selectionShown = false;
  }
  // The view shows the selection: the shapes, else the mirror's text selection.
  void FlushSelection();
  // Writer's view leaves the drawings it shows selected, as the Escape key
  // leaves them (selecting text does not, and its text cursor waits until
  // it does); returns them, or nothing when it showed none.
  css::uno::Any LeaveDrawings();
  bool selectionShown = true;

  // For a text box's text: the document's main text, where the box's
  // lines start on the page (points), which centred lines are given from,
  // and whether the box is kept on the page.
  const std::shared_ptr<WriterDoc> body;
  std::function<double()> textLeft;
  // Whether the box is kept on the page: Writer's room above its line
  // grid moves the text and what follows it, not what is kept on the page.
  std::function<bool()> keptOnPage;
  // The text of the text box whose Writer frame has `text`: one WriterDoc
  // per box while ranges in it live (read again from Writer when handed
  // out again, as the teacher may have edited it).
  static std::shared_ptr<WriterDoc> TextBox(const std::shared_ptr<WriterDoc>& main,
                                            const Reference<css::text::XText>& text);

 private:
  std::map<Reference<css::uno::XInterface>, std::weak_ptr<WriterDoc>> boxes_;
};

// The document's controllers unlocked for a while, locked again as often
// as they were (the add-in's screen updating off locks them). Writer's
// view ends the office when it pastes into a text box's frame while they
// are locked, and a group of text boxes with frames made while they are
// locked moves when they are unlocked.
class ControllersUnlocked {
 public:
  explicit ControllersUnlocked(const WriterDoc& doc);
  ~ControllersUnlocked();
  ControllersUnlocked(const ControllersUnlocked&) = delete;
  ControllersUnlocked& operator=(const ControllersUnlocked&) = delete;

 private:
  Reference<css::frame::XModel> model_;
  int locks_ = 0;
};

// Error 5 for what the LibreOffice host does not offer yet.
[[noreturn]] void NotYetInLibreOffice(const wchar_t* what);

}  // namespace plx::docif::lo
