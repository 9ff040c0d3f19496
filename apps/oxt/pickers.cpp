#include "pickers.hpp"

#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertyAccess.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/ui/dialogs/ExecutableDialogResults.hpp>
#include <com/sun/star/ui/dialogs/FilePicker.hpp>
#include <com/sun/star/ui/dialogs/FolderPicker.hpp>
#include <com/sun/star/ui/dialogs/TemplateDescription.hpp>
#include <com/sun/star/ui/dialogs/XExecutableDialog.hpp>
#include <com/sun/star/ui/dialogs/XFilterManager.hpp>
#include <osl/file.hxx>

#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::FromOUString;
using docif::lo::ToOUString;

namespace {

std::wstring SystemPath(const rtl::OUString& url) {
  rtl::OUString path;
  if (osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return {};
  return FromOUString(path);
}

// The office keeps colours as 0xRRGGBB, the add-in with red in the low byte.
uint32_t SwapRedBlue(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

}  // namespace

std::wstring PickFolder(const uno::Reference<uno::XComponentContext>& office, const std::wstring& prompt) {
  auto picker = ui::dialogs::FolderPicker::create(office);
  picker->setDescription(ToOUString(prompt));
  if (picker->execute() != ui::dialogs::ExecutableDialogResults::OK) return {};
  return SystemPath(picker->getDirectory());
}

std::wstring PickSaveFile(const uno::Reference<uno::XComponentContext>& office, const std::wstring& prompt,
                          const std::vector<FileFilter>& filters, const std::wstring& defaultName) {
  auto picker = ui::dialogs::FilePicker::createWithMode(office, ui::dialogs::TemplateDescription::FILESAVE_SIMPLE);
  picker->setTitle(ToOUString(prompt));
  for (const auto& f : filters) picker->appendFilter(ToOUString(f.description), ToOUString(f.patterns));
  if (!filters.empty()) picker->setCurrentFilter(ToOUString(filters.front().description));
  picker->setDefaultName(ToOUString(defaultName));
  if (picker->execute() != ui::dialogs::ExecutableDialogResults::OK) return {};
  const uno::Sequence<rtl::OUString> files = picker->getSelectedFiles();
  return files.getLength() == 0 ? std::wstring() : SystemPath(files[0]);
}

std::optional<uint32_t> PickColor(const uno::Reference<uno::XComponentContext>& office,
                                  const uno::Reference<awt::XWindowPeer>& parent, uint32_t initial) {
  uno::Sequence<uno::Any> arguments(1);
  arguments[0] <<= uno::Reference<awt::XWindow>(parent, uno::UNO_QUERY);
  uno::Reference<ui::dialogs::XExecutableDialog> dialog(
      office->getServiceManager()->createInstanceWithArgumentsAndContext("com.sun.star.ui.dialogs.ColorPicker",
                                                                         arguments, office),
      uno::UNO_QUERY_THROW);
  uno::Reference<beans::XPropertyAccess> colour(dialog, uno::UNO_QUERY_THROW);
  uno::Sequence<beans::PropertyValue> start(1);
  start[0].Name = "Color";
  start[0].Value <<= static_cast<sal_Int32>(SwapRedBlue(initial));
  colour->setPropertyValues(start);
  if (dialog->execute() != ui::dialogs::ExecutableDialogResults::OK) return std::nullopt;
  for (const auto& p : colour->getPropertyValues()) {
    sal_Int32 chosen = 0;
    if (p.Name == "Color" && (p.Value >>= chosen)) return SwapRedBlue(static_cast<uint32_t>(chosen) & 0xFFFFFF);
  }
  return std::nullopt;
}

}  // namespace plx::oxt
