#include "docif/ooxml/picture_adjust.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace plx::docif::ooxml {
namespace {

constexpr const char* kImgPropsUri = "{BEBA8EAE-BF5A-486C-A8C5-ECC9F3942E4B}";
constexpr const char* kA14 = "http://schemas.microsoft.com/office/drawing/2010/main";

// Percent to the file's thousandths of a percent, limited to ±100 %.
std::string Thousandths(double percent) {
  return std::to_string(std::lround(std::clamp(percent, -100.0, 100.0) * 1000));
}

}  // namespace

PictureEffectList ReadPictureEffects(const pugi::xml_node& blip) {
  PictureEffectList out;
  for (pugi::xml_node ext : blip.child("a:extLst").children("a:ext")) {
    if (std::string(ext.attribute("uri").as_string()) != kImgPropsUri) continue;
    for (pugi::xpath_node n : ext.select_nodes(".//*[local-name()='sharpenSoften']"))
      out.emplace_back(kPictureSharpen, n.node().attribute("amount").as_double() / 1000);
  }
  pugi::xml_node lum = blip.child("a:lum");
  if (auto a = lum.attribute("bright")) out.emplace_back(kPictureBrightness, a.as_double() / 1000);
  if (auto a = lum.attribute("contrast")) out.emplace_back(kPictureContrast, a.as_double() / 1000);
  return out;
}

std::string BlipFillWithEffects(const std::string& blipFill, const PictureEffectList& effects) {
  pugi::xml_document doc;
  if (!doc.load_string(blipFill.c_str(), pugi::parse_default | pugi::parse_ws_pcdata)) return blipFill;
  pugi::xml_node blip = doc.first_child().child("a:blip");
  if (!blip) return blipFill;
  double total[4] = {0, 0, 0, 0};
  bool has[4] = {false, false, false, false};
  for (auto [type, value] : effects) {
    if (type < kPictureSharpen || type > kPictureContrast) continue;
    total[type] += value;
    has[type] = true;
  }
  blip.remove_child("a:lum");
  pugi::xml_node extLst = blip.child("a:extLst");
  for (pugi::xml_node ext = extLst.first_child(); ext;) {
    pugi::xml_node next = ext.next_sibling();
    if (std::string(ext.attribute("uri").as_string()) == kImgPropsUri) extLst.remove_child(ext);
    ext = next;
  }
  if (has[kPictureBrightness] || has[kPictureContrast]) {
    pugi::xml_node lum = extLst ? blip.insert_child_before("a:lum", extLst) : blip.append_child("a:lum");
    if (has[kPictureBrightness]) lum.append_attribute("bright") = Thousandths(total[kPictureBrightness]).c_str();
    if (has[kPictureContrast]) lum.append_attribute("contrast") = Thousandths(total[kPictureContrast]).c_str();
  }
  if (has[kPictureSharpen]) {
    if (!extLst) extLst = blip.append_child("a:extLst");
    pugi::xml_node ext = extLst.append_child("a:ext");
    ext.append_attribute("uri") = kImgPropsUri;
    pugi::xml_node props = ext.append_child("a14:imgProps");
    props.append_attribute("xmlns:a14") = kA14;
    pugi::xml_node layer = props.append_child("a14:imgLayer");
    layer.append_attribute("r:embed") = blip.attribute("r:embed").as_string();
    layer.append_child("a14:imgEffect").append_child("a14:sharpenSoften").append_attribute("amount") =
        Thousandths(total[kPictureSharpen]).c_str();
  }
  if (extLst && !extLst.first_child()) blip.remove_child(extLst);
  std::ostringstream out;
  doc.first_child().print(out, "", pugi::format_raw);
  return out.str();
}

}  // namespace plx::docif::ooxml
