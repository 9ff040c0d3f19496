#pragma once
// The office's control models a dialog window is made of: made by kind,
// named and placed in dialog units (the office's "appfont", the units of
// the add-in's layouts), numbered in tab order; and their properties set
// only when the value changes, since setting one redraws the control and
// may report itself to the window as an edit.
#include <string>
#include <vector>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "addin/dialog_geometry.hpp"

namespace plx::oxt {

namespace css = ::com::sun::star;
using ControlModel = css::uno::Reference<css::beans::XPropertySet>;

class DialogModel {
 public:
  explicit DialogModel(const css::uno::Reference<css::uno::XComponentContext>& office);
  const css::uno::Reference<css::uno::XInterface>& Get() const { return model_; }
  ControlModel Dialog() const;
  // A control model of the office's service `kind` ("com.sun.star.awt.
  // UnoControlEditModel"), named and placed, after the others in tab order.
  ControlModel Add(const char* kind, const std::wstring& name, const LayoutBox& box);
  // Takes every control model out, for a window made again.
  void Clear();

 private:
  css::uno::Reference<css::uno::XInterface> model_;
  sal_Int16 tabIndex_ = 0;
};

// Sets the property unless it has the value already.
void Put(const ControlModel& model, const char* property, const css::uno::Any& value);
void Place(const ControlModel& model, const LayoutBox& box);

// Turns off the shortcut letters the office adds to captions that set
// none (it would add "(A)" to each Chinese caption).
void NoShortcutLetters(const css::uno::Reference<css::awt::XWindowPeer>& window);

// A caption as the office's controls show it: a tilde marks a shortcut
// letter there, so a tilde of the caption is written twice.
rtl::OUString CaptionText(const std::wstring& caption);
css::uno::Sequence<rtl::OUString> ItemList(const std::vector<std::wstring>& items);
// A list's selection: the entry, or none for -1.
css::uno::Sequence<sal_Int16> Selected(int index);

}  // namespace plx::oxt
