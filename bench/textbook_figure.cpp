#include "textbook_figure.hpp"

#include "graph/curves/trig_curves.hpp"

namespace plx::bench {

graph::GraphContext TextbookFigure() {
  using namespace graph;
  GraphContext g;
  g.frame = {-8, 8, -6, 6, 1};
  SJRecord sine;
  sine.xmax = 2 * 3.14159265358979;
  sine.pieces = FindTrigPieces(g.frame, [&](double x) { return TrigAt(sine, x); }, 0, sine.xmax);
  g.sjTable = {sine};
  g.axTable = {{2, 0, 0, -8, 2.5, {}}};
  g.logTable = {{0, 2, 0, 0, 0.02, 8, {}}};
  g.miTable = {{1, 1, 3, -8, 8, {}}};
  g.fblhsTable = {{1, 0.17, -8, 8, {}}};
  g.zxTable = {{-2, 7, 5, -4, {}}};
  g.List1 = {L"平面直角坐标系(ZBX)", L"坐标网格(ZBWG)",  L"三角函数(SJ) 1", L"指数函数(AX) 1",
             L"对数函数(LogX) 1",   L"幂函数(MI) 1",    L"反比例函数(FBLHS) 1", L"直线(ZX) 1"};
  return g;
}

}  // namespace plx::bench
