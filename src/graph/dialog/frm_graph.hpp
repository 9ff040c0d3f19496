#pragma once
// The graph dialog: the coordinate frame, the drawing list and the tabs
// that add figures to it (or, in change mode, replace the figure being
// changed), the preview, and "插入Word" that inserts them. Each family's tab
// lives in a file of its own (frm_graph_*_tab(s).cpp).
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "graph/frame/graph_context.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "addin/form.hpp"

namespace plx::graph {

class frmGraph : public Form {
 public:
  explicit frmGraph(AddinContext& ctx);
  GraphContext& Graph() { return g_; }
  DialogLayout Layout() const override;

  void cmdOK_Click();
  void cmdOK_Any_Click();
  void cmdOK_ZX_Click();
  void cmdOK_AX_Click();
  void cmdOK_LogX_Click();
  void cmdOK_MI_Click();
  void cmdOK_FBLHS_Click();
  void cmdOK_SJ_Click();
  void cmdOK_Yuan_Click();
  void cmdOK_TY_Click();
  void cmdOK_PWX_Click();
  void cmdOK_SQX_Click();
  void cmdOK_POINT_Click();
  void cmdOK_XXGH_Click();
  // Double-click on a list line: its figure back into its tab, change mode on.
  void List1_DblClick(int index);
  // "添加图像" / "修改图像".
  void cmdChange_Click();
  // Deletes the selected list line.
  void cmdResult_Click();
  // Asks, then returns the dialog to its opening state.
  void cmdReset_Click();
  // "重置" of a tab: its boxes back to their first values (suffix "ZX", "SJ"...).
  void ResetTab(const std::wstring& suffix);
  void cmdCls_Click();
  void chkDrawScale_Click();
  void chkWG_Click();
  void chkNoCoordinate_Click();

  // Redraws the preview (and with it the tick label lists) from the list.
  void RedrawPreview();
  std::string PreviewSvg() override;

 protected:
  void Form_Load() override;

 private:
  // The frame boxes read as whole units; false (after a message) when not.
  bool ReadFrame();
  bool ReadBox(const std::wstring& control, const std::wstring& fallback, double& value);
  LineAttr CurrentLine();
  void AddLine(const std::wstring& caption, size_t number);

  void RemoveLine(const std::wstring& line);
  // The frame's length boxes, up-down control and scroll bars.
  void AddFrameEdits();
  // Moves or resizes the frame by whole units, boxes and preview following.
  void SetFrame(int xmin, int xmax, int ymin, int ymax);
  // The loaders of the families whose tabs live in this dialog's own files.
  void RegisterListLoaders();
  // The tabs of the conic sections, and of points and feasible regions.
  void AddConicTabs();
  void AddPointTabs();
  // Adds the record as a new figure of its family, or in change mode replaces
  // the figure being changed when it belongs to the same family; then
  // redraws the preview.
  template <class Record>
  void StoreFigure(std::vector<Record>& table, Record rec, const std::wstring& caption);
  // The number of the figure of this family being changed, 0 when adding.
  size_t ChangingFigure(const std::wstring& caption);
  // The loader that puts figure k of a family (by lower-case tag) back into its tab.
  void RegisterLoader(const std::wstring& tag, std::function<void(int k)> load) { loaders_[tag] = std::move(load); }
  // The line attribute boxes set from a record's attributes.
  void ShowLine(const LineAttr& line);
  // Option buttons of one choice, each a control of its own (name, caption):
  // choosing one clears the others; the first is chosen at the start.
  using OptionButtons = std::vector<std::pair<std::wstring, std::wstring>>;
  static const OptionButtons& LogButtons();    // optLogX, optLogAbsX, optAbsLogX
  static const OptionButtons& PowerButtons();  // optXn_Power, optXmn_Power
  void AddOptionButtons(const OptionButtons& buttons);
  // The index of the chosen button (the first when none is).
  int ChosenOption(const OptionButtons& buttons);
  void ChooseOption(const OptionButtons& buttons, int index);
  // The tabs of the elementary families and their defaults.
  void AddElementaryTabs();
  void AddTrigTab();
  void AddTabButtons(const std::wstring& suffix, std::function<void()> ok);
  // A point box "(x, y)"; false after a message when it cannot be read.
  bool ReadPoint(const std::wstring& control, double& x, double& y);
  // A range pair of boxes, empty boxes taking [lo, hi]; false after a message.
  bool ReadRange(const std::wstring& from, const std::wstring& to, double lo, double hi, double& a, double& b);
  // Whether the figure of f over [a, b] may be added: its extent in the frame,
  // or the user agreeing to go on.
  bool AcceptCurve(const std::function<double(double)>& f, double a, double b);

  std::map<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>> tabDefaults_;
  size_t tabStart_ = 0;  // the first control of the tab being described
  std::map<std::wstring, std::function<void(int)>> loaders_;
  int changing_ = -1;  // the list line being changed, -1 none
  GraphContext g_;
  PreviewCanvas canvas_;
};

template <class Record>
void frmGraph::StoreFigure(std::vector<Record>& table, Record rec, const std::wstring& caption) {
  if (size_t k = ChangingFigure(caption); k >= 1 && k <= table.size()) {
    table[k - 1] = std::move(rec);
  } else {
    table.push_back(std::move(rec));
    AddLine(caption, table.size());
  }
  RedrawPreview();
}

}  // namespace plx::graph
