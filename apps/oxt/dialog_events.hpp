#pragma once
// What the teacher does in a dialog window, as one listener the office's
// controls report to: a press, a changed choice or text, the focus coming
// and going, a mouse click, a moved scroll bar, the window being closed.
// The listener names the part of the window it listens to and passes each
// event on; it holds nothing of the window, so an event that arrives after
// the window went away is dropped by whoever receives it.
#include <functional>

#include <com/sun/star/awt/XActionListener.hpp>
#include <com/sun/star/awt/XAdjustmentListener.hpp>
#include <com/sun/star/awt/XFocusListener.hpp>
#include <com/sun/star/awt/XItemListener.hpp>
#include <com/sun/star/awt/XMouseListener.hpp>
#include <com/sun/star/awt/XTextListener.hpp>
#include <com/sun/star/awt/XTopWindowListener.hpp>
#include <cppuhelper/implbase7.hxx>

namespace plx::oxt {

namespace css = ::com::sun::star;

struct WindowEvent {
  enum class Kind { Pressed, Chosen, Typed, FocusIn, FocusOut, Clicked, Scrolled, Closing };
  Kind kind = Kind::Pressed;
  int clicks = 0;  // Clicked: 1 or 2
  int value = 0;   // Chosen: the item's index or the box's state; Scrolled: the bar's value
};

class WindowListener final
    : public cppu::WeakImplHelper7<css::awt::XActionListener, css::awt::XItemListener, css::awt::XTextListener,
                                   css::awt::XFocusListener, css::awt::XMouseListener,
                                   css::awt::XAdjustmentListener, css::awt::XTopWindowListener> {
 public:
  using Sink = std::function<void(const WindowEvent&)>;
  explicit WindowListener(Sink sink) : sink_(std::move(sink)) {}

  void SAL_CALL actionPerformed(const css::awt::ActionEvent&) override;
  void SAL_CALL itemStateChanged(const css::awt::ItemEvent& event) override;
  void SAL_CALL textChanged(const css::awt::TextEvent&) override;
  void SAL_CALL focusGained(const css::awt::FocusEvent&) override;
  void SAL_CALL focusLost(const css::awt::FocusEvent&) override;
  void SAL_CALL mousePressed(const css::awt::MouseEvent& event) override;
  void SAL_CALL mouseReleased(const css::awt::MouseEvent&) override {}
  void SAL_CALL mouseEntered(const css::awt::MouseEvent&) override {}
  void SAL_CALL mouseExited(const css::awt::MouseEvent&) override {}
  void SAL_CALL adjustmentValueChanged(const css::awt::AdjustmentEvent& event) override;
  void SAL_CALL windowClosing(const css::lang::EventObject&) override;
  void SAL_CALL windowOpened(const css::lang::EventObject&) override {}
  void SAL_CALL windowClosed(const css::lang::EventObject&) override {}
  void SAL_CALL windowMinimized(const css::lang::EventObject&) override {}
  void SAL_CALL windowNormalized(const css::lang::EventObject&) override {}
  void SAL_CALL windowActivated(const css::lang::EventObject&) override {}
  void SAL_CALL windowDeactivated(const css::lang::EventObject&) override {}
  void SAL_CALL disposing(const css::lang::EventObject&) override {}

 private:
  // Nothing may leave a listener: an exception thrown into the office's
  // event loop ends the office.
  void Pass(const WindowEvent& event) noexcept;

  Sink sink_;
};

}  // namespace plx::oxt
