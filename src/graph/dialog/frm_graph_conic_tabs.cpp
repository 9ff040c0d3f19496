#include "graph/dialog/frm_graph.hpp"

namespace plx::graph {

void frmGraph::AddConicTabs() {}
void frmGraph::cmdOK_Yuan_Click() {}
void frmGraph::cmdOK_TY_Click() {}
void frmGraph::cmdOK_PWX_Click() {}
void frmGraph::cmdOK_SQX_Click() {}

}  // namespace plx::graph
