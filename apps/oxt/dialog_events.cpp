#include "dialog_events.hpp"

namespace plx::oxt {

using namespace css;

void WindowListener::Pass(const WindowEvent& event) noexcept {
  try {
    sink_(event);
  } catch (...) {
    // the receiver reports its own failures; nothing reaches the office
  }
}

void WindowListener::actionPerformed(const awt::ActionEvent&) { Pass({WindowEvent::Kind::Pressed}); }

void WindowListener::itemStateChanged(const awt::ItemEvent& event) {
  // A check or option button reports its state as Selected, a list its
  // chosen entry.
  Pass({WindowEvent::Kind::Chosen, 0, event.Selected});
}

void WindowListener::textChanged(const awt::TextEvent&) { Pass({WindowEvent::Kind::Typed}); }

void WindowListener::focusGained(const awt::FocusEvent&) { Pass({WindowEvent::Kind::FocusIn}); }

void WindowListener::focusLost(const awt::FocusEvent&) { Pass({WindowEvent::Kind::FocusOut}); }

void WindowListener::mousePressed(const awt::MouseEvent& event) {
  Pass({WindowEvent::Kind::Clicked, event.ClickCount});
}

void WindowListener::adjustmentValueChanged(const awt::AdjustmentEvent& event) {
  Pass({WindowEvent::Kind::Scrolled, 0, event.Value});
}

void WindowListener::windowClosing(const lang::EventObject&) { Pass({WindowEvent::Kind::Closing}); }

}  // namespace plx::oxt
