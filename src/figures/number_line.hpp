#pragma once
// The number line of the interval dialog and the solution sets drawn above
// it. Coordinates are points relative to the origin (OX, OY) = (0, 0), y
// growing downwards; the finished figure is moved to the insertion point.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "common/error.hpp"
#include "figures/figure_shapes.hpp"
#include "figures/inequality.hpp"
#include "graph/expr/script_engine.hpp"

namespace plx {
class AddinContext;
}

namespace plx::figures {

struct IntervalState {
  int16_t L = 0;      // axis length, points
  double xmin = 0;
  int16_t xmax = 0;
  int16_t u = 0;      // points per unit
  int16_t OX = 0, OY = 0;
  int16_t h = 10;     // height of the next bracket above the axis
  bool numberLineDrawn = false;
  std::wstring textA, textB, kind;

  // The page x of a number; error 6 for one that lies off any page (a
  // typed 1e300 would otherwise become an infinite coordinate).
  double X(double v) const {
    const double x = OX + static_cast<double>(u) * v;
    if (!(std::fabs(x) <= 32767)) Raise(err::kOverflow);
    return x;
  }
};

// What the number line is drawn from besides the state.
struct AxisOptions {
  std::wstring tickMode = L"auto";  // "auto" or "define"
  bool noX = false;                 // no letter x at the arrow end
  std::wstring numberList;          // the tick values of mode "define"
};

// The placeholder text of the tick list: a list that still holds it is empty.
inline const wchar_t* kNumberListPlaceholder = L"各数用半角逗号隔开（如1,2,2.3）";

class NumberLine {
 public:
  NumberLine(AddinContext& ctx, FigureShapes& shapes) : ctx_(ctx), shapes_(shapes) {}

  // L, xmin and xmax from the typed texts (full-width digits and the minus
  // sign U+2212 read as typed; L and xmax rounded half to even to 16-bit
  // integers, error 6 beyond them).
  static void ReadRange(IntervalState& s, const std::wstring& xmin, const std::wstring& xmax,
                        const std::wstring& lengthCm);
  // u = Int(L / (xmax − xmin)); error 11 for an empty range, 6 when too big.
  static void ComputeUnit(IntervalState& s);

  void DrawNumberLine(IntervalState& s, const AxisOptions& options);
  // Draws s.kind with endpoints a and b at height `level`; false after the
  // error report when it could not.
  bool DrawInterval(const IntervalState& s, const AxisOptions& options, double a, double b, double level,
                    uint32_t colour);
  // The value of a typed number ("1/2", "gh(2)", "-pi").
  double Evaluate(const std::wstring& typed);
  graph::ScriptEngine& Engine() { return engine_; }

 private:
  void Tick(const IntervalState& s, const std::wstring& role, double v);
  void Label(const std::wstring& role, double left, double top, const std::wstring& text, bool formula);
  // Whether the axis already writes this value under its tick.
  bool Labelled(double v) const;

  std::vector<double> labelled_;  // the values the axis writes under its ticks

  AddinContext& ctx_;
  FigureShapes& shapes_;
  graph::ScriptEngine engine_;
};

}  // namespace plx::figures
