// Formulas and inline objects on every host: equations made by the add-in's
// formula command (one typeset object character on LibreOffice, the linear
// text on the model), EQ fields, inline pictures, and the equations and
// pictures of the corpus papers. On LibreOffice every formula the add-in
// builds must be one Math accepts: Math sets "¿" where it cannot read one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <fstream>
#include <sstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/document.hpp"
#include "docif/model/model_application.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "formula/formula_output.hpp"
#include "formula/omath_builder.hpp"
#include "formula/tex_route/tex_equations.hpp"
#include "hosts/host_under_test.hpp"
#include "support/corpus.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

#ifdef PLENDRIX_UNO
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>

#include "docif/uno/uno_application.hpp"
#include "docif/uno/uno_document.hpp"
#endif

namespace {

namespace fs = std::filesystem;
using namespace plx::docif;
using test::Host;
#ifdef PLENDRIX_UNO
namespace css = com::sun::star;
#endif

// The formulas of the examples and of the formula tests, as typed.
const wchar_t* const kTyped[] = {
    L"yuan(-1,2,2)", L"ty(4,3)", L"sqx(-4,5)", L"jf(0,1,x^2dx)=1/3", L"jf(-1,a+1,x^2dx)", L"PLA(5,2)+PLC(5,2)=30",
    L"PL(n,m)", L"gh(3,x+1)+(gh2)/2", L"gh2+gh@a+sqrt(x+1)", L"a_12/x^(n+1)", L"jx(x,0)(sinx)/x=jx(x,0)=1", L"jx()",
    L"jx(x,g(a,b),f(x))", L"qh(i=1,n,i^2)", L"jz(1,2|3,4)", L"hls(a,b|c,d)", L"fcz(x+y=1, x-y=3)",
    L"fcz(f(x,y)=0,y=gh(x))", L"hu(AB)", L"xl(a)+xl(AB)", L"fei(AB)", L"xhx(  )", L"@a+@b=pi", L"x>=1，x<>0",
    L"∠A=90°，△ABC≌△DEF，AB⊥CD，AB∥EF，△ABC∽△DEF", L"x∈A，y∉B，A⊆B，A⫋C，A∪B，A∩B=∅", L"±1×2÷3·4≤∞",
    L"已知 f(x)=|x-1|+‖a‖", L"(a+b)/(c+d)+x^(n+1)", L"sin^2 α+cos^2 α=1", L"lg100=2",
    L"[0,1)∪(2,+∞)", L"⋃_(i=1)^n A_i+∏_(k=1)^n k", L"∠DEF=∠MIN", L"{x|x>0}", L"C_n^2=(n(n-1))/2", L"f'(x)=3x^2-2x!",
};

class HostFormulas : public plx::test::AddinTest, public ::testing::WithParamInterface<Host> {
 protected:
  void SetUp() override {
    std::string why;
    app_ = test::StartHost(GetParam(), &why);
    if (!app_) GTEST_SKIP() << test::HostName(GetParam()) << ": " << why;
    doc_ = app_->GetDocuments()->Add();
    ctx->App = app_;
  }
  void TearDown() override {
    if (app_ && doc_) app_->GetDocuments()->Close(doc_);
  }
  bool Office() const { return GetParam() == Host::LibreOffice; }
  // Types text at the end of the document and leaves the insertion point after it.
  void Type(const std::wstring& text) {
    auto end = doc_->GetRange(doc_->Content()->End() - 1, doc_->Content()->End() - 1);
    end->InsertAfter(text);
    app_->GetSelection()->SetRange(end->End(), end->End());
  }
  // The text of the document as LibreOffice prints it (pdftotext of the PDF Writer makes).
  std::string PrintedText() {
#ifdef PLENDRIX_UNO
    const fs::path pdf = dir_.Path() / "printed.pdf", text = dir_.Path() / "printed.txt";
    css::uno::Sequence<css::beans::PropertyValue> args(1);
    args.getArray()[0].Name = "FilterName";
    args.getArray()[0].Value <<= rtl::OUString("writer_pdf_Export");
    css::uno::Reference<css::frame::XStorable>(dynamic_cast<lo::UnoDocument&>(*doc_).Writer()->model,
                                               css::uno::UNO_QUERY_THROW)
        ->storeToURL(rtl::OUString::createFromAscii(("file://" + pdf.string()).c_str()), args);
    if (const char* keep = std::getenv("PLENDRIX_KEEP_PDF")) fs::copy_file(pdf, keep, fs::copy_options::overwrite_existing);
    if (std::system(("pdftotext '" + pdf.string() + "' '" + text.string() + "'").c_str()) != 0) return "";
    std::stringstream printed;
    printed << std::ifstream(text).rdbuf();
    return printed.str();
#else
    return "";
#endif
  }

  std::shared_ptr<Application> app_;
  std::shared_ptr<Document> doc_;
  plx::test::TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(Hosts, HostFormulas, ::testing::Values(Host::Model, Host::LibreOffice),
                         [](const auto& info) { return test::HostName(info.param); });

TEST_P(HostFormulas, TheFormulaCommandMakesOneEquationWhereTheModelCountsIt) {
  const std::wstring linear = L"(x^2)/(4)+(y^2)/(3)＝1";
  Type(L"椭圆");
  plx::OutPutOmathGS(*ctx, L"ty(4,3)");
  Type(L"的焦点");
  // The equation's characters: its linear text on the model, one object on LibreOffice.
  const std::wstring shown = Office() ? std::wstring(1, L'\x01') : linear;
  EXPECT_EQ(doc_->Content()->Text(), L"椭圆" + shown + L"的焦点\r");
  auto equations = doc_->Content()->GetOMaths();
  ASSERT_EQ(equations->Count(), 1);
  auto equation = equations->Item(1);
  EXPECT_TRUE(equation->IsBuiltUp());
  EXPECT_EQ(equation->GetRange()->Start(), 2);
  EXPECT_EQ(equation->GetRange()->End(), 2 + static_cast<long>(shown.size()));
  EXPECT_EQ(doc_->GetRange(0, 2)->GetOMaths()->Count(), 0) << "the text before holds none";
  // Back to the linear format and built up again: the same text and place as the model.
  equation->Linearize();
  EXPECT_FALSE(equation->IsBuiltUp());
  EXPECT_EQ(doc_->Content()->Text(), L"椭圆" + linear + L"的焦点\r");
  equation->BuildUp();
  EXPECT_EQ(doc_->Content()->Text(), L"椭圆" + shown + L"的焦点\r");
  EXPECT_EQ(doc_->Content()->GetOMaths()->Count(), 1);
  // A second equation over text that holds the first merges them into one.
  doc_->Content()->GetOMaths()->Add(*doc_->GetRange(1, 3 + static_cast<long>(shown.size())));
  EXPECT_EQ(doc_->Content()->GetOMaths()->Count(), 1);
  EXPECT_THROW(doc_->Content()->GetOMaths()->Add(*doc_->GetRange(0, 0)), plx::VbError);
  EXPECT_TRUE(ui.Boxes().empty()) << "the command showed no message";
}

TEST_P(HostFormulas, EquationsOfAnOpenedDocumentAreListed) {
  // A document with an equation, as the model writes it (Office Math in the .docx).
  const std::wstring linear = L"(x^2)/(a)+√(2&x)";
  auto model = test::StartHost(Host::Model, nullptr);
  auto written = model->GetDocuments()->Add();
  written->Content()->InsertBefore(L"设" + linear + L"，则");
  written->Content()->GetOMaths()->Add(*written->GetRange(1, 1 + static_cast<long>(linear.size())));
  written->Content()->GetOMaths()->Item(1)->BuildUp();
  const fs::path path = dir_.Path() / "equation.docx";
  written->SaveAs(path.wstring());
  app_->GetDocuments()->Close(doc_);
  doc_ = app_->GetDocuments()->Open(path.wstring(), false);
  auto equations = doc_->Content()->GetOMaths();
  ASSERT_EQ(equations->Count(), 1);
  EXPECT_EQ(equations->Item(1)->GetRange()->Start(), 1);
  const std::wstring shown = Office() ? std::wstring(1, L'\x01') : linear;
  EXPECT_EQ(doc_->Content()->Text(), L"设" + shown + L"，则\r");
  // LibreOffice read it as its own formula: there is no linear text to go back to.
  if (Office()) {
    EXPECT_THROW(equations->Item(1)->Linearize(), plx::VbError);
  }
}

TEST_P(HostFormulas, TheTeXRouteEndsInAnEquation) {
  // No equation editor here: the toggle macro is the add-in's own conversion.
  auto toggle = [this] { plx::TeXToggleToEquations(*ctx); };
#ifdef PLENDRIX_UNO
  if (Office()) lo::SetMacro(*app_, plx::kTeXToggleMacro, toggle);
#endif
  if (!Office()) static_cast<model::ModelApplication&>(*app_).SetMacro(plx::kTeXToggleMacro, toggle);
  Type(L"化简");
  plx::My_TeXToggle(*ctx, L"(a+b)/(c+d)+x^(n+1)");
  Type(L"。");
  auto equations = doc_->Content()->GetOMaths();
  ASSERT_EQ(equations->Count(), 1);
  const std::wstring linear = L"(a+b)/(c+d)+x^(n+1)";
  EXPECT_EQ(doc_->Content()->Text(), L"化简" + (Office() ? std::wstring(1, L'\x01') : linear) + L"。\r");
  equations->Item(1)->Linearize();
  EXPECT_EQ(doc_->Content()->Text(), L"化简" + linear + L"。\r") << "the same equation as on the model";
  EXPECT_TRUE(ui.Boxes().empty()) << "the command showed no message";
}

TEST_P(HostFormulas, MathAcceptsEveryFormulaTheAddinBuilds) {
  if (!Office()) GTEST_SKIP() << "LibreOffice Math reads the formulas";
  plx::FormulaSettings settings;
  for (const wchar_t* typed : kTyped) {
    Type(L"【");
    auto at = app_->GetSelection()->GetRange();
    at->SetText(plx::SetOMathEq(typed, settings, [](const std::wstring&) {}));
    doc_->Content()->GetOMaths()->Add(*at);
    Type(L"】\r");
  }
  EXPECT_EQ(doc_->Content()->GetOMaths()->Count(), static_cast<int>(std::size(kTyped)));
  const std::string printed = PrintedText();
  ASSERT_FALSE(printed.empty()) << "LibreOffice printed nothing";
  EXPECT_EQ(printed.find("¿"), std::string::npos) << printed;
  EXPECT_NE(printed.find("已知"), std::string::npos) << "the formulas' text is printed";
  // Saved as a .docx, every large operator keeps its limits (all of these have both).
  doc_->SaveAs((dir_.Path() / "all.docx").wstring());
  const std::string body = plx::docif::ooxml::ReadPackage((dir_.Path() / "all.docx").string())["word/document.xml"];
  EXPECT_NE(body.find("<m:nary>"), std::string::npos);
  EXPECT_EQ(body.find("subHide"), std::string::npos);
}

TEST_P(HostFormulas, EqFieldsKeepTheirCodeAndShowTheFormula) {
  // The formula command's field route, embellished as it ends.
  Type(L"椭圆");
  plx::OutPutFldGS(*ctx, L"ty(4,3)");
  Type(L"与");
  auto plain = doc_->GetFields()->Add(*app_->GetSelection()->GetRange(), kFieldFormula, L"\\x(a)");
  Type(L"。");
  // A second formula in a field (Writer wants its objects' names unique).
  doc_->GetFields()->Add(*app_->GetSelection()->GetRange(), kFieldFormula, L"\\R(3,x)");
  auto fields = doc_->GetFields();
  ASSERT_EQ(fields->Count(), 3);
  fields->Item(3)->Delete();
  auto field = fields->Item(1);
  EXPECT_EQ(field->Type(), kFieldFormula);
  EXPECT_EQ(field->Code()->Text(), L"EQ \\F(x\\S(2),4)+\\F(y\\S(2),3)＝1");
  EXPECT_EQ(field->Code()->Start(), 3);
  EXPECT_EQ(plain->Code()->Text(), L"EQ \\x(a)");
  // The result: the typeset formula on LibreOffice, a plain rendering on the model.
  const std::wstring result = field->Result()->Text();
  EXPECT_EQ(result == L"\x01", Office()) << plx::WideToUtf8(result);
  EXPECT_EQ(plain->Result()->Text(), L"a");
  EXPECT_EQ(doc_->Content()->GetOMaths()->Count(), 0) << "a field's formula is no equation";
  const long after = field->Result()->End() + 1;
  EXPECT_EQ(doc_->GetRange(after, after + 1)->Text(), L"与");
  // A code edited in place (as the embellishment does) is the field's code.
  const long code = plain->Code()->Start();
  doc_->GetRange(code + 6, code + 7)->SetText(L"b+c");
  EXPECT_EQ(plain->Code()->Text(), L"EQ \\x(b+c)");
  EXPECT_EQ(plain->Result()->Text(), L"a");
#ifdef PLENDRIX_UNO
  if (Office()) {
    lo::ReadDocumentsAgain(*app_);  // Writer's own record of the field, read afresh
    EXPECT_EQ(doc_->GetFields()->Item(2)->Code()->Text(), L"EQ \\x(b+c)");
  }
#endif
  // Saved, the document holds a real EQ field around the formula.
  doc_->SaveAs((dir_.Path() / "eq.docx").wstring());
  const std::string body = plx::docif::ooxml::ReadPackage((dir_.Path() / "eq.docx").string())["word/document.xml"];
  EXPECT_NE(body.find("fldCharType=\"begin\""), std::string::npos);
  EXPECT_NE(body.find("<w:instrText"), std::string::npos);
  if (Office()) {
    EXPECT_NE(body.find("EQ \\F(x\\S(2),4)+\\F(y\\S(2),3)"), std::string::npos) << "the code in one piece";
    EXPECT_NE(body.find("EQ \\x(b+c)"), std::string::npos) << "the edited code";
  }
  EXPECT_NE(body.find("<m:oMath"), std::string::npos);
  // Deleted, a field leaves the text around it as it was.
  field->Delete();
  plain->Delete();
  EXPECT_EQ(doc_->Content()->Text(), L"椭圆与。\r");
  EXPECT_TRUE(ui.Boxes().empty()) << "the commands showed no message";
}

TEST_P(HostFormulas, InlinePicturesAreOneCharacterWithTheModelsSizes) {
  const std::wstring file = fs::path(build_paths::PristineDir() + "/img/pic/b001.jpg").wstring();
  Type(L"图1");
  auto picture = doc_->GetInlineShapes()->AddPicture(file, *app_->GetSelection()->GetRange());
  Type(L"与公式对象");
  auto object = doc_->GetInlineShapes()->AddOLEObject(L"Equation.3", *app_->GetSelection()->GetRange());
  Type(L"。");
  EXPECT_EQ(doc_->Content()->Text(), L"图1\x01与公式对象\x01。\r");
  ASSERT_EQ(doc_->GetInlineShapes()->Count(), 2);
  EXPECT_EQ(doc_->Content()->GetOMaths()->Count(), 0) << "an embedded object is no equation";
  EXPECT_EQ(picture->Type(), kInlineShapePicture);
  EXPECT_EQ(object->Type(), kInlineShapeEmbeddedOle);
  EXPECT_EQ(picture->GetRange()->Start(), 2);
  EXPECT_EQ(object->GetRange()->Start(), 8);
  EXPECT_EQ(doc_->GetRange(8, 9)->GetInlineShapes()->Count(), 1);
  EXPECT_EQ(doc_->GetRange(3, 3)->GetInlineShapes()->Count(), 0);
  // Sizes as the model gives them (LibreOffice keeps hundredths of a millimetre).
  auto reference = test::StartHost(Host::Model, nullptr)->GetDocuments()->Add();
  auto expected = reference->GetInlineShapes()->AddPicture(file, *reference->GetRange(0, 0));
  EXPECT_NEAR(picture->Width(), expected->Width(), 0.05);
  EXPECT_NEAR(picture->Height(), expected->Height(), 0.05);
  picture->SetWidth(100);
  picture->SetHeight(50);
  EXPECT_NEAR(picture->Width(), 100, 0.05);
  EXPECT_NEAR(picture->Height(), 50, 0.05);
  EXPECT_FALSE(picture->BordersEnabled());
  picture->SetBordersEnabled(true);
  EXPECT_TRUE(picture->BordersEnabled());
  picture->SetAlternativeText(L"函数图像");
  EXPECT_EQ(picture->AlternativeText(), L"函数图像");
  picture->AddPictureEffect(kPictureBrightness, 20);
  picture->AddPictureEffect(kPictureContrast, -10);
  const PictureEffectList effects{{kPictureBrightness, 20}, {kPictureContrast, -10}};
  EXPECT_EQ(picture->PictureEffects(), effects);
  // The picture's data is the file it was made from, read without an undo step.
  const auto steps = test::UndoSteps(GetParam(), *app_).size();
  const PictureData data = picture->Picture();
  EXPECT_EQ(data.contentType, L"image/jpeg");
  std::ifstream in(fs::path(file), std::ios::binary);
  EXPECT_TRUE(data.bytes == std::string(std::istreambuf_iterator<char>(in), {})) << data.bytes.size() << " bytes";
  EXPECT_EQ(test::UndoSteps(GetParam(), *app_).size(), steps);
  EXPECT_EQ(doc_->Content()->Text(), L"图1\x01与公式对象\x01。\r");
  EXPECT_TRUE(object->Picture().bytes.empty());
  picture->Delete();
  EXPECT_EQ(doc_->Content()->Text(), L"图1与公式对象\x01。\r");
  EXPECT_THROW(picture->Width(), plx::VbError);
  EXPECT_EQ(object->GetRange()->Start(), 7) << "the object after it moved";
}

struct Paper {
  const char* name;
  bool resaved;
};

class CorpusObjects : public ::testing::TestWithParam<std::tuple<Host, Paper>> {};

INSTANTIATE_TEST_SUITE_P(Papers, CorpusObjects,
                         ::testing::Combine(::testing::Values(Host::Model, Host::LibreOffice),
                                            ::testing::Values(Paper{"exam-teacher.docx", false},
                                                              Paper{"exam-teacher.docx", true},
                                                              Paper{"worksheet.docx", false},
                                                              Paper{"worksheet.docx", true})),
                         [](const auto& info) {
                           const Paper paper = std::get<1>(info.param);
                           std::string name = std::string(paper.name).substr(0, std::string(paper.name).find('.'));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return test::HostName(std::get<0>(info.param)) + "_" + name + (paper.resaved ? "_resaved" : "");
                         });

// The pictures and equations of a paper, where the model finds them.
TEST_P(CorpusObjects, PapersPicturesAndEquationsAreListedWhereTheModelFindsThem) {
  const auto [host, paper] = GetParam();
  auto path = test::CorpusPaperAs(paper.name, paper.resaved);
  if (!path) GTEST_SKIP() << test::CorpusMissing(paper.name);
  std::string why;
  auto app = test::StartHost(host, &why);
  if (!app) GTEST_SKIP() << test::HostName(host) << ": " << why;
  auto doc = app->GetDocuments()->Open(path->wstring(), false);
  auto reference = test::StartHost(Host::Model, &why)->GetDocuments()->Open(path->wstring(), false);
  const bool saved = doc->Saved();
  auto pictures = doc->GetInlineShapes(), expected = reference->GetInlineShapes();
  ASSERT_EQ(pictures->Count(), expected->Count());
  EXPECT_GT(pictures->Count(), 0) << "the paper has a picture";
  for (int i = 1; i <= pictures->Count(); ++i) {
    EXPECT_EQ(pictures->Item(i)->GetRange()->Start(), expected->Item(i)->GetRange()->Start()) << i;
    EXPECT_NEAR(pictures->Item(i)->Width(), expected->Item(i)->Width(), 0.1) << i;
    EXPECT_NEAR(pictures->Item(i)->Height(), expected->Item(i)->Height(), 0.1) << i;
    // The file the paper stores, as the model reads it from the package.
    const PictureData data = pictures->Item(i)->Picture(), want = expected->Item(i)->Picture();
    EXPECT_FALSE(want.bytes.empty()) << i;
    EXPECT_TRUE(data.bytes == want.bytes) << i << ": " << data.bytes.size() << " bytes, not " << want.bytes.size();
    EXPECT_EQ(data.contentType, want.contentType) << i;
  }
  EXPECT_EQ(doc->Content()->GetOMaths()->Count(), reference->Content()->GetOMaths()->Count());
  EXPECT_EQ(doc->Saved(), saved) << "reading the pictures changed nothing";
  app->GetDocuments()->Close(doc);
}

}  // namespace
