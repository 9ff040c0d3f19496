#pragma once
// The word processor's application object as the add-in sees it. Every
// feature reaches the host only through these interfaces; the in-memory
// model implements them, and an adapter over a real word processor's
// automation interface can implement them too.
#include <memory>
#include <string>

#include "docif/command_bars.hpp"
#include "docif/document.hpp"

namespace plx::docif {

class COMAddIn {
 public:
  virtual ~COMAddIn() = default;
  virtual std::wstring ProgId() const = 0;
  virtual std::wstring Guid() const = 0;
  virtual std::wstring Description() const = 0;
};

class COMAddIns {
 public:
  virtual ~COMAddIns() = default;
  virtual int Count() const = 0;
  // 1-based; error 5 when out of range.
  virtual std::shared_ptr<COMAddIn> Item(int index) = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual std::wstring Version() const = 0;
  // The host's own program folder.
  virtual std::wstring Path() const = 0;
  virtual std::shared_ptr<CommandBars> GetCommandBars() = 0;
  virtual std::shared_ptr<COMAddIns> GetCOMAddIns() = 0;

  virtual std::shared_ptr<Documents> GetDocuments() = 0;
  // Error 4248 when no document is open.
  virtual std::shared_ptr<Document> ActiveDocument() = 0;
  virtual std::shared_ptr<Selection> GetSelection() = 0;
  virtual std::shared_ptr<Window> ActiveWindow() = 0;
  virtual bool ScreenUpdating() const = 0;
  virtual void SetScreenUpdating(bool) = 0;
  virtual std::shared_ptr<AutoCorrect> GetAutoCorrect() = 0;
  // Template `index` of the numbering gallery.
  virtual std::shared_ptr<ListTemplate> NumberingTemplate(int index) = 0;
  // Runs a macro command of the host or another add-in.
  virtual void Run(const std::wstring& macroName) = 0;
  // The host's undo record: the edits made between the two calls are one
  // undo step named `name`. Calls nest; only the outermost pair counts.
  virtual void StartCustomRecord(const std::wstring& name) = 0;
  virtual void EndCustomRecord() = 0;
};

// One undo step for the edits made while it lives; it ends on every path
// out of the scope, errors included.
class UndoRecord {
 public:
  UndoRecord(Application& app, const std::wstring& name) : app_(app) { app_.StartCustomRecord(name); }
  ~UndoRecord() {
    try {
      app_.EndCustomRecord();
    } catch (...) {
      // a host that cannot close the step leaves it open; nothing is lost
    }
  }
  UndoRecord(const UndoRecord&) = delete;
  UndoRecord& operator=(const UndoRecord&) = delete;

 private:
  Application& app_;
};

}  // namespace plx::docif
