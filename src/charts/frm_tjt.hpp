#pragma once
// The statistics dialog "统计图": histograms, bar and line charts on the
// first tab, the stem-and-leaf plot on the second, the pie chart on the
// third. It reopens with the inputs of last time (dialog memory row 6).
#include "addin/form.hpp"
#include "charts/statistic_chart.hpp"

namespace plx::charts {

class frmTJT : public Form {
 public:
  explicit frmTJT(AddinContext& ctx);
  DialogLayout Layout() const override;

  void cmdOk_Click();
  void ZheXianTu();
  void cmdOKJY_Click();
  void cmdOKSX_Click();

  // The chart the first tab describes.
  ChartInput ChartFromControls();

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void AddChartTab();
  void AddStemLeafTab();
  void AddPieTab();
  // Captions, shown options and enabled boxes that follow the chosen kind
  // and the check boxes; held back while the memory is restored.
  void UpdateStates();
  // The choice of fill (random colours, the shading named `shading`, one
  // colour; shading chosen) and the colour swatch that opens the chooser.
  void AddFillChoice(const wchar_t* options, const wchar_t* shading, const wchar_t* swatch);
  void PickColour(const wchar_t* swatch);
  // A number box read as typed, full-width digits and signs folded.
  double Number(const std::wstring& box);
  // Shows why the data box's text cannot be read, if it cannot.
  bool DataRefused(const std::wstring& box);
  bool restoring_ = false;
};

}  // namespace plx::charts
