#pragma once
// One toolbar or menu command: vnd.plendrix:<identifier> pressed in a
// document window. Dispatching presses the ribbon button of that
// identifier; a caller that asks to be notified learns how it ended.
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XNotifyingDispatch.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/weakref.hxx>

namespace plx::oxt {

namespace css = ::com::sun::star;

class CommandDispatch final : public cppu::WeakImplHelper1<css::frame::XNotifyingDispatch> {
 public:
  CommandDispatch(const css::uno::Reference<css::uno::XComponentContext>& office,
                  const css::uno::WeakReference<css::frame::XFrame>& frame, const rtl::OUString& id)
      : office_(office), frame_(frame), id_(id) {}

  void SAL_CALL dispatch(const css::util::URL& url, const css::uno::Sequence<css::beans::PropertyValue>& arguments) override;
  // Notifies `listener` with SUCCESS and the identifier, or FAILURE and
  // the message the user was shown.
  void SAL_CALL dispatchWithNotification(const css::util::URL& url,
                                         const css::uno::Sequence<css::beans::PropertyValue>& arguments,
                                         const css::uno::Reference<css::frame::XDispatchResultListener>& listener) override;
  // The command is always available: the listener is told so at once.
  void SAL_CALL addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                  const css::util::URL& url) override;
  void SAL_CALL removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                     const css::util::URL& url) override;

 private:
  css::uno::Reference<css::uno::XComponentContext> office_;
  css::uno::WeakReference<css::frame::XFrame> frame_;
  rtl::OUString id_;
};

}  // namespace plx::oxt
