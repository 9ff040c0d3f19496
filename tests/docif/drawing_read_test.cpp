// Floating drawings of an opened .docx become the model's shapes: the
// add-in's own shapes come back as they were made, drawings of other word
// processors (DrawingML, VML, alternate content) are placed on the page,
// what the model lacks is written back, and what cannot be read is kept.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "common/text.hpp"
#include "docif/model/model_document.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "support/model_doc.hpp"

namespace plx::docif {
namespace {

using model::DocData;
using model::ShapeData;

// The document saved and opened again; the parts it did not read are
// carried across as saving carries them.
std::shared_ptr<DocData> Reopen(const DocData& doc, const wchar_t* name = L"reopened.docx") {
  ooxml::Parts parts = ooxml::BuildDocx(doc);
  if (const auto& source = doc.origin.source)
    for (const std::string& part : source->Names())
      if (!parts.count(part))
        if (auto bytes = source->Read(part)) parts[part] = std::move(*bytes);
  return ooxml::ReadDocxPackage(std::make_shared<ooxml::PartsPackage>(std::move(parts)), name,
                                std::make_shared<model::AppShared>());
}

const ShapeData* Find(const DocData& doc, const std::wstring& name) {
  for (const auto& s : model::AllShapes(doc))
    if (s->name == name) return s.get();
  return nullptr;
}

// Everything a reader can get wrong about one shape, compared to 0.1 pt.
void ExpectSameShape(const ShapeData& a, const ShapeData& b) {
  SCOPED_TRACE(WideToUtf8(a.name));
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.type, b.type);
  EXPECT_EQ(a.autoShape, b.autoShape);
  model::Box x = model::Bounds(a), y = model::Bounds(b);
  EXPECT_NEAR(x.left, y.left, 0.1);
  EXPECT_NEAR(x.top, y.top, 0.1);
  EXPECT_NEAR(x.width, y.width, 0.1);
  EXPECT_NEAR(x.height, y.height, 0.1);
  ASSERT_EQ(a.points.size(), b.points.size());
  for (size_t i = 0; i < a.points.size(); ++i) {
    EXPECT_NEAR(a.points[i].x, b.points[i].x, 0.1);
    EXPECT_NEAR(a.points[i].y, b.points[i].y, 0.1);
  }
  EXPECT_EQ(a.line.Visible.value_or(true), b.line.Visible.value_or(true));
  if (a.line.Visible.value_or(true)) {
    EXPECT_NEAR(a.line.Weight.value_or(0.75), b.line.Weight.value_or(0.75), 0.01);
    EXPECT_EQ(a.line.ForeColor.value_or(0), b.line.ForeColor.value_or(0));
    EXPECT_EQ(a.line.DashStyle.value_or(1), b.line.DashStyle.value_or(1));
    EXPECT_EQ(a.line.EndArrowheadStyle.value_or(1), b.line.EndArrowheadStyle.value_or(1));
  }
  if (a.type != kShapeLine && a.type != kShapeGroup) {
    EXPECT_EQ(a.fill.Visible.value_or(true), b.fill.Visible.value_or(true));
    if (a.fill.Visible.value_or(true)) {
      EXPECT_EQ(a.fill.ForeColor.value_or(0xFFFFFF), b.fill.ForeColor.value_or(0xFFFFFF));
      EXPECT_NEAR(a.fill.Transparency.value_or(0), b.fill.Transparency.value_or(0), 0.001);
      EXPECT_EQ(a.fill.Pattern.value_or(0), b.fill.Pattern.value_or(0));
    }
  }
  EXPECT_NEAR(a.rotation, b.rotation, 0.01);
  EXPECT_EQ(a.wrap.Type.value_or(3), b.wrap.Type.value_or(3));
  if (a.type == kShapeTextBox) {
    ASSERT_TRUE(b.text);
    EXPECT_EQ(a.text->Text(), b.text->Text());
  }
  ASSERT_EQ(a.children.size(), b.children.size());
  for (size_t i = 0; i < a.children.size(); ++i) {
    EXPECT_EQ(b.children[i]->parent, &b);
    ExpectSameShape(*a.children[i], *b.children[i]);
  }
}

// Shapes made with the add-in's commands, saved, reopened, changed and
// saved again: each time every shape comes back whole.
TEST(DrawingRead, ShapesMadeHereReopenAsMadeAndChangesAreSaved) {
  test::ModelDoc m;
  m.SetText(L"第一段\r第二段\r");
  auto shapes = m.doc->GetShapes();
  shapes->AddLine(100, 400, 300, 350)->SetLine({.DashStyle = 4, .EndArrowheadStyle = 2});
  shapes->AddShape(kAutoShapeOval, 100, 470, 60, 40)->SetFill({.Visible = false});
  shapes->AddShape(kAutoShapeFlowchartDecision, 200, 470, 80, 40)
      ->SetFill({.ForeColor = 0x0000FF, .Transparency = 0.25});
  shapes->AddShape(kAutoShapeRectangle, 300, 470, 50, 40)->SetFill({.Pattern = 21});
  shapes->AddCurve({{400, 300}, {430, 250}, {470, 350}, {500, 300}});
  auto ff = shapes->BuildFreeform(kEditingAuto, 400, 450);
  ff->AddNodes(kSegmentLine, kEditingAuto, 450, 500);
  ff->AddNodes(kSegmentLine, kEditingAuto, 380, 520);
  ff->AddNodes(kSegmentLine, kEditingAuto, 400, 450);
  ff->ConvertToShape();
  auto box = shapes->AddTextbox(1, 120, 600, 80, 30);
  box->TextRange()->SetText(L"标签");
  box->SetRotation(30);
  shapes->AddLine(100, 700, 200, 700);
  shapes->AddLine(150, 650, 150, 750);
  shapes->Range({L"Line 8", L"Line 9"})->Group()->SetName(L"坐标轴");
  shapes->Range({L"坐标轴", L"Text Box 7"})->Group()->SetName(L"图");
  auto made = m.Data();

  auto opened = Reopen(*made);
  ASSERT_EQ(opened->shapes.size(), made->shapes.size());
  for (size_t i = 0; i < made->shapes.size(); ++i) ExpectSameShape(*made->shapes[i], *opened->shapes[i]);
  EXPECT_EQ(model::AllShapes(*opened).size(), 11u);

  // Commands on the opened document: select by name, move, group, edit text.
  auto doc = std::make_shared<model::ModelDocument>(opened);
  doc->GetShapes()->Item(L"Oval 2")->Select(true);
  doc->GetShapes()->Item(L"Oval 2")->IncrementLeft(30);
  doc->GetShapes()->Range({L"Rectangle 4", L"Freeform 6"})->Group()->SetName(L"新组合");
  doc->GetShapes()->Item(L"Text Box 7")->TextRange()->SetText(L"新标签");
  doc->GetShapes()->Item(L"坐标轴")->IncrementTop(-10);
  auto again = Reopen(*opened);
  ASSERT_EQ(again->shapes.size(), opened->shapes.size());
  for (size_t i = 0; i < opened->shapes.size(); ++i) ExpectSameShape(*opened->shapes[i], *again->shapes[i]);
  EXPECT_NEAR(model::Bounds(*Find(*again, L"Oval 2")).left, 130, 0.1);
  EXPECT_NEAR(model::Bounds(*Find(*again, L"Line 9")).top, 640, 0.1);
  ASSERT_TRUE(Find(*again, L"新组合"));
  EXPECT_EQ(Find(*again, L"新组合")->children.size(), 2u);
  EXPECT_EQ(Find(*again, L"Text Box 7")->text->Text(), L"新标签\r");

  // New shapes on an opened document get names no shape has yet.
  auto added = doc->GetShapes()->AddLine(10, 10, 20, 20);
  std::set<std::wstring> names;
  for (const auto& s : model::AllShapes(*opened)) EXPECT_TRUE(names.insert(s->name).second) << WideToUtf8(s->name);
}

constexpr const char* kRoot =
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\""
    " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
    " xmlns:wpg=\"http://schemas.microsoft.com/office/word/2010/wordprocessingGroup\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
    " xmlns:wp14=\"http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing\""
    " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:w10=\"urn:schemas-microsoft-com:office:word\">";

std::string Anchor(const std::string& name, int z, const std::string& position, const std::string& extent,
                   const std::string& graphic, const std::string& wrap = "<wp:wrapNone/>") {
  return "<w:r><w:drawing><wp:anchor simplePos=\"0\" relativeHeight=\"" + std::to_string(z) +
         "\" behindDoc=\"0\" allowOverlap=\"1\" wp14:anchorId=\"1A2B3C4D\"><wp:simplePos x=\"0\" y=\"0\"/>" +
         position + "<wp:extent " + extent + "/>" + wrap + "<wp:docPr id=\"" + std::to_string(z) +
         "\" name=\"" + name + "\" descr=\"说明\"/><a:graphic><a:graphicData uri=\"x\">" + graphic +
         "</a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>";
}

std::string PagePosition(long x, long y) {
  return "<wp:positionH relativeFrom=\"page\"><wp:posOffset>" + std::to_string(x) +
         "</wp:posOffset></wp:positionH><wp:positionV relativeFrom=\"page\"><wp:posOffset>" +
         std::to_string(y) + "</wp:posOffset></wp:positionV>";
}

std::map<std::string, std::string> Package(const std::string& body) {
  return {
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
      {"word/document.xml", std::string(kRoot) + "<w:body>" + body +
                                "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" "
                                "w:bottom=\"1440\" w:left=\"1800\" w:right=\"1800\"/></w:sectPr></w:body></w:document>"},
      {"word/_rels/document.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
       "Target=\"media/image1.png\"/></Relationships>"},
      {"word/media/image1.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0')},
      {"word/theme/theme1.xml",
       "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
       "<a:clrScheme name=\"x\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
       "<a:accent1><a:srgbClr val=\"4472C4\"/></a:accent1></a:clrScheme></a:themeElements></a:theme>"},
  };
}

std::shared_ptr<DocData> Open(const std::string& body) {
  return ooxml::ReadDocxPackage(std::make_shared<ooxml::PartsPackage>(Package(body)), L"foreign.docx",
                                std::make_shared<model::AppShared>());
}

std::string Saved(const DocData& doc) { return ooxml::BuildDocx(doc).at("word/document.xml"); }

// A word processor's DrawingML: placements against page, margin and
// paragraph; theme colours and effects; preset lines with flips; custom
// curves; scaled groups; cropped pictures; stacking order; names.
TEST(DrawingRead, ForeignDrawingMLIsPlacedOnThePageAndKeepsItsLook) {
  const std::string styled =  // a theme-coloured rectangle with a shadow, centred in the margins
      Anchor("Rectangle 7", 300,
             "<wp:positionH relativeFrom=\"margin\"><wp:align>center</wp:align></wp:positionH>"
             "<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>127000</wp:posOffset></wp:positionV>",
             "cx=\"1270000\" cy=\"635000\"",
             "<wps:wsp><wps:cNvSpPr/><wps:spPr><a:xfrm rot=\"5400000\"><a:off x=\"0\" y=\"0\"/>"
             "<a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
             "<a:effectLst><a:outerShdw blurRad=\"50800\" dist=\"38100\"><a:prstClr val=\"black\"/>"
             "</a:outerShdw></a:effectLst></wps:spPr><wps:style><a:lnRef idx=\"2\"><a:schemeClr val=\"accent1\">"
             "<a:shade val=\"50000\"/></a:schemeClr></a:lnRef><a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/>"
             "</a:fillRef><a:effectRef idx=\"0\"><a:schemeClr val=\"accent1\"/></a:effectRef>"
             "<a:fontRef idx=\"minor\"><a:schemeClr val=\"lt1\"/></a:fontRef></wps:style><wps:bodyPr/></wps:wsp>");
  const std::string line =  // drawn from bottom left to top right
      Anchor("Rectangle 7", 200, PagePosition(1270000, 2540000), "cx=\"2540000\" cy=\"1270000\"",
             "<wps:wsp><wps:cNvSpPr/><wps:spPr><a:xfrm flipV=\"1\"><a:off x=\"0\" y=\"0\"/>"
             "<a:ext cx=\"2540000\" cy=\"1270000\"/></a:xfrm><a:prstGeom prst=\"line\"><a:avLst/></a:prstGeom>"
             "<a:ln w=\"25400\"><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill><a:prstDash val=\"dash\"/>"
             "<a:tailEnd type=\"triangle\"/></a:ln></wps:spPr><wps:bodyPr/></wps:wsp>",
             "<wp:wrapSquare wrapText=\"bothSides\"/>");
  const std::string curve =  // one quadratic segment, 100 pt wide at the page's top left corner
      Anchor("", 100, PagePosition(0, 0), "cx=\"1270000\" cy=\"1270000\"",
             "<wps:wsp><wps:cNvSpPr/><wps:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" "
             "cy=\"1270000\"/></a:xfrm><a:custGeom><a:pathLst><a:path w=\"100\" h=\"100\"><a:moveTo><a:pt x=\"0\" "
             "y=\"100\"/></a:moveTo><a:quadBezTo><a:pt x=\"50\" y=\"0\"/><a:pt x=\"100\" y=\"100\"/></a:quadBezTo>"
             "</a:path></a:pathLst></a:custGeom><a:noFill/><a:ln><a:solidFill><a:srgbClr val=\"000000\"/>"
             "</a:solidFill></a:ln></wps:spPr><wps:bodyPr/></wps:wsp>");
  const std::string group =  // child space twice the group's size: items shrink by half
      Anchor("组合 3", 400, PagePosition(2540000, 5080000), "cx=\"2540000\" cy=\"2540000\"",
             "<wpg:wgp><wpg:cNvGrpSpPr/><wpg:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"2540000\" "
             "cy=\"2540000\"/><a:chOff x=\"1000\" y=\"1000\"/><a:chExt cx=\"5080000\" cy=\"5080000\"/></a:xfrm>"
             "</wpg:grpSpPr><wps:wsp><wps:cNvPr id=\"5\" name=\"文本框 1\"/><wps:cNvSpPr txBox=\"1\"/><wps:spPr>"
             "<a:xfrm><a:off x=\"1000\" y=\"1000\"/><a:ext cx=\"2540000\" cy=\"1270000\"/></a:xfrm>"
             "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:solidFill><a:srgbClr val=\"FFFF00\">"
             "<a:alpha val=\"50000\"/></a:srgbClr></a:solidFill></wps:spPr><wps:txbx><w:txbxContent><w:p><w:r>"
             "<w:t>答案</w:t></w:r></w:p></w:txbxContent></wps:txbx><wps:bodyPr lIns=\"0\" vert=\"eaVert\"/>"
             "</wps:wsp><pic:pic><pic:nvPicPr><pic:cNvPr id=\"6\" name=\"图片 2\" descr=\"函数图\"/><pic:cNvPicPr/>"
             "</pic:nvPicPr><pic:blipFill><a:blip r:embed=\"rId5\"/><a:srcRect l=\"10000\"/><a:stretch/>"
             "</pic:blipFill><pic:spPr><a:xfrm><a:off x=\"2541000\" y=\"2541000\"/><a:ext cx=\"2540000\" "
             "cy=\"2540000\"/></a:xfrm><a:prstGeom prst=\"rect\"/></pic:spPr></pic:pic></wpg:wgp>");
  auto doc = Open("<w:p>" + styled + line + "<w:r><w:t>题目</w:t></w:r></w:p><w:p>" + curve + group + "</w:p>");

  // Back to front by relativeHeight, whatever the order in the text.
  ASSERT_EQ(doc->shapes.size(), 4u);
  const ShapeData& c = *doc->shapes[0];
  const ShapeData& l = *doc->shapes[1];
  const ShapeData& r = *doc->shapes[2];
  const ShapeData& g = *doc->shapes[3];
  // Names: kept, a duplicate renamed, a missing one given, none reused later.
  EXPECT_EQ(r.name, L"Rectangle 7");
  EXPECT_NE(l.name, L"Rectangle 7");
  EXPECT_FALSE(c.name.empty());
  EXPECT_GT(doc->nextShapeNumber, 7);
  EXPECT_EQ(r.altText, L"说明");

  // Centred between the margins (90 pt each on A4), 10 pt below the first paragraph's top.
  EXPECT_NEAR(r.left, 90 + (595.3 - 180 - 100) / 2, 0.1);
  EXPECT_NEAR(r.top, 72 + 10, 0.1);
  EXPECT_NEAR(r.rotation, 90, 1e-9);
  EXPECT_EQ(r.fill.ForeColor.value_or(0), 0xC47244u);  // accent1, red in the low byte
  EXPECT_TRUE(r.line.Visible.value_or(false));

  ASSERT_EQ(l.type, kShapeLine);
  ASSERT_EQ(l.points.size(), 2u);
  EXPECT_EQ(l.points[0], (PointF{100, 300}));
  EXPECT_EQ(l.points[1], (PointF{300, 200}));
  EXPECT_NEAR(l.line.Weight.value_or(0), 2, 1e-9);
  EXPECT_EQ(l.line.ForeColor.value_or(0), 0x0000FFu);
  EXPECT_EQ(l.line.DashStyle.value_or(0), 4);
  EXPECT_EQ(l.line.EndArrowheadStyle.value_or(0), 2);
  EXPECT_EQ(l.wrap.Type.value_or(-1), 0);

  // A quadratic segment is the cubic one through the same points.
  ASSERT_EQ(c.type, kShapeFreeform);
  ASSERT_TRUE(c.curve);
  ASSERT_EQ(c.points.size(), 4u);
  EXPECT_EQ(c.points[0], (PointF{0, 100}));
  EXPECT_NEAR(c.points[1].x, 100.0 / 3, 1e-3);
  EXPECT_NEAR(c.points[1].y, 100.0 / 3, 1e-3);
  EXPECT_EQ(c.points[3], (PointF{100, 100}));

  ASSERT_EQ(g.type, kShapeGroup);
  ASSERT_EQ(g.children.size(), 2u);
  const ShapeData& t = *g.children[0];
  EXPECT_EQ(t.name, L"文本框 1");
  EXPECT_EQ(t.type, kShapeTextBox);
  EXPECT_NEAR(t.left, 200, 0.01);
  EXPECT_NEAR(t.width, 100, 0.01);
  EXPECT_NEAR(t.height, 50, 0.01);
  EXPECT_EQ(t.text->Text(), L"答案\r");
  EXPECT_NEAR(t.fill.Transparency.value_or(0), 0.5, 1e-9);
  EXPECT_EQ(t.frame.Orientation.value_or(0), 5);
  EXPECT_NEAR(t.frame.MarginLeft.value_or(-1), 0, 1e-9);
  const ShapeData& p = *g.children[1];
  EXPECT_EQ(p.type, kShapePicture);
  EXPECT_EQ(p.altText, L"函数图");
  EXPECT_NEAR(p.left, 300, 0.01);
  EXPECT_NEAR(p.top, 500, 0.01);
  ASSERT_TRUE(p.picture);
  EXPECT_EQ(p.picture->bytes.substr(1, 3), "PNG");

  // Saved unchanged, a drawing is written back as read, with its own
  // extensions; the two that were given a name are written anew with it.
  // Ids are unique.
  std::string same = Saved(*doc);
  EXPECT_EQ(same.find("<wps:cNvSpPr txBox"), same.rfind("<wps:cNvSpPr txBox"));
  size_t anchors = 0;
  for (size_t at = same.find("wp14:anchorId=\"1A2B3C4D\""); at != std::string::npos;
       at = same.find("wp14:anchorId=\"1A2B3C4D\"", at + 1))
    ++anchors;
  EXPECT_EQ(anchors, 2u);
  EXPECT_NE(same.find("name=\"" + WideToUtf8(c.name) + "\""), std::string::npos);
  std::set<std::string> ids;
  for (size_t at = same.find(" id=\""); at != std::string::npos; at = same.find(" id=\"", at + 1))
    EXPECT_TRUE(ids.insert(same.substr(at, same.find('"', at + 5) - at)).second);

  // Moved, each is written anew with what the model does not represent:
  // the theme style, the shadow, the theme fill, the cropping.
  auto live = std::make_shared<model::ModelDocument>(doc);
  for (const wchar_t* name : {L"Rectangle 7", L"组合 3"}) live->GetShapes()->Item(name)->IncrementLeft(5);
  std::string moved = Saved(*doc);
  auto count = [&](const std::string& text) {
    size_t n = 0;
    for (size_t at = moved.find(text); at != std::string::npos; at = moved.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("1A2B3C4D"), 0u);  // none is the drawing as read any more
  EXPECT_NE(moved.find("<a:outerShdw"), std::string::npos);
  EXPECT_NE(moved.find("<a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/>"), std::string::npos);
  EXPECT_NE(moved.find("<a:srcRect l=\"10000\"/>"), std::string::npos);
  EXPECT_NE(moved.find("<a:srgbClr val=\"FFFF00\"><a:alpha val=\"50000\"/>"), std::string::npos);
  auto reopened = Reopen(*doc, L"again.docx");
  ASSERT_EQ(reopened->shapes.size(), doc->shapes.size());
  for (size_t i = 0; i < doc->shapes.size(); ++i) ExpectSameShape(*doc->shapes[i], *reopened->shapes[i]);
}

// VML, alone or as the fallback of alternate content, and drawings that
// cannot be read, which stay in the text as they were.
TEST(DrawingRead, VmlIsReadAndUnreadableDrawingsAreKept) {
  const std::string vmlGroup =
      "<w:r><w:pict><v:group id=\"坐标系\" style=\"position:absolute;margin-left:100pt;margin-top:200pt;"
      "width:200pt;height:100pt;z-index:-5;mso-position-horizontal-relative:page;"
      "mso-position-vertical-relative:page\" coordorigin=\"1000,1000\" coordsize=\"2000,1000\">"
      "<v:line id=\"x轴\" from=\"1000,1500\" to=\"3000,1500\" strokecolor=\"red\" strokeweight=\"1.5pt\">"
      "<v:stroke endarrow=\"block\" dashstyle=\"dash\"/></v:line>"
      "<v:oval id=\"圆\" style=\"position:absolute;left:1000;top:1000;width:500;height:500\" filled=\"f\"/>"
      "<v:shape id=\"曲线\" style=\"position:absolute;left:2000;top:1000;width:1000;height:1000\" "
      "coordsize=\"100,100\" path=\"m0,100c30,0,70,0,100,100l100,50e\"/>"
      "<v:shape id=\"三角形\" style=\"position:absolute;left:1000;top:1000;width:100;height:100\" "
      "coordsize=\"10,10\" path=\"m,l10,10,,10xe\"/>"
      "<v:rect id=\"标签\" style=\"position:absolute;left:2500;top:1500;width:500;height:500\" fillcolor=\"#00ff00\">"
      "<v:textbox inset=\"1pt,2pt,3pt,4pt\"><w:txbxContent><w:p><w:r><w:t>O</w:t></w:r></w:p></w:txbxContent>"
      "</v:textbox></v:rect></v:group></w:pict></w:r>";
  const std::string chartWithFallback =
      "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wp:anchor relativeHeight=\"1\">"
      "<wp:positionH relativeFrom=\"page\"><wp:posOffset>0</wp:posOffset></wp:positionH><wp:positionV "
      "relativeFrom=\"page\"><wp:posOffset>0</wp:posOffset></wp:positionV><wp:extent cx=\"12700\" cy=\"12700\"/>"
      "<wp:docPr id=\"9\" name=\"图表\"/><a:graphic><a:graphicData uri=\"chart\"><c:chart xmlns:c=\"c\" r:id=\"rId9\"/>"
      "</a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice><mc:Fallback><w:pict>"
      "<v:rect id=\"替代\" style=\"position:absolute;margin-left:10pt;margin-top:20pt;width:30pt;height:40pt;"
      "z-index:-1;mso-position-horizontal-relative:page;mso-position-vertical-relative:page\"/></w:pict>"
      "</mc:Fallback></mc:AlternateContent></w:r>";
  const std::string chartOnly =
      "<w:r><w:drawing><wp:anchor relativeHeight=\"2\"><wp:extent cx=\"12700\" cy=\"12700\"/>"
      "<wp:docPr id=\"10\" name=\"图表 2\"/><a:graphic><a:graphicData uri=\"chart\"><c:chart xmlns:c=\"c\" "
      "r:id=\"rId9\"/></a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>";
  const std::string inlineVml =
      "<w:r><w:pict><v:rect style=\"width:10pt;height:10pt\"/></w:pict></w:r>";
  const std::string broken =  // numbers that are none, a path the model has no nodes for
      "<w:r><w:pict><v:shape id=\"弧\" style=\"position:absolute;margin-left:abc;width:1e999pt;height:-5pt\" "
      "path=\"m0,0ar0,0,100,100,0,0,100,100e\"/></w:pict></w:r>";
  const std::string farOff =  // coordinates no page has, no number at all, the lowest stacking value
      "<w:r><w:pict><v:line id=\"远\" style=\"position:absolute;z-index:-9223372036854775808\" from=\"1e300pt,0\" "
      "to=\"nan,5pt\"/>"
      "</w:pict></w:r>";
  auto doc = Open("<w:p>" + vmlGroup + chartWithFallback + chartOnly + inlineVml + broken + farOff + "</w:p>");

  // A chart stays as read even with a VML fallback: written as its fallback
  // shape after a change, the chart would be lost.
  ASSERT_EQ(doc->shapes.size(), 2u);
  for (const PointF& p : doc->shapes[1]->points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  EXPECT_EQ(doc->shapes[1]->wrap.Type.value_or(0), 5) << "behind the text";
  EXPECT_NE(Saved(*doc).find("远"), std::string::npos);

  const ShapeData& g = *doc->shapes[0];
  EXPECT_EQ(g.name, L"坐标系");
  EXPECT_EQ(g.wrap.Type.value_or(0), 5);  // a negative z-index: behind the text
  ASSERT_EQ(g.children.size(), 5u);
  const ShapeData& axis = *g.children[0];
  EXPECT_EQ(axis.type, kShapeLine);
  EXPECT_EQ(axis.points[0], (PointF{100, 250}));
  EXPECT_EQ(axis.points[1], (PointF{300, 250}));
  EXPECT_EQ(axis.line.ForeColor.value_or(0), 0x0000FFu);
  EXPECT_NEAR(axis.line.Weight.value_or(0), 1.5, 1e-9);
  EXPECT_EQ(axis.line.EndArrowheadStyle.value_or(0), 2);
  EXPECT_EQ(axis.line.DashStyle.value_or(0), 4);
  const ShapeData& circle = *g.children[1];
  EXPECT_EQ(circle.autoShape, kAutoShapeOval);
  EXPECT_NEAR(circle.width, 50, 1e-9);
  EXPECT_FALSE(circle.fill.Visible.value_or(true));
  // A curve then a straight piece: the straight piece becomes a cubic segment.
  const ShapeData& curve = *g.children[2];
  EXPECT_TRUE(curve.curve);
  ASSERT_EQ(curve.points.size(), 7u);
  EXPECT_EQ(curve.points[0], (PointF{200, 300}));
  EXPECT_EQ(curve.points[3], (PointF{300, 300}));
  EXPECT_EQ(curve.points[6], (PointF{300, 250}));
  // Empty numbers are 0; a closed path ends where it began.
  const ShapeData& triangle = *g.children[3];
  EXPECT_EQ(triangle.type, kShapeFreeform);
  EXPECT_EQ(triangle.points, (std::vector<PointF>{{100, 200}, {110, 210}, {100, 210}, {100, 200}}));
  const ShapeData& label = *g.children[4];
  EXPECT_EQ(label.type, kShapeTextBox);
  EXPECT_EQ(label.text->Text(), L"O\r");
  EXPECT_NEAR(label.frame.MarginBottom.value_or(0), 4, 1e-9);
  EXPECT_EQ(label.fill.ForeColor.value_or(0), 0x00FF00u);

  // The charts, the inline VML and the broken shape stay in the text and
  // are written back unchanged.
  EXPECT_EQ(std::count(doc->main->Text().begin(), doc->main->Text().end(), model::kInlineObject), 4);
  std::string saved = Saved(*doc);
  EXPECT_NE(saved.find("name=\"图表 2\""), std::string::npos);
  EXPECT_NE(saved.find("m0,0ar0,0,100,100"), std::string::npos);
  EXPECT_NE(saved.find("<v:rect id=\"替代\""), std::string::npos);

  // Brought to the front, the VML group written back as read stacks there.
  std::make_shared<model::ModelDocument>(doc)->GetShapes()->Item(L"坐标系")->ZOrder(kBringToFront);
  auto again = Reopen(*doc);
  ASSERT_EQ(again->shapes.size(), 2u);
  EXPECT_EQ(again->shapes[1]->name, L"坐标系");
  EXPECT_EQ(again->shapes[1]->wrap.Type.value_or(0), 5);
}

}  // namespace
}  // namespace plx::docif
