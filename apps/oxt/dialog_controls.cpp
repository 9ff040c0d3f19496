#include "dialog_controls.hpp"

#include <com/sun/star/awt/XVclWindowPeer.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>

#include "common/text.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::ToOUString;

DialogModel::DialogModel(const uno::Reference<uno::XComponentContext>& office)
    : model_(office->getServiceManager()->createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel", office)) {}

ControlModel DialogModel::Dialog() const { return ControlModel(model_, uno::UNO_QUERY_THROW); }

ControlModel DialogModel::Add(const char* kind, const std::wstring& name, const LayoutBox& box) {
  uno::Reference<lang::XMultiServiceFactory> factory(model_, uno::UNO_QUERY_THROW);
  ControlModel control(factory->createInstance(rtl::OUString::createFromAscii(kind)), uno::UNO_QUERY_THROW);
  Place(control, box);
  // The office groups option buttons that follow each other in tab order:
  // every model takes its place in that order as it is added.
  if (control->getPropertySetInfo()->hasPropertyByName("TabIndex"))
    control->setPropertyValue("TabIndex", uno::Any(tabIndex_++));
  uno::Reference<container::XNameContainer>(model_, uno::UNO_QUERY_THROW)->insertByName(ToOUString(name), uno::Any(control));
  return control;
}

void DialogModel::Clear() {
  uno::Reference<container::XNameContainer> controls(model_, uno::UNO_QUERY_THROW);
  for (const rtl::OUString& name : controls->getElementNames()) controls->removeByName(name);
  tabIndex_ = 0;
}

void Put(const ControlModel& model, const char* property, const uno::Any& value) {
  const rtl::OUString name = rtl::OUString::createFromAscii(property);
  if (model->getPropertyValue(name) != value) model->setPropertyValue(name, value);
}

void Place(const ControlModel& model, const LayoutBox& box) {
  Put(model, "PositionX", uno::Any(sal_Int32(box.x)));
  Put(model, "PositionY", uno::Any(sal_Int32(box.y)));
  Put(model, "Width", uno::Any(sal_Int32(box.width)));
  Put(model, "Height", uno::Any(sal_Int32(box.height)));
}

void NoShortcutLetters(const uno::Reference<awt::XWindowPeer>& window) {
  // The interface is marked deprecated, yet it is the office's only way to
  // set a window's style settings.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (uno::Reference<awt::XVclWindowPeer> peer{window, uno::UNO_QUERY}; peer.is())
    peer->setProperty("AutoMnemonics", uno::Any(false));
#pragma GCC diagnostic pop
}

rtl::OUString CaptionText(const std::wstring& caption) { return ToOUString(Replace(caption, L"~", L"~~")); }

uno::Sequence<rtl::OUString> ItemList(const std::vector<std::wstring>& items) {
  uno::Sequence<rtl::OUString> list(static_cast<sal_Int32>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) list[static_cast<sal_Int32>(i)] = ToOUString(items[i]);
  return list;
}

uno::Sequence<sal_Int16> Selected(int index) {
  if (index < 0) return {};
  uno::Sequence<sal_Int16> one(1);
  one[0] = static_cast<sal_Int16>(index);
  return one;
}

}  // namespace plx::oxt
