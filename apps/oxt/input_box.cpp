#include "input_box.hpp"

#include <com/sun/star/awt/PushButtonType.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>

#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::FromOUString;
using docif::lo::ToOUString;

namespace {

// Places in dialog units (about a quarter of a character's width).
struct Place {
  sal_Int32 x, y, width, height;
};

uno::Reference<beans::XPropertySet> AddControl(const uno::Reference<uno::XInterface>& dialogModel, const char* kind,
                                               const char* name, Place at) {
  uno::Reference<lang::XMultiServiceFactory> factory(dialogModel, uno::UNO_QUERY_THROW);
  uno::Reference<beans::XPropertySet> control(
      factory->createInstance(rtl::OUString::createFromAscii(kind)), uno::UNO_QUERY_THROW);
  control->setPropertyValue("PositionX", uno::Any(at.x));
  control->setPropertyValue("PositionY", uno::Any(at.y));
  control->setPropertyValue("Width", uno::Any(at.width));
  control->setPropertyValue("Height", uno::Any(at.height));
  uno::Reference<container::XNameContainer>(dialogModel, uno::UNO_QUERY_THROW)
      ->insertByName(rtl::OUString::createFromAscii(name), uno::Any(control));
  return control;
}

void AddButton(const uno::Reference<uno::XInterface>& model, const char* name, const wchar_t* label,
               awt::PushButtonType type, Place at) {
  auto button = AddControl(model, "com.sun.star.awt.UnoControlButtonModel", name, at);
  button->setPropertyValue("Label", uno::Any(ToOUString(label)));
  button->setPropertyValue("PushButtonType", uno::Any(static_cast<sal_Int16>(type)));
  button->setPropertyValue("DefaultButton", uno::Any(type == awt::PushButtonType_OK));
}

}  // namespace

std::optional<std::wstring> AskText(const uno::Reference<uno::XComponentContext>& office,
                                    const uno::Reference<awt::XWindowPeer>& parent, const std::wstring& prompt,
                                    const std::wstring& title, const std::wstring& defaultText) {
  const uno::Reference<lang::XMultiComponentFactory> services = office->getServiceManager();
  uno::Reference<uno::XInterface> model =
      services->createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel", office);
  uno::Reference<beans::XPropertySet> form(model, uno::UNO_QUERY_THROW);
  form->setPropertyValue("Title", uno::Any(ToOUString(title.empty() ? L"Plendrix" : title)));
  form->setPropertyValue("Width", uno::Any(sal_Int32(220)));
  form->setPropertyValue("Height", uno::Any(sal_Int32(84)));
  auto label = AddControl(model, "com.sun.star.awt.UnoControlFixedTextModel", "labPrompt", {6, 6, 208, 36});
  label->setPropertyValue("Label", uno::Any(ToOUString(prompt)));
  // The prompt shows as written: as no label of a control the office adds
  // no shortcut letter ("(A)") to it, and a tilde in it is a tilde.
  label->setPropertyValue("NoLabel", uno::Any(true));
  label->setPropertyValue("MultiLine", uno::Any(true));
  AddControl(model, "com.sun.star.awt.UnoControlEditModel", "txtAnswer", {6, 46, 208, 13})
      ->setPropertyValue("Text", uno::Any(ToOUString(defaultText)));
  AddButton(model, "cmdOk", L"确定", awt::PushButtonType_OK, {108, 65, 50, 14});
  AddButton(model, "cmdCancel", L"取消", awt::PushButtonType_CANCEL, {164, 65, 50, 14});

  uno::Reference<awt::XControl> dialog(
      services->createInstanceWithContext("com.sun.star.awt.UnoControlDialog", office), uno::UNO_QUERY_THROW);
  dialog->setModel(uno::Reference<awt::XControlModel>(model, uno::UNO_QUERY_THROW));
  dialog->createPeer(uno::Reference<awt::XToolkit>(awt::Toolkit::create(office), uno::UNO_QUERY_THROW), parent);
  // Disposed on every way out: a dialog left alive keeps its window.
  struct Disposer {
    uno::Reference<lang::XComponent> component;
    ~Disposer() {
      try {
        component->dispose();
      } catch (const uno::Exception&) {
      }
    }
  } disposer{uno::Reference<lang::XComponent>(dialog, uno::UNO_QUERY_THROW)};
  const bool ok = uno::Reference<awt::XDialog>(dialog, uno::UNO_QUERY_THROW)->execute() == 1;
  if (!ok) return std::nullopt;
  uno::Reference<awt::XTextComponent> answer(
      uno::Reference<awt::XControlContainer>(dialog, uno::UNO_QUERY_THROW)->getControl("txtAnswer"),
      uno::UNO_QUERY_THROW);
  return FromOUString(answer->getText());
}

}  // namespace plx::oxt
