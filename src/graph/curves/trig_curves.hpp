#pragma once
// The trigonometric family: y = A f(wx + phi) + k for sin, cos, tan, cot and
// their inverses, drawn as the pieces where the curve stays in the frame, with
// marks (zeros, extreme points, axes of symmetry, asymptotes) and the π labels
// the preview records.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// The function names in the order of SJRecord::function.
extern const wchar_t* const kTrigNames[8];

// f(u) for function 0..7; NaN where it is undefined.
double TrigValue(int function, double u);
// The record's y at x.
double TrigAt(const SJRecord& rec, double x);

// Most probes one piece search makes; a wider frame is probed more sparsely.
constexpr double kMaxPieceProbes = 200000;
// The runs of x (probed from xmin in steps of 0.01) where the curve is defined
// and inside the frame; a jump across the frame (an asymptote between two
// probes) also ends a run. Only the part of [xmin, xmax] in the frame is probed.
std::vector<std::pair<double, double>> FindTrigPieces(const ZBXRecord& frame, const std::function<double(double)>& f,
                                                      double xmin, double xmax);

struct TrigMarkChoice {
  bool zeros = false, extrema = false, axes = false, asymptotes = false;
};
// The marked points of the record over its pieces.
std::vector<SJRecord::Mark> FindTrigMarks(const SJRecord& rec, const TrigMarkChoice& choice);

// The label text of k·π/n: "@p", "-@p", "2@p", "(@p)/(2)", "-(@p)/(2)", "(3@p)/(2)".
std::wstring PiLabel(int k, int n);

void DrawTrig(AddinContext& ctx, GraphContext& g, const SJRecord& rec);

}  // namespace plx::graph
