#include "office_addin.hpp"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <cppuhelper/implbase1.hxx>

#include "closed_documents.hpp"
#include "common/error.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/form_registry.hpp"
#include "connect/legacy_toolbars.hpp"
#include "docif/model/model_command_bars.hpp"
#include "docif/uno/uno_application.hpp"
#include "docif/uno/uno_text.hpp"
#include "formula/tex_route/tex_equations.hpp"

namespace plx::oxt {

using namespace css;

namespace {

constexpr wchar_t kTitle[] = L"Plendrix";
constexpr wchar_t kOpenDialog[] = L"dialog/";
constexpr wchar_t kToolbarKey[] = L"key/";

// Unloads the dialogs open now that were not open `before` (so what a
// dialog opened on loading, such as a report document, is closed with it).
void CloseOpenedDialogs(AddinContext& ctx, const std::vector<std::shared_ptr<Form>>& before) {
  std::vector<std::shared_ptr<Form>> opened;
  for (const auto& f : ctx.OpenForms)
    if (std::find(before.begin(), before.end(), f) == before.end()) opened.push_back(f);
  for (const auto& f : opened) {
    try {
      f->Unload();
    } catch (...) {
      std::erase(ctx.OpenForms, f);  // closing failed half-way: it is off the list all the same
    }
  }
}

// Disconnects the add-in while the office's documents still exist.
class TerminationListener final : public cppu::WeakImplHelper1<frame::XTerminateListener> {
 public:
  void SAL_CALL queryTermination(const lang::EventObject&) override {}
  void SAL_CALL notifyTermination(const lang::EventObject&) override { OfficeAddin::Instance().Disconnect(); }
  void SAL_CALL disposing(const lang::EventObject&) override {}
};

}  // namespace

OfficeAddin& OfficeAddin::Instance() {
  // Never destroyed: at process exit the office's UNO runtime is gone, and
  // the documents the add-in holds must not be released after it. They
  // are let go of when the office closes (Disconnect).
  static OfficeAddin* const addin = new OfficeAddin();
  return *addin;
}

OfficeAddin::OfficeAddin()
    : ctx_(Services{ui_, clock_, random_, registry_, network_, shell_}),
      connect_(ctx_),
      windows_(
          ctx_, [this](const std::function<void()>& action, bool catchUp) { RunWindowAction(action, catchUp); },
          [this] { return ui_.ParentWindow(); }) {
  ui_.SetWindows(windows_);
  ctx_.PresentationPrograms = programs_;
}

void OfficeAddin::ShowSlides() {
  try {
    if (!impress_)
      impress_.emplace(std::filesystem::temp_directory_path() / ("plendrix-" + std::to_string(getpid())) /
                       "幻灯片.pptx");
    impress_->Refresh(office_, *programs_);
  } catch (const std::exception& e) {
    Failed(L"无法在 LibreOffice Impress 中打开幻灯片：" + AsVbError(e).description());
  } catch (const uno::Exception& e) {
    Failed(L"无法在 LibreOffice Impress 中打开幻灯片：" + docif::lo::FromOUString(e.Message));
  }
}

PressOutcome OfficeAddin::Press(const std::wstring& id, const uno::Reference<uno::XComponentContext>& office,
                                const uno::Reference<frame::XFrame>& frame) {
  std::lock_guard lock(mutex_);
  if (busy_) return {false, L"上一个命令还没有结束，请等它结束后再试。"};
  busy_ = true;
  ui_.BeginCommand(office, frame);
  const std::vector<std::shared_ptr<Form>> before = ctx_.OpenForms;
  PressOutcome outcome;
  try {
    try {
      if (!connected_) {
        ConnectTo(office);
        ui_.TakeError();  // the connection's own error boxes have said what went wrong
      }
      if (id.starts_with(kOpenDialog)) outcome = OpenDialog(id.substr(std::size(kOpenDialog) - 1));
      else if (id.starts_with(kToolbarKey)) outcome = RunKey(id.substr(std::size(kToolbarKey) - 1));
      else outcome = Run(id);
      windows_.Sync();
      ShowSlides();
    } catch (const uno::Exception& e) {
      Raise(err::kInvalidCall, L"LibreOffice 报告了错误：" + docif::lo::FromOUString(e.Message));
    }
  } catch (const std::exception& e) {
    Recover(before);
    outcome = Failed(AsVbError(e).description());
  } catch (...) {
    Recover(before);
    outcome = Failed(L"命令“" + id + L"”意外中止。");
  }
  ui_.EndCommand();
  busy_ = false;
  return outcome;
}

void OfficeAddin::Recover(const std::vector<std::shared_ptr<Form>>& before) {
  try {
    CloseOpenedDialogs(ctx_, before);
    windows_.Sync();
    // The add-in opens its databases for one operation at a time; one cut
    // short leaves nothing open for the next command to trip over.
    for (db::Recordset* rs : {&ctx_.Rs, &ctx_.BakRs})
      if (rs->IsOpen()) rs->Close();
    for (db::Connection* conn : {&ctx_.Conn, &ctx_.BakConn})
      if (conn->IsOpen()) conn->Close();
  } catch (...) {
    // what cannot be closed now is left as it is
  }
}

void OfficeAddin::ConnectTo(const uno::Reference<uno::XComponentContext>& office) {
  if (!listening_) {
    frame::Desktop::create(office)->addTerminateListener(new TerminationListener());
    listening_ = true;
  }
  office_ = office;
  windows_.SetOffice(office);
  auto app = docif::lo::MakeUnoApplication(office);
  // LibreOffice has no equation editor add-in: the TeX route's toggle is
  // answered by the add-in's own TeX-to-equation conversion.
  docif::lo::SetMacro(*app, kTeXToggleMacro, [this] { TeXToggleToEquations(ctx_); });
  connect_.AddinInstance_OnConnection(app);
  connect_.AddinInstance_OnStartupComplete();
  connected_ = true;
  captions_ = RibbonCaptions(connect_.IRibbonExtensibility_GetCustomUI(L"Microsoft.Word.Document"));
}

PressOutcome OfficeAddin::Run(const std::wstring& id) {
  // As in the word processor, only the buttons of the ribbon the add-in
  // defined can be pressed; a connection that could not read it has
  // already said why.
  const std::optional<std::wstring> caption = captions_.Find(id);
  if (!caption) {
    if (captions_.Empty()) return Failed(L"插件没有读到功能区定义，无法执行“" + id + L"”。");
    return Failed(L"功能区上没有标识为“" + id + L"”的按钮。");
  }
  CatchUp();
  const std::vector<std::shared_ptr<Form>> before = ctx_.OpenForms;
  connect_.rxButtonClick({id, L""});
  return Ran(before, id);
}

PressOutcome OfficeAddin::RunKey(const std::wstring& key) {
  if (!FindLegacyAction(key)) return Failed(L"工具栏上没有键为“" + key + L"”的按钮。");
  CatchUp();
  const std::vector<std::shared_ptr<Form>> before = ctx_.OpenForms;
  // A button of the 2003 host's toolbars reaches the add-in with its key.
  docif::model::ModelControl button(docif::ControlType::Button, nullptr);
  button.SetParameter(key);
  bool cancelDefault = false;
  ButtonEvent(ctx_).Button_Click(button, cancelDefault);
  return Ran(before, kToolbarKey + key);
}

PressOutcome OfficeAddin::Ran(const std::vector<std::shared_ptr<Form>>& before, const std::wstring& id) {
  if (const auto error = ui_.TakeError()) {
    CloseOpenedDialogs(ctx_, before);
    return {false, *error};
  }
  KeepOneOfEach(before);
  return {true, id};
}

void OfficeAddin::KeepOneOfEach(const std::vector<std::shared_ptr<Form>>& before) {
  // A dialog shows one window, as in the word processor: a command that
  // opens a dialog already open closes the new one and brings the open
  // one to the front, as the teacher left it.
  for (const auto& f : std::vector<std::shared_ptr<Form>>(ctx_.OpenForms)) {
    if (std::find(before.begin(), before.end(), f) != before.end()) continue;
    const bool open = std::any_of(before.begin(), before.end(), [&](const auto& b) { return b->Name() == f->Name(); });
    if (!open) continue;
    f->Unload();
    windows_.ToFront(f->Name());
  }
}

PressOutcome OfficeAddin::OpenDialog(const std::wstring& name) {
  const std::shared_ptr<Form> form = CreateForm(ctx_, name);
  if (!form) return Failed(L"没有名为“" + name + L"”的对话框。");
  CatchUp();
  form->Show();
  if (const auto error = ui_.TakeError()) {
    if (form->Loaded()) form->Unload();
    return {false, *error};
  }
  return {true, kOpenDialog + name};
}

void OfficeAddin::CatchUp() {
  // The adapter lets go of the closed documents, meets the active one (a
  // document it has not met yet would keep its cursor at the start) and
  // reads them all again.
  if (!ctx_.App) return;
  ForgetClosedDocuments(*ctx_.App, office_);
  try {
    ctx_.App->ActiveDocument();
  } catch (const VbError&) {
    // no Writer document: the command says so itself
  }
  docif::lo::ReadDocumentsAgain(*ctx_.App);
}

void OfficeAddin::RunWindowAction(const std::function<void()>& action, bool catchUp) {
  // An action in a modal dialog belongs to the command waiting for it,
  // which holds the add-in (perhaps on another thread). Any other action
  // runs when no command does; one made while a command runs (from inside
  // its message box) is dropped, as the office would not deliver it to a
  // blocked window either.
  std::unique_lock lock(mutex_, std::defer_lock);
  if (!windows_.InModal() && (!lock.try_lock() || busy_)) return;
  const bool own = !busy_;
  if (own) {
    busy_ = true;
    ui_.BeginCommand(office_, {});
  }
  try {
    try {
      if (catchUp) CatchUp();
      action();
    } catch (const uno::Exception& e) {
      Raise(err::kInvalidCall, L"LibreOffice 报告了错误：" + docif::lo::FromOUString(e.Message));
    }
  } catch (const std::exception& e) {
    Failed(AsVbError(e).description());
  } catch (...) {
    Failed(L"对话框的操作意外中止。");
  }
  try {
    windows_.Sync();
  } catch (const std::exception& e) {
    Failed(AsVbError(e).description());
  } catch (...) {
    // a window that cannot be shown now is shown at the next action
  }
  ShowSlides();
  if (own) {
    ui_.EndCommand();
    busy_ = false;
  }
}

PressOutcome OfficeAddin::Failed(const std::wstring& message) {
  try {
    ui_.MsgBox(message, Buttons::OK, kTitle);
  } catch (...) {
    // the message still goes back to whoever dispatched the command
  }
  return {false, message};
}

void OfficeAddin::Disconnect() {
  std::lock_guard lock(mutex_);
  // Asked from inside a running command's box, the office is ending under
  // it; the command's objects are left alone.
  if (!connected_ || busy_) return;
  connected_ = false;
  connect_.AddinInstance_OnDisconnection();
  windows_.CloseAll();
  for (auto forms = ctx_.OpenForms; auto& f : forms) f->Dismiss();
  ctx_.App.reset();
  office_.clear();
}

}  // namespace plx::oxt
