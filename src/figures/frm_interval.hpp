#pragma once
// "数轴与区间": draws a number line and, above it, the solution sets of the
// inequalities typed, each one 5 points higher than the last; everything
// drawn while the dialog is open becomes one figure "区间" at the insertion
// point when it closes.
#include <optional>

#include "addin/form.hpp"
#include "figures/figure_shapes.hpp"
#include "figures/number_line.hpp"

namespace plx::figures {

class frmInterval : public Form {
 public:
  explicit frmInterval(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOk_Click();
  const IntervalState& State() const { return state_; }

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  AxisOptions Axis();
  // Draws the sets of one element; false when it could not be read.
  bool DrawElement(const std::wstring& element, const AxisOptions& axis);
  // Draws one set; false (after its message) when it could not be drawn.
  bool DrawTyped(const TypedInterval& interval, const AxisOptions& axis);

  IntervalState state_;
  FigureShapes shapes_;
  NumberLine line_;
  std::optional<graph::InsertPoint> at_;
};

}  // namespace plx::figures
