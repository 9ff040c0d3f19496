#pragma once
// The dialogs of the plane figures: regular polygon "正多边形" (frmZDBX),
// grid paper "方格" (frmFangGe) and sector "扇形" (frmSector). Each groups
// what one press of its draw button made and places it at the insertion
// point.
#include <optional>
#include <string>

#include "addin/form.hpp"
#include "docif/formats.hpp"
#include "figures/figure_shapes.hpp"

namespace plx {
struct DialogMemory;
}

namespace plx::figures {

// A figure dialog whose controls are kept in a row of the dialog memory:
// restored when it opens, saved when it closes.
class RememberedFigureForm : public Form {
 protected:
  RememberedFigureForm(AddinContext& ctx, const std::wstring& name, const DialogMemory& memory);
  void Form_Load() override;
  void Form_Unload() override;

  FigureShapes shapes_;

 private:
  const DialogMemory& memory_;
};

// Number of sides `txtBS` (a whole number from 3 to 1000), side length
// `txtBC` (cm), `chkCenter`.
class frmZDBX : public RememberedFigureForm {
 public:
  explicit frmZDBX(AddinContext& ctx);
  DialogLayout Layout() const override;
  void Command1_Click();
};

// Rows `Text1(0)`, columns `Text1(1)`, cell width `Text1(2)` (cm), the
// construction `Option1` (点阵型, 直线型, 线段型, 方块型) with what it is good
// for in `labDescription`. At most 10,000 cells.
class frmFangGe : public RememberedFigureForm {
 public:
  explicit frmFangGe(AddinContext& ctx);
  DialogLayout Layout() const override;
  void Command1_Click();
};

// Radius `txtRadius` (cm), central angle `txtAngle` (degrees), the figure
// `optSecType` (完整的扇形, 仅画弧线, 画弓形, 仅画角), `chkXZ` turning it so
// that it opens upwards, and the fill: `chkColor` with `optColor` (指定颜色
// from `labColor`, 阴影填充, 随机颜色). With `optSector` on "扇形统计图" it
// draws a pie chart of the ratios in `txtData` instead.
class frmSector : public Form {
 public:
  explicit frmSector(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOK_Sector_Click();

 private:
  // The fill the options ask for (a random colour is drawn anew each time).
  std::optional<docif::FillFormat> Fill();
  // The pie-chart mode: the ratios of `txtData`, `chkBaiFenBi` percentages.
  void DrawPieChart(double r);

  FigureShapes shapes_;
};

}  // namespace plx::figures
