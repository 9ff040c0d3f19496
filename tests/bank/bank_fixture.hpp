#pragma once
// A fresh add-in with a model host for the question-bank dialogs: papers
// from the shared corpus or typed, marked and handed to the batch import
// dialog, whose question pictures go to a quick writer that records them.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bank/frm_tiku_piliangruku.hpp"
#include "bank/marking/tk_marking.hpp"
#include "bank/tk_question.hpp"
#include "bank/tk_store.hpp"
#include "common/text.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx::test {

class BankDialogTest : public AddinTest {
 protected:
  void SetUp() override {
    host = MakeHost();
    ctx->App = host;
  }
  bool OpenCorpus(const char* file) {
    std::string path = build_paths::SharedDir() + "/corpus/" + file;
    if (!std::filesystem::exists(path)) return false;
    paper = host->GetDocuments()->Open(Utf8ToWide(path), true);
    return true;
  }
  void TypePaper(const std::wstring& text) {
    paper = host->GetDocuments()->Add();
    paper->Content()->InsertBefore(text);
  }
  // Marks the paper and opens the batch import dialog on it.
  std::shared_ptr<bank::frmTiKu_PiLiangRuKu> MarkAndOpenImport() {
    bank::TiKu_AutoMark(*ctx);
    std::shared_ptr<bank::frmTiKu_PiLiangRuKu> form;
    bank::PLRK(*ctx, [&](AddinContext& c, bank::PaperAnalysis a) {
      form = std::make_shared<bank::frmTiKu_PiLiangRuKu>(c);
      form->writePreview = [this](const pictures::Scene& scene, const std::wstring& file) {
        pictures.push_back({file, scene.items.size()});
        std::ofstream(std::filesystem::path(WideToUtf8(file))) << "picture";
        return std::wstring();
      };
      form->SetPaper(std::move(a));
      form->Show();
    });
    return form;
  }
  // Questions without a knowledge point are not stored: those the report
  // proposes none for get "函数".
  static void FillMissingPoints(Form& form) {
    for (const auto& c : form.Controls())
      if (c.name.starts_with(L"txtZSD") && c.text.empty()) form.SetValue(c.name, L"函数");
  }
  // Imports the opened paper with no paper record, its question pictures
  // written as real metafiles; the rows stored.
  std::vector<bank::QuestionRow> ImportWithRealPreviews() {
    auto form = MarkAndOpenImport();
    if (!form) return {};
    form->writePreview = bank::WriteWmfPreview;
    FillMissingPoints(*form);
    form->SetValue(L"txtPaper", L"");
    ui.Queue(Answer::No);  // no paper record
    ui.Queue(Answer::OK);  // "本次录入任务已经全部完成！"
    form->Click(L"cmdOK");
    return bank::QueryQuestions(*ctx, L"select * from tm order by id asc");
  }
  // Imports the paper under a new paper record of that name.
  std::vector<long> ImportAll(const std::wstring& paperName) {
    auto form = MarkAndOpenImport();
    if (!form) return {};
    FillMissingPoints(*form);
    form->SetValue(L"txtPaper", paperName);
    ui.Queue(Answer::Yes);  // add the paper
    form->Click(L"cmdOK");
    ui.Queue(Answer::OK);   // "试卷信息已经保存到数据库！"
    FindOpen(L"frmTiKu_PaperInfo")->Click(L"cmdOK");
    ui.Queue(Answer::OK);   // "本次录入任务已经全部完成！"
    form->Click(L"cmdOK");
    std::vector<long> ids;
    for (const auto& q : bank::QueryQuestions(*ctx, L"select * from tm order by id asc")) ids.push_back(q.id);
    return ids;
  }
  std::shared_ptr<Form> FindOpen(const std::wstring& name) {
    for (const auto& f : ctx->OpenForms)
      if (f->Name() == name) return f;
    ADD_FAILURE() << "dialog not open: " << WideToUtf8(name);
    return nullptr;
  }

  struct Picture {
    std::wstring file;
    size_t items;
  };
  std::vector<Picture> pictures;
  std::shared_ptr<docif::model::ModelApplication> host;
  std::shared_ptr<docif::Document> paper;
};

}  // namespace plx::test
