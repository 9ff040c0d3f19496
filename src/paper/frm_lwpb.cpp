#include "paper/frm_lwpb.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "paper/batch_typesetting.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kTitle = L"批量排版";

std::wstring Summary(const BatchTypesetResult& r) {
  std::wstring text = L"已排版 " + std::to_wstring(r.done.size()) + L" 篇文章，排版后的文件保存在原文件旁，文件名后加“" +
                      kTypesetSuffix + L"”，原文件未改动。";
  if (!r.failed.empty()) {
    text += L"\r\n以下 " + std::to_wstring(r.failed.size()) + L" 个文件未能排版：";
    for (const auto& [name, reason] : r.failed) text += L"\r\n" + name + L"：" + reason;
  }
  return text;
}

}  // namespace

frmLWPB::frmLWPB(AddinContext& ctx) : Form(ctx, L"frmLWPB") {
  AddControl(Box(L"labCaption", L"",
                 L"把文件夹中每篇文章（.docx）预处理并套用文章样式，另存为原文件旁的新文件"))
      .kind = ControlKind::Label;
  AddControl(Box(L"txtFolder", L"文件夹", L""));
  AddControl(Button(L"cmdBrowse", L"浏览…", [this] { cmdBrowse_Click(); }));
  AddControl(Button(L"cmdOk", L"开始排版", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

void frmLWPB::cmdBrowse_Click() {
  std::wstring folder = Ctx().Ui().ChooseFolder(L"请选择文章所在的文件夹");
  if (!folder.empty()) GetControl(L"txtFolder").text = folder;
}

void frmLWPB::cmdOk_Click() {
  try {
    if (Trim(GetControl(L"txtFolder").text).empty()) cmdBrowse_Click();
    const std::wstring folder = Trim(GetControl(L"txtFolder").text);
    if (folder.empty()) return;  // the chooser was cancelled
    if (!FileExists(folder)) {
      Ctx().Ui().MsgBox(L"找不到文件夹“" + folder + L"”，请重新选择。", Buttons::OK, kTitle);
      return;
    }
    auto articles = ArticlesIn(folder);
    if (articles.empty()) {
      Ctx().Ui().MsgBox(L"文件夹“" + folder + L"”中没有要排版的 .docx 文件。", Buttons::OK, kTitle);
      return;
    }
    auto result = TypesetArticles(Ctx(), articles);
    Ctx().Ui().MsgBox(Summary(result), Buttons::OK, kTitle);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmLWPB.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx
