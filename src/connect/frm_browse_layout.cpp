// The news window's layout: the web view and nothing else.
#include "connect/frm_browse.hpp"

namespace plx {

DialogLayout frmBrowse::Layout() const { return {L"资讯", layout::Column({layout::Area(L"网页", 320, 240)})}; }

}  // namespace plx
