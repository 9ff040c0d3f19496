// DrawingML for floating shapes and inline pictures: positions in EMU,
// geometry of each shape kind, colours, outlines, fills, groups, text
// boxes, names and ids.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <cmath>
#include <set>

#include "common/error.hpp"
#include "docif/ooxml/drawing_xml.hpp"

namespace plx::docif::ooxml {
namespace {

using model::ShapeData;

struct Written {
  pugi::xml_document doc;
  pugi::xml_node Node(const char* xpath) const { return doc.select_node(xpath).node(); }
  std::string Attr(const char* xpath, const char* name) const {
    return Node(xpath).attribute(name).value();
  }
  std::string Text(const char* xpath) const { return Node(xpath).text().get(); }
  size_t Count(const char* xpath) const { return doc.select_nodes(xpath).size(); }
};

struct DrawingTest : ::testing::Test {
  DrawingContext ctx;
  const model::Story* storySeen = nullptr;
  DrawingTest() {
    ctx.addImage = [](const model::InlineObject&) { return std::string("rId9"); };
    ctx.storyXml = [this](const model::Story& s) {
      storySeen = &s;
      return std::string("<w:p/>");
    };
  }
  // Parses run content inside an element declaring w, the only prefix the
  // drawing does not declare itself.
  void Parse(const std::string& xml, Written& w) {
    std::string run = "<w:r xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
                      "main\">" + xml + "</w:r>";
    ASSERT_TRUE(w.doc.load_string(run.c_str())) << xml;
  }
  void Float(const ShapeData& s, Written& w) { Parse(FloatingShapeXml(s, ctx), w); }
};

ShapeData Shape(int type, std::vector<PointF> points, double l = 0, double t = 0, double w = 0,
                double h = 0) {
  ShapeData s;
  s.type = type;
  s.points = std::move(points);
  s.left = l, s.top = t, s.width = w, s.height = h;
  return s;
}

TEST_F(DrawingTest, LineIsPlacedOnThePageInExactEmuWithItsOutline) {
  // A horizontal line drawn right to left along the bottom of an A4 page.
  ShapeData s = Shape(kShapeLine, {{595.3f, 841.9f}, {100.5f, 841.9f}});
  s.line = {.Weight = 1.5, .ForeColor = 0x0000FF, .DashStyle = 4, .EndArrowheadStyle = 2,
            .EndArrowheadLength = 3, .EndArrowheadWidth = 1};
  Written w;
  Float(s, w);
  EXPECT_EQ(w.Text("//wp:positionH[@relativeFrom='page']/wp:posOffset"), "1276350");
  EXPECT_EQ(w.Text("//wp:positionV[@relativeFrom='page']/wp:posOffset"), "10692130");
  EXPECT_EQ(w.Attr("//wp:extent", "cx"), "6283960");
  EXPECT_EQ(w.Attr("//wp:extent", "cy"), "0") << "a horizontal line keeps its zero height (LibreOffice hides it otherwise)";
  // The path runs from the begin (right) to the end (left), no flips.
  EXPECT_EQ(w.Attr("//a:path/a:moveTo/a:pt", "x"), "6283960");
  EXPECT_EQ(w.Attr("//a:path/a:lnTo/a:pt", "x"), "0");
  EXPECT_TRUE(w.Node("//a:xfrm").attribute("flipH").empty());
  EXPECT_TRUE(w.Node("//wps:spPr/a:noFill")) << "lines have no fill";
  EXPECT_EQ(w.Attr("//a:ln", "w"), "19050");
  EXPECT_EQ(w.Attr("//a:ln/a:solidFill/a:srgbClr", "val"), "FF0000") << "red is the low byte";
  EXPECT_EQ(w.Attr("//a:ln/a:prstDash", "val"), "dash");
  EXPECT_FALSE(w.Node("//a:ln/a:headEnd"));
  EXPECT_EQ(w.Attr("//a:ln/a:tailEnd[@type='triangle']", "len"), "lg");
  EXPECT_EQ(w.Attr("//a:ln/a:tailEnd", "w"), "sm");
  EXPECT_FALSE(w.Node("//w:drawing").attribute("xmlns:wps").empty());
}

TEST_F(DrawingTest, FreeformsBecomeCustomPaths) {
  ShapeData curve = Shape(kShapeFreeform, {{100, 200}, {120, 180}, {140, 220}, {160, 200},
                                           {180, 180}, {200, 220}, {220, 200}});
  curve.curve = true;
  Written c;
  Float(curve, c);
  EXPECT_EQ(c.Count("//a:path/a:cubicBezTo/a:pt"), 6u);
  EXPECT_EQ(c.Count("//a:path/*"), 3u);
  EXPECT_EQ(c.Attr("//a:path", "w"), "1524000");
  EXPECT_EQ(c.Attr("//a:path/a:moveTo/a:pt", "y"), "254000") << "relative to the box";

  ShapeData closed = Shape(kShapeFreeform, {{0, 0}, {50, 0}, {50, 50}, {0, 0}});
  closed.segments = {kSegmentLine, kSegmentCurve, kSegmentLine};
  closed.fill = {.ForeColor = 0x00FF00, .Pattern = 21};
  closed.line.Visible = false;
  Written f;
  Float(closed, f);
  EXPECT_EQ(f.Count("//a:path/a:lnTo"), 3u);
  EXPECT_TRUE(f.Node("//a:path/a:close"));
  EXPECT_EQ(f.Attr("//a:pattFill[@prst='ltDnDiag']/a:fgClr/a:srgbClr", "val"), "00FF00");
  EXPECT_TRUE(f.Node("//a:ln/a:noFill"));
}

TEST_F(DrawingTest, GroupItemsKeepPageCoordinatesOrderNamesAndIds) {
  auto item = [](ShapeData s, const wchar_t* name) {
    s.name = name;
    return std::make_shared<ShapeData>(std::move(s));
  };
  auto inner = item(Shape(kShapeGroup, {}), L"内层");
  inner->children = {item(Shape(kShapeAutoShape, {}, 50, 60, 10, 10), L"矩形"),
                     item(Shape(kShapeLine, {{70, 80}, {90, 100}}), L"线")};
  ShapeData picture = Shape(kShapePicture, {}, 10, 10, 20, 20);
  picture.picture = model::InlineObject{};
  ShapeData g = Shape(kShapeGroup, {});
  auto axis = item(Shape(kShapeLine, {{10, 20}, {110, 20}}), L"x轴");
  g.children = {axis, inner, item(picture, L"图")};
  Written w;
  Float(g, w);
  std::vector<std::string> items;
  for (auto n : w.doc.select_nodes("//wpg:wgp/*[position() > 2]")) items.push_back(n.node().name());
  EXPECT_EQ(items, (std::vector<std::string>{"wps:wsp", "wpg:grpSp", "pic:pic"}));
  const char* xfrm = "//wpg:wgp/wpg:grpSpPr/a:xfrm/";
  for (std::string a : {"off[@x='127000' and @y='127000']", "chOff[@x='127000' and @y='127000']",
                        "ext[@cx='1270000' and @cy='1143000']",
                        "chExt[@cx='1270000' and @cy='1143000']"})
    EXPECT_TRUE(w.Node((xfrm + ("a:" + a)).c_str())) << a;
  EXPECT_EQ(w.Attr("//wpg:grpSp/wpg:grpSpPr/a:xfrm/a:chOff", "x"), "635000");
  EXPECT_EQ(w.Attr("//wpg:grpSp/wps:wsp/wps:spPr/a:xfrm/a:off", "y"), "762000");
  EXPECT_EQ(w.Attr("//wpg:grpSp/wpg:cNvPr", "name"), "内层");
  EXPECT_EQ(w.Attr("//pic:pic//a:blip", "r:embed"), "rId9");
  std::set<std::string> ids;
  for (auto n : w.doc.select_nodes("//wp:docPr | //wps:cNvPr | //wpg:cNvPr | //pic:cNvPr"))
    ids.insert(n.node().attribute("id").value());
  EXPECT_EQ(ids.size(), 6u);
}

TEST_F(DrawingTest, TextBoxWritesItsStoryAndDirection) {
  ShapeData s = Shape(kShapeTextBox, {}, 0, 0, 100, 50);
  s.text = std::make_shared<model::Story>();
  s.frame = {.MarginLeft = 7.2, .MarginRight = 0, .Orientation = 2};
  Written w;
  Float(s, w);
  EXPECT_EQ(storySeen, s.text.get());
  EXPECT_TRUE(w.Node("//wps:txbx/w:txbxContent/w:p"));
  EXPECT_EQ(w.Attr("//wps:bodyPr", "vert"), "vert270");
  EXPECT_EQ(w.Attr("//wps:bodyPr", "lIns"), "91440");
  EXPECT_EQ(w.Attr("//wps:bodyPr", "rIns"), "0");
  ctx.storyXml = nullptr;  // the text cannot be written: an error, not a silently empty box
  EXPECT_THROW(FloatingShapeXml(s, ctx), VbError);
}

TEST_F(DrawingTest, AutoShapeColoursNamesIdsZOrderAndWrap) {
  ShapeData s = Shape(kShapeAutoShape, {}, 10, 20, 30, 40);
  s.autoShape = kAutoShapeOval;
  s.rotation = -90;
  s.fill = {.ForeColor = 0xFF0000, .Transparency = 0.5};
  s.line.ForeColor = model::kAutoColor;
  s.name = L"x轴：a<b>&\"c\"\x01";
  s.wrap = {.AllowOverlap = false, .Type = 5};
  Written a, b;
  Float(s, a);
  EXPECT_EQ(a.Attr("//a:prstGeom", "prst"), "ellipse");
  EXPECT_EQ(a.Attr("//a:xfrm", "rot"), "16200000");
  EXPECT_EQ(a.Attr("//wps:spPr/a:solidFill/a:srgbClr", "val"), "0000FF") << "blue";
  EXPECT_EQ(a.Attr("//wps:spPr/a:solidFill/a:srgbClr/a:alpha", "val"), "50000");
  EXPECT_EQ(a.Attr("//a:ln/a:solidFill/a:srgbClr", "val"), "000000") << "automatic is black";
  s.left = std::nan("");  // a broken coordinate moves the shape, it cannot break the file
  s.wrap = {.Type = 1};
  Float(s, b);
  EXPECT_EQ(a.Attr("//wp:docPr[@id='1']", "name"), "x轴：a<b>&\"c\"");
  EXPECT_TRUE(b.Node("//wp:docPr[@id='2']"));
  EXPECT_LT(std::stoul(a.Attr("//wp:anchor", "relativeHeight")),
            std::stoul(b.Attr("//wp:anchor", "relativeHeight")));
  EXPECT_TRUE(a.Node("//wp:anchor[@behindDoc='1' and @allowOverlap='0']/wp:wrapNone"));
  EXPECT_TRUE(b.Node("//wp:anchor[@behindDoc='0']"));
  EXPECT_EQ(b.Count("//wp:wrapTight/wp:wrapPolygon/wp:lineTo"), 4u);
  EXPECT_EQ(b.Text("//wp:positionH/wp:posOffset"), "0");
}

TEST_F(DrawingTest, InlinePictureEmbedsTheImage) {
  model::InlineObject p;
  p.width = 72, p.height = 36;
  p.altText = L"函数图像";
  p.borders = true;
  Written w;
  Parse(InlinePictureXml(p, ctx), w);
  EXPECT_TRUE(w.Node("//wp:inline/wp:extent[@cx='914400' and @cy='457200']"));
  EXPECT_EQ(w.Attr("//wp:inline/wp:docPr", "descr"), "函数图像");
  EXPECT_EQ(w.Attr("//pic:blipFill/a:blip", "r:embed"), "rId9");
  EXPECT_TRUE(w.Node("//pic:spPr/a:ln"));
  ctx.addImage = nullptr;
  EXPECT_THROW(InlinePictureXml(p, ctx), VbError);
}

}  // namespace
}  // namespace plx::docif::ooxml
