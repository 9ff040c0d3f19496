#include "docif/model/model_application.hpp"

#include <algorithm>

#include "common/error.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/shapes.hpp"

namespace plx::docif::model {
namespace {

class ModelDocuments final : public Documents {
 public:
  explicit ModelDocuments(std::shared_ptr<ModelApplication> app) : app_(std::move(app)) {}
  int Count() const override { return static_cast<int>(app_->DocumentData().size()); }
  std::shared_ptr<Document> Item(int index) override {
    auto& docs = app_->DocumentData();
    if (index < 1 || index > Count()) Raise(5941, L"集合所要求的成员不存在。");
    return Wrap(docs[index - 1]);
  }
  std::shared_ptr<Document> Add() override {
    auto doc = std::make_shared<DocData>(app_->SharedPtr());
    app_->DocumentData().push_back(doc);
    app_->SetActive(doc);
    return Wrap(doc);
  }
  std::shared_ptr<Document> Open(const std::wstring& path, bool readOnly) override {
    auto doc = ooxml::ReadDocx(path, app_->SharedPtr());
    doc->readOnly = readOnly;
    app_->DocumentData().push_back(doc);
    app_->SetActive(doc);
    return Wrap(doc);
  }
  void Close(const std::shared_ptr<Document>& document) override {
    auto* model = dynamic_cast<ModelDocument*>(document.get());
    if (!model) Raise(err::kInvalidCall);
    auto& docs = app_->DocumentData();
    std::erase(docs, model->Data());
    if (app_->ActiveData() == model->Data()) app_->SetActive(docs.empty() ? nullptr : docs.back());
  }

 private:
  std::shared_ptr<Document> Wrap(const std::shared_ptr<DocData>& doc) {
    std::weak_ptr<ModelApplication> app = app_;
    return std::make_shared<ModelDocument>(doc, [app, doc] {
      if (auto a = app.lock()) a->SetActive(doc);
    });
  }
  std::shared_ptr<ModelApplication> app_;
};

}  // namespace

std::shared_ptr<COMAddIn> ModelAddIns::Item(int index) {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall);
  return items_[index - 1];
}

void ModelAutoCorrect::AddEntry(const std::wstring& name, const std::wstring& value) {
  for (auto& e : entries_)
    if (e.first == name) {
      e.second = value;
      return;
    }
  entries_.emplace_back(name, value);
}

std::wstring ModelAutoCorrect::Entry(const std::wstring& name) const {
  for (const auto& e : entries_)
    if (e.first == name) return e.second;
  return {};
}

ModelApplication::ModelApplication(std::wstring version, std::wstring path)
    : version_(std::move(version)), path_(std::move(path)) {
  bars_ = std::make_shared<ModelCommandBars>();
  bars_->AddArrangeControls(*this, [this](const std::wstring& caption) { shared_->journal.push_back(L"Execute " + caption); });
  numbering_ = NumberingGallery();
}

std::vector<std::shared_ptr<ModelListTemplate>> NumberingGallery() {
  std::vector<std::shared_ptr<ModelListTemplate>> gallery;
  for (const wchar_t* format : {L"%1.", L"%1)", L"(%1)", L"%1．", L"%1、", L"(%1)", L"%1"})
    gallery.push_back(std::make_shared<ModelListTemplate>(format));
  return gallery;
}

std::shared_ptr<Documents> ModelApplication::GetDocuments() {
  return std::make_shared<ModelDocuments>(shared_from_this());
}

std::shared_ptr<DocData> ModelApplication::ActiveData() { return active_; }

void ModelApplication::SetActive(const std::shared_ptr<DocData>& doc) {
  active_ = doc;
}

std::shared_ptr<Document> ModelApplication::ActiveDocument() {
  if (!active_) Raise(4248, L"该命令无效，因为没有打开的文档。");
  return GetDocuments()->Item(static_cast<int>(
      std::find(documents_.begin(), documents_.end(), active_) - documents_.begin() + 1));
}

std::shared_ptr<Selection> ModelApplication::GetSelection() {
  if (!active_) Raise(4248, L"该命令无效，因为没有打开的文档。");
  return std::make_shared<ModelSelection>(active_);
}

std::shared_ptr<Window> ModelApplication::ActiveWindow() {
  if (!active_) Raise(4248, L"该命令无效，因为没有打开的文档。");
  return std::make_shared<ModelWindow>(active_);
}

void ModelApplication::StartCustomRecord(const std::wstring& name) {
  if (openRecords_++ == 0) undoRecords_.push_back(name);
}

void ModelApplication::EndCustomRecord() {
  if (openRecords_ > 0) --openRecords_;
}

void ModelApplication::SetScreenUpdating(bool v) {
  screenUpdating_ = v;
  shared_->journal.push_back(v ? L"ScreenUpdating True" : L"ScreenUpdating False");
}

std::shared_ptr<ListTemplate> ModelApplication::NumberingTemplate(int index) {
  if (index < 1 || index > static_cast<int>(numbering_.size())) Raise(5941, L"集合所要求的成员不存在。");
  return numbering_[index - 1];
}

void ModelApplication::Run(const std::wstring& macroName) {
  shared_->journal.push_back(L"Run " + macroName);
  if (auto it = macros_.find(macroName); it != macros_.end() && it->second) {
    const auto handler = it->second;
    handler();
  }
}

}  // namespace plx::docif::model
