#include "addin/services.hpp"

#include "common/error_boxes.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "addin/product_info.hpp"

namespace plx {

void ShowErr(AddinContext& ctx, const std::exception& error, const std::wstring& location, int line) {
  ErrorBoxText box = ShortErrorBox(AsVbError(error), location, line);
  ctx.Ui().MsgBox(box.message, Buttons::OK, box.title);
}

void ShowErrLong(AddinContext& ctx, const std::exception& error, const std::wstring& procedure,
                 const std::wstring& owner, int line, bool isForm) {
  ErrorBoxText box = LongErrorBox(AsVbError(error), procedure, owner, line, isForm);
  ctx.Ui().MsgBox(box.message, Buttons::OK, box.title);
}

std::wstring ReadRegString(AddinContext& ctx, Hive hive, const std::wstring& subkey,
                           const std::wstring& valueName) {
  auto value = ctx.GetRegistry().Query(hive, subkey, valueName);
  if (!value || value->type != kRegSz) return {};
  size_t nul = value->data.find(L'\0');
  return nul == std::wstring::npos ? value->data : value->data.substr(0, nul);
}

std::wstring GetAppPath(AddinContext& ctx) {
  try {
    return ctx.ModuleFolder();
  } catch (...) {
  }
  try {
    if (!ctx.App) return {};
    auto addIns = ctx.App->GetCOMAddIns();
    std::wstring guid;
    bool found = false;
    for (int i = 1; i <= addIns->Count() && !found; ++i) {
      auto item = addIns->Item(i);
      if (Contains(LCase(item->ProgId()), product::kAddinProgIdPart)) {
        guid = item->Guid();
        found = true;
      }
    }
    if (!found) return {};
    std::wstring module = ReadRegString(ctx, Hive::LocalMachine,
                                        L"Software\\Classes\\CLSID\\" + guid + L"\\InprocServer32", L"");
    size_t last = InStrRev(module, std::wstring(1, kPathSep));
    if (last <= 1) {
      ctx.Ui().MsgBox(L"文件路径获取错误，请检查！", Buttons::OK, L"");
      return {};
    }
    return Left(module, last - 1);
  } catch (...) {
    return {};
  }
}

std::wstring AppFile(AddinContext& ctx, const std::wstring& relative) {
  return JoinPath(GetAppPath(ctx), relative);
}

}  // namespace plx
