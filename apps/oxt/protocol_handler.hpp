#pragma once
// The office's entry into the add-in: the handler of vnd.plendrix: URLs,
// which the toolbar and menu buttons send. The office makes one per
// document window and gives it the window's frame.
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase3.hxx>
#include <cppuhelper/weakref.hxx>

namespace plx::oxt {

namespace css = ::com::sun::star;

// The implementation's name as the extension registers it, and the one
// service it offers.
rtl::OUString HandlerName();
css::uno::Sequence<rtl::OUString> HandlerServices();

class ProtocolHandler final
    : public cppu::WeakImplHelper3<css::frame::XDispatchProvider, css::lang::XInitialization, css::lang::XServiceInfo> {
 public:
  explicit ProtocolHandler(const css::uno::Reference<css::uno::XComponentContext>& office) : office_(office) {}

  // The first argument is the frame of the document window.
  void SAL_CALL initialize(const css::uno::Sequence<css::uno::Any>& arguments) override;
  // A dispatch for every vnd.plendrix: URL; none for other URLs.
  css::uno::Reference<css::frame::XDispatch> SAL_CALL queryDispatch(const css::util::URL& url,
                                                                    const rtl::OUString& target,
                                                                    sal_Int32 searchFlags) override;
  css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL queryDispatches(
      const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) override;

  rtl::OUString SAL_CALL getImplementationName() override;
  sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override;
  css::uno::Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override;

 private:
  css::uno::Reference<css::uno::XComponentContext> office_;
  // Weak: the frame owns its handlers.
  css::uno::WeakReference<css::frame::XFrame> frame_;
};

}  // namespace plx::oxt
