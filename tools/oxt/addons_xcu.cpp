#include "addons_xcu.hpp"

#include <pugixml.hpp>

#include <sstream>
#include <stdexcept>

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

std::string Url(const std::wstring& command) { return kUrlScheme + WideToUtf8(command); }

void Command(pugi::xml_node item, const std::wstring& command, const std::wstring& label) {
  Prop(item, "URL", Url(command));
  Prop(item, "Title", WideToUtf8(label));
  Prop(item, "Target", "_self");
  Prop(item, "Context", kContext);
}

void Command(pugi::xml_node item, const RibbonButton& b) { Command(item, b.id, b.label); }

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

void Toolbars(pugi::xml_node ui, const std::vector<Toolbar>& bars) {
  pugi::xml_node all = Node(ui, "OfficeToolBar");
  for (const Toolbar& bar : bars) {
    if (all.find_child_by_attribute("node", "oor:name", bar.node.c_str()))
      throw std::runtime_error("two toolbars are called " + bar.node);
    pugi::xml_node node = Node(all, bar.node, true);
    for (size_t i = 0; i < bar.items.size(); ++i) {
      pugi::xml_node item = Node(node, Numbered('t', i + 1), true);
      if (bar.items[i].command.empty()) Separator(item);
      else Command(item, bar.items[i].command, bar.items[i].label);
    }
  }
}

void Images(pugi::xml_node ui, const std::vector<RibbonGroup>& groups) {
  pugi::xml_node images = Node(ui, "Images");
  size_t n = 0;
  for (const auto& b : AllButtons(groups)) {
    if (b.image.empty()) continue;
    pugi::xml_node image = Node(images, Numbered('i', ++n), true);
    Prop(image, "URL", Url(b.id));
    pugi::xml_node files = Node(image, "UserDefinedImages");
    Prop(files, "ImageSmallURL", "%origin%/icons/" + IconFile(b.image, kIconSizes[0]));
    Prop(files, "ImageBigURL", "%origin%/icons/" + IconFile(b.image, kIconSizes[1]));
  }
}

}  // namespace

std::string AddonsXcu(const std::vector<RibbonGroup>& groups, const std::vector<Toolbar>& bars) {
  Xcu xcu("Addons", "org.openoffice.Office");
  pugi::xml_node ui = Node(xcu.Root(), "AddonUI");
  Menu(ui, groups);
  Toolbars(ui, bars);
  Images(ui, groups);
  return xcu.Text();
}

std::string WriterWindowStateXcu(const std::vector<Toolbar>& bars) {
  Xcu xcu("WriterWindowState", "org.openoffice.Office.UI");
  pugi::xml_node states = Node(Node(xcu.Root(), "UIElements"), "States");
  for (const Toolbar& bar : bars) {
    pugi::xml_node state = Node(states, ToolbarResource(bar.node), true);
    Prop(state, "UIName", WideToUtf8(bar.name));
    Prop(state, "Docked", "true", "xs:boolean");
    Prop(state, "DockingArea", "0", "xs:int");  // the top of the window
    Prop(state, "DockPos", std::to_string(bar.x) + "," + std::to_string(bar.row));
    Prop(state, "Visible", bar.shown ? "true" : "false", "xs:boolean");
  }
  return xcu.Text();
}

}  // namespace plx::oxt
