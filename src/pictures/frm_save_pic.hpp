#pragma once
// "另存为图片": the selection, or the page holding it, saved as a picture.
// Controls: `optFormat` (PNG, JPEG, BMP, EMF, WMF, SVG, PDF), `optScope`
// (0 the selection, 1 the page), `cmbDpi` (resolution of the raster
// formats), `txtFile` (the file; the format's extension is added when the
// name has none), `cmdBrowse` (the save chooser for the file; the chosen
// file's extension picks the format), `cmdOk` (with no file name it opens
// the save chooser first), `cmdCancel`.
#include <string>

#include "addin/form.hpp"

namespace plx::pictures {

class frmSavePic : public Form {
 public:
  explicit frmSavePic(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOk_Click();
  // Asks for the file through the save chooser; false when cancelled.
  bool cmdBrowse_Click();

 private:
  void Form_Load() override;
};

// The file name the dialog saves to: the typed name, with the format's
// extension added when it has none.
std::wstring PictureFileName(const std::wstring& typed, const std::wstring& extension);

}  // namespace plx::pictures
