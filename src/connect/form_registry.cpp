#include "connect/form_registry.hpp"

#include <functional>
#include <utility>

#include "bank/frm_config_tk.hpp"
#include "bank/frm_tiku_dantiruku.hpp"
#include "bank/frm_tiku_paperinfo.hpp"
#include "bank/frm_tiku_paperlist.hpp"
#include "bank/frm_tiku_piliangruku.hpp"
#include "bank/frm_tiku_view.hpp"
#include "charts/frm_tjt.hpp"
#include "figures/frm_interval.hpp"
#include "figures/frm_plane_figures.hpp"
#include "formula/numbers/frm_fenjie.hpp"
#include "formula/numbers/frm_fenshu.hpp"
#include "formula/numbers/frm_genshi.hpp"
#include "formula/numbers/frm_pailie.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "pictures/frm_save_pic.hpp"
#include "shapes/frm_custom_transform.hpp"
#include "paper/frm_da_ti_biao.hpp"
#include "paper/frm_lwpb.hpp"
#include "connect/forms/simple_form.hpp"
#include "connect/frm_browse.hpp"

namespace plx {
namespace {

using Factory = std::shared_ptr<Form> (*)(AddinContext&);

template <class F>
std::shared_ptr<Form> Make(AddinContext& ctx) {
  return std::make_shared<F>(ctx);
}

const std::vector<std::pair<const wchar_t*, Factory>>& Table() {
  static const std::vector<std::pair<const wchar_t*, Factory>> table = {
      {L"frmBrowse", &Make<frmBrowse>},
      {L"frmConfig", &Make<bank::frmConfigTk>},
      {L"frmGraph", &Make<graph::frmGraph>},
      {L"frmFangSuo", &Make<frmFangSuo>},
      {L"frmXuanZhuan", &Make<frmXuanZhuan>},
      {L"frmInterval", &Make<figures::frmInterval>},
      {L"frmZDBX", &Make<figures::frmZDBX>},
      {L"frmFangGe", &Make<figures::frmFangGe>},
      {L"frmSector", &Make<figures::frmSector>},
      {L"frmFenShu", &Make<frmFenShu>},
      {L"frmGenShi", &Make<frmGenShi>},
      {L"frmPaiLie", &Make<frmPaiLie>},
      {L"frmFenJie", &Make<frmFenJie>},
      {L"frmTJT", &Make<charts::frmTJT>},
      {L"frmSavePic", &Make<pictures::frmSavePic>},
      {L"frmDaTiBiao", &Make<frmDaTiBiao>},
      {L"frmLWPB", &Make<frmLWPB>},
      {L"frmTiKu_PiLiangRuKu", &Make<bank::frmTiKu_PiLiangRuKu>},
      {L"frmTiKu_DanTiRuKu", &Make<bank::frmTiKu_DanTiRuKu>},
      {L"frmTiKu_PaperInfo", &Make<bank::frmTiKu_PaperInfo>},
      {L"frmTiKu_PaperList", &Make<bank::frmTiKu_PaperList>},
      {L"frmTiKu_View", &Make<bank::frmTiKu_View>},
  };
  return table;
}

}  // namespace

std::shared_ptr<Form> CreateForm(AddinContext& ctx, const std::wstring& name) {
  for (const auto& [n, make] : Table())
    if (name == n) return make(ctx);
  if (const SimpleFormSpec* definition = FindSimpleForm(name)) return std::make_shared<SimpleForm>(ctx, *definition);
  return nullptr;
}

std::vector<std::wstring> FormNames() {
  std::vector<std::wstring> names;
  for (const auto& [n, make] : Table()) names.emplace_back(n);
  for (const auto& f : SimpleForms()) names.emplace_back(f.name);
  return names;
}

}  // namespace plx
