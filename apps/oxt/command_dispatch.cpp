#include "command_dispatch.hpp"

#include <com/sun/star/frame/DispatchResultState.hpp>
#include <com/sun/star/frame/FeatureStateEvent.hpp>

#include "docif/uno/uno_text.hpp"
#include "office_addin.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::FromOUString;
using docif::lo::ToOUString;

void CommandDispatch::dispatch(const util::URL& url, const uno::Sequence<beans::PropertyValue>& arguments) {
  dispatchWithNotification(url, arguments, {});
}

void CommandDispatch::dispatchWithNotification(const util::URL&, const uno::Sequence<beans::PropertyValue>&,
                                               const uno::Reference<frame::XDispatchResultListener>& listener) {
  // Nothing may leave this call: an exception escaping into the office's
  // toolbar code ends the office. A caller waiting for the notification
  // gets one whatever happened.
  PressOutcome outcome;
  try {
    outcome = OfficeAddin::Instance().Press(FromOUString(id_), office_, frame_);
  } catch (...) {
    outcome = {false, L"命令“" + FromOUString(id_) + L"”意外中止。"};
  }
  if (!listener.is()) return;
  try {
    frame::DispatchResultEvent done;
    done.Source = static_cast<cppu::OWeakObject*>(this);
    done.State = outcome.succeeded ? frame::DispatchResultState::SUCCESS : frame::DispatchResultState::FAILURE;
    done.Result <<= ToOUString(outcome.result);
    listener->dispatchFinished(done);
  } catch (...) {
    // the listener went away (a closed bridge)
  }
}

void CommandDispatch::addStatusListener(const uno::Reference<frame::XStatusListener>& listener, const util::URL& url) {
  if (!listener.is()) return;
  frame::FeatureStateEvent state;
  state.Source = static_cast<cppu::OWeakObject*>(this);
  state.FeatureURL = url;
  state.IsEnabled = true;
  state.Requery = false;
  try {
    listener->statusChanged(state);
  } catch (...) {
    // a listener that fails is the office's concern, never a reason to end it
  }
}

void CommandDispatch::removeStatusListener(const uno::Reference<frame::XStatusListener>&, const util::URL&) {}

}  // namespace plx::oxt
