#pragma once
// The graph dialog: the coordinate frame, the drawing list and the tabs
// that add figures to it, and "插入Word" that inserts them. Tabs come with
// their families: so far the frame and the tab of typed expressions
// ("任意函数": y = f(x), parametric and polar curves).
#include "graph/frame/graph_context.hpp"
#include "host/form.hpp"

namespace plx::graph {

class frmGraph : public Form {
 public:
  explicit frmGraph(AddinContext& ctx);
  GraphContext& Graph() { return g_; }

  void cmdOK_Click();
  void cmdOK_Any_Click();
  void cmdCls_Click();

 protected:
  void Form_Load() override;

 private:
  // The frame boxes read as whole units; false (after a message) when not.
  bool ReadFrame();
  bool ReadBox(const std::wstring& control, const std::wstring& fallback, double& value);
  LineAttr CurrentLine();
  void AddLine(const std::wstring& caption, size_t number);

  GraphContext g_;
};

}  // namespace plx::graph
