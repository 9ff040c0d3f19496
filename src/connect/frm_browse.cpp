#include "connect/frm_browse.hpp"

#include "addin/addin_context.hpp"
#include "addin/product_info.hpp"

namespace plx {

void frmBrowse::Form_Load() {
  if (!Ctx().Network().IsConnected()) {
    Unload();
    return;
  }
  silent_ = true;
  opacity_ = 200;
  address_ = product::kNewsPage;
}

}  // namespace plx
