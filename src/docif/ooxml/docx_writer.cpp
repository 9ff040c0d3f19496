#include "docif/ooxml/docx_writer.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>

#include "common/text.hpp"
#include "docif/ooxml/body_writer.hpp"
#include "docif/ooxml/drawing_xml.hpp"
#include "docif/ooxml/format_xml.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/shape_defaults.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

constexpr const char* kXmlHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kRelBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr const char* kDocumentPart = "word/document.xml";
constexpr const char* kDocumentRels = "word/_rels/document.xml.rels";

std::string Print(const pugi::xml_document& doc) {
  std::ostringstream os;
  doc.save(os, "", pugi::format_raw | pugi::format_no_declaration);
  return kXmlHeader + os.str();
}

// Removes an element read from a file, leaves first: the library removes a
// subtree recursively, which a deeply nested element would turn into a
// stack overflow.
void RemoveElement(pugi::xml_node element) {
  pugi::xml_node n = element;
  while (true) {
    while (n.first_child()) n = n.first_child();
    if (n == element) break;
    pugi::xml_node parent = n.parent();
    parent.remove_child(n);
    n = parent;
  }
  element.parent().remove_child(element);
}

// The number an id read from a file starts with (0 when none), at most
// `max`: ids are counted on from the largest, and a huge one must not
// overflow.
long long IdNumber(const char* text, long long max) {
  long long value = std::strtoll(text, nullptr, 10);
  return std::clamp(value, 0LL, max);
}

// Built-in style ids of the model's style names.
std::string BuiltInStyleId(const std::wstring& name) {
  if (name == L"正文") return "Normal";
  if (name == L"标题") return "Title";
  if (StartsWith(name, L"标题 ") && name.size() == 4) return "Heading" + WideToUtf8(name.substr(3));
  return "";
}

std::string FileStyleName(const std::wstring& name) {
  if (name == L"正文") return "Normal";
  if (name == L"标题") return "Title";
  if (StartsWith(name, L"标题 ") && name.size() == 4) return "heading " + WideToUtf8(name.substr(3));
  return WideToUtf8(name);
}

class PackageWriter {
 public:
  explicit PackageWriter(const model::DocData& doc) : doc_(doc), parts_(doc.origin.parts) {
    if (doc.origin.source)
      for (std::string& name : doc.origin.source->Names()) carried_.insert(std::move(name));
  }

  Parts Build() {
    LoadRelationships();
    AssignStyleIds();
    AssignLists();
    DrawingContext drawings;
    drawings.nextDocPrId = NextDocPrId();
    drawings.addImage = [this](const model::InlineObject& o) { return AddImage(o); };
    BodyContext body{doc_, drawings, [this](const std::wstring& n) { return StyleIdOf(n); }, lists_};
    drawings.storyXml = [&](const model::Story& s) { return StoryBlocksXml(body, s, false); };
    const std::string blocks = StoryBlocksXml(body, *doc_.main, true);
    // The main part is the largest by far: made once, in a buffer of its final size.
    const std::string root = RootOpen(), section = SectionXml();
    std::string& main = parts_[kDocumentPart];
    main.clear();
    main.reserve(std::string_view(kXmlHeader).size() + root.size() + blocks.size() + section.size() + 64);
    main.append(kXmlHeader).append(root).append("<w:body>").append(blocks).append(section).append("</w:body></w:document>");
    WriteStyles();
    WriteNumbering();
    WriteSettings();
    WriteRelationships();
    WriteContentTypes();
    return std::move(parts_);
  }

 private:
  // ---- the parts ----
  // Whether the package has the part: written here, or carried across.
  bool Exists(const std::string& name) const { return parts_.count(name) || carried_.count(name); }

  // Loads a part written here or, failing that, the one read.
  bool Load(pugi::xml_document& doc, const std::string& name) {
    auto it = parts_.find(name);
    if (it == parts_.end() && carried_.count(name))
      if (std::optional<std::string> bytes = doc_.origin.source->Read(name)) it = parts_.emplace(name, std::move(*bytes)).first;
    return it != parts_.end() && doc.load_buffer(it->second.data(), it->second.size());
  }

  // ---- relationships and media ----
  void LoadRelationships() {
    if (!Load(rels_, kDocumentRels)) {
      rels_.reset();
      auto root = rels_.append_child("Relationships");
      root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/relationships";
    }
    for (pugi::xml_node r : rels_.child("Relationships").children("Relationship")) {
      std::string id = r.attribute("Id").as_string();
      if (id.rfind("rId", 0) == 0) nextRel_ = std::max(nextRel_, IdNumber(id.c_str() + 3, LLONG_MAX / 2) + 1);
    }
  }

  std::string RelationshipOf(const std::string& type) {
    for (pugi::xml_node r : rels_.child("Relationships").children("Relationship"))
      if (std::string(r.attribute("Type").as_string()) == kRelBase + type) return r.attribute("Target").as_string();
    return "";
  }

  std::string AddRelationship(const std::string& type, const std::string& target) {
    std::string id = "rId" + std::to_string(nextRel_++);
    auto r = rels_.child("Relationships").append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = (kRelBase + type).c_str();
    r.append_attribute("Target") = target.c_str();
    return id;
  }

  std::string AddImage(const model::InlineObject& o) {
    if (!o.relId.empty())
      for (pugi::xml_node r : rels_.child("Relationships").children("Relationship"))
        if (o.relId == r.attribute("Id").as_string()) return o.relId;
    std::string ext = o.contentType == L"image/jpeg" ? "jpeg" : o.contentType == L"image/gif" ? "gif"
                    : o.contentType == L"image/bmp" ? "bmp" : "png";
    std::string name;
    do name = "media/plendrix" + std::to_string(nextMedia_++) + "." + ext;
    while (Exists("word/" + name));
    parts_["word/" + name] = o.bytes;
    extensions_.insert(ext);
    return AddRelationship("image", name);
  }

  uint32_t NextDocPrId() {
    // Drawings kept as read carry their own ids: new ones come after them.
    uint32_t next = 1;
    for (const auto& [id, o] : doc_.objects) {
      size_t pos = 0;
      while ((pos = o.rawXml.find("docPr ", pos)) != std::string::npos) {
        size_t idAt = o.rawXml.find("id=\"", pos);
        if (idAt != std::string::npos) next = std::max(next, static_cast<uint32_t>(IdNumber(o.rawXml.c_str() + idAt + 4, UINT32_MAX - 1)) + 1);
        ++pos;
      }
    }
    return next;
  }

  // ---- styles ----
  void AssignStyleIds() {
    int n = 1;
    for (const auto& s : doc_.styles) {
      std::string id = !s.id.empty() ? WideToUtf8(s.id) : BuiltInStyleId(s.name);
      if (id.empty()) id = "PlendrixStyle" + std::to_string(n++);
      styleIds_[s.name] = id;
    }
  }

  std::string StyleIdOf(const std::wstring& name) {
    auto it = styleIds_.find(name);
    return it == styleIds_.end() ? "" : it->second;
  }

  std::string StyleXml(const model::StyleInfo& s) {
    std::string id = StyleIdOf(s.name);
    std::string out = "<w:style w:type=\"" + std::string(s.type == 2 ? "character" : "paragraph") + "\"";
    if (id == "Normal") out += " w:default=\"1\"";
    out += " w:styleId=\"" + XmlEscape(id) + "\"><w:name w:val=\"" + XmlEscape(FileStyleName(s.name)) + "\"/>";
    if (!s.base.empty() && s.base != s.name) out += "<w:basedOn w:val=\"" + XmlEscape(StyleIdOf(s.base)) + "\"/>";
    out += "<w:qFormat/>";
    if (s.autoUpdate) out += "<w:autoRedefine/>";
    if (s.type != 2) out += "<w:pPr>" + ParagraphPropertiesXml(s.para, "", "", "") + "</w:pPr>";
    return out + RunPropertiesXml(s.font) + "</w:style>";
  }

  void WriteStyles() {
    std::string part = StylesPart();
    pugi::xml_document styles;
    if (!Load(styles, part)) {
      std::string xml = std::string("<w:styles xmlns:w=\"") + kW + "\"><w:docDefaults><w:rPrDefault>" +
                        RunPropertiesXml(model::CharFormat{}) + "</w:rPrDefault><w:pPrDefault><w:pPr/></w:pPrDefault></w:docDefaults>";
      for (const auto& s : doc_.styles) xml += StyleXml(s);
      parts_[part] = kXmlHeader + xml + "</w:styles>";
      return;
    }
    pugi::xml_node root = styles.child("w:styles");
    for (const auto& s : doc_.styles) {
      std::string id = StyleIdOf(s.name);
      pugi::xml_node existing = root.find_child_by_attribute("w:style", "w:styleId", id.c_str());
      if (existing && !s.dirty) continue;
      pugi::xml_document fresh;
      std::string xml = std::string("<x xmlns:w=\"") + kW + "\">" + StyleXml(s) + "</x>";
      fresh.load_buffer(xml.data(), xml.size());
      pugi::xml_node node = fresh.first_child().first_child();
      if (existing) root.insert_copy_after(node, existing), RemoveElement(existing);
      else root.append_copy(node);
    }
    parts_[part] = Print(styles);
  }

  std::string StylesPart() {
    std::string target = RelationshipOf("styles");
    if (target.empty()) {
      AddRelationship("styles", "styles.xml");
      target = "styles.xml";
    }
    return "word/" + target;
  }

  // ---- numbering ----
  void AssignLists() {
    pugi::xml_document numbering;
    std::string target = RelationshipOf("numbering");
    int nextNum = 1, nextAbstract = 0;
    if (!target.empty() && Load(numbering, "word/" + target)) {
      for (pugi::xml_node n : numbering.child("w:numbering").children("w:num"))
        nextNum = std::max(nextNum, n.attribute("w:numId").as_int() + 1);
      for (pugi::xml_node a : numbering.child("w:numbering").children("w:abstractNum"))
        nextAbstract = std::max(nextAbstract, a.attribute("w:abstractNumId").as_int() + 1);
    }
    for (size_t i = 0; i < doc_.lists.size(); ++i) {
      const model::ListInstance& li = doc_.lists[i];
      int id = static_cast<int>(i + 1);
      if (li.sourceNumId > 0) {
        lists_[id] = {li.sourceNumId, li.sourceLevel};
        continue;
      }
      lists_[id] = {nextNum, 0};
      newLists_.push_back({nextNum++, nextAbstract++, &li});
    }
  }

  void WriteNumbering() {
    if (newLists_.empty()) return;
    std::string target = RelationshipOf("numbering");
    if (target.empty()) {
      AddRelationship("numbering", "numbering.xml");
      target = "numbering.xml";
    }
    pugi::xml_document numbering;
    if (!Load(numbering, "word/" + target)) {
      std::string xml = std::string("<w:numbering xmlns:w=\"") + kW + "\"/>";
      numbering.load_buffer(xml.data(), xml.size());
    }
    pugi::xml_node root = numbering.child("w:numbering");
    pugi::xml_node firstNum = root.child("w:num");
    for (const NewList& l : newLists_) {
      static const char* formats[] = {"decimal", "upperRoman", "lowerRoman", "upperLetter", "lowerLetter"};
      const char* fmt = l.list->numberStyle >= 0 && l.list->numberStyle <= 4 ? formats[l.list->numberStyle] : "decimal";
      std::string xml = std::string("<x xmlns:w=\"") + kW + "\"><w:abstractNum w:abstractNumId=\"" +
                        std::to_string(l.abstractId) + "\"><w:multiLevelType w:val=\"singleLevel\"/>" +
                        "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"" + fmt + "\"/><w:lvlText w:val=\"" +
                        XmlEscape(l.list->numberFormat) + "\"/><w:lvlJc w:val=\"left\"/>" +
                        "<w:pPr><w:ind w:left=\"" + std::to_string(Twips(model::kListTextStep)) + "\" w:hanging=\"" +
                        std::to_string(Twips(model::kListTextStep)) + "\"/></w:pPr></w:lvl></w:abstractNum>" +
                        "<w:num w:numId=\"" + std::to_string(l.numId) + "\"><w:abstractNumId w:val=\"" +
                        std::to_string(l.abstractId) + "\"/></w:num></x>";
      pugi::xml_document fresh;
      fresh.load_buffer(xml.data(), xml.size());
      pugi::xml_node abstractNum = fresh.first_child().child("w:abstractNum");
      // Every abstract definition stands before the first num.
      if (firstNum) root.insert_copy_before(abstractNum, firstNum);
      else root.append_copy(abstractNum);
      root.append_copy(fresh.first_child().child("w:num"));
    }
    parts_["word/" + target] = Print(numbering);
  }

  // ---- settings ----
  void WriteSettings() {
    std::string target = RelationshipOf("settings");
    if (target.empty()) {
      AddRelationship("settings", "settings.xml");
      target = "settings.xml";
    }
    pugi::xml_document settings;
    if (!Load(settings, "word/" + target)) {
      std::string xml = std::string("<w:settings xmlns:w=\"") + kW +
                        "\"><w:zoom w:percent=\"100\"/><w:defaultTabStop w:val=\"420\"/>"
                        "<w:characterSpacingControl w:val=\"compressPunctuation\"/></w:settings>";
      settings.load_buffer(xml.data(), xml.size());
    }
    pugi::xml_node root = settings.child("w:settings");
    // These three stand right after the view settings, in this order.
    const char* names[] = {"w:embedTrueTypeFonts", "w:embedSystemFonts", "w:saveSubsetFonts"};
    bool wanted[] = {doc_.embedFonts, doc_.embedFonts && !doc_.noSystemFonts, doc_.embedFonts && doc_.subsetFonts};
    for (const char* n : names)
      while (pugi::xml_node c = root.child(n)) RemoveElement(c);
    pugi::xml_node after;
    for (const char* n : {"w:writeProtection", "w:view", "w:zoom", "w:removePersonalInformation",
                          "w:removeDateAndTime", "w:doNotDisplayPageBoundaries", "w:displayBackgroundShape",
                          "w:printPostScriptOverText", "w:printFractionalCharacterWidth", "w:printFormsData"})
      if (pugi::xml_node c = root.child(n)) after = c;
    for (int i = 2; i >= 0; --i) {
      if (!wanted[i]) continue;
      if (after) root.insert_child_after(names[i], after);
      else root.prepend_child(names[i]);
    }
    WriteShapeDefaults(root, doc_);
    parts_["word/" + target] = Print(settings);
  }

  // ---- the package's lists ----
  void WriteRelationships() {
    parts_[kDocumentRels] = Print(rels_);
    if (!Exists("_rels/.rels"))
      parts_["_rels/.rels"] = std::string(kXmlHeader) +
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" + kRelBase + "officeDocument\" Target=\"word/document.xml\"/>"
          "</Relationships>";
  }

  void WriteContentTypes() {
    pugi::xml_document types;
    if (!Load(types, "[Content_Types].xml")) {
      std::string xml = "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
      types.load_buffer(xml.data(), xml.size());
    }
    pugi::xml_node root = types.child("Types");
    for (const std::string& ext : extensions_) {
      if (root.find_child_by_attribute("Default", "Extension", ext.c_str())) continue;
      pugi::xml_node d = root.prepend_child("Default");
      d.append_attribute("Extension") = ext.c_str();
      d.append_attribute("ContentType") = ("image/" + ext).c_str();
    }
    const std::string wml = "application/vnd.openxmlformats-officedocument.wordprocessingml.";
    std::vector<std::pair<std::string, std::string>> overrides = {
        {"/word/document.xml", wml + "document.main+xml"}};
    for (const char* type : {"styles", "settings", "numbering"}) {
      std::string target = RelationshipOf(type);
      if (!target.empty()) overrides.push_back({"/word/" + target, wml + type + "+xml"});
    }
    for (const auto& [part, type] : overrides) {
      if (root.find_child_by_attribute("Override", "PartName", part.c_str())) continue;
      pugi::xml_node o = root.append_child("Override");
      o.append_attribute("PartName") = part.c_str();
      o.append_attribute("ContentType") = type.c_str();
    }
    parts_["[Content_Types].xml"] = Print(types);
  }

  std::string RootOpen() {
    std::string root = doc_.origin.rootOpen;
    if (root.empty())
      root = "<w:document xmlns:w=\"" + std::string(kW) +
             "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    if (root.find("xmlns:w=") == std::string::npos) root.insert(root.size() - 1, std::string(" xmlns:w=\"") + kW + "\"");
    if (root.find("xmlns:m=") == std::string::npos)
      root.insert(root.size() - 1, std::string(" xmlns:m=\"") + kMathNamespace + "\"");
    return root;
  }

  std::string SectionXml() {
    const PageSetup& p = doc_.page;
    pugi::xml_document sect;
    std::string xml = doc_.origin.sectPr.empty()
        ? "<w:sectPr><w:pgSz/><w:pgMar w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/><w:cols w:space=\"425\"/>"
          "<w:docGrid w:type=\"lines\" w:linePitch=\"312\"/></w:sectPr>"
        : doc_.origin.sectPr;
    std::string wrapped = std::string("<x xmlns:w=\"") + kW + "\">" + xml + "</x>";
    if (!sect.load_buffer(wrapped.data(), wrapped.size())) return "";
    pugi::xml_node s = sect.first_child().first_child();
    auto set = [](pugi::xml_node n, const char* name, long value) {
      pugi::xml_attribute a = n.attribute(name);
      if (!a) a = n.append_attribute(name);
      a = std::to_string(value).c_str();
    };
    pugi::xml_node sz = s.child("w:pgSz") ? s.child("w:pgSz") : s.prepend_child("w:pgSz");
    set(sz, "w:w", Twips(p.PageWidth));
    set(sz, "w:h", Twips(p.PageHeight));
    pugi::xml_node mar = s.child("w:pgMar") ? s.child("w:pgMar") : s.insert_child_after("w:pgMar", sz);
    set(mar, "w:top", Twips(p.TopMargin));
    set(mar, "w:bottom", Twips(p.BottomMargin));
    set(mar, "w:left", Twips(p.LeftMargin));
    set(mar, "w:right", Twips(p.RightMargin));
    std::ostringstream os;
    s.print(os, "", pugi::format_raw);
    std::string out = os.str();
    // The element was parsed inside a wrapper; drop the namespace it copied.
    size_t ns = out.find(std::string(" xmlns:w=\"") + kW + "\"");
    if (ns != std::string::npos) out.erase(ns, std::string(" xmlns:w=\"").size() + std::string(kW).size() + 1);
    return out;
  }

  struct NewList {
    int numId, abstractId;
    const model::ListInstance* list;
  };

  const model::DocData& doc_;
  Parts parts_;
  std::set<std::string> carried_;  // the parts of the package the document was read from
  pugi::xml_document rels_;
  long long nextRel_ = 1;
  int nextMedia_ = 1;
  std::set<std::string> extensions_;
  std::map<std::wstring, std::string> styleIds_;
  std::map<int, std::pair<int, int>> lists_;
  std::vector<NewList> newLists_;
};

}  // namespace

Parts BuildDocx(const model::DocData& doc) { return PackageWriter(doc).Build(); }

void SaveDocx(const model::DocData& doc, const std::wstring& path) {
  WritePackage(WideToUtf8(path), BuildDocx(doc), doc.origin.source.get());
}

}  // namespace plx::docif::ooxml
