#include "connect/ribbon_images.hpp"

#include <utility>

#include "common/text.hpp"
#include "symbols/symbol_table.hpp"

namespace plx {
namespace {

// Scaling, rotation and joining pictures, shared by the slight variants.
constexpr std::pair<const wchar_t*, const wchar_t*> kShapeImages[] = {
    {L"rxBtnFS_fd", L"fd"},       {L"rxBtnFS_lfd", L"fd"},       {L"rxBtnFS_sx", L"sx"},
    {L"rxBtnFS_lsx", L"sx"},      {L"rxBtnFS_zyls", L"zyls"},    {L"rxBtnFS_lzyls", L"zyls"},
    {L"rxBtnFS_zyss", L"zyss"},   {L"rxBtnFS_lzyss", L"zyss"},   {L"rxBtnFS_sxls", L"sxls"},
    {L"rxBtnFS_lsxls", L"sxls"},  {L"rxBtnFS_sxss", L"sxss"},    {L"rxBtnFS_lsxss", L"sxss"},
    {L"rxBtnXZ_zz", L"xz_n"},     {L"rxBtnXZ_lzz", L"xz_n"},     {L"rxBtnXZ_fz", L"xz_s"},
    {L"rxBtnXZ_lfz", L"xz_s"},    {L"rxBtnDQFB_zypj", L"zypj"},  {L"rxBtnDQFB_sxpj", L"sxpj"},
    {L"rxBtnQT_matheq", L"gongshi"},
};

constexpr const wchar_t* kQtImages[] = {L"zhangjie", L"zenghanshu", L"jianhanshu", L"shengluehao",
                                        L"wuqiongda", L"maoe",     L"maoy"};

}  // namespace

std::wstring RibbonImageName(const std::wstring& id) {
  for (const auto& [i, image] : kShapeImages)
    if (id == i) return image;
  for (const wchar_t* family : {L"rxBtnYUNSUAN_", L"rxBtnSET_", L"rxBtnJIHE_", L"rxBtnXILAZIMU_"}) {
    if (!StartsWith(id, family)) continue;
    std::wstring name = id.substr(std::wstring(family).size());
    bool known = FindSymbol(name) || FindGreek(name);
    return known ? name : L"";
  }
  if (StartsWith(id, L"rxBtnQT_"))
    for (const wchar_t* name : kQtImages)
      if (id == std::wstring(L"rxBtnQT_") + name) return name;
  if (StartsWith(id, L"rxBtn_ShuZiFuHao_")) {
    std::wstring key = id.substr(17);
    for (int n = 1; n <= 10; ++n) {
      if (key == L"daiquanshuzi" + std::to_wstring(n)) return key;
      if (key == L"kuohao" + std::to_wstring(n)) return L"(" + std::to_wstring(n) + L")";
    }
  }
  return L"";
}

}  // namespace plx
