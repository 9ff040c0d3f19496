#pragma once
// The add-in loaded into the office: the services it runs with (the
// office's boxes, the system clock, random numbers, the registry and
// network stand-ins, the shell), its context and its connection object.
// It connects to the office's documents on the first command and
// disconnects when the office closes. One per office process.
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "addin/addin_context.hpp"
#include "common/clock.hpp"
#include "common/random.hpp"
#include "connect/connect.hpp"
#include "dialog_windows.hpp"
#include "impress_show.hpp"
#include "office_ui.hpp"
#include "platform/registry.hpp"
#include "platform/shell.hpp"
#include "ribbon_captions.hpp"
#include "slidehost/model/model_programs.hpp"

namespace plx::oxt {

// How a command ended, for whoever dispatched it.
struct PressOutcome {
  bool succeeded = false;
  // The identifier when it succeeded; otherwise what the user was told.
  std::wstring result;
};

class OfficeAddin {
 public:
  // The add-in of this office process, made on first use.
  static OfficeAddin& Instance();

  // Presses the ribbon button `id` for the document in `frame`: connects
  // first when not connected yet, then runs the command; the dialogs it
  // opened stay open in their windows. "dialog/NAME" opens the dialog of
  // that name as its command would (as the command-line host's `controls`
  // does); "key/KEY" presses the 2003 host's toolbar button of that key
  // (its bars offer the commands no ribbon button runs this way). Never throws: a failure is shown in a box and returned. A
  // command that showed one of the add-in's error boxes fails with its
  // text, and the dialogs it opened are closed again.
  PressOutcome Press(const std::wstring& id, const css::uno::Reference<css::uno::XComponentContext>& office,
                     const css::uno::Reference<css::frame::XFrame>& frame);
  // The office is closing: disconnects and lets go of its documents.
  void Disconnect();

 private:
  OfficeAddin();
  void ConnectTo(const css::uno::Reference<css::uno::XComponentContext>& office);
  PressOutcome Run(const std::wstring& id);
  PressOutcome RunKey(const std::wstring& key);
  // A command has run: an error box it showed fails it and closes the
  // dialogs it opened; a dialog it opened that was open already shows once.
  PressOutcome Ran(const std::vector<std::shared_ptr<Form>>& before, const std::wstring& id);
  PressOutcome OpenDialog(const std::wstring& name);
  void KeepOneOfEach(const std::vector<std::shared_ptr<Form>>& before);
  // Before a command or an action in a dialog: the teacher has edited the
  // documents since, and may have closed some or opened others.
  void CatchUp();
  // An action of the teacher's in a dialog window (see DialogWindows::Runner).
  void RunWindowAction(const std::function<void()>& action, bool catchUp);
  PressOutcome Failed(const std::wstring& message);
  // After a command cut short by an error the add-in's own traps did not
  // catch: closes the dialogs it opened and the databases it left open.
  void Recover(const std::vector<std::shared_ptr<Form>>& before);

  OfficeUi ui_;
  SystemClock clock_;
  ClockSeededRandom random_;
  Registry registry_;
  NetworkState network_;
  SystemShell shell_;
  AddinContext ctx_;
  Connect connect_;
  RibbonCaptions captions_;
  DialogWindows windows_;
  // The presentation program sends go to, and Impress showing its slides.
  std::shared_ptr<slides::model::ModelPrograms> programs_ = std::make_shared<slides::model::ModelPrograms>();
  std::optional<ImpressShow> impress_;
  // Shows the slides a send changed (after a command or a dialog's action).
  void ShowSlides();
  // The office the add-in is connected to.
  css::uno::Reference<css::uno::XComponentContext> office_;
  bool connected_ = false;
  bool listening_ = false;  // for the office's termination
  // Commands come from the office's own thread and from scripts over a
  // bridge; one runs at a time, and a command started while another runs
  // on the same thread (from inside a box) is refused.
  std::recursive_mutex mutex_;
  bool busy_ = false;
};

}  // namespace plx::oxt
