#include "ribbon_tree.hpp"

#include <pugixml.hpp>

#include <set>
#include <stdexcept>

#include "common/text.hpp"
#include "connect/ribbon_images.hpp"

namespace plx::oxt {
namespace {

class Reader {
 public:
  explicit Reader(std::string path) : path_(std::move(path)) {}

  std::vector<RibbonGroup> Read() {
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_file(path_.c_str());
    if (!parsed) Fail(std::string("not readable XML: ") + parsed.description());
    pugi::xml_node tabs = doc.child("customUI").child("ribbon").child("tabs");
    if (!tabs) Fail("no <customUI><ribbon><tabs>");
    std::vector<RibbonGroup> groups;
    for (pugi::xml_node tab : tabs.children("tab"))
      for (pugi::xml_node g : tab.children()) {
        if (std::string(g.name()) != "group") Fail(Where(g) + " stands in a tab where only groups can");
        groups.push_back(Group(g));
      }
    if (groups.empty()) Fail("the ribbon has no groups");
    return groups;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const { throw std::runtime_error(path_ + ": " + why); }

  static std::string Where(pugi::xml_node n) {
    std::string id = n.attribute("id").value();
    return "<" + std::string(n.name()) + (id.empty() ? "" : " id=\"" + id + "\"") + ">";
  }

  std::wstring Required(pugi::xml_node n, const char* attribute) const {
    std::wstring value = Utf8ToWide(n.attribute(attribute).value());
    if (Trim(value).empty()) Fail(Where(n) + " has no " + attribute);
    return value;
  }

  RibbonGroup Group(pugi::xml_node g) {
    RibbonGroup group{Required(g, "id"), Required(g, "label"), {}};
    for (pugi::xml_node c : g.children()) {
      std::string kind = c.name();
      if (kind == "button") {
        group.entries.emplace_back(Button(c));
      } else if (kind == "menu") {
        RibbonMenu menu{Required(c, "id"), Required(c, "label"), {}};
        for (pugi::xml_node b : c.children()) {
          if (std::string(b.name()) != "button") Fail(Where(b) + " in menu " + WideToUtf8(menu.id) + " is not a button");
          menu.buttons.push_back(Button(b));
        }
        group.entries.emplace_back(std::move(menu));
      } else {
        Fail(Where(c) + " in group " + WideToUtf8(group.id) + " is neither a button nor a menu");
      }
    }
    return group;
  }

  RibbonButton Button(pugi::xml_node b) {
    RibbonButton button{Required(b, "id"), Required(b, "label"), Utf8ToWide(b.attribute("screentip").value()), L""};
    if (std::string(b.attribute("onAction").value()) != "rxButtonClick")
      Fail(Where(b) + " does not send its press to rxButtonClick");
    if (!seen_.insert(button.id).second) Fail(Where(b) + " uses an identifier a button before it has");
    // Word asks rxGetImage only for buttons that name it; those without a
    // picture of the add-in's own get none there either.
    if (std::string(b.attribute("getImage").value()) == "rxGetImage") button.image = RibbonImageName(button.id);
    return button;
  }

  std::string path_;
  std::set<std::wstring> seen_;
};

}  // namespace

std::vector<RibbonGroup> ReadRibbon(const std::string& path) { return Reader(path).Read(); }

std::vector<RibbonButton> AllButtons(const std::vector<RibbonGroup>& groups) {
  std::vector<RibbonButton> all;
  for (const auto& g : groups)
    for (const auto& e : g.entries) {
      if (const auto* b = std::get_if<RibbonButton>(&e)) all.push_back(*b);
      else for (const auto& mb : std::get<RibbonMenu>(e).buttons) all.push_back(mb);
    }
  return all;
}

}  // namespace plx::oxt
