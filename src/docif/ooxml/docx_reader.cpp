#include "docif/ooxml/docx_reader.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/ooxml/floating_read.hpp"
#include "docif/ooxml/format_xml.hpp"
#include "docif/ooxml/inline_picture.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/xml_text.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "docif/ooxml/shape_defaults.hpp"

namespace plx::docif::ooxml {
namespace {

using model::CharCell;
using model::CharFormat;
using model::DocData;
using model::InlineObject;
using model::ParaFormat;

constexpr int kBadFile = 5792;

// Containers inside containers (content controls, smart tags, simple
// fields) nest at most this deep; real documents stay far below it.
constexpr int kMaxNesting = 64;

[[noreturn]] void NotADocument(const std::wstring& path, const std::wstring& why) {
  Raise(kBadFile, L"“" + path + L"”不是有效的 Word 文档（" + why + L"）。");
}

// The character of a w:sym: up to four hexadecimal digits naming a
// character that is neither a control character nor half of a pair.
std::optional<wchar_t> SymbolCharacter(const std::string& hex) {
  if (hex.empty() || hex.size() > 4 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return std::nullopt;
  unsigned long code = std::strtoul(hex.c_str(), nullptr, 16);
  if (code < 0x20 || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  return static_cast<wchar_t>(code);
}

std::string Raw(const pugi::xml_node& n) {
  std::ostringstream os;
  n.print(os, "", pugi::format_raw);
  return os.str();
}

bool Load(pugi::xml_document& doc, const std::string& bytes) {
  return static_cast<bool>(doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single));
}

// "word/" + "media/image1.png" with "../" resolved.
std::string ResolveTarget(const std::string& base, const std::string& target) {
  if (!target.empty() && target[0] == '/') return target.substr(1);
  std::filesystem::path p = std::filesystem::path(base) / target;
  return p.lexically_normal().generic_string();
}

struct StyleDef {
  std::wstring name;
  std::string basedOn;
  std::string type;
  pugi::xml_node rPr, pPr;
};

class Reader {
 public:
  Reader(DocData& doc, std::shared_ptr<const model::PackageSource> source, std::wstring path)
      : doc_(doc), source_(std::move(source)), path_(std::move(path)) {}

  void Run() {
    std::string mainPart = MainPart();
    // The main part, the largest by far, is parsed in its own buffer: saving
    // writes it anew, so it is not kept with the parts read.
    std::optional<std::string> main = source_->Read(mainPart);
    if (!main) NotADocument(path_, L"缺少正文部件");
    mainBytes_ = std::move(*main);
    if (!main_.load_buffer_inplace(mainBytes_.data(), mainBytes_.size(),
                                   pugi::parse_default | pugi::parse_ws_pcdata_single))
      NotADocument(path_, L"正文不是有效的 XML");
    pugi::xml_node root = main_.child("w:document");
    pugi::xml_node body = root.child("w:body");
    if (!root || !body) NotADocument(path_, L"缺少 w:body");
    // The root's opening tag, with its namespaces, written from what was
    // parsed: a '>' may stand inside an attribute value.
    doc_.origin.rootOpen = "<" + std::string(root.name());
    for (pugi::xml_attribute a : root.attributes())
      doc_.origin.rootOpen += " " + std::string(a.name()) + "=\"" + XmlEscape(std::string(a.value())) + "\"";
    doc_.origin.rootOpen += ">";
    Part("[Content_Types].xml");  // saving edits it
    ReadRelationships(mainPart);
    ReadStyles();
    ReadNumbering();
    ReadSettings();
    StartFloatingShapes(body);
    for (pugi::xml_node c : body.children()) Block(c, 0);
    while (!openFields_.empty()) CloseField();
    EndWithParagraphMark();
    doc_.main->Assign(std::move(text_), std::move(cells_));
    for (auto& [name, span] : bookmarks_) doc_.bookmarks[name] = doc_.main->MakeAnchor(span.first, span.second);
    floating_->Finish(doc_);
    TextBoxEquations();
    for (const auto& eq : equations_)
      doc_.equations.push_back(std::make_shared<model::Equation>(
          model::Equation{doc_.main, doc_.main->MakeAnchor(eq.start, eq.end), eq.builtUp}));
    doc_.origin.source = source_;
    doc_.origin.parts = std::move(read_);
    doc_.fullName = path_;
    doc_.saved = true;
  }

 private:
  // A part inflated when first asked for and kept: the XML parts that
  // reading uses are those that saving edits.
  const std::string* Part(const std::string& name) {
    if (auto it = read_.find(name); it != read_.end()) return &it->second;
    std::optional<std::string> bytes = source_->Read(name);
    if (!bytes) return nullptr;
    return &(read_[name] = std::move(*bytes));
  }

  std::string MainPart() {
    pugi::xml_document rels;
    const std::string* bytes = Part("_rels/.rels");
    if (bytes && Load(rels, *bytes))
      for (pugi::xml_node r : rels.child("Relationships").children("Relationship"))
        if (std::string(r.attribute("Type").as_string()).ends_with("/officeDocument"))
          return ResolveTarget("", r.attribute("Target").as_string());
    return "word/document.xml";
  }

  void ReadRelationships(const std::string& mainPart) {
    base_ = std::filesystem::path(mainPart).parent_path().generic_string();
    std::string relsName = base_ + "/_rels/" + std::filesystem::path(mainPart).filename().string() + ".rels";
    pugi::xml_document rels;
    const std::string* bytes = Part(relsName);
    if (!bytes || !Load(rels, *bytes)) return;
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship")) {
      std::string type = r.attribute("Type").as_string();
      std::string target = ResolveTarget(base_, r.attribute("Target").as_string());
      relTargets_[r.attribute("Id").as_string()] = target;
      if (type.ends_with("/styles")) stylesPart_ = target;
      if (type.ends_with("/numbering")) numberingPart_ = target;
      if (type.ends_with("/settings")) settingsPart_ = target;
    }
  }

  // A story ends with a paragraph mark: its last paragraph gives it, or one
  // is added after a closing table.
  void EndWithParagraphMark() {
    if (!text_.empty() && text_.back() == model::kParagraphMark) return;
    CharCell last = cells_.empty() ? CharCell{} : cells_.back();
    last.table = last.object = 0;
    last.paragraph = doc_.paraFormats.Intern(StylePara(defaultStyle_));
    Append(model::kParagraphMark, last);
  }

  // ---- floating drawings ----
  // Shapes are placed against the page set-up, which the body's final
  // section properties give: they are read first.
  void StartFloatingShapes(const pugi::xml_node& body) {
    if (pugi::xml_node sectPr = body.child("w:sectPr")) Section(sectPr);
    DrawingSource src;
    src.page = doc_.page;
    for (const std::string& name : source_->Names())
      if (name.starts_with("word/theme/") && name.ends_with(".xml")) {
        if (const std::string* theme = Part(name)) src.themeColours = ThemeColours(*theme);
        break;
      }
    src.textBox = [this](const pugi::xml_node& content) { return TextBoxStory(content); };
    src.picture = [this](const std::string& relId) {
      InlineObject o;
      return PictureData(relId, o) ? std::optional<InlineObject>(std::move(o)) : std::nullopt;
    };
    floating_ = std::make_unique<FloatingShapes>(std::move(src));
  }

  // A text box's paragraphs, read as the body's are into a story of their own.
  std::shared_ptr<model::Story> TextBoxStory(const pugi::xml_node& content) {
    std::wstring text;
    std::vector<CharCell> cells;
    std::vector<OpenFieldMarks> fields;
    uint32_t table = table_;
    std::swap(text, text_);
    std::swap(cells, cells_);
    std::swap(fields, openFields_);
    std::vector<EquationSpan> equations;
    std::swap(equations, equations_);
    for (pugi::xml_node c : content.children()) Block(c, 0);
    while (!openFields_.empty()) CloseField();
    EndWithParagraphMark();
    auto story = std::make_shared<model::Story>();
    story->Assign(std::move(text_), std::move(cells_));
    for (const auto& eq : equations_) textBoxEquations_.push_back({story, eq});
    text_ = std::move(text);
    cells_ = std::move(cells);
    openFields_ = std::move(fields);
    equations_ = std::move(equations);
    table_ = table;
    return story;
  }

  // Equations of the text boxes that became shapes (a drawing that could
  // not be read drops its text box).
  void TextBoxEquations() {
    auto stories = doc_.Stories();
    for (const auto& [story, eq] : textBoxEquations_)
      if (std::find(stories.begin(), stories.end(), story) != stories.end())
        doc_.equations.push_back(std::make_shared<model::Equation>(
            model::Equation{story, story->MakeAnchor(eq.start, eq.end), eq.builtUp}));
  }

  // The picture a relationship names, when the package has its data. A
  // part is inflated once however many pictures show it; each picture
  // holds its own copy, and the copies count against the limit the
  // package's parts have, so a part shown many times cannot take the
  // memory a package may not.
  bool PictureData(const std::string& relId, InlineObject& o) {
    auto t = relTargets_.find(relId);
    if (t == relTargets_.end()) return false;
    auto cached = pictures_.find(t->second);
    if (cached == pictures_.end()) {
      std::optional<std::string> bytes = source_->Read(t->second);
      if (!bytes) return false;
      cached = pictures_.emplace(t->second, std::move(*bytes)).first;
    }
    pictureBytes_ += cached->second.size();
    if (pictureBytes_ > kMaxInflatedSize)
      NotADocument(path_, L"图片共超过 " + std::to_wstring(kMaxInflatedSize >> 20) + L" MB");
    o.type = kInlineShapePicture;
    o.relId = relId;
    o.bytes = cached->second;
    o.contentType = model::ReadPictureInfo(o.bytes).contentType;
    return true;
  }

  // ---- styles ----
  void ReadStyles() {
    const std::string* bytes = Part(stylesPart_);
    if (bytes && Load(styles_, *bytes)) {
      pugi::xml_node root = styles_.child("w:styles");
      pugi::xml_node defaults = root.child("w:docDefaults");
      defaultRun_ = defaults.child("w:rPrDefault").child("w:rPr");
      defaultPara_ = defaults.child("w:pPrDefault").child("w:pPr");
      for (pugi::xml_node s : root.children("w:style")) {
        StyleDef d;
        d.type = s.attribute("w:type").as_string("paragraph");
        d.name = Utf8ToWide(s.child("w:name").attribute("w:val").as_string(s.attribute("w:styleId").as_string()));
        d.basedOn = s.child("w:basedOn").attribute("w:val").as_string();
        d.rPr = s.child("w:rPr");
        d.pPr = s.child("w:pPr");
        std::string id = s.attribute("w:styleId").as_string();
        if (d.type == "paragraph" && s.attribute("w:default").as_bool()) defaultStyle_ = id;
        styleDefs_[id] = d;
      }
    }
    // The model's styles become the file's paragraph styles.
    std::vector<model::StyleInfo> builtIns = doc_.styles;
    doc_.styles.clear();
    for (const auto& [id, d] : styleDefs_) {
      if (d.type != "paragraph") continue;
      model::StyleInfo s;
      s.id = Utf8ToWide(id);
      s.name = ModelStyleName(d.name);
      s.font = StyleChar(id);
      s.para = StylePara(id);
      if (!d.basedOn.empty() && styleDefs_.count(d.basedOn)) s.base = ModelStyleName(styleDefs_[d.basedOn].name);
      if (!doc_.FindStyle(s.name)) doc_.styles.push_back(s);
    }
    for (const auto& b : builtIns)
      if (!doc_.FindStyle(b.name)) doc_.styles.push_back(b);
  }

  // The style chain from its root to `id` (cycles and depth guarded).
  std::vector<const StyleDef*> Chain(const std::string& id) {
    std::vector<const StyleDef*> chain;
    std::string cur = id;
    for (int depth = 0; depth < 32 && !cur.empty(); ++depth) {
      auto it = styleDefs_.find(cur);
      if (it == styleDefs_.end()) break;
      chain.insert(chain.begin(), &it->second);
      cur = it->second.basedOn;
    }
    return chain;
  }

  CharFormat StyleChar(const std::string& id) {
    if (auto it = charCache_.find(id); it != charCache_.end()) return it->second;
    CharFormat f;
    f.ascii = L"Times New Roman";
    f.farEast = L"宋体";
    f.size = 10;
    ApplyRunProperties(defaultRun_, f, false);
    for (const StyleDef* d : Chain(id)) ApplyRunProperties(d->rPr, f, false);
    return charCache_[id] = f;
  }

  ParaFormat StylePara(const std::string& id) {
    if (auto it = paraCache_.find(id); it != paraCache_.end()) return it->second;
    ParaFormat p;
    p.alignment = kAlignLeft;
    ApplyParagraphProperties(defaultPara_, p, false);
    for (const StyleDef* d : Chain(id)) ApplyParagraphProperties(d->pPr, p, false);
    auto it = styleDefs_.find(id);
    p.style = it != styleDefs_.end() ? ModelStyleName(it->second.name) : L"正文";
    return paraCache_[id] = p;
  }

  // ---- numbering ----
  void ReadNumbering() {
    const std::string* bytes = Part(numberingPart_);
    if (!bytes || !Load(numbering_, *bytes)) return;
    pugi::xml_node root = numbering_.child("w:numbering");
    std::map<std::string, pugi::xml_node> abstracts;
    for (pugi::xml_node a : root.children("w:abstractNum")) abstracts[a.attribute("w:abstractNumId").as_string()] = a;
    for (pugi::xml_node n : root.children("w:num")) {
      auto a = abstracts.find(n.child("w:abstractNumId").attribute("w:val").as_string());
      if (a != abstracts.end()) nums_[n.attribute("w:numId").as_int()] = a->second;
    }
  }

  int ListId(int numId, int level) {
    if (numId <= 0) return 0;
    auto key = std::make_pair(numId, level);
    if (auto it = lists_.find(key); it != lists_.end()) return it->second;
    model::ListInstance li;
    li.sourceNumId = numId;
    li.sourceLevel = level;
    li.numberFormat = L"%1.";
    if (auto a = nums_.find(numId); a != nums_.end()) {
      for (pugi::xml_node lvl : a->second.children("w:lvl")) {
        if (lvl.attribute("w:ilvl").as_int() != level) continue;
        li.numberFormat = Replace(Utf8ToWide(lvl.child("w:lvlText").attribute("w:val").as_string("%1.")),
                                  L"%" + std::to_wstring(level + 1), L"%1");
        std::string fmt = lvl.child("w:numFmt").attribute("w:val").as_string("decimal");
        li.numberStyle = fmt == "upperLetter" ? 3 : fmt == "lowerLetter" ? 4 : fmt == "upperRoman" ? 1
                       : fmt == "lowerRoman" ? 2 : fmt == "bullet" ? 23 : 0;
      }
    }
    doc_.lists.push_back(li);
    return lists_[key] = static_cast<int>(doc_.lists.size());
  }

  void ReadSettings() {
    pugi::xml_document settings;
    const std::string* bytes = Part(settingsPart_);
    if (!bytes || !Load(settings, *bytes)) return;
    pugi::xml_node root = settings.child("w:settings");
    auto on = [&](const char* name) {
      pugi::xml_node n = root.child(name);
      return n && std::string(n.attribute("w:val").as_string("true")) != "false" &&
             std::string(n.attribute("w:val").as_string("1")) != "0";
    };
    doc_.embedFonts = on("w:embedTrueTypeFonts");
    doc_.subsetFonts = on("w:saveSubsetFonts");
    doc_.noSystemFonts = !on("w:embedSystemFonts");
    ReadShapeDefaults(root, doc_);
  }

  // ---- body ----
  void Block(const pugi::xml_node& n, uint32_t table) {
    std::string name = n.name();
    if (name == "w:p") Paragraph(n, table);
    else if (name == "w:tbl" && table == 0) Table(n);
    else if (name == "w:sectPr") Section(n);
    else if (name == "w:bookmarkStart" || name == "w:bookmarkEnd") Bookmark(n);
    else if (name == "w:sdt") {
      Nested nested(*this);
      for (pugi::xml_node c : n.child("w:sdtContent").children()) Block(c, table);
    } else {
      RawBlock(n, table);
    }
  }

  // One level of containers read through; too many refuse the document
  // instead of exhausting the stack.
  struct Nested {
    explicit Nested(Reader& r) : reader(r) {
      if (++reader.nesting_ > kMaxNesting) NotADocument(reader.path_, L"文档嵌套过深");
    }
    ~Nested() { --reader.nesting_; }
    Reader& reader;
  };

  void Section(const pugi::xml_node& sectPr) {
    doc_.origin.sectPr = Raw(sectPr);
    pugi::xml_node sz = sectPr.child("w:pgSz");
    pugi::xml_node mar = sectPr.child("w:pgMar");
    PageSetup& p = doc_.page;
    // A size or margin that is no number, or more than any word processor
    // lays out (600 cm), keeps the value it had: a page must stay a page.
    constexpr double kLargestTwips = 340157;
    auto read = [](const pugi::xml_node& n, const char* name, double& points, double lowest) {
      const double twips = n.attribute(name).as_double(std::nan(""));
      if (std::isfinite(twips) && twips >= lowest && twips <= kLargestTwips) points = twips / 20;
    };
    read(sz, "w:w", p.PageWidth, 1);
    read(sz, "w:h", p.PageHeight, 1);
    read(mar, "w:top", p.TopMargin, -kLargestTwips);
    read(mar, "w:bottom", p.BottomMargin, -kLargestTwips);
    read(mar, "w:left", p.LeftMargin, 0);
    read(mar, "w:right", p.RightMargin, 0);
  }

  void Bookmark(const pugi::xml_node& n) {
    std::string id = n.attribute("w:id").as_string();
    long pos = static_cast<long>(text_.size());
    if (std::string(n.name()) == "w:bookmarkStart") {
      openBookmarks_[id] = {Utf8ToWide(n.attribute("w:name").as_string()), pos};
    } else if (auto it = openBookmarks_.find(id); it != openBookmarks_.end()) {
      bookmarks_[it->second.first] = {it->second.second, pos};
      openBookmarks_.erase(it);
    }
  }

  void Append(wchar_t c, const CharCell& cell) {
    text_ += c;
    cells_.push_back(cell);
  }

  void RawBlock(const pugi::xml_node& n, uint32_t table) {
    InlineObject o;
    o.type = model::kInlineRaw;
    o.rawXml = Raw(n);
    o.block = true;
    uint32_t id = doc_.nextObject++;
    doc_.objects[id] = std::move(o);
    CharCell cell;
    cell.format = doc_.charFormats.Intern(StyleChar(defaultStyle_));
    cell.paragraph = doc_.paraFormats.Intern(StylePara(defaultStyle_));
    cell.table = table;
    CharCell object = cell;
    object.object = id;
    Append(model::kInlineObject, object);
    Append(model::kParagraphMark, cell);
  }

  void Paragraph(const pugi::xml_node& p, uint32_t table) {
    pugi::xml_node pPr = p.child("w:pPr");
    std::string styleId = pPr.child("w:pStyle").attribute("w:val").as_string(defaultStyle_.c_str());
    ParaFormat pf = StylePara(styleId);
    ApplyParagraphProperties(pPr, pf, true);
    if (pugi::xml_node numPr = pPr.child("w:numPr"))
      pf.list = ListId(numPr.child("w:numId").attribute("w:val").as_int(), numPr.child("w:ilvl").attribute("w:val").as_int());
    if (pugi::xml_node sectPr = pPr.child("w:sectPr")) {
      std::string type = sectPr.child("w:type").attribute("w:val").as_string();
      pf.sectionBreak = type == "continuous" ? kSectionBreakContinuous : kSectionBreakNextPage;
      pf.sectionXml = Raw(sectPr);
    }
    CharFormat base = StyleChar(styleId);
    CharFormat mark = base;
    ApplyRunProperties(pPr.child("w:rPr"), mark, true);
    table_ = table;
    Inline(p, base);
    CharCell cell;
    cell.format = doc_.charFormats.Intern(mark);
    cell.paragraph = doc_.paraFormats.Intern(pf);
    cell.table = table;
    Append(model::kParagraphMark, cell);
  }

  void Inline(const pugi::xml_node& parent, const CharFormat& base) {
    Nested nested(*this);
    for (pugi::xml_node c : parent.children()) {
      std::string name = c.name();
      // Containers that only group runs are read through; hyperlinks and
      // tracked changes are kept whole so that saving gives them back.
      if (name == "w:r") RunElement(c, base);
      else if (name == "w:smartTag" || name == "w:customXml" || name == "w:dir" || name == "w:bdo")
        Inline(c, base);
      else if (name == "w:sdt") Inline(c.child("w:sdtContent"), base);
      else if (name == "w:fldSimple") SimpleField(c, base);
      else if (name == "w:bookmarkStart" || name == "w:bookmarkEnd") Bookmark(c);
      else if (name == "m:oMath") EquationOrEqResult(c, base);
      else if (name == "m:oMathPara") EquationParagraph(c, base);
      else if (name == "w:pPr" || name == "w:proofErr") continue;
      else RawInline(c, base);
    }
  }

  // An equation in the result of an EQ field is the field's result built
  // up when it was saved: the field reads back with the result its code
  // gives, as when it was added, and no equation of its own.
  void EquationOrEqResult(const pugi::xml_node& oMath, const CharFormat& base) {
    if (openFields_.empty() || openFields_.back().separator < 0) return Equation(oMath, base);
    OpenFieldMarks& field = openFields_.back();
    std::wstring code = text_.substr(field.begin + 1, field.separator - field.begin - 1);
    if (model::FieldTypeOfCode(code) != kFieldFormula) return Equation(oMath, base);
    for (pugi::xpath_node b : oMath.select_nodes(".//w:bookmarkStart")) Bookmark(b.node());
    if (!field.mathRead) {
      CharFormat f = base;
      ApplyRunProperties(oMath.select_node(".//m:r/w:rPr").node(), f, true);
      for (wchar_t ch : model::EqResultText(code))
        if (ch >= 0x20) Append(ch, Cell(f));
      field.mathRead = true;
    }
    for (pugi::xpath_node b : oMath.select_nodes(".//w:bookmarkEnd")) Bookmark(b.node());
  }

  // Equations of a display paragraph, each on a line of its own.
  void EquationParagraph(const pugi::xml_node& para, const CharFormat& base) {
    bool first = true;
    for (pugi::xml_node m : para.children("m:oMath")) {
      if (!first) Append(L'\v', Cell(base));
      Equation(m, base);
      first = false;
    }
  }

  // An equation: its linear text in the font of its first run. One run
  // whose text would build into structure is an equation kept in the
  // linear format; anything else was built up. Bookmarks inside it are
  // widened to it.
  void Equation(const pugi::xml_node& oMath, const CharFormat& base) {
    CharFormat f = base;
    ApplyRunProperties(oMath.select_node(".//m:r/w:rPr").node(), f, true);
    for (pugi::xpath_node b : oMath.select_nodes(".//w:bookmarkStart")) Bookmark(b.node());
    long start = static_cast<long>(text_.size());
    std::wstring linear = LinearFromOMath(oMath);
    for (wchar_t ch : linear)
      if (ch >= 0x20) Append(ch, Cell(f));
    long end = static_cast<long>(text_.size());
    int runs = 0, others = 0;
    for (pugi::xml_node c : oMath.children())
      if (std::string(c.name()) == "m:r") ++runs;
      else if (c.type() == pugi::node_element && !std::string(c.name()).starts_with("w:bookmark")) ++others;
    bool linearFormat = runs == 1 && others == 0 && HasStructure(text_.substr(start));
    if (end > start) equations_.push_back({start, end, !linearFormat});
    for (pugi::xpath_node b : oMath.select_nodes(".//w:bookmarkEnd")) Bookmark(b.node());
  }

  CharCell Cell(const CharFormat& f) {
    CharCell cell;
    cell.format = doc_.charFormats.Intern(f);
    cell.table = table_;
    return cell;
  }

  void RunElement(const pugi::xml_node& r, const CharFormat& base) {
    CharFormat f = base;
    pugi::xml_node rPr = r.child("w:rPr");
    if (pugi::xml_node rStyle = rPr.child("w:rStyle"))
      for (const StyleDef* d : Chain(rStyle.attribute("w:val").as_string())) ApplyRunProperties(d->rPr, f, false);
    ApplyRunProperties(rPr, f, true);
    CharCell cell = Cell(f);
    for (pugi::xml_node c : r.children()) {
      std::string name = c.name();
      if (name == "w:t" || name == "w:instrText") {
        for (wchar_t ch : Utf8ToWide(c.child_value()))
          if (ch >= 0x20 || ch == L'\t') Append(ch == L'\t' ? L'\t' : ch, cell);
      } else if (name == "w:tab" || name == "w:ptab") {
        Append(L'\t', cell);
      } else if (name == "w:br" || name == "w:cr") {
        Append(std::string(c.attribute("w:type").as_string()) == "page" ? L'\f' : L'\v', cell);
      } else if (name == "w:noBreakHyphen") {
        Append(0x1E, cell);
      } else if (name == "w:softHyphen") {
        Append(0x1F, cell);
      } else if (name == "w:sym") {
        CharFormat sf = f;
        std::wstring font = Utf8ToWide(c.attribute("w:font").as_string());
        if (!font.empty()) sf.ascii = sf.farEast = font;
        // A character that cannot be one is an unknown symbol, kept as read.
        if (std::optional<wchar_t> ch = SymbolCharacter(c.attribute("w:char").as_string())) Append(*ch, Cell(sf));
        else RawInline(c, f);
      } else if (name == "w:fldChar") {
        std::string type = c.attribute("w:fldCharType").as_string();
        if (type == "begin") OpenField(cell);
        else if (type == "separate" && !openFields_.empty() && openFields_.back().separator < 0) {
          Separate(cell);
        } else if (type == "end" && !openFields_.empty()) {
          CloseField(cell);
        }
      } else if (name == "w:rPr" || name == "w:lastRenderedPageBreak" || name == "w:delText") {
        continue;
      } else if ((name == "w:drawing" || name == "w:pict" || name == "mc:AlternateContent") &&
                 floating_->Read(c, static_cast<long>(text_.size()))) {
        continue;  // a floating shape now
      } else if (name == "w:drawing" || name == "w:pict") {
        InlineDrawing(c, f);
      } else {
        RawInline(c, f);
      }
    }
  }

  void OpenField(const CharCell& cell) {
    openFields_.push_back({static_cast<long>(text_.size())});
    Append(model::kFieldBegin, cell);
  }

  void Separate(const CharCell& cell) {
    openFields_.back().separator = static_cast<long>(text_.size());
    Append(model::kFieldSeparator, cell);
  }

  void CloseField(CharCell cell = {}) {
    if (!cells_.empty() && cell.format == 0) cell = cells_.back();
    if (openFields_.back().separator < 0) Append(model::kFieldSeparator, cell);
    Append(model::kFieldEnd, cell);
    openFields_.pop_back();
  }

  void SimpleField(const pugi::xml_node& f, const CharFormat& base) {
    CharCell cell = Cell(base);
    OpenField(cell);
    for (wchar_t ch : Utf8ToWide(f.attribute("w:instr").as_string())) Append(ch, cell);
    Separate(cell);
    Inline(f, base);
    CloseField(cell);
  }

  uint32_t AddObject(InlineObject o, const CharFormat& f) {
    uint32_t id = doc_.nextObject++;
    doc_.objects[id] = std::move(o);
    CharCell cell = Cell(f);
    cell.object = id;
    Append(model::kInlineObject, cell);
    return id;
  }

  void RawInline(const pugi::xml_node& n, const CharFormat& f) {
    InlineObject o;
    o.type = model::kInlineRaw;
    o.rawXml = Raw(n);
    AddObject(std::move(o), f);
  }

  // An inline picture, DrawingML or VML, becomes a picture the add-in can
  // change; other run content stays as read.
  void InlineDrawing(const pugi::xml_node& content, const CharFormat& f) {
    InlineObject o;
    o.type = model::kInlineRaw;
    o.rawXml = Raw(content);
    // The picture's part is inflated for the picture alone: saving
    // carries the part across as it was.
    if (ReadInlinePicture(content, o)) PictureData(o.relId, o);
    AddObject(std::move(o), f);
  }

  void Table(const pugi::xml_node& tbl) {
    uint32_t id = doc_.nextTable++;
    model::TableInfo info;
    info.tblPr = Raw(tbl.child("w:tblPr"));
    info.tblGrid = Raw(tbl.child("w:tblGrid"));
    bool anyBorder = false;
    auto hasBorders = [](const pugi::xml_node& b) {
      for (pugi::xml_node e : b.children()) {
        std::string v = e.attribute("w:val").as_string("none");
        if (v != "none" && v != "nil") return true;
      }
      return false;
    };
    anyBorder |= hasBorders(tbl.child("w:tblPr").child("w:tblBorders"));
    for (pugi::xml_node tr : tbl.children("w:tr")) {
      info.trPr.push_back(Raw(tr.child("w:trPr")));
      info.tcPr.emplace_back();
      for (pugi::xml_node tc : tr.children("w:tc")) {
        info.tcPr.back().push_back(Raw(tc.child("w:tcPr")));
        anyBorder |= hasBorders(tc.child("w:tcPr").child("w:tcBorders"));
        size_t before = text_.size();
        for (pugi::xml_node c : tc.children()) {
          std::string name = c.name();
          if (name == "w:p") Paragraph(c, id);
          else if (name != "w:tcPr") RawBlock(c, id);
        }
        if (text_.size() == before) {  // a cell without a paragraph
          CharCell cell = Cell(StyleChar(defaultStyle_));
          cell.table = id;
          Append(model::kParagraphMark, cell);
        }
        text_.back() = model::kCellEnd;
      }
      CharCell rowEnd = cells_.empty() ? CharCell{} : cells_.back();
      rowEnd.table = id;
      rowEnd.object = 0;
      Append(model::kRowEnd, rowEnd);
    }
    info.borders = anyBorder;
    doc_.tables[id] = info;
    table_ = 0;
  }

  DocData& doc_;
  std::shared_ptr<const model::PackageSource> source_;
  std::map<std::string, std::string> read_;
  std::wstring path_;
  int nesting_ = 0;
  std::string mainBytes_;  // the buffer main_ was parsed in: it lives as long as main_
  std::map<std::string, std::string> pictures_;  // picture parts inflated, by name
  uint64_t pictureBytes_ = 0;                     // the pictures' data given to the document
  pugi::xml_document main_, styles_, numbering_;
  std::string base_ = "word", stylesPart_ = "word/styles.xml", numberingPart_ = "word/numbering.xml",
              settingsPart_ = "word/settings.xml";
  std::map<std::string, std::string> relTargets_;
  pugi::xml_node defaultRun_, defaultPara_;
  std::map<std::string, StyleDef> styleDefs_;
  std::string defaultStyle_;
  std::map<std::string, CharFormat> charCache_;
  std::map<std::string, ParaFormat> paraCache_;
  std::map<int, pugi::xml_node> nums_;
  std::map<std::pair<int, int>, int> lists_;
  std::wstring text_;
  std::vector<CharCell> cells_;
  struct OpenFieldMarks {
    long begin;
    long separator = -1;     // -1 until the separator is read
    bool mathRead = false;   // an equation in the result was read as the field's own result
  };
  std::vector<OpenFieldMarks> openFields_;
  uint32_t table_ = 0;
  std::map<std::string, std::pair<std::wstring, long>> openBookmarks_;
  std::map<std::wstring, std::pair<long, long>> bookmarks_;
  struct EquationSpan {
    long start, end;
    bool builtUp;
  };
  std::vector<EquationSpan> equations_;
  std::unique_ptr<FloatingShapes> floating_;
  std::vector<std::pair<std::shared_ptr<model::Story>, EquationSpan>> textBoxEquations_;
};

}  // namespace

std::wstring ModelStyleName(const std::wstring& fileName) {
  std::wstring lower = LCase(fileName);
  if (lower == L"normal") return L"正文";
  if (lower == L"title") return L"标题";
  if (StartsWith(lower, L"heading ") && lower.size() == 9 && lower[8] >= L'1' && lower[8] <= L'9')
    return L"标题 " + lower.substr(8);
  return fileName;
}

std::shared_ptr<model::DocData> ReadDocx(const std::wstring& path, std::shared_ptr<model::AppShared> app) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::path(WideToUtf8(path)), ec))
    Raise(kBadFile, L"找不到文件“" + path + L"”。");
  return ReadDocxPackage(OpenPackage(WideToUtf8(path)), path, std::move(app));
}

std::shared_ptr<model::DocData> ReadDocxPackage(std::shared_ptr<const model::PackageSource> package,
                                                const std::wstring& name, std::shared_ptr<model::AppShared> app) {
  auto doc = std::make_shared<DocData>(std::move(app));
  Reader reader(*doc, std::move(package), name);
  try {
    reader.Run();
  } catch (const VbError&) {
    throw;
  } catch (const std::logic_error&) {
    // A value the standard library could not take (a number out of range,
    // a position past the end) is a damaged document like any other.
    NotADocument(name, L"内容无法解析");
  } catch (const std::runtime_error&) {
    NotADocument(name, L"内容无法解析");
  }
  return doc;
}

}  // namespace plx::docif::ooxml
