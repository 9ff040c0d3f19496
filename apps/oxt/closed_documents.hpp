#pragma once
// Documents the teacher closed between two commands: the document adapter
// still holds them, and reading them again before the next command would
// fail on every later command, whichever document it is given in.
#include <com/sun/star/uno/XComponentContext.hpp>

#include "docif/application.hpp"

namespace plx::oxt {

namespace css = ::com::sun::star;

// Lets the adapter go of each of its documents the office no longer has open.
void ForgetClosedDocuments(docif::Application& app, const css::uno::Reference<css::uno::XComponentContext>& office);

}  // namespace plx::oxt
