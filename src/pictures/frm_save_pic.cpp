#include "pictures/frm_save_pic.hpp"

#include <algorithm>
#include <filesystem>

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "docif/application.hpp"
#include "docif/document.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"

namespace plx::pictures {
namespace {

const std::vector<std::wstring> kFormats = {L"PNG", L"JPEG", L"BMP", L"EMF", L"WMF", L"SVG", L"PDF"};

}  // namespace

std::wstring PictureFileName(const std::wstring& typed, const std::wstring& extension) {
  const std::wstring name = Trim(typed);
  if (FormatOfFile(name)) return name;
  return name + L"." + extension;
}

frmSavePic::frmSavePic(AddinContext& ctx) : Form(ctx, L"frmSavePic") {
  AddControl(Options(L"optFormat", L"格式", kFormats));
  AddControl(Options(L"optScope", L"范围", {L"所选内容", L"当前页"}));
  AddControl(Combo(L"cmbDpi", L"分辨率（dpi）", {L"96", L"150", L"300", L"600"}, L"150"));
  AddControl(Box(L"txtFile", L"文件名", L""));
  AddControl(Button(L"cmdBrowse", L"浏览…", [this] { cmdBrowse_Click(); }));
  AddControl(Button(L"cmdOk", L"保存", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmSavePic::Form_Load() {
  // A picture named after the document, beside it.
  std::filesystem::path doc(WideToUtf8(Ctx().App->ActiveDocument()->FullName()));
  if (GetControl(L"txtFile").text.empty() && !doc.empty())
    GetControl(L"txtFile").text = Utf8ToWide((doc.parent_path() / doc.stem()).string()) + L".png";
  // A selection of shapes is what a teacher saves most; without one, the page.
  GetControl(L"optScope").value = Ctx().App->GetSelection()->Type() == docif::kSelectionShape ? 0 : 1;
}

bool frmSavePic::cmdBrowse_Click() {
  // The chosen format first in the list, so that the chooser starts on it.
  const int chosen = std::max(0, GetControl(L"optFormat").value);
  std::vector<FileFilter> filters;
  for (size_t i = 0; i < kFormats.size(); ++i) {
    const std::wstring extension = FormatExtension(*FormatNamed(kFormats[i]));
    FileFilter f{kFormats[i] + L" 图片", L"*." + extension};
    if (static_cast<int>(i) == chosen) filters.insert(filters.begin(), f);
    else filters.push_back(f);
  }
  const std::wstring file = Ctx().Ui().ChooseSaveFile(L"另存为图片", filters, Trim(GetControl(L"txtFile").text));
  if (Trim(file).empty()) return false;
  GetControl(L"txtFile").text = file;
  if (auto format = FormatOfFile(file))
    for (size_t i = 0; i < kFormats.size(); ++i)
      if (FormatNamed(kFormats[i]) == format) GetControl(L"optFormat").value = static_cast<int>(i);
  return true;
}

void frmSavePic::cmdOk_Click() {
  try {
    if (Trim(GetControl(L"txtFile").text).empty() && !cmdBrowse_Click()) return;
    const int formatIndex = GetControl(L"optFormat").value;
    const std::wstring extension = FormatExtension(*FormatNamed(kFormats.at(formatIndex < 0 ? 0 : formatIndex)));
    const std::wstring typed = GetControl(L"txtFile").text;
    const std::wstring file = PictureFileName(typed, extension);
    const PictureFormat format = *FormatOfFile(file);
    const double dpi = Val(GetControl(L"cmbDpi").text);
    auto selection = Ctx().App->GetSelection();
    Scene scene;
    if (GetControl(L"optScope").value == 0) {
      scene = SelectionScene(*Ctx().App->ActiveDocument(), *selection);
    } else {
      scene = PageScene(*Ctx().App->ActiveDocument(), SelectionPage(*selection));
    }
    const std::wstring error = WritePicture(scene, format, dpi, WideToUtf8(file));
    if (!error.empty()) {
      // The dialog stays open with what was typed, so nothing is lost.
      Ctx().Ui().MsgBox(error, Buttons::OK, L"另存为图片");
      return;
    }
    Ctx().Ui().StatusText(L"图片已保存：" + file);
    Unload();
  } catch (const VbError& e) {
    Ctx().Ui().MsgBox(e.description(), Buttons::OK, L"另存为图片");
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmSavePic.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx::pictures
