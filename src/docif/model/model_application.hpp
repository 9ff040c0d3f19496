#pragma once
// The model word processor's application object: a version string, the
// host's folder, command bars and the list of installed add-ins.
#include <memory>
#include <string>
#include <vector>

#include "docif/application.hpp"
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

class ModelApplication final : public Application {
 public:
  explicit ModelApplication(std::wstring version = L"16.0", std::wstring path = L"/usr/lib/plendrix-host")
      : version_(std::move(version)), path_(std::move(path)) {}
  std::wstring Version() const override { return version_; }
  std::wstring Path() const override { return path_; }
  std::shared_ptr<CommandBars> GetCommandBars() override { return bars_; }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override { return addIns_; }

  ModelCommandBars& Bars() { return *bars_; }
  ModelAddIns& AddIns() { return *addIns_; }

 private:
  std::wstring version_;
  std::wstring path_;
  std::shared_ptr<ModelCommandBars> bars_ = std::make_shared<ModelCommandBars>();
  std::shared_ptr<ModelAddIns> addIns_ = std::make_shared<ModelAddIns>();
};

}  // namespace plx::docif::model
