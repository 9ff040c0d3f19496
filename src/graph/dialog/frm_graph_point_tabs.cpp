#include "graph/dialog/frm_graph.hpp"

namespace plx::graph {

void frmGraph::AddPointTabs() {}
void frmGraph::cmdOK_POINT_Click() {}
void frmGraph::cmdOK_XXGH_Click() {}

}  // namespace plx::graph
