#include "graph/curves/point_text.hpp"

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::graph {
namespace {

// The position of the bracket that closes the one at `open`, npos when none.
size_t Closing(const std::wstring& s, size_t open) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    if (s[i] == L'(') ++depth;
    else if (s[i] == L')' && --depth == 0) return i;
  }
  return std::wstring::npos;
}

std::wstring Fixed2(double v) {
  std::wstring text = Format(v, L"0.00");
  return text == L"-0.00" ? L"0.00" : text;
}

}  // namespace

PointPieces SplitPointText(const std::wstring& text) {
  PointPieces out;
  std::wstring s = Trim(ToHalfWidth(text));
  for (wchar_t ch : s)
    if (ch != L'(' && ch != L')' && ch != L',' && ch != L' ' && ch != L'\t') out.blank = false;
  if (out.blank) return out;
  // "A(1,2)" or "(1,2)": a bracket that closes at the very end holds the coordinates.
  const size_t open = s.find(L'(');
  if (open != std::wstring::npos && Closing(s, open) == s.size() - 1) {
    const std::wstring before = Trim(s.substr(0, open));
    const std::wstring inside = s.substr(open + 1, s.size() - open - 2);
    // "sqr(2)" alone is a number, not a point named sqr: a name needs the comma inside.
    bool hasComma = false;
    int depth = 0;
    for (wchar_t ch : inside) {
      if (ch == L'(') ++depth;
      else if (ch == L')') --depth;
      else if (ch == L',' && depth == 0) hasComma = true;
    }
    const bool nameLike = before.empty() || (hasComma && before.find_first_of(L"+-*/^.,") == std::wstring::npos &&
                                              !(before[0] >= L'0' && before[0] <= L'9'));
    if (nameLike) {
      out.name = before;
      s = inside;
    }
  }
  int depth = 0;
  std::wstring piece;
  for (wchar_t ch : s) {
    if (ch == L'(') ++depth;
    else if (ch == L')') --depth;
    if (ch == L',' && depth == 0) {
      out.parts.push_back(Trim(piece));
      piece.clear();
    } else {
      piece += ch;
    }
  }
  out.parts.push_back(Trim(piece));
  return out;
}

std::wstring CoordinateText(double v) {
  double r = Val(Format(v, L"0.00"));
  if (r == 0) r = 0;
  return DecimalText(r);
}

std::wstring PointBoxText(double x, double y) {
  auto shown = [](double v) { return Val(Fixed2(v)) == v ? Fixed2(v) : DecimalText(v); };
  return L"(" + shown(x) + L"," + shown(y) + L")";
}

}  // namespace plx::graph
