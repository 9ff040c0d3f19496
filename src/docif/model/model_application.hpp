#pragma once
// The model word processor's application object: a version string, the
// host's folder, documents with their selection and window, command bars
// (with the host's built-in align and distribute controls), the add-in
// list, AutoCorrect, the numbering gallery, and a journal of the calls
// whose effect lies outside any document.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "docif/application.hpp"
#include "docif/model/doc_data.hpp"
#include "docif/model/model_command_bars.hpp"

namespace plx::docif::model {

class ModelAddIn final : public COMAddIn {
 public:
  ModelAddIn(std::wstring progId, std::wstring guid, std::wstring description = L"")
      : progId_(std::move(progId)), guid_(std::move(guid)), description_(std::move(description)) {}
  std::wstring ProgId() const override { return progId_; }
  std::wstring Guid() const override { return guid_; }
  std::wstring Description() const override { return description_; }

 private:
  std::wstring progId_, guid_, description_;
};

class ModelAddIns final : public COMAddIns {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::shared_ptr<COMAddIn> Item(int index) override;
  void Add(std::shared_ptr<ModelAddIn> addIn) { items_.push_back(std::move(addIn)); }

 private:
  std::vector<std::shared_ptr<ModelAddIn>> items_;
};

class ModelAutoCorrect final : public AutoCorrect {
 public:
  bool ReplaceText() const override { return replaceText_; }
  void SetReplaceText(bool v) override { replaceText_ = v; }
  bool CorrectSentenceCaps() const override { return sentenceCaps_; }
  void SetCorrectSentenceCaps(bool v) override { sentenceCaps_ = v; }
  int EntryCount() const override { return static_cast<int>(entries_.size()); }
  void AddEntry(const std::wstring& name, const std::wstring& value) override;
  std::wstring Entry(const std::wstring& name) const override;

 private:
  bool replaceText_ = true;
  bool sentenceCaps_ = true;
  std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

class ModelListTemplate final : public ListTemplate {
 public:
  explicit ModelListTemplate(std::wstring format) : format_(std::move(format)) {}
  std::wstring NumberFormat() const override { return format_; }
  void SetNumberFormat(const std::wstring& f) override { format_ = f; }
  int NumberStyle() const override { return style_; }
  void SetNumberStyle(int s) override { style_ = s; }

 private:
  std::wstring format_;
  int style_ = 0;
};

// The host's numbering gallery: the number formats of its templates, in order.
std::vector<std::shared_ptr<ModelListTemplate>> NumberingGallery();

class ModelApplication final : public Application, public std::enable_shared_from_this<ModelApplication> {
 public:
  explicit ModelApplication(std::wstring version = L"16.0", std::wstring path = L"/usr/lib/plendrix-host");

  std::wstring Version() const override { return version_; }
  std::wstring Path() const override { return path_; }
  std::shared_ptr<CommandBars> GetCommandBars() override { return bars_; }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override { return addIns_; }
  std::shared_ptr<Documents> GetDocuments() override;
  std::shared_ptr<Document> ActiveDocument() override;
  std::shared_ptr<Selection> GetSelection() override;
  std::shared_ptr<Window> ActiveWindow() override;
  bool ScreenUpdating() const override { return screenUpdating_; }
  void SetScreenUpdating(bool v) override;
  std::shared_ptr<AutoCorrect> GetAutoCorrect() override { return autoCorrect_; }
  std::shared_ptr<ListTemplate> NumberingTemplate(int index) override;
  // Journals the call, then runs the handler the host registered for the
  // macro, if any.
  void Run(const std::wstring& macroName) override;
  void StartCustomRecord(const std::wstring& name) override;
  void EndCustomRecord() override;
  // The undo steps recorded so far, by name.
  const std::vector<std::wstring>& UndoRecords() const { return undoRecords_; }
  // The host's answer to a macro command that no add-in of its own offers.
  void SetMacro(const std::wstring& macroName, std::function<void()> handler) { macros_[macroName] = std::move(handler); }

  ModelCommandBars& Bars() { return *bars_; }
  ModelAddIns& AddIns() { return *addIns_; }
  // The calls whose only effect lies outside the documents, in order.
  const std::vector<std::wstring>& Journal() const { return shared_->journal; }
  const AppShared& Shared() const { return *shared_; }
  const std::shared_ptr<AppShared>& SharedPtr() const { return shared_; }
  // The documents' data, for the file adapters and the dump.
  std::vector<std::shared_ptr<DocData>>& DocumentData() { return documents_; }
  std::shared_ptr<DocData> ActiveData();
  void SetActive(const std::shared_ptr<DocData>& doc);

 private:
  std::wstring version_;
  std::wstring path_;
  std::map<std::wstring, std::function<void()>> macros_;
  std::shared_ptr<AppShared> shared_ = std::make_shared<AppShared>();
  std::shared_ptr<ModelCommandBars> bars_;
  std::shared_ptr<ModelAddIns> addIns_ = std::make_shared<ModelAddIns>();
  std::shared_ptr<ModelAutoCorrect> autoCorrect_ = std::make_shared<ModelAutoCorrect>();
  std::vector<std::shared_ptr<ModelListTemplate>> numbering_;
  std::vector<std::shared_ptr<DocData>> documents_;
  std::shared_ptr<DocData> active_;
  bool screenUpdating_ = true;
  std::vector<std::wstring> undoRecords_;
  int openRecords_ = 0;
};

}  // namespace plx::docif::model
