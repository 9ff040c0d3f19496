#pragma once
// One run of the command-line host: the services a word processor gives an
// add-in (boxes on the console, the clock, random numbers, the registry and
// network stand-ins), a word processor with one document (the model, or a
// headless LibreOffice), and the add-in connected to it.
#include <memory>
#include <optional>
#include <string>

#include "common/clock.hpp"
#include "common/random.hpp"
#include "docif/model/model_application.hpp"
#include "addin/addin_context.hpp"
#include "connect/connect.hpp"
#include "host_ui.hpp"
#include "platform/registry.hpp"
#include "slidehost/model/model_programs.hpp"

namespace plx::cli {

struct SessionOptions {
  std::wstring install;       // empty: the library's own folder
  std::wstring hostVersion = L"16.0";
  bool hostVersionGiven = false;  // LibreOffice tells its own version unless one is given
  std::wstring document;      // empty: a new document
  bool online = false;
  bool interactive = false;   // standard input is a terminal
  bool libreOffice = false;   // LibreOffice Writer as the host instead of the model
  std::optional<uint32_t> seed;  // random numbers repeat from it, whatever the clock
};

class OfficeHost;

class Session {
 public:
  explicit Session(const SessionOptions& options, std::FILE* out = stdout, std::FILE* err = stderr);
  ~Session();

  // Opens the document (or makes a new one) and connects the add-in.
  void Start();
  // Disconnects the add-in.
  void Stop();
  // Saves the document the session opened or made, whichever document is
  // active now (the add-in may have opened another one, such as the guide).
  void Save(const std::wstring& path);
  // The document the session opened or made.
  const std::shared_ptr<docif::Document>& HostDocument() const { return hostDocument_; }
  // Its model data; none when LibreOffice is the host.
  const std::shared_ptr<docif::model::DocData>& ModelDocument() const { return document_; }
  // Saves the presentation the add-in sent slides to (the active one of
  // the presentation program); false when no presentation was made.
  bool SavePresentation(const std::wstring& path);
  // The name of the active document when it is not the session's own.
  std::optional<std::wstring> OtherActiveDocument();

  AddinContext& Context() { return *ctx_; }
  Connect& Addin() { return *connect_; }
  docif::Application& Host() { return *app_; }
  // The model word processor; none when LibreOffice is the host.
  docif::model::ModelApplication* Model() { return host_.get(); }
  HostUi& Ui() { return ui_; }
  // True when the add-in showed one of its error boxes.
  bool ErrorReported() const;
  // What the add-in said when it could not open its configuration
  // database (the text of its error box), if that happened.
  std::optional<std::wstring> DatabaseFailure() const;

 private:
  SessionOptions options_;
  HostUi ui_;
  SystemClock clock_;
  ClockSeededRandom random_;
  Registry registry_;
  NetworkState network_;
  SystemShell shell_;
  std::unique_ptr<AddinContext> ctx_;
  std::unique_ptr<OfficeHost> office_;
  std::shared_ptr<docif::model::ModelApplication> host_;
  std::shared_ptr<docif::Application> app_;
  std::shared_ptr<docif::model::DocData> document_;
  std::shared_ptr<docif::Document> hostDocument_;
  // The presentation program the add-in may start.
  std::shared_ptr<slides::model::ModelPrograms> programs_ = std::make_shared<slides::model::ModelPrograms>();
  std::unique_ptr<Connect> connect_;
  bool connected_ = false;
};

}  // namespace plx::cli
