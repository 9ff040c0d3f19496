#include "docif/ooxml/shape_defaults.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/text.hpp"

namespace plx::docif::ooxml {
namespace {

constexpr const char* kLineVariable = "plendrixLineDefault";

// Elements of the settings that come after w:docVars and after
// w:shapeDefaults, in schema order (extensions of later versions follow
// everything).
const char* const kAfterDocVars[] = {"w:rsids", "m:mathPr", "w:attachedSchema", "w:themeFontLang",
                                     "w:clrSchemeMapping", "w:doNotIncludeSubdocsInStats",
                                     "w:doNotAutoCompressPictures", "w:forceUpgrade", "w:captions",
                                     "w:readModeInkLockDown", "w:smartTagType", "sl:schemaLibrary",
                                     "w:shapeDefaults", "w:doNotEmbedSmartTags", "w:decimalSymbol",
                                     "w:listSeparator"};
const char* const kAfterShapeDefaults[] = {"w:doNotEmbedSmartTags", "w:decimalSymbol", "w:listSeparator"};

bool Extension(const char* name) { return std::strncmp(name, "w:", 2) != 0 && std::strchr(name, ':'); }

// Inserts a new child before the first child named in `later` (or any
// extension element), else at the end.
template <size_t N>
pugi::xml_node InsertBefore(pugi::xml_node root, const char* name, const char* const (&later)[N]) {
  for (pugi::xml_node c : root.children()) {
    for (const char* l : later)
      if (std::strcmp(c.name(), l) == 0) return root.insert_child_before(name, c);
    if (Extension(c.name()) && std::strcmp(c.name(), "m:mathPr") != 0 && std::strcmp(c.name(), "sl:schemaLibrary") != 0)
      return root.insert_child_before(name, c);
  }
  return root.append_child(name);
}

std::string Hex(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return buf;
}

std::optional<uint32_t> FromHex(const char* text) {
  if (!text || text[0] != '#' || std::strlen(text) != 7) return std::nullopt;
  char* end = nullptr;
  unsigned long v = std::strtoul(text + 1, &end, 16);
  if (*end) return std::nullopt;
  return static_cast<uint32_t>(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
}

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

void Declare(pugi::xml_node root, const char* prefix, const char* uri) {
  std::string name = std::string("xmlns:") + prefix;
  if (!root.attribute(name.c_str())) root.append_attribute(name.c_str()) = uri;
}

void RemoveLineVariable(pugi::xml_node root) {
  pugi::xml_node vars = root.child("w:docVars");
  for (pugi::xml_node v = vars.first_child(); v;) {
    pugi::xml_node next = v.next_sibling();
    if (std::string(v.attribute("w:name").as_string()) == kLineVariable) vars.remove_child(v);
    v = next;
  }
  if (vars && !vars.first_child()) root.remove_child(vars);
}

}  // namespace

void WriteShapeDefaults(pugi::xml_node root, const model::DocData& doc) {
  RemoveLineVariable(root);
  if (doc.defaultLine) {
    pugi::xml_node vars = root.child("w:docVars");
    if (!vars) vars = InsertBefore(root, "w:docVars", kAfterDocVars);
    const LineFormat& l = *doc.defaultLine;
    std::string value = std::string(l.Visible.value_or(true) ? "1" : "0") + ";" + Number(l.Weight.value_or(0.75)) +
                        ";" + std::to_string(l.ForeColor.value_or(0));
    pugi::xml_node v = vars.append_child("w:docVar");
    v.append_attribute("w:name") = kLineVariable;
    v.append_attribute("w:val") = value.c_str();
  }
  if (!doc.defaultShape) return;
  root.remove_child("w:shapeDefaults");
  Declare(root, "o", "urn:schemas-microsoft-com:office:office");
  Declare(root, "v", "urn:schemas-microsoft-com:vml");
  const model::ShapeDefault& d = *doc.defaultShape;
  pugi::xml_node defaults = InsertBefore(root, "w:shapeDefaults", kAfterShapeDefaults);
  pugi::xml_node o = defaults.append_child("o:shapedefaults");
  o.append_attribute("v:ext") = "edit";
  o.append_attribute("spidmax") = "2049";
  o.append_attribute("fillcolor") = Hex(d.fill.ForeColor.value_or(0xFFFFFF)).c_str();
  o.append_attribute("filled") = d.fill.Visible.value_or(true) ? "t" : "f";
  o.append_attribute("strokecolor") = Hex(d.line.ForeColor.value_or(0)).c_str();
  o.append_attribute("strokeweight") = (Number(d.line.Weight.value_or(0.75)) + "pt").c_str();
  o.append_attribute("stroked") = d.line.Visible.value_or(true) ? "t" : "f";
}

void ReadShapeDefaults(const pugi::xml_node& root, model::DocData& doc) {
  for (pugi::xml_node v : root.child("w:docVars").children("w:docVar")) {
    if (std::string(v.attribute("w:name").as_string()) != kLineVariable) continue;
    auto parts = Split(Utf8ToWide(v.attribute("w:val").as_string()), L";");
    if (parts.size() != 3) continue;
    LineFormat l;
    l.Visible = parts[0] != L"0";
    l.Weight = std::wcstod(parts[1].c_str(), nullptr);
    l.ForeColor = static_cast<uint32_t>(std::wcstoul(parts[2].c_str(), nullptr, 10));
    doc.defaultLine = l;
  }
  pugi::xml_node o = root.child("w:shapeDefaults").child("o:shapedefaults");
  if (!o || !o.attribute("fillcolor")) return;
  model::ShapeDefault d;
  d.fill.ForeColor = FromHex(o.attribute("fillcolor").value());
  d.fill.Visible = std::string(o.attribute("filled").as_string("t")) != "f";
  d.line.ForeColor = FromHex(o.attribute("strokecolor").value());
  d.line.Weight = std::atof(o.attribute("strokeweight").as_string("0.75"));
  d.line.Visible = std::string(o.attribute("stroked").as_string("t")) != "f";
  doc.defaultShape = d;
}

}  // namespace plx::docif::ooxml
