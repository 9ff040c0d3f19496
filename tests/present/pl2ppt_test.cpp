// Batch sends: markers cut the document into pieces, automatic marking
// puts them question by question, and the markers go again afterwards.
#include "present/pl2ppt.hpp"

#include <filesystem>

#include "common/text.hpp"
#include "addin/form.hpp"
#include "config/frm_config.hpp"
#include "present/markers.hpp"
#include "present/send2ppt.hpp"
#include "slides_fixture.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

using slides::model::ShapeData;

class PL2PPTTest : public test::SlidesTest {
 protected:
  std::vector<std::wstring> SlideTexts(size_t slide) {
    std::vector<std::wstring> texts;
    for (const auto& s : Slides().at(slide)->shapes) texts.push_back(s->text);
    return texts;
  }
};

TEST_F(PL2PPTTest, AutomaticMarkingPutsEachQuestionOnItsSlideWithItsOptions) {
  SetText(L"测验\r1．第一题\rA．1　B．2\rC．3　D．4\r图：略\r\u3000\r2、第二题\r3.第三题\r");
  present::ZhuTiBiaoJi(*ctx);
  EXPECT_EQ(Text(), L"[pdPPN]测验\r[pdPPN]1．第一题\rA．1　B．2\rC．3　D．4\r[pdPPK]图：略\r\u3000\r[pdPPN]2、第二题\r"
                    L"[pdPPN]3.第三题\r\r")
      << "blank paragraphs stay with the piece before them";
  present::RemoveMarkers(*ctx);
  EXPECT_EQ(Text(), L"测验\r1．第一题\rA．1　B．2\rC．3　D．4\r图：略\r\u3000\r2、第二题\r3.第三题\r\r");
}

TEST_F(PL2PPTTest, TablesStayWholeAndNumberedQuestionsGetTheirSlides) {
  SetText(L"测验\r\r1．第一题\rA．1　B．2\r第二题\r3．第三题\r\r说明\r");
  auto tables = doc->GetTables();
  // Options in cells under question 3, a score table right before question 1.
  const long empty = static_cast<long>(Text().find(L"\r\r说明")) + 1;
  auto options = tables->Add(*doc->GetRange(empty, empty + 1), 2, 2);
  auto score = tables->Add(*doc->Paragraphs()->Item(2), 2, 3);
  for (int c = 1; c <= 3; ++c) score->Cell(1, c)->SetText(std::wstring(L"题号一二").substr(static_cast<size_t>(c) - 1, 1));
  options->Cell(1, 1)->SetText(L"A．1");
  options->Cell(2, 2)->SetText(L"D．4");
  // Question 2 numbered by the add-in's own numbering.
  auto tmpl = ctx->App->NumberingTemplate(1);
  tmpl->SetNumberFormat(L"%1．");
  for (int i = 1; i <= doc->Paragraphs()->Count(); ++i)
    if (auto p = doc->Paragraphs()->Item(i); p->Text() == L"第二题\r") p->ApplyListTemplate(*tmpl, false);
  present::ZhuTiBiaoJi(*ctx);
  EXPECT_EQ(present::Occurrences(*doc, L"[pdPPN]").size(), 4u) << WideToUtf8(Text());
  EXPECT_EQ(present::Occurrences(*doc, L"[pdPPK]").size(), 1u) << WideToUtf8(Text());
  for (auto table : {score, options})
    EXPECT_FALSE(Contains(table->GetRange()->Text(), L"[pdPP")) << WideToUtf8(table->GetRange()->Text());
  present::RemoveMarkers(*ctx);

  Setting(L"iPPType", L"1");  // plain text
  present::PL2PPT(*ctx, 0, {});
  ASSERT_EQ(Slides().size(), 4u);
  EXPECT_EQ(SlideTexts(1), std::vector<std::wstring>{L"1．第一题\rA．1　B．2"});
  EXPECT_EQ(SlideTexts(2), std::vector<std::wstring>{L"第二题"});
  EXPECT_EQ(SlideTexts(3).size(), 2u) << "question 3 with its table, then the note";
}

TEST_F(PL2PPTTest, AnAutomaticBatchLeavesNoMarkerAndGivesTheLastQuestionItsSlide) {
  Setting(L"iPPType", L"1");  // plain text
  SetText(L"测验\r1．第一题\rA．1　B．2\r说明\r2．第二题");
  const std::wstring before = Text();
  present::PL2PPT(*ctx, 0, {});
  EXPECT_EQ(Text(), before);
  ASSERT_EQ(Slides().size(), 3u);
  EXPECT_EQ(SlideTexts(0), std::vector<std::wstring>{L"测验"});
  EXPECT_EQ(SlideTexts(1), (std::vector<std::wstring>{L"1．第一题\rA．1　B．2", L"说明"}));
  EXPECT_EQ(SlideTexts(2), std::vector<std::wstring>{L"2．第二题"}) << "the last question has its own slide";
}

TEST_F(PL2PPTTest, ExplicitMarkersStayAndAdjacentMarkersSendAnEmptyPiece) {
  SetText(L"前言[pdPPN]甲[pdPPK][pdPPK]乙\r[pdPPN]丙");
  const std::wstring before = Text();
  present::PL2PPT(*ctx, 2, {});
  EXPECT_EQ(Text(), before) << "a batch with a given form keeps the markers";
  ASSERT_EQ(Slides().size(), 2u);
  EXPECT_EQ(SlideTexts(0), (std::vector<std::wstring>{L"甲", L"", L"乙"}))
      << "the text before the first marker is not sent; a piece ending inside a paragraph keeps its last character";
  EXPECT_EQ(SlideTexts(1), std::vector<std::wstring>{L"丙"});
}

// A piece's picture starts at its text: the marker before it leaves no
// room in it, and is back in the document afterwards.
TEST_F(PL2PPTTest, APiecesPictureIsItsTextsWithoutTheMarkersRoom) {
  SetText(L"1．甲乙丙\rA．丁\r");
  Select(0, 9);
  ASSERT_TRUE(present::Send2PPT(*ctx, 1));
  const double alone = Slides().back()->shapes.at(0)->width;
  SetText(L"[pdPPN]1．甲乙丙\rA．丁\r[pdPPN]2．戊\r");
  const std::wstring before = Text();
  present::PL2PPT(*ctx, 3, {});
  EXPECT_EQ(Text(), before);
  ASSERT_EQ(Slides().size(), 3u);
  EXPECT_EQ(Slides()[1]->shapes.at(0)->kind, ShapeData::Kind::Picture);
  EXPECT_NEAR(Slides()[1]->shapes.at(0)->width, alone, 0.5);
}

TEST_F(PL2PPTTest, MarkerCommandsInsertAtTheSelectionAndRemoveAll) {
  SetText(L"一二三");
  Select(1, 2);
  Press(L"rxBtnqt_2ppt_b1");
  Select(10, 10);
  Press(L"rxBtnqt_2ppt_b2");
  EXPECT_EQ(Text(), L"一[pdPPN]二三[pdPPK]\r");
  Press(L"rxBtnqt_2ppt_yk2");
  EXPECT_EQ(Text(), L"一二三\r");
}

TEST_F(PL2PPTTest, TheSettingsDialogIsShownModallyOnceBeforeABatchAndItsChoiceIsUsed) {
  Setting(L"blShowConfig", L"True");
  Setting(L"iPPType", L"1");
  SetText(L"1．甲\r2．乙\r3．丙");
  // While the dialog is open the user widens the left margin and presses
  // OK: every piece of the batch is sent with that choice.
  ui.QueueModal([&] {
    auto config = ctx->FindForm<frmConfig>();
    ASSERT_TRUE(config);
    EXPECT_EQ(config->GetControl(L"SSTab1").value, 4) << "the dialog opens on the slides tab";
    config->GetControl(L"intLeft").text = L"100";
    config->cmdOk_Click();
  });
  Press(L"rxBtnqt_2ppt_s");
  EXPECT_EQ(ui.ModalDialogs(), std::vector<std::wstring>{L"frmConfig"});
  EXPECT_FALSE(ctx->FindForm<frmConfig>());
  ASSERT_EQ(Slides().size(), 3u);
  for (const auto& slide : Slides()) EXPECT_EQ(slide->shapes.at(0)->left, 100);
}

TEST_F(PL2PPTTest, ADocumentWithoutMarkersIsToldSo) {
  SetText(L"没有标记");
  ui.Queue(Answer::OK);
  present::PL2PPT(*ctx, 3, {});
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"没有发送到PPT的标记"), std::wstring::npos);
  EXPECT_TRUE(programs->Presentations().empty());
}

TEST_F(PL2PPTTest, ABatchThatCannotReachTheProgramStopsAtOnceAndRemovesItsMarkers) {
  ctx->PresentationPrograms = nullptr;
  SetText(L"1．甲\r2．乙\r3．丙");
  const std::wstring before = Text();
  ui.Queue(Answer::OK);
  present::PL2PPT(*ctx, 0, {});
  EXPECT_EQ(ui.Boxes().size(), 1u) << "one message, not one per piece";
  EXPECT_EQ(Text(), before);
}

class CorpusBatchTest : public PL2PPTTest {
 protected:
  bool Open() {
    auto path = std::filesystem::path(build_paths::SharedDir()) / "corpus" / "exam-student.docx";
    if (!std::filesystem::exists(path)) return false;
    doc = host->GetDocuments()->Open(Utf8ToWide(path.string()), true);
    return true;
  }
  // The slide that starts with question `n` ("n．").
  int QuestionSlide(int n) {
    for (size_t i = 0; i < Slides().size(); ++i)
      if (!Slides()[i]->shapes.empty() && Slides()[i]->shapes[0]->text.rfind(std::to_wstring(n) + L"．", 0) == 0)
        return static_cast<int>(i);
    return -1;
  }
};

TEST_F(CorpusBatchTest, EveryQuestionOfAPaperGetsItsSlideInEachForm) {
  if (!Open()) GTEST_SKIP() << "corpus not found under " << build_paths::SharedDir();
  const std::wstring before = Text();
  // The score table stays whole with the title.
  present::ZhuTiBiaoJi(*ctx);
  auto tables = doc->GetTables();
  ASSERT_GT(tables->Count(), 0);
  EXPECT_FALSE(Contains(tables->Item(1)->GetRange()->Text(), L"[pdPP"));
  present::RemoveMarkers(*ctx);
  // Plain text first: the slides can be read.
  Setting(L"iPPType", L"1");
  present::PL2PPT(*ctx, 0, {});
  EXPECT_EQ(Text(), before);
  int previous = 0;
  for (int q = 1; q <= 8; ++q) {
    const int slide = QuestionSlide(q);
    ASSERT_GT(slide, previous) << "question " << q << " starts a slide of its own, in order";
    previous = slide;
  }
  EXPECT_NE(Slides()[QuestionSlide(1)]->shapes[0]->text.find(L"D．{1,2,3}"), std::wstring::npos);
  const auto q2 = Slides()[QuestionSlide(2)];
  EXPECT_NE(q2->shapes[0]->text.find(L"C．2π"), std::wstring::npos) << "both option lines with the question";
  EXPECT_EQ(QuestionSlide(1), 1) << "the title, its note and the score table share the first slide";
  // The same batch as pictures and as document objects: a slide for the
  // title and one for each question at least (tall text boxes take more).
  for (const auto& [type, kind] : {std::pair{L"2", ShapeData::Kind::Picture}, std::pair{L"0", ShapeData::Kind::OleObject}}) {
    const ShapeData::Kind expected = kind;
    programs = std::make_shared<slides::model::ModelPrograms>();
    ctx->PresentationPrograms = programs;
    Setting(L"iPPType", type);
    present::PL2PPT(*ctx, 0, {});
    EXPECT_EQ(Text(), before);
    ASSERT_GE(Slides().size(), 9u);
    for (const auto& slide : Slides()) {
      EXPECT_FALSE(slide->shapes.empty());
      for (const auto& shape : slide->shapes) {
        EXPECT_EQ(shape->kind, expected);
        EXPECT_GT(shape->width, 0);
      }
    }
  }
}

}  // namespace
}  // namespace plx
