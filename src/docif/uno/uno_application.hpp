#pragma once
// The document-host surface over LibreOffice Writer's UNO API. The same code
// runs inside the office (the extension) and outside it over a bridge (the
// command-line host's --host libreoffice).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/uno/XComponentContext.hpp>

#include "docif/application.hpp"

namespace plx::docif::lo {

namespace css = ::com::sun::star;

// The word processor behind `office`: its Writer documents, the active one's
// selection and window. Calls that need what it does not offer yet (shapes,
// laid-out text) raise error 5 with a message saying so.
// `version` is the version the add-in is told (empty: the office's own,
// "7.4"); "11.0" has it build its legacy toolbars instead of reading the ribbon.
std::shared_ptr<docif::Application> MakeUnoApplication(const css::uno::Reference<css::uno::XComponentContext>& office,
                                                       const std::wstring& version = L"");

// What Run does for the macro `name` on a LibreOffice application: Writer
// has none of the host's macros, so the add-in answers those it needs (the
// TeX route's toggle) with its own code, as it does on the model.
void SetMacro(docif::Application& app, const std::wstring& name, std::function<void()> handler);

// The titles of the active document's undo steps, the last one first.
std::vector<std::wstring> UndoTitles(docif::Application& app);

// Reads the open documents' text and selection again. Inside the office the
// user edits between commands: call it before each one.
void ReadDocumentsAgain(docif::Application& app);

}  // namespace plx::docif::lo
