#include "protocol_handler.hpp"

#include <rtl/uri.hxx>

#include "command_dispatch.hpp"

namespace plx::oxt {

using namespace css;

namespace {

constexpr char kHandlerService[] = "com.sun.star.frame.ProtocolHandler";
// The URLs handled: the scheme, then the ribbon identifier (or a dialog's
// or a 2003 toolbar key's path), which may come percent-encoded.
constexpr char kScheme[] = "vnd.plendrix:";

}  // namespace

rtl::OUString HandlerName() { return rtl::OUString::createFromAscii(PLENDRIX_OXT_HANDLER); }

uno::Sequence<rtl::OUString> HandlerServices() {
  uno::Sequence<rtl::OUString> names(1);
  names[0] = rtl::OUString::createFromAscii(kHandlerService);
  return names;
}

void ProtocolHandler::initialize(const uno::Sequence<uno::Any>& arguments) {
  uno::Reference<frame::XFrame> frame;
  if (arguments.getLength() > 0 && (arguments[0] >>= frame)) frame_ = frame;
}

uno::Reference<frame::XDispatch> ProtocolHandler::queryDispatch(const util::URL& url, const rtl::OUString&,
                                                                sal_Int32) {
  const rtl::OUString scheme = rtl::OUString::createFromAscii(kScheme);
  if (!url.Complete.startsWith(scheme)) return {};
  return new CommandDispatch(office_, frame_,
                             rtl::Uri::decode(url.Complete.copy(scheme.getLength()), rtl_UriDecodeWithCharset,
                                              RTL_TEXTENCODING_UTF8));
}

uno::Sequence<uno::Reference<frame::XDispatch>> ProtocolHandler::queryDispatches(
    const uno::Sequence<frame::DispatchDescriptor>& requests) {
  uno::Sequence<uno::Reference<frame::XDispatch>> dispatches(requests.getLength());
  for (sal_Int32 i = 0; i < requests.getLength(); ++i)
    dispatches[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
  return dispatches;
}

rtl::OUString ProtocolHandler::getImplementationName() { return HandlerName(); }

sal_Bool ProtocolHandler::supportsService(const rtl::OUString& name) { return name.equalsAscii(kHandlerService); }

uno::Sequence<rtl::OUString> ProtocolHandler::getSupportedServiceNames() { return HandlerServices(); }

}  // namespace plx::oxt
