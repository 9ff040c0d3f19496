// Sending the selection once: placing, sizing, keeping clear of what the
// slide already shows, and what the send adds around the shape.
#include "present/send2ppt.hpp"

#include <cairo.h>

#include <cstring>
#include <set>
#include <string_view>

#include "common/text.hpp"
#include "present/send_settings.hpp"
#include "present/slide_dressing.hpp"
#include "present/transition_table.hpp"
#include "slides_fixture.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

using slides::model::ShapeData;

class Send2PPTTest : public test::SlidesTest {
 protected:
  void SetUp() override {
    SlidesTest::SetUp();
    SetText(L"第一行文字\r第二行文字\r第三行文字\r");
    Setting(L"pptFontName", L"黑体");
    Setting(L"pptFontSize", L"28");
  }
  // Sends `n` copies of the first line as text boxes to the current slide.
  void SendLines(int n) {
    Select(0, 5);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(present::Send2PPT(*ctx, 5));
  }
};

TEST_F(Send2PPTTest, PlainTextGetsTheConfiguredFontInsideTheMargins) {
  Select(0, 11);
  ASSERT_TRUE(present::Send2PPT(*ctx, 2));
  ASSERT_EQ(Slides().size(), 1u) << "a program just started has one blank slide";
  const ShapeData& box = ShapeAt(0, 0);
  EXPECT_EQ(box.kind, ShapeData::Kind::TextBox);
  EXPECT_EQ(box.text, L"第一行文字\r第二行文字");
  EXPECT_EQ(box.fontName, L"黑体");
  EXPECT_EQ(box.fontSize, 28);
  EXPECT_EQ(box.left, 20);
  EXPECT_EQ(box.top, 20);
  EXPECT_EQ(box.width, 360);
  EXPECT_GT(box.height, 2 * 28) << "the box fits its two lines";
  // Modes 1 to 3 add a slide to the running program; 4 to 6 use the one shown.
  ASSERT_TRUE(present::Send2PPT(*ctx, 2));
  ASSERT_TRUE(present::Send2PPT(*ctx, 5));
  EXPECT_EQ(Slides().size(), 2u);
  EXPECT_EQ(Slides()[1]->shapes.size(), 2u);
}

// A new shape starts below the shapes already on the slide, and goes to a
// new slide only when it then runs past the slide's bottom.
TEST_F(Send2PPTTest, ANewShapeStartsBelowTheOthersAndMovesOnOnlyWhenItDoesNotFit) {
  SendLines(2);
  ASSERT_EQ(Slides().size(), 1u) << "a shape that fits stays on its slide";
  const ShapeData& first = ShapeAt(0, 0);
  const ShapeData& second = ShapeAt(0, 1);
  EXPECT_EQ(second.top, first.top + first.height) << "placed below the first, not over it";
  // Lines keep coming until one runs past the bottom of the 540-point slide.
  const int fitting = static_cast<int>((540 - 20) / first.height);
  SendLines(fitting - 2);
  ASSERT_EQ(Slides().size(), 1u);
  SendLines(1);
  ASSERT_EQ(Slides().size(), 2u);
  EXPECT_EQ(Slides()[0]->shapes.size(), static_cast<size_t>(fitting));
  const ShapeData& moved = ShapeAt(1, 0);
  EXPECT_EQ(moved.left, 20);
  EXPECT_EQ(moved.top, 20) << "at the top margin of the new slide";
  EXPECT_EQ(moved.text, L"第一行文字");
}

TEST_F(Send2PPTTest, OverlappingAllowedKeepsEveryShapeAtTheMargins) {
  Setting(L"blOver", L"True");
  SendLines(30);
  ASSERT_EQ(Slides().size(), 1u);
  for (const auto& s : Slides()[0]->shapes) EXPECT_EQ(s->top, 20);
}

TEST_F(Send2PPTTest, AutoSizeFillsTheMarginsKeepingTheAspectRatio) {
  Setting(L"blAutoSize", L"True");
  Setting(L"intLeft", L" 30 ");
  Setting(L"intRight", L"30");
  Setting(L"intTop", L"40");
  Setting(L"intButtom", L"40");
  Select(0, 5);
  ASSERT_TRUE(present::Send2PPT(*ctx, 1));
  const ShapeData& pic = ShapeAt(0, 0);
  ASSERT_EQ(pic.kind, ShapeData::Kind::Picture);
  EXPECT_EQ(pic.png.substr(1, 3), "PNG");
  // A short line is wide: its width meets the 660 points between the margins.
  EXPECT_NEAR(pic.width, 720 - 60, 1e-6);
  EXPECT_LE(pic.height, 540 - 80);
  EXPECT_EQ(pic.left, 30);
  EXPECT_EQ(pic.top, 40);
  // The aspect ratio is the picture's own.
  Setting(L"blAutoSize", L"False");
  ASSERT_TRUE(present::Send2PPT(*ctx, 1));
  const ShapeData& natural = ShapeAt(1, 0);
  EXPECT_LT(natural.width, pic.width) << "a small shape is enlarged";
  EXPECT_NEAR(pic.width / pic.height, natural.width / natural.height, 1e-9);
  // Enlarged, the picture is drawn as many times finer: 150 dpi where it
  // stands, on the slide as at its own size.
  auto pixelsWide = [](const std::string& png) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(png.at(i)); };
    return byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19);  // IHDR's width
  };
  EXPECT_NEAR(pixelsWide(natural.png) / (natural.width / 72), 150, 3);
  EXPECT_NEAR(pixelsWide(pic.png) / (pic.width / 72), 150, 3);
}

// The corner of a picture of text is clear, as a pasted metafile's ground is;
// the picture of an empty piece is clear all over.
TEST_F(Send2PPTTest, PicturesHaveATransparentGround) {
  auto alphaAt = [](const std::string& png, int x, int y) {
    std::string_view rest(png);
    auto* surface = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
          auto* rest = static_cast<std::string_view*>(closure);
          if (rest->size() < length) return CAIRO_STATUS_READ_ERROR;
          std::memcpy(data, rest->data(), length);
          rest->remove_prefix(length);
          return CAIRO_STATUS_SUCCESS;
        },
        &rest);
    EXPECT_EQ(cairo_image_surface_get_format(surface), CAIRO_FORMAT_ARGB32);
    const auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    const int alpha = reinterpret_cast<const uint32_t*>(row)[x] >> 24;
    cairo_surface_destroy(surface);
    return alpha;
  };
  Select(0, 5);
  ASSERT_TRUE(present::Send2PPT(*ctx, 1));
  EXPECT_EQ(alphaAt(ShapeAt(0, 0).png, 0, 0), 0);
  Select(5, 5);
  ASSERT_TRUE(present::Send2PPT(*ctx, 1));
  EXPECT_EQ(alphaAt(ShapeAt(1, 0).png, 4, 4), 0);
}

TEST_F(Send2PPTTest, DocumentObjectCarriesThePieceAsADocument) {
  Select(6, 11);
  ASSERT_TRUE(present::Send2PPT(*ctx, 3));
  const ShapeData& object = ShapeAt(0, 0);
  ASSERT_EQ(object.kind, ShapeData::Kind::OleObject);
  EXPECT_EQ(object.progId, L"Word.Document.12");
  EXPECT_EQ(object.package.substr(0, 2), "PK");
  EXPECT_NE(object.package.find("word/document.xml"), std::string::npos);
  EXPECT_EQ(object.png.substr(1, 3), "PNG") << "with a picture standing for it";
  EXPECT_EQ(host->ActiveDocument()->Content()->Text(), Text()) << "the teacher's document stays active";
  EXPECT_EQ(host->GetDocuments()->Count(), 1);
}

TEST_F(Send2PPTTest, WithoutAPresentationProgramNothingIsSent) {
  ctx->PresentationPrograms = nullptr;
  ui.Queue(Answer::OK);
  Select(0, 5);
  EXPECT_FALSE(present::Send2PPT(*ctx, 1));
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text.rfind(L"您没有正确安装PPT，导致模块出错。\r\n错误号：429描述：", 0), 0u);
}

TEST_F(Send2PPTTest, AStoredFlagThatIsNoBooleanIsNamed) {
  Setting(L"blAutoSize", L"maybe");
  ui.Queue(Answer::OK);
  Select(0, 5);
  EXPECT_FALSE(present::Send2PPT(*ctx, 1));
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"设置项“blAutoSize”的值“maybe”不是 True 或 False"))
      << WideToUtf8(ui.Boxes().back().text);
}

TEST_F(Send2PPTTest, EffectBackgroundAndTransitionDressTheSlide) {
  std::filesystem::create_directories(install.Path() / "img" / "pic");
  std::filesystem::copy_file(std::filesystem::path(build_paths::PristineDir()) / "img" / "pic" / "b007.jpg",
                             install.Path() / "img" / "pic" / "b007.jpg");
  Setting(L"blShapeAni", L"True");
  Setting(L"txtAniID", L"十");
  Setting(L"blBeauty", L"True");
  Setting(L"txtBeautyName", L"b007.jpg");
  Setting(L"blPPAni", L"True");
  Setting(L"txtPPAniID", L"27");
  Select(0, 5);
  ASSERT_TRUE(present::Send2PPT(*ctx, 2));
  const auto& slide = *Slides()[0];
  ASSERT_EQ(slide.effects.size(), 1u);
  EXPECT_EQ(slide.effects[0].effectId, 1) << "an unreadable effect number gives effect 1";
  EXPECT_EQ(slide.effects[0].timing.duration, 2);
  EXPECT_EQ(slide.effects[0].timing.triggerType, 1);
  EXPECT_FALSE(slide.followMasterBackground);
  EXPECT_EQ(slide.background.transparency, 0.2);
  EXPECT_EQ(slide.background.picture.substr(0, 3), "\xFF\xD8\xFF") << "the JPEG of b007.jpg";
  EXPECT_EQ(slide.entryEffect, 1793) << "index 27 fades";
  // A background that is not there is reported; the shape was still sent.
  Setting(L"txtBeautyName", L"没有这张.jpg");
  ui.Queue(Answer::OK);
  EXPECT_FALSE(present::Send2PPT(*ctx, 2));
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"没有这张.jpg"), std::wstring::npos);
  EXPECT_NE(ui.Boxes()[0].text.find(L" in procedure Send2PPT of Module modWord in line "), std::wstring::npos);
}

TEST_F(Send2PPTTest, TheSettingsDialogOpensFirstAndItsChoicesAreUsed) {
  Setting(L"blShowConfig", L"True");
  int shown = 0;
  present::SendHooks hooks{.showSettings = [&](AddinContext& c) {
    ++shown;
    ConfigGroup(c, L"word2pptconfig").Set(L"pptFontSize", L"40");
    ConfigGroup(c, L"wordconfig");  // the dialog leaves another group loaded
  }};
  Select(0, 5);
  ASSERT_TRUE(present::Send2PPT(*ctx, 2, hooks));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(ShapeAt(0, 0).fontSize, 40);
}

TEST(SlideDressing, RandomEffectsLeaveOutFlashOnceAndCreditsOnly) {
  // Draws k/53 for every k: 10/53 and 27/53 (effects 11 and 28) draw again.
  std::deque<double> draws;
  for (int k = 0; k < 53; ++k) draws.push_back((k + 0.5) / 53);
  ScriptedRandom random(draws);
  ScriptedUi ui;
  FixedClock clock{DateTime{2026, 12, 6, 9, 0, 0}};
  Registry registry;
  NetworkState network{false};
  RecordingShell shell;
  AddinContext ctx(Services{ui, clock, random, registry, network, shell});
  present::SendSettings s;
  s.rndAni = true;
  std::set<int> seen;
  for (int i = 0; i < 51; ++i) seen.insert(present::ChooseEntranceEffect(ctx, s));
  EXPECT_EQ(seen.size(), 51u);
  EXPECT_FALSE(seen.count(11));
  EXPECT_FALSE(seen.count(28));
  EXPECT_EQ(*seen.begin(), 1);
  EXPECT_EQ(*seen.rbegin(), 53);
  s.rndAni = false;
  for (const wchar_t* bad : {L"", L"abc", L"0", L"54", L"-3"}) {
    s.aniId = bad;
    EXPECT_EQ(present::ChooseEntranceEffect(ctx, s), 1) << WideToUtf8(bad);
  }
  s.aniId = L" 22 ";
  EXPECT_EQ(present::ChooseEntranceEffect(ctx, s), 22);
}

TEST(TransitionTable, IndexesOutsideTheTableGiveTheirOwnCode) {
  EXPECT_EQ(present::TransitionAt(1).code, 3844);
  EXPECT_EQ(present::TransitionAt(1).name, L"出现 ");
  EXPECT_EQ(present::TransitionAt(42).code, 0);
  EXPECT_EQ(present::TransitionAt(52).code, 513);
  EXPECT_EQ(present::TransitionAt(97).name, L"轻微缩小");
  EXPECT_EQ(present::TransitionAt(97).code, 3348);
  for (int outside : {0, 98, 1000, -1}) {
    EXPECT_EQ(present::TransitionAt(outside).code, outside);
    EXPECT_EQ(present::TransitionAt(outside).name, L"不知名的动画效果“");
  }
  // Every entry has a code of its own (the two "向上推进" push in two directions).
  std::set<int> codes;
  for (int i = 1; i <= present::kTransitionCount; ++i) codes.insert(present::TransitionAt(i).code);
  EXPECT_EQ(codes.size(), 97u);
}

}  // namespace
}  // namespace plx
