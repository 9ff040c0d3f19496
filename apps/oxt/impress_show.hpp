#pragma once
// The slides a send builds, shown in LibreOffice Impress. The add-in sends
// slides to its own presentation program (the model); once a command has
// changed the presentation, it is saved as a .pptx beside the add-in's
// temporary files and opened in Impress, the copy shown before closed, so
// the teacher sees the slides appear.
#include <filesystem>
#include <memory>
#include <string>

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "slidehost/presentation.hpp"

namespace plx::oxt {

class ImpressShow {
 public:
  explicit ImpressShow(std::filesystem::path file) : file_(std::move(file)) {}

  // Shows the running presentation when it differs from what Impress shows.
  void Refresh(const css::uno::Reference<css::uno::XComponentContext>& office, slides::Programs& programs);

 private:
  std::filesystem::path file_;
  std::string shown_;  // the .pptx Impress shows
  css::uno::Reference<css::lang::XComponent> document_;
};

}  // namespace plx::oxt
