// The command-line host's scripts of user actions.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "addin/form.hpp"
#include "command_line.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/symbol_fonts.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "script.hpp"
#include "script_text.hpp"
#include "session.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx::cli {
namespace {

class ScriptTest : public ::testing::Test {
 protected:
  explicit ScriptTest(const wchar_t* hostVersion = L"16.0") : out_(std::tmpfile()), err_(std::tmpfile()) {
    SessionOptions o;
    o.install = install.WPath();
    o.hostVersion = hostVersion;
    std::filesystem::copy_file(std::filesystem::path(build_paths::ImageDir()) / "公式录入说明.doc",
                               install.Path() / "公式录入说明.doc");
    session = std::make_unique<Session>(o, out_, err_);
    session->Start();
    runner = std::make_unique<ScriptRunner>(*session);
  }
  ~ScriptTest() override {
    session.reset();
    std::fclose(out_);
    std::fclose(err_);
  }
  void Run(const std::string& script) {
    std::istringstream in(script);
    runner->Run(in);
  }
  std::wstring Text() { return session->Host().ActiveDocument()->Content()->Text(); }
  // What the session wrote on standard error, and on standard output.
  std::string Errors() { return Written(err_); }
  std::string Output() { return Written(out_); }
  static std::string Written(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    return text;
  }
  void ExpectError(const std::string& script, const std::string& part) {
    try {
      Run(script);
      ADD_FAILURE() << script << " was accepted";
    } catch (const ScriptError& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
  }

  test::TestInstall install;
  std::FILE* out_;
  std::FILE* err_;
  std::unique_ptr<Session> session;
  std::unique_ptr<ScriptRunner> runner;
};

// The 2003 host, whose toolbars have the commands the ribbon lacks.
class LegacyScriptTest : public ScriptTest {
 protected:
  LegacyScriptTest() : ScriptTest(L"11.0") {}
};

TEST(Script, Escapes) {
  EXPECT_EQ(Unescape(L"a\\rb\\nc\\td\\\\e\\x"), L"a\rb\nc\td\\e\\x");
}

TEST_F(ScriptTest, TypingSelectingAndPressing) {
  Run("# a worksheet line\n"
      "type 已知集合A\\r\n"
      "select 0 2\n"
      "type 设\n"
      "select 4 4\n"
      "press rxBtnSET_bingji\n"
      "type B\n");
  EXPECT_EQ(Text(), L"设集合A∪B\r\r");
}

TEST_F(ScriptTest, DialogsAreDrivenByTheirControlNames) {
  Run("press rxBtnztqt_dbzf\n"
      "set frmDot.txtLabel P\n"
      "set frmDot.optType 2\n"
      "click frmDot.cmdClose\n");
  EXPECT_EQ(test::QueryOne(install.File("config/config.mdb"), "select Data from record where id=4"), "五号@@2@@P");
  EXPECT_TRUE(session->Context().OpenForms.empty() ||
              session->Context().OpenForms.back()->Name() != L"frmDot");
}

// `show` prints what an open dialog shows at that point of the script, the
// results its buttons wrote included; the dialog stays open and unchanged.
TEST_F(LegacyScriptTest, ShowPrintsTheDialogAsItIsNow) {
  Run("press 分解质因数\n"
      "set frmFenJie.Text1 360\n"
      "show frmFenJie\n"
      "click frmFenJie.cmdOK\n"
      "show frmFenJie\n");
  const std::string out = Output();
  const size_t second = out.rfind("对话框 frmFenJie：");
  ASSERT_NE(second, std::string::npos) << out;
  EXPECT_EQ(out.substr(0, second).find("运算结果：360"), std::string::npos) << "before the click: " << out;
  EXPECT_NE(out.find("Label1\t标签\t运算结果：360= 2^3·3^2·5", second), std::string::npos) << out;
  EXPECT_NE(out.find("Text1\t文本框\t", second), std::string::npos) << out;
  EXPECT_NE(out.find("\t360\t", second), std::string::npos) << out;
  ExpectError("show frmGraph\n", "没有打开");
  EXPECT_EQ(Text(), L"\r") << "looking changes nothing in the document";
}

TEST_F(ScriptTest, AnswersAreQueuedForTheNextBoxes) {
  Run("answer cancel\n"
      "press rxBtnztqt_xtms\n");
  EXPECT_EQ(session->Ui().Boxes().back().text, L"当前是网格模式，你要切换到绘图模式吗？");
  EXPECT_TRUE(session->Host().ActiveDocument()->SnapToGrid()) << "cancelled: nothing changed";
}

TEST_F(ScriptTest, BadLinesNameTheirNumber) {
  ExpectError("type a\nfly away\n", "第 2 行");
  ExpectError("set frmGraph.txtXmin 1\n", "没有打开");
  ExpectError("press rxBtnztqt_dbzf\nset frmDot.nosuch 1\n", "不存在");
  ExpectError("press rxBtnztqt_dbzf\nset frmDot.optType 9\n", "错误 380");
  ExpectError("select 5 2\n", "第 1 行");
  ExpectError("select x y\n", "select 后面要写");
  ExpectError("press rxBtnztqt_dbzf\npreview frmDot /tmp/x.svg\n", "没有预览");
  ExpectError("press rxBtnNOPE\n", "rxBtnNOPE");
  ExpectError("press rxGrp_ShuZi\n", "没有标识为“rxGrp_ShuZi”的按钮");  // a group, not a button
}

TEST(Script, ReadInTheEncodingsTeachersSave) {
  EXPECT_EQ(DecodeScript("\xEF\xBB\xBFtype 集合").text, L"type 集合");
  const ScriptText gbk = DecodeScript("type \xBC\xAF\xBA\xCF");
  EXPECT_TRUE(gbk.fromGb18030);
  EXPECT_EQ(gbk.text, L"type 集合");
  EXPECT_FALSE(DecodeScript("type 集合\n").fromGb18030);
  EXPECT_TRUE(IsUtf8("\xF0\x9D\x94\xB8"));       // a character beyond 16 bits
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));               // an overlong "/"
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));           // a surrogate
  EXPECT_FALSE(IsUtf8("ab\xE9\x9B"));              // cut short at the end
}

TEST_F(ScriptTest, BlanksAndTabsMayStandBeforeAnAction) {
  Run("\xEF\xBB\xBF  type 甲\n\t\ttype 乙\n\xE3\x80\x80type 丙\n");
  EXPECT_EQ(Text(), L"甲乙丙\r");
}

TEST_F(ScriptTest, ControlsRefuseValuesTheyCannotTakeAndKeepTheirOwn) {
  Run("press rxBtnztqt_hstx\n");
  ExpectError("set frmGraph.chkWG 5\n", "错误 380");
  ExpectError("set frmGraph.chkWG abc\n", "错误 380");
  ExpectError("set frmGraph.optMode_Any 1e300\n", "错误 380");
  ExpectError("dblclick frmGraph.List1 1e300\n", "不是有效的序号");
  ExpectError("set frmGraph.cmbStyle 9\n", "只能选列表中的一项");
  ExpectError("set frmGraph.cmbWidth -5\n", "0 到 1584");
  ExpectError("set frmGraph.cmbWidth 粗\n", "0 到 1584");
  ExpectError("dblclick frmGraph.List1 1\n", "没有第 1 项（共 1 项");
  Form& form = *session->Context().OpenForms.back();
  EXPECT_EQ(form.ValueText(L"chkWG"), L"0");
  EXPECT_EQ(form.ValueText(L"cmbStyle"), L"0");
  EXPECT_EQ(form.ValueText(L"cmbWidth"), L"0.75");
  Run("set frmGraph.chkWG 1\nset frmGraph.cmbStyle 3\nset frmGraph.cmbWidth 1.5\ndblclick frmGraph.List1 0\n");
  EXPECT_EQ(form.ValueText(L"cmbStyle"), L"3");
  EXPECT_EQ(form.ValueText(L"cmbWidth"), L"1.5");
}

TEST_F(ScriptTest, AnswersThatDoNotFitTheirBoxAreReported) {
  // An OK/Cancel box takes "yes", then a text; the third answer is never used.
  Run("answer yes\npress rxBtnztqt_xtms\nanswer 5\npress rxBtnztqt_xtms\nanswer cancel\n");
  session->Ui().ReportUnused();
  EXPECT_EQ(session->Ui().Problems(), 3);
  const std::string errors = Errors();
  EXPECT_NE(errors.find("第 1 行的回答“yes”不是这个消息框的按钮（它只有 ok、cancel）"), std::string::npos) << errors;
  EXPECT_NE(errors.find("第 3 行的回答“5”是给输入框的文字"), std::string::npos) << errors;
  EXPECT_NE(errors.find("第 5 行的回答“cancel”没有被任何对话框用上"), std::string::npos) << errors;
}

TEST_F(ScriptTest, TheSessionKeepsItsDocumentWhenTheGuideOpens) {
  Run("type 试卷\nanswer help\npress rxBtnGS_kjgs\ntype 改动\n");
  auto guide = session->Host().ActiveDocument();
  ASSERT_TRUE(session->OtherActiveDocument());
  EXPECT_TRUE(guide->ReadOnly());
  EXPECT_THROW(guide->Save(), VbError);
  test::TempDir out;
  const std::wstring path = out.WPath() + L"/paper.docx";
  session->Save(path);
  auto saved = docif::ooxml::ReadDocx(path, session->Model()->SharedPtr());
  EXPECT_EQ(docif::model::DumpJson(*saved).find("改动"), std::string::npos);
  EXPECT_NE(docif::model::DumpJson(*saved).find("试卷"), std::string::npos);
}

TEST_F(ScriptTest, DumpShowsSymbolFontSignsByCodeAndAsDrawn) {
  Run("press rxBtnSET_kongji\npress rxBtnYUNSUAN_derta\npress rxBtnSET_R\n");
  const std::string json = docif::model::DumpJson(*session->ModelDocument());
  for (const char* part : {R"("font": "plendrix")", R"("text": "\uf0a5")", R"("shown": "∅")",
                           R"("font": "Symbol")", R"("text": "\uf044")", R"("shown": "Δ")",
                           R"("font": "Euclid Math Two")", R"("text": "\uf052")", R"("shown": "ℝ")"})
    EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
  EXPECT_FALSE(docif::model::SymbolFontCharacter(L"Wingdings", 0xF0A5));
  EXPECT_FALSE(docif::model::SymbolFontCharacter(L"Symbol", 0xF0F0));  // no sign of its own
}

// The install folder given relative to where plendrix starts is made
// absolute at once, so the question files the bank stores under it are
// found again from any folder.
TEST(Session, ARelativeInstallFolderIsMadeAbsolute) {
  test::TestInstall install;
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::current_path(install.Path().parent_path());
  SessionOptions o;
  o.install = Utf8ToWide(install.Path().filename().string()) + L"/";
  std::FILE* out = std::tmpfile();
  std::wstring folder;
  {
    Session session(o, out, out);
    std::filesystem::current_path("/");
    folder = session.Context().ModuleFolder();
  }
  std::fclose(out);
  std::filesystem::current_path(started);
  EXPECT_EQ(folder, Utf8ToWide(std::filesystem::absolute(install.Path()).lexically_normal().string()));
}

TEST(CommandLine, TextsStartingWithAMinusAreNotOptions) {
  using V = std::vector<std::string>;
  EXPECT_EQ(MarkDashTexts({"p", "formula", "-x/2"}), (V{"p", "formula", "--", "-x/2"}));
  EXPECT_EQ(MarkDashTexts({"p", "--out", "a.docx", "eval", "--at", "-2", "-x^2"}),
            (V{"p", "--out", "a.docx", "eval", "--at", "-2", "--", "-x^2"}));
  EXPECT_EQ(MarkDashTexts({"p", "formula", "--route", "tex", "--", "-x"}),
            (V{"p", "formula", "--route", "tex", "--", "-x"}));
  EXPECT_EQ(MarkDashTexts({"p", "formula", "-h"}), (V{"p", "formula", "-h"}));
  EXPECT_EQ(MarkDashTexts({"p", "run", "-"}), (V{"p", "run", "-"}));
}

}  // namespace
}  // namespace plx::cli
