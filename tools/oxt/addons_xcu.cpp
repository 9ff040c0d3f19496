#include "addons_xcu.hpp"

#include <pugixml.hpp>

#include <sstream>

#include "common/text.hpp"
#include "icons.hpp"

namespace plx::oxt {
namespace {

constexpr char kContext[] = "com.sun.star.text.TextDocument";

// The office lists the members of a configuration set in the order of
// their names, so every generated node is named by its place.
std::string Numbered(char kind, size_t n) {
  const std::string digits = std::to_string(n);
  return kind + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

class Xcu {
 public:
  Xcu(const char* component, const char* package) {
    pugi::xml_node decl = doc_.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    root_ = doc_.append_child("oor:component-data");
    root_.append_attribute("xmlns:oor") = "http://openoffice.org/2001/registry";
    root_.append_attribute("xmlns:xs") = "http://www.w3.org/2001/XMLSchema";
    root_.append_attribute("oor:name") = component;
    root_.append_attribute("oor:package") = package;
  }
  pugi::xml_node Root() const { return root_; }
  std::string Text() const {
    std::ostringstream out;
    doc_.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
  }

 private:
  pugi::xml_document doc_;
  pugi::xml_node root_;
};

pugi::xml_node Node(pugi::xml_node parent, const std::string& name, bool replace = false) {
  pugi::xml_node n = parent.append_child("node");
  n.append_attribute("oor:name") = name.c_str();
  if (replace) n.append_attribute("oor:op") = "replace";
  return n;
}

void Prop(pugi::xml_node node, const char* name, const std::string& value, const char* type = "xs:string") {
  pugi::xml_node p = node.append_child("prop");
  p.append_attribute("oor:name") = name;
  p.append_attribute("oor:type") = type;
  p.append_child("value").text() = value.c_str();
}

std::string Url(const RibbonButton& b) { return kUrlScheme + WideToUtf8(b.id); }

void Command(pugi::xml_node item, const RibbonButton& b) {
  Prop(item, "URL", Url(b));
  Prop(item, "Title", WideToUtf8(b.label));
  Prop(item, "Target", "_self");
  Prop(item, "Context", kContext);
}

void Separator(pugi::xml_node item) { Prop(item, "URL", "private:separator"); }

void Submenu(pugi::xml_node parent, const std::string& name, const std::wstring& title, const std::vector<RibbonButton>& buttons) {
  pugi::xml_node menu = Node(parent, name, true);
  Prop(menu, "Title", WideToUtf8(title));
  Prop(menu, "Context", kContext);
  pugi::xml_node items = Node(menu, "Submenu");
  for (size_t i = 0; i < buttons.size(); ++i) Command(Node(items, Numbered('b', i + 1), true), buttons[i]);
}

void Menu(pugi::xml_node ui, const std::vector<RibbonGroup>& groups) {
  pugi::xml_node top = Node(Node(ui, "OfficeMenuBar"), "org.plendrix.plendrix4word.menu", true);
  Prop(top, "Title", "Plendrix");
  Prop(top, "Context", kContext);
  pugi::xml_node groupItems = Node(top, "Submenu");
  for (size_t g = 0; g < groups.size(); ++g) {
    pugi::xml_node group = Node(groupItems, Numbered('g', g + 1), true);
    Prop(group, "Title", WideToUtf8(groups[g].label));
    Prop(group, "Context", kContext);
    pugi::xml_node items = Node(group, "Submenu");
    // Buttons and drop-down menus share one numbering: their names keep the ribbon's order.
    size_t n = 0;
    for (const auto& entry : groups[g].entries) {
      const std::string name = Numbered('e', ++n);
      if (const auto* b = std::get_if<RibbonButton>(&entry)) Command(Node(items, name, true), *b);
      else Submenu(items, name, std::get<RibbonMenu>(entry).label, std::get<RibbonMenu>(entry).buttons);
    }
  }
}

void Toolbar(pugi::xml_node ui, const std::vector<RibbonGroup>& groups) {
  pugi::xml_node bar = Node(Node(ui, "OfficeToolBar"), kToolbarNode, true);
  size_t n = 0;
  for (size_t g = 0; g < groups.size(); ++g) {
    if (g > 0) Separator(Node(bar, Numbered('t', ++n), true));
    for (const auto& b : AllButtons({groups[g]})) Command(Node(bar, Numbered('t', ++n), true), b);
  }
}

void Images(pugi::xml_node ui, const std::vector<RibbonGroup>& groups) {
  pugi::xml_node images = Node(ui, "Images");
  size_t n = 0;
  for (const auto& b : AllButtons(groups)) {
    if (b.image.empty()) continue;
    pugi::xml_node image = Node(images, Numbered('i', ++n), true);
    Prop(image, "URL", Url(b));
    pugi::xml_node files = Node(image, "UserDefinedImages");
    Prop(files, "ImageSmallURL", "%origin%/icons/" + IconFile(b.image, kIconSizes[0]));
    Prop(files, "ImageBigURL", "%origin%/icons/" + IconFile(b.image, kIconSizes[1]));
  }
}

}  // namespace

std::string AddonsXcu(const std::vector<RibbonGroup>& groups) {
  Xcu xcu("Addons", "org.openoffice.Office");
  pugi::xml_node ui = Node(xcu.Root(), "AddonUI");
  Menu(ui, groups);
  Toolbar(ui, groups);
  Images(ui, groups);
  return xcu.Text();
}

std::string WriterWindowStateXcu() {
  Xcu xcu("WriterWindowState", "org.openoffice.Office.UI");
  pugi::xml_node state = Node(Node(Node(xcu.Root(), "UIElements"), "States"), kToolbarResource, true);
  Prop(state, "UIName", "Plendrix");
  Prop(state, "Docked", "true", "xs:boolean");
  Prop(state, "DockingArea", "0", "xs:int");  // the top of the window
  Prop(state, "Visible", "true", "xs:boolean");
  return xcu.Text();
}

}  // namespace plx::oxt
