// The extension's library entry points: the office asks them for the
// factory of the protocol handler registered in plendrix.components.
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <uno/environment.h>
#include <uno/lbnames.h>

#include "protocol_handler.hpp"

namespace {

using namespace ::com::sun::star;

uno::Reference<uno::XInterface> SAL_CALL CreateHandler(const uno::Reference<uno::XComponentContext>& office) {
  return static_cast<cppu::OWeakObject*>(new plx::oxt::ProtocolHandler(office));
}

rtl::OUString SAL_CALL Name() { return plx::oxt::HandlerName(); }
uno::Sequence<rtl::OUString> SAL_CALL Services() { return plx::oxt::HandlerServices(); }

const cppu::ImplementationEntry kEntries[] = {
    {CreateHandler, Name, Services, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* name, void* serviceManager,
                                                                    void* registryKey) {
  return cppu::component_getFactoryHelper(name, serviceManager, registryKey, kEntries);
}

extern "C" SAL_DLLPUBLIC_EXPORT void SAL_CALL component_getImplementationEnvironment(const char** environment,
                                                                                    uno_Environment**) {
  *environment = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}
