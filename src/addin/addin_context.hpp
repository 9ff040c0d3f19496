#pragma once
// Everything the loaded add-in keeps between calls, in one object rather
// than in globals, so every test can make a fresh one: the host
// application, the services (boxes, clock, random numbers, registry,
// network state), the configuration dictionary, the shared database
// connection and recordset, and the open modeless dialogs.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.hpp"
#include "common/random.hpp"
#include "addin/config_dictionary.hpp"
#include "addin/formula_hooks.hpp"
#include "docif/application.hpp"
#include "platform/database.hpp"
#include "platform/registry.hpp"
#include "platform/shell.hpp"
#include "platform/ui.hpp"
#include "slidehost/presentation.hpp"

namespace plx {

class Form;
class ButtonEventCol;

struct Services {
  UserInterface& ui;
  Clock& clock;
  RandomSource& random;
  Registry& registry;
  NetworkState& network;
  Shell& shell;
};

class AddinContext {
 public:
  explicit AddinContext(Services services);
  ~AddinContext();
  AddinContext(const AddinContext&) = delete;
  AddinContext& operator=(const AddinContext&) = delete;

  UserInterface& Ui() { return services_.ui; }
  Clock& GetClock() { return services_.clock; }
  RandomSource& Random() { return services_.random; }
  Registry& GetRegistry() { return services_.registry; }
  NetworkState& Network() { return services_.network; }
  Shell& GetShell() { return services_.shell; }

  // The host application, set at connection.
  std::shared_ptr<docif::Application> App;
  // Where the presentation program is found or started (sending to
  // slides); none when the host offers no presentation program.
  std::shared_ptr<slides::Programs> PresentationPrograms;
  // The configuration dictionary: exists from connection to disconnection.
  std::optional<ConfigDictionary> Config;
  // The shared connection and recordset (configuration or question bank),
  // and the second pair used while importing from another database.
  db::Connection Conn;
  db::Recordset Rs;
  db::Connection BakConn;
  db::Recordset BakRs;

  uint32_t DefaultLineColor = 0;
  bool MarkingFlag = false;
  std::shared_ptr<docif::CommandBar> MainBar;
  // The event sinks of the legacy toolbar buttons.
  std::shared_ptr<ButtonEventCol> Sinks;

  // The folder of the add-in's own module; throws when it cannot be found.
  // Defaults to the folder of the loaded library; hosts and tests may
  // point it elsewhere.
  std::function<std::wstring()> ModuleFolder;

  // Hooks of the formula commands that later features fill.
  FormulaHooks Formula;

  // Where the paper being marked keeps its answers, found once for the
  // document it was found in: layout 0 answers after each question, 1 a
  // separate answer part from answerStart, 2 none found.
  struct AnswerLayout {
    bool known = false;
    int layout = 0;
    long answerStart = 0;
    std::weak_ptr<docif::Document> document;
  } TkLayout;

  // Modeless dialogs currently open.
  std::vector<std::shared_ptr<Form>> OpenForms;
  template <class F>
  std::shared_ptr<F> FindForm() const {
    for (const auto& f : OpenForms)
      if (auto p = std::dynamic_pointer_cast<F>(f)) return p;
    return nullptr;
  }

 private:
  Services services_;
};

// The folder of the loaded add-in library.
std::wstring LibraryFolder();

}  // namespace plx
