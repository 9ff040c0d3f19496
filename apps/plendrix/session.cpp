#include "session.hpp"

#include <filesystem>

#include "common/text.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "formula/tex_route/tex_equations.hpp"
#include "messages.hpp"
#include "office_host.hpp"

namespace plx::cli {

Session::Session(const SessionOptions& options, std::FILE* out, std::FILE* err)
    : options_(options), ui_(out, err, options.interactive), random_(options.seed), network_(options.online) {
  ctx_ = std::make_unique<AddinContext>(Services{ui_, clock_, random_, registry_, network_, shell_});
  if (!options_.install.empty()) {
    // Made absolute once: the question bank stores file paths under the
    // install folder, and they must hold when plendrix runs from elsewhere.
    const std::filesystem::path given(WideToUtf8(options_.install));
    std::wstring folder = Utf8ToWide(std::filesystem::absolute(given).lexically_normal().string());
    while (folder.size() > 1 && folder.back() == L'/') folder.pop_back();
    ctx_->ModuleFolder = [folder] { return folder; };
  }
  if (!options_.libreOffice) {
    host_ = std::make_shared<docif::model::ModelApplication>(options_.hostVersion);
    // No equation editor add-in here (nor in LibreOffice, see Start): the TeX
    // route's toggle is answered by the add-in's own TeX-to-equation conversion.
    host_->SetMacro(kTeXToggleMacro, [this] { TeXToggleToEquations(*ctx_); });
    app_ = host_;
  }
  ctx_->PresentationPrograms = programs_;
  connect_ = std::make_unique<Connect>(*ctx_);
}

bool Session::SavePresentation(const std::wstring& path) {
  auto app = programs_->Running();
  if (!app || app->PresentationCount() == 0) return false;
  app->ActivePresentation()->SaveAs(path);
  return true;
}

Session::~Session() {
  Stop();
  connect_.reset();
  ctx_.reset();
  hostDocument_.reset();
  app_.reset();
}

void Session::Start() {
  if (options_.libreOffice) {
    office_ = StartOfficeHost(options_.hostVersionGiven ? options_.hostVersion : L"");
    office_->SetMacro(kTeXToggleMacro, [this] { TeXToggleToEquations(*ctx_); });
    app_ = office_->Application();
    hostDocument_ = options_.document.empty() ? app_->GetDocuments()->Add()
                                              : app_->GetDocuments()->Open(options_.document, false);
    connect_->AddinInstance_OnConnection(app_);
    connect_->AddinInstance_OnStartupComplete();
    connected_ = true;
    return;
  }
  if (options_.document.empty()) {
    host_->GetDocuments()->Add();
  } else {
    auto data = docif::ooxml::ReadDocx(options_.document, host_->SharedPtr());
    host_->DocumentData().push_back(data);
    host_->SetActive(data);
  }
  document_ = host_->ActiveData();
  hostDocument_ = host_->ActiveDocument();
  connect_->AddinInstance_OnConnection(host_);
  connect_->AddinInstance_OnStartupComplete();
  connected_ = true;
}

void Session::Stop() {
  if (!connected_) return;
  connected_ = false;
  connect_->AddinInstance_OnDisconnection();
}

void Session::Save(const std::wstring& path) {
  if (office_) {
    if (hostDocument_) hostDocument_->SaveAs(path);  // stored by LibreOffice as .docx
    return;
  }
  if (!document_) return;  // never started
  docif::ooxml::SaveDocx(*document_, path);
  document_->saved = true;
}

std::optional<std::wstring> Session::OtherActiveDocument() {
  if (!host_) {
    auto active = app_->ActiveDocument();
    if (active == hostDocument_) return std::nullopt;
    return active->FullName().empty() ? std::wstring(L"（未命名）") : active->FullName();
  }
  auto active = host_->ActiveData();
  if (!active || active == document_) return std::nullopt;
  return active->fullName.empty() ? std::wstring(L"（未命名）") : active->fullName;
}

std::optional<std::wstring> Session::DatabaseFailure() const {
  for (const auto& box : ui_.Boxes())
    if (StartsWith(box.title, L"错误号:") && Contains(box.text, L"modDatabase.OpenDatabase-->line"))
      return InChinese(Split(box.text, L"\r\n").front());
  return std::nullopt;
}

bool Session::ErrorReported() const {
  for (const auto& box : ui_.Boxes())
    if (IsErrorBox(box.text, box.title, box.look)) return true;
  return false;
}

}  // namespace plx::cli
