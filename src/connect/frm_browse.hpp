#pragma once
// The news window opened by the once-a-day step: modeless; it closes itself
// at once when the computer is offline, otherwise it shows the product's
// news page in a silent, slightly transparent web view.
#include <string>

#include "addin/form.hpp"

namespace plx {

class frmBrowse final : public Form {
 public:
  explicit frmBrowse(AddinContext& ctx) : Form(ctx, L"frmBrowse") {}
  DialogLayout Layout() const override;

  // Alpha of the layered window (255 is opaque).
  int Opacity() const { return opacity_; }
  bool Silent() const { return silent_; }
  const std::wstring& Address() const { return address_; }

 protected:
  void Form_Load() override;

 private:
  int opacity_ = 255;
  bool silent_ = false;
  std::wstring address_;
};

}  // namespace plx
