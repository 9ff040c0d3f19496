#pragma once
// The state of one model document, shared by every object that views it
// (ranges, the selection, shapes, fields): formats, the main story, lists,
// inline objects, tables, styles, bookmarks, equations, shapes, settings.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "docif/model/story.hpp"
#include "docif/range.hpp"

namespace plx::docif::model {

constexpr uint32_t kAutoColor = 0xFF000000u;

struct CharFormat {
  std::wstring ascii = L"Times New Roman";
  std::wstring farEast = L"宋体";
  double size = 10.5;
  bool bold = false, italic = false, superscript = false, subscript = false, hidden = false;
  int underline = 0;
  uint32_t color = kAutoColor;
  double position = 0;  // points raised (negative: lowered)
  std::string extra;  // run properties read from a file that the model does not use, as XML
  bool operator==(const CharFormat&) const = default;
};

struct ParaFormat {
  std::wstring style = L"正文";
  int alignment = kAlignJustify;
  int lineSpacingRule = kSpaceSingle;
  double lineSpacing = 12;
  double charIndent = 0, firstIndent = 0, leftIndent = 0, rightIndent = 0;
  double spaceBefore = 0, spaceAfter = 0;
  int baseline = kBaselineAuto;
  int outlineLevel = 10;
  std::vector<TabStop> tabs;
  int list = 0;  // list instance id, 0 none
  int sectionBreak = 0;  // the mark ends a section: kSectionBreak..., 0 none
  std::string sectionXml;  // that section's properties as read from a file
  std::string extra;  // paragraph properties read from a file that the model does not use, as XML
  bool operator==(const ParaFormat&) const = default;
};

// Interned values: equal values share one index.
template <class T>
class Pool {
 public:
  Pool() : items_(1) {}
  uint32_t Intern(const T& value) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == value) return static_cast<uint32_t>(i);
    items_.push_back(value);
    return static_cast<uint32_t>(items_.size() - 1);
  }
  const T& operator[](uint32_t i) const { return items_[i]; }
  size_t Size() const { return items_.size(); }

 private:
  std::vector<T> items_;
};

struct ShapeDefault {
  LineFormat line;
  FillFormat fill;
};

// How far a list the add-in made puts its text after the number's place, in
// points (420 twips in its saved numbering).
constexpr double kListTextStep = 21.0;

struct ListInstance {
  std::wstring numberFormat;
  int numberStyle = 0;
  int sourceNumId = 0;  // a list read from a file keeps its numbering definition
  int sourceLevel = 0;
};

struct InlineObject {
  int type = kInlineShapePicture;
  std::wstring file;          // where the picture came from
  std::string bytes;          // the picture's data
  std::wstring contentType;   // "image/png", ...
  std::wstring oleClass;      // for embedded objects ("Equation.3")
  double width = 0, height = 0;
  double rotation = 0;  // clockwise, degrees in [0, 360)
  bool borders = false;
  std::wstring altText;
  PictureEffectList effects;  // sharpen, brightness, contrast (percentages)
  // Read from a file: the run content as it stood there, written back
  // unchanged while the object is unchanged, and with only the changed
  // properties replaced when a picture changed; block-level content (a
  // whole body element the model does not know) fills its own paragraph.
  std::string rawXml;
  std::string relId;
  bool block = false;
  double readWidth = 0, readHeight = 0, readRotation = 0;
  std::wstring readAltText;
  bool readBorders = false;
  PictureEffectList readEffects;
};

// Objects with no picture of their own: content kept as read.
constexpr int kInlineRaw = 0;

struct TableInfo {
  bool borders = true;
  // Borders switched off one by one: top, left, bottom, right, between
  // rows, between columns.
  std::array<bool, 6> hiddenSides{};
  // Column widths in points set by the add-in (0: an equal share).
  std::vector<double> columnWidths;
  std::wstring style;
  // The table in one of whose cells this one stands (0: none).
  uint32_t parent = 0;
  // Read from a file: table, row and cell properties as XML.
  std::string tblPr, tblGrid;
  std::vector<std::string> trPr;
  std::vector<std::vector<std::string>> tcPr;
};

struct StyleInfo {
  std::wstring id;  // the style id in a file
  bool dirty = false;  // changed since it was read
  std::wstring name;
  int type = 1;
  CharFormat font;
  ParaFormat para;
  bool autoUpdate = false;
  std::wstring base;
};

// An equation: a live anchor over its characters (the linear format) in a
// story, and whether it is shown built up. Deleting its text collapses the
// anchor, and a collapsed equation no longer exists.
struct Equation {
  std::shared_ptr<Story> story;
  std::shared_ptr<Anchor> anchor;
  bool builtUp = false;
};

struct ShapeData;

// The package a document was read from: its parts by name, each inflated
// only when asked for. Saving carries across, unread, the parts the model
// does not use (pictures, fonts, headers, embedded files).
class PackageSource {
 public:
  virtual ~PackageSource() = default;
  virtual std::vector<std::string> Names() const = 0;
  // The part's bytes, none when there is no such part (error 5792 when it
  // is damaged).
  virtual std::optional<std::string> Read(const std::string& name) const = 0;
};

// What the documents of one application share: the clipboard and the
// journal of calls whose effect lies outside any document.
struct AppShared {
  std::wstring clipboardText;
  std::vector<CharFormat> clipboardFormats;  // one per character
  std::vector<std::wstring> journal;
  int nextDocument = 1;
};

struct DocData {
  explicit DocData(std::shared_ptr<AppShared> app);

  std::shared_ptr<AppShared> app;
  Pool<CharFormat> charFormats;
  Pool<ParaFormat> paraFormats;
  std::shared_ptr<Story> main = std::make_shared<Story>();
  std::vector<ListInstance> lists;
  // Whether the paragraph is numbered in a list the add-in made (not one
  // read from a file, which keeps its own numbering definition).
  bool InAddinList(const ParaFormat& p) const {
    return p.list > 0 && static_cast<size_t>(p.list) <= lists.size() &&
           lists[static_cast<size_t>(p.list) - 1].sourceNumId == 0;
  }
  std::map<uint32_t, InlineObject> objects;
  uint32_t nextObject = 1;
  std::map<uint32_t, TableInfo> tables;
  uint32_t nextTable = 1;
  std::vector<StyleInfo> styles;
  std::map<std::wstring, std::shared_ptr<Anchor>> bookmarks;
  std::vector<std::shared_ptr<Equation>> equations;
  std::vector<std::shared_ptr<ShapeData>> shapes;  // top level, back to front
  int nextShapeNumber = 1;

  PageSetup page;
  bool snapToGrid = true, snapToShapes = false;
  bool embedFonts = false, subsetFonts = false, noSystemFonts = true;
  // The line and fill new shapes get, and the line new lines get, once a
  // shape was made the default (unset: the host's own defaults).
  std::optional<ShapeDefault> defaultShape;
  std::optional<LineFormat> defaultLine;
  bool saved = true;
  bool readOnly = false;  // opened read-only: it cannot be saved over its file
  bool showFieldCodes = false;
  std::wstring fullName;

  // What a document read from a file keeps to write it back: the package
  // it came from, the parts reading inflated (the XML that saving edits),
  // the root element's opening tag (with its namespaces) and the section
  // properties.
  struct Origin {
    std::shared_ptr<const PackageSource> source;
    std::map<std::string, std::string> parts;
    std::string rootOpen;
    std::string sectPr;
  } origin;

  // The layout shapes kept against their paragraph were last placed by:
  // what it was made from and the page y of each position of the main
  // text (see anchored_shapes.hpp). A cache: keeping it current is no
  // change of the document.
  struct ShapeLayout {
    std::string inputs;
    std::vector<double> tops;
  };
  mutable ShapeLayout shapeLayout;

  // The selection: a range of a story, or floating shapes.
  std::shared_ptr<Story> selectionStory;
  std::shared_ptr<Anchor> selection;
  std::vector<std::shared_ptr<ShapeData>> selectedShapes;
  bool inlineSelected = false;
  // Formatting given to the selection while it is an insertion point: what
  // typing there gets instead of the formatting of the character before
  // (a raised exponent followed by plain text). It holds while the
  // selection stays that insertion point.
  struct TypingFormat {
    std::shared_ptr<Anchor> at;
    long position = 0;
    uint32_t format = 0;
  };
  std::optional<TypingFormat> typing;

  void Changed() { saved = false; }
  const StyleInfo* FindStyle(const std::wstring& name) const;
  // Every story: the main text and each text box's.
  std::vector<std::shared_ptr<Story>> Stories() const;
  // The equations of a story overlapping [start, end) in text order; a
  // collapsed span sees the equation it stands strictly inside.
  std::vector<std::shared_ptr<Equation>> EquationsIn(const Story& story, long start, long end) const;
  // Forgets equations whose text was deleted.
  void DropDeletedEquations();
};

// The data behind a range object: its document, story and live anchor.
struct RangeRef {
  std::shared_ptr<DocData> doc;
  std::shared_ptr<Story> story;
  std::shared_ptr<Anchor> anchor;
};

}  // namespace plx::docif::model
