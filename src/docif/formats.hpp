#pragma once
// Formatting values of the host's object model, as plain structs. Reading
// fills every member the object has (a member that differs across a range
// is left empty, as the host reports "undefined"); writing applies only the
// members that are set.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plx::docif {

struct FontFormat {
  std::optional<std::wstring> Name{};         // setting it sets the Latin font, and the
                                            // East Asian font too for a Chinese font name
  std::optional<std::wstring> NameAscii{};
  std::optional<std::wstring> NameFarEast{};
  std::optional<double> Size{};
  std::optional<bool> Bold{}, Italic{}, Superscript{}, Subscript{}, Hidden{};
  std::optional<int> Underline{};             // 0 none, 1 single
  std::optional<uint32_t> Color{};            // RGB, red in the low byte
  std::optional<double> Position{};           // points raised above the base line (negative: lowered)
};

// A Chinese font name (one with a CJK character): setting Name to it sets
// the East Asian font too.
inline bool IsChineseFontName(const std::wstring& name) {
  for (wchar_t c : name)
    if (c >= 0x2E80) return true;
  return false;
}

// `f` with the members `change` sets replaced; Name sets the Latin name,
// and the East Asian one too for a Chinese name.
inline FontFormat WithChanges(FontFormat f, const FontFormat& change) {
  if (change.Name) {
    f.Name = f.NameAscii = change.Name;
    if (IsChineseFontName(*change.Name)) f.NameFarEast = change.Name;
  }
  if (change.NameAscii) f.NameAscii = change.NameAscii;
  if (change.NameFarEast) f.NameFarEast = change.NameFarEast;
  if (change.Size) f.Size = change.Size;
  if (change.Bold) f.Bold = change.Bold;
  if (change.Italic) f.Italic = change.Italic;
  if (change.Superscript) f.Superscript = change.Superscript;
  if (change.Subscript) f.Subscript = change.Subscript;
  if (change.Hidden) f.Hidden = change.Hidden;
  if (change.Underline) f.Underline = change.Underline;
  if (change.Color) f.Color = change.Color;
  if (change.Position) f.Position = change.Position;
  return f;
}

enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3,
                 kAlignDistribute = 4 };
enum LineSpacingRule { kSpaceSingle = 0, kSpace1pt5 = 1, kSpaceDouble = 2, kSpaceAtLeast = 3,
                       kSpaceExactly = 4, kSpaceMultiple = 5 };
enum BaseLineAlignment { kBaselineTop = 0, kBaselineCenter = 1, kBaselineBaseline = 2,
                         kBaselineFarEast50 = 3, kBaselineAuto = 4 };

struct TabStop {
  double Position = 0;   // points from the left indent
  int Alignment = 0;     // 0 left, 1 centre, 2 right, 3 decimal
  bool operator==(const TabStop&) const = default;
};

struct ParagraphFormat {
  std::optional<int> Alignment{};
  std::optional<int> LineSpacingRule{};
  std::optional<double> LineSpacing{};                 // points
  std::optional<double> CharacterUnitFirstLineIndent{};
  std::optional<double> FirstLineIndent{};             // points
  std::optional<double> LeftIndent{}, RightIndent{};     // points
  std::optional<double> SpaceBefore{}, SpaceAfter{};     // points
  std::optional<int> BaseLineAlignment{};
  std::optional<int> OutlineLevel{};                   // 1..9, 10 body text
};

// Line of a shape. Dash styles: 1 solid, 4 dash, 7 long dash, ...; arrowhead
// styles: 1 none, 2 triangle, 3 open, 4 stealth, 5 diamond, 6 oval; lengths
// and widths 1 short/narrow, 2 medium, 3 long/wide.
struct LineFormat {
  std::optional<bool> Visible{};
  std::optional<double> Weight{};
  std::optional<uint32_t> ForeColor{};
  std::optional<int> DashStyle{};
  std::optional<int> BeginArrowheadStyle{}, BeginArrowheadLength{}, BeginArrowheadWidth{};
  std::optional<int> EndArrowheadStyle{}, EndArrowheadLength{}, EndArrowheadWidth{};
};

// Fill of a shape; Pattern 0 is a solid fill, other numbers the host's
// pattern fills (21 a light downward diagonal hatching).
struct FillFormat {
  std::optional<bool> Visible{};
  std::optional<uint32_t> ForeColor{}, BackColor{};
  std::optional<double> Transparency{};
  std::optional<int> Pattern{};
  std::optional<std::wstring> PictureFile{};
};

// Wrap types: 0 square, 1 tight, 2 through, 3 in front of text, 4 top and
// bottom, 5 behind text, 7 inline.
struct WrapFormat {
  std::optional<bool> AllowOverlap{};
  std::optional<int> Type{};
};

// Orientation: 1 horizontal, 2 upward, 3 downward, 5 vertical (East Asian).
struct TextFrameFormat {
  std::optional<double> MarginLeft{}, MarginRight{}, MarginTop{}, MarginBottom{};
  std::optional<int> Orientation{};
};

struct PageSetup {
  double PageWidth = 595.3, PageHeight = 841.9;
  double TopMargin = 72, BottomMargin = 72, LeftMargin = 90, RightMargin = 90;
};

struct PointF {
  float x = 0, y = 0;
  bool operator==(const PointF&) const = default;
};

}  // namespace plx::docif
