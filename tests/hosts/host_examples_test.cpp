// The text-only examples run on a corpus paper give the same document on
// LibreOffice as on the model: the same text, positions and formats, as the
// surface dump at the end of the run shows them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/corpus.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#endif

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

bool Shell(const std::string& command, const std::string& output = "/dev/null") {
  return std::system((command + " > " + output + " 2>/dev/null").c_str()) == 0;
}

std::string Read(const fs::path& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// Where two dumps differ, as "path: model | libreoffice" lines. Lengths
// agree to the host's unit (LibreOffice keeps 1/100 mm, the model twips or
// finer), so numbers may differ by 0.05 pt.
void Differences(const json& model, const json& office, const std::string& at, std::vector<std::string>& out) {
  if (model.is_number() && office.is_number()) {
    if (std::fabs(model.get<double>() - office.get<double>()) > 0.05) out.push_back(at + ": " + model.dump() + " | " + office.dump());
    return;
  }
  if (model.type() != office.type() || (!model.is_object() && !model.is_array())) {
    if (model != office) out.push_back(at + ": " + model.dump() + " | " + office.dump());
    return;
  }
  if (model.is_array()) {
    if (model.size() != office.size()) out.push_back(at + ": " + std::to_string(model.size()) + " items | " + std::to_string(office.size()));
    for (size_t i = 0; i < std::min(model.size(), office.size()); ++i)
      Differences(model[i], office[i], at + "[" + std::to_string(i) + "]", out);
    return;
  }
  for (const auto& [key, value] : model.items())
    Differences(value, office.contains(key) ? office[key] : json(), at + "." + key, out);
  for (const auto& [key, value] : office.items())
    if (!model.contains(key)) out.push_back(at + "." + key + ": (none) | " + value.dump());
}

class HostExamples : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef PLENDRIX_UNO
    if (!plx::docif::lo::OfficeInstalled()) GTEST_SKIP() << "LibreOffice is not installed";
#else
    GTEST_SKIP() << "this build has no LibreOffice SDK (libreoffice-dev)";
#endif
  }

  // Runs `script` on both hosts with `options`, each ending with a dump of the document.
  std::pair<json, json> RunOnBoth(const std::string& options, const std::string& script) {
    json dumps[2];
    for (int office = 0; office < 2; ++office) {
      const fs::path dump = dir_.Path() / ("dump" + std::to_string(office) + ".json");
      const fs::path file = dir_.Path() / "script.txt";
      std::ofstream(file) << script << "\ndump " << dump.string() << "\n";
      EXPECT_TRUE(Shell(build_paths::RunCli() + (office ? " --host libreoffice " : " ") + options + " run " +
                      file.string()))
          << (office ? "libreoffice" : "model");
      dumps[office] = json::parse(Read(dump), nullptr, false);
    }
    return {dumps[0], dumps[1]};
  }

  void ExpectSame(const json& model, const json& office) {
    ASSERT_FALSE(model.is_discarded());
    ASSERT_FALSE(office.is_discarded());
    std::vector<std::string> differences;
    Differences(model, office, "", differences);
    EXPECT_TRUE(differences.empty()) << differences.size() << " differences, the first: " << differences.front();
  }

  plx::test::TempDir dir_;
};

std::string Example(const std::string& name) { return Read(fs::path(build_paths::SourceDir()) / "examples" / name); }

TEST_F(HostExamples, SymbolsTypedIntoAPaper) {
  for (bool resaved : {false, true}) {
    auto paper = test::CorpusPaperAs("exam-teacher.docx", resaved);
    if (!paper) GTEST_SKIP() << test::CorpusMissing("exam-teacher.docx");
    auto [model, office] = RunOnBoth("--doc " + paper->string(), Example("symbols.txt"));
    ExpectSame(model, office);
  }
}

TEST_F(HostExamples, PaperCleanUpsRenumberAndAlignTheOptions) {
  for (bool resaved : {false, true}) {
    auto paper = test::CorpusPaperAs("worksheet.docx", resaved);
    if (!paper) GTEST_SKIP() << test::CorpusMissing("worksheet.docx");
    auto [model, office] = RunOnBoth("--doc " + paper->string(),
                                     "select all\npress rxBtnonekey_chongxinbianhao\n"
                                     "select all\npress rxBtnonekey_duiqiABCD\n");
    ExpectSame(model, office);
    EXPECT_NE(model.dump().find("listNumber"), std::string::npos) << "the questions were numbered";
  }
}

TEST_F(HostExamples, MarkingAPaperAndCheckingTheMarks) {
  auto paper = test::CorpusPaper("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << test::CorpusMissing("exam-teacher.docx");
  // The example ends by opening the batch import, which copies questions
  // with their formatting: LibreOffice cannot do that yet.
  std::string marking = Example("marking.txt");
  marking.erase(marking.find("press rxBtntiku_PiLiangRuKu"));
  auto [model, office] = RunOnBoth("--doc " + paper->string(), marking);
  ExpectSame(model, office);
  EXPECT_NE(model.dump().find("【答案】"), std::string::npos);
}

// The batch typesetting opens each article and saves it beside the original
// through the host; both copies are read back by the model and compared.
TEST_F(HostExamples, ArticleTypesettingOfAFolder) {
  auto paper = test::CorpusPaper("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << test::CorpusMissing("exam-teacher.docx");
  json dumps[2];
  for (int office = 0; office < 2; ++office) {
    const fs::path folder = dir_.Path() / ("articles" + std::to_string(office));
    fs::create_directories(folder);
    fs::copy_file(*paper, folder / "paper.docx");
    const fs::path script = dir_.Path() / "batch.txt";
    std::ofstream(script) << "press 批量排版\nset frmLWPB.txtFolder " << folder.string() << "\nclick frmLWPB.cmdOk\n";
    ASSERT_TRUE(Shell(build_paths::RunCli() + (office ? " --host libreoffice" : "") + " --host-version 11.0 run " +
                    script.string()));
    const fs::path dump = dir_.Path() / "typeset.json";
    ASSERT_TRUE(Shell(build_paths::RunCli() + " --doc " + (folder / "paper_排版.docx").string() + " dump --surface",
                    dump.string()));
    dumps[office] = json::parse(Read(dump), nullptr, false);
  }
  // LibreOffice 7.4 has no first-line indent in characters: two characters
  // become 21 pt, the width of two characters of the body's 10.5 pt.
  auto& model = dumps[0]["paragraphs"];
  auto& office = dumps[1]["paragraphs"];
  for (size_t i = 0; i < std::min(model.size(), office.size()); ++i)
    if (model[i].value("firstLineIndent", -1.0) == 0.0 && office[i].value("firstLineIndent", -1.0) == 21.0)
      office[i]["firstLineIndent"] = 0.0;
  ExpectSame(dumps[0], dumps[1]);
}

}  // namespace
