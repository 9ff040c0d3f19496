#pragma once
// The graph dialog: the coordinate frame, the drawing list and the tabs
// that add figures to it, and "插入Word" that inserts them. Tabs come with
// their families: so far the frame and the tab of typed expressions
// ("任意函数": y = f(x), parametric and polar curves).
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "graph/frame/graph_context.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "host/form.hpp"

namespace plx::graph {

class frmGraph : public Form {
 public:
  explicit frmGraph(AddinContext& ctx);
  GraphContext& Graph() { return g_; }

  void cmdOK_Click();
  void cmdOK_Any_Click();
  void cmdOK_ZX_Click();
  void cmdOK_AX_Click();
  void cmdOK_LogX_Click();
  void cmdOK_MI_Click();
  void cmdOK_FBLHS_Click();
  void cmdOK_SJ_Click();
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
  GraphContext g_;
  PreviewCanvas canvas_;
};

}  // namespace plx::graph
