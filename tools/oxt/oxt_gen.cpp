// Build-time helper that makes the extension's generated files from the
// ribbon definition and the button bitmaps:
//   plendrix_oxt_gen RIBBON.xml IMG_DIR OUT_DIR
// writes OUT_DIR/Addons.xcu, OUT_DIR/WriterWindowState.xcu and the PNG
// pictures in OUT_DIR/icons/.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "addons_xcu.hpp"
#include "icons.hpp"
#include "legacy_bars.hpp"
#include "ribbon_tree.hpp"
#include "toolbars.hpp"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: plendrix_oxt_gen RIBBON.xml IMG_DIR OUT_DIR\n";
    return 2;
  }
  try {
    const std::filesystem::path out = argv[3];
    const auto groups = plx::oxt::ReadRibbon(argv[1]);
    std::filesystem::create_directories(out / "icons");
    auto bars = plx::oxt::GroupToolbars(groups);
    bars.push_back(plx::oxt::WideToolbar(groups));
    for (auto& bar : plx::oxt::LegacyToolbars(groups)) bars.push_back(std::move(bar));
    plx::oxt::PlaceInRows(bars);
    WriteText(out / "Addons.xcu", plx::oxt::AddonsXcu(groups, bars));
    WriteText(out / "WriterWindowState.xcu", plx::oxt::WriterWindowStateXcu(bars));
    plx::oxt::WriteIcons(plx::oxt::AllButtons(groups), argv[2], (out / "icons").string());
  } catch (const std::exception& e) {
    std::cerr << "plendrix_oxt_gen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
