#pragma once
// Documents, the selection, the window, styles, bookmarks and AutoCorrect.
#include <memory>
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "docif/range.hpp"
#include "docif/shapes.hpp"

namespace plx::docif {

class Style {
 public:
  virtual ~Style() = default;
  virtual std::wstring NameLocal() const = 0;
  virtual int Type() const = 0;  // 1 paragraph, 2 character
  virtual FontFormat Font() const = 0;
  virtual void SetFont(const FontFormat&) = 0;
  virtual ParagraphFormat GetParagraphFormat() const = 0;
  virtual void SetParagraphFormat(const ParagraphFormat&) = 0;
  virtual bool AutomaticallyUpdate() const = 0;
  virtual void SetAutomaticallyUpdate(bool) = 0;
  virtual std::wstring BaseStyle() const = 0;
  virtual void SetBaseStyle(const std::wstring&) = 0;
};

class Styles {
 public:
  virtual ~Styles() = default;
  virtual int Count() const = 0;
  virtual bool Exists(const std::wstring& name) const = 0;
  // Error 5941 when there is no such style.
  virtual std::shared_ptr<Style> Item(const std::wstring& name) = 0;
  // Error 5173 when the name is taken.
  virtual std::shared_ptr<Style> Add(const std::wstring& name, int type = 1) = 0;
};

// Bookmarks; "\Page" is the predefined range of the page holding the selection.
class Bookmarks {
 public:
  virtual ~Bookmarks() = default;
  virtual int Count() const = 0;
  virtual bool Exists(const std::wstring& name) const = 0;
  virtual void Add(const std::wstring& name, const Range& at) = 0;
  // Error 5941 when there is no such bookmark.
  virtual RangePtr Item(const std::wstring& name) = 0;
  virtual void Delete(const std::wstring& name) = 0;
};

// Selection types.
constexpr int kSelectionNone = 0;
constexpr int kSelectionIP = 1;
constexpr int kSelectionNormal = 2;
constexpr int kSelectionInlineShape = 7;
constexpr int kSelectionShape = 8;

// The selection: a text range, or some floating shapes.
class Selection : public virtual Range {
 public:
  virtual int Type() const = 0;
  virtual RangePtr GetRange() = 0;
  // The selected floating shapes (empty when text is selected).
  virtual std::shared_ptr<ShapeRange> GetShapeRange() = 0;
  // Types text over the selection, leaving an insertion point after it.
  virtual void TypeText(const std::wstring& text) = 0;
  // Moves down by paragraphs (unit 4); extend keeps the start.
  virtual void MoveDown(int unit = 4, int count = 1, bool extend = false) = 0;
};

constexpr int kUnitParagraph = 4;

class Document {
 public:
  virtual ~Document() = default;
  virtual std::wstring FullName() const = 0;
  virtual RangePtr Content() = 0;
  virtual RangePtr GetRange(long start, long end) = 0;
  virtual std::shared_ptr<Ranges> Paragraphs() = 0;
  virtual std::shared_ptr<Ranges> Characters() = 0;
  virtual std::shared_ptr<Fields> GetFields() = 0;
  virtual std::shared_ptr<Tables> GetTables() = 0;
  virtual std::shared_ptr<InlineShapes> GetInlineShapes() = 0;
  virtual std::shared_ptr<Shapes> GetShapes() = 0;
  virtual std::shared_ptr<Styles> GetStyles() = 0;
  virtual std::shared_ptr<Bookmarks> GetBookmarks() = 0;
  virtual docif::PageSetup PageSetup() const = 0;
  virtual void SetPageSetup(const docif::PageSetup&) = 0;
  virtual bool SnapToGrid() const = 0;
  virtual void SetSnapToGrid(bool) = 0;
  virtual bool SnapToShapes() const = 0;
  virtual void SetSnapToShapes(bool) = 0;
  virtual bool EmbedTrueTypeFonts() const = 0;
  virtual void SetEmbedTrueTypeFonts(bool) = 0;
  virtual bool SaveSubsetFonts() const = 0;
  virtual void SetSaveSubsetFonts(bool) = 0;
  virtual bool DoNotEmbedSystemFonts() const = 0;
  virtual void SetDoNotEmbedSystemFonts(bool) = 0;
  // False once the document changed since it was opened or saved.
  virtual bool Saved() const = 0;
  virtual void SetSaved(bool) = 0;
  // Opened read-only: it can be edited, but Save raises error 4605.
  virtual bool ReadOnly() const = 0;
  virtual void Save() = 0;
  // Writes the document as a .docx under a new name, which it then bears.
  virtual void SaveAs(const std::wstring& path) = 0;
  virtual void Activate() = 0;
};

class Documents {
 public:
  virtual ~Documents() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Document> Item(int index) = 0;
  // A new empty document, which becomes the active one.
  virtual std::shared_ptr<Document> Add() = 0;
  // Opens a document file, which becomes the active one; error 5792 with a
  // plain reason when it cannot be read.
  virtual std::shared_ptr<Document> Open(const std::wstring& path, bool readOnly = false) = 0;
  virtual void Close(const std::shared_ptr<Document>& document) = 0;
};

// The document window: the first page of its first pane, and the view.
class Window {
 public:
  virtual ~Window() = default;
  virtual double FirstPageWidth() const = 0;
  virtual double FirstPageHeight() const = 0;
  virtual bool ShowFieldCodes() const = 0;
  virtual void SetShowFieldCodes(bool) = 0;
};

class AutoCorrect {
 public:
  virtual ~AutoCorrect() = default;
  virtual bool ReplaceText() const = 0;
  virtual void SetReplaceText(bool) = 0;
  virtual bool CorrectSentenceCaps() const = 0;
  virtual void SetCorrectSentenceCaps(bool) = 0;
  virtual int EntryCount() const = 0;
  virtual void AddEntry(const std::wstring& name, const std::wstring& value) = 0;
  // Empty when there is no such entry.
  virtual std::wstring Entry(const std::wstring& name) const = 0;
};

}  // namespace plx::docif
