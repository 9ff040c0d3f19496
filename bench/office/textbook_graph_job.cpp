// A job the benchmarks load into LibreOffice's own process through the
// office's shared-library loader (no extension is installed): each
// execute() draws the textbook graph into a new Writer document with the
// add-in running inside the office, as the extension runs it, and returns
// the milliseconds the drawing took there, or the message it failed with. The figure over the bridge is
// the same drawing plus a call into the office for every shape property.
//
// A toolbar command runs on the office's main thread, the one that owns its
// windows and its event loop. A call over the bridge arrives on a thread of
// its own, where every call into Writer would wait for the main thread to
// let go of the office: the job hands the drawing to the main thread.
#include <chrono>
#include <future>

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase2.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <rtl/ref.hxx>
#include <uno/environment.h>
#include <uno/lbnames.h>

#include "../bench_addin.hpp"
#include "../textbook_figure.hpp"
#include "common/error.hpp"
#include "docif/uno/uno_application.hpp"
#include "docif/uno/uno_text.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"

namespace {

using namespace ::com::sun::star;
using rtl::OUString;

const OUString kName = OUString::createFromAscii(PLENDRIX_BENCH_JOB);

// Runs one piece of work when the office's main thread calls it back.
class OnMainThread final : public cppu::WeakImplHelper1<awt::XCallback> {
 public:
  explicit OnMainThread(std::function<uno::Any()> work) : work_(std::move(work)) {}
  void SAL_CALL notify(const uno::Any&) override { done_.set_value(work_()); }
  uno::Any Result() { return done_.get_future().get(); }

 private:
  std::function<uno::Any()> work_;
  std::promise<uno::Any> done_;
};

class TextbookGraphJob final : public cppu::WeakImplHelper2<task::XJob, lang::XServiceInfo> {
 public:
  explicit TextbookGraphJob(const uno::Reference<uno::XComponentContext>& office)
      : office_(office), addin_("plendrix-bench-office-job"), figure_(plx::bench::TextbookFigure()) {
    plx::AddinContext& ctx = addin_.Context();
    ctx.App = plx::docif::lo::MakeUnoApplication(office);
    plx::graph::PreviewCanvas canvas;
    plx::graph::ZBX_Graph(ctx, figure_, canvas);  // the tick and π labels, as the dialog records them
  }

  uno::Any SAL_CALL execute(const uno::Sequence<beans::NamedValue>&) override {
    rtl::Reference<OnMainThread> drawing(new OnMainThread([this] { return Draw(); }));
    awt::AsyncCallback::create(office_)->addCallback(uno::Reference<awt::XCallback>(drawing.get()), uno::Any());
    return drawing->Result();
  }
  OUString SAL_CALL getImplementationName() override { return kName; }
  sal_Bool SAL_CALL supportsService(const OUString& name) override { return name == kName; }
  uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return uno::Sequence<OUString>(&kName, 1); }

 private:
  uno::Any Draw() {
    try {
      auto& app = *addin_.Context().App;
      auto doc = app.GetDocuments()->Add();
      const auto start = std::chrono::steady_clock::now();
      plx::graph::InsertGraphs(addin_.Context(), figure_);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      // The add-in shows a figure's failure and goes on: a document
      // without the one group holding the figure is a failed drawing.
      const bool drawn = doc->GetShapes()->Count() == 1;
      app.GetDocuments()->Close(doc);
      if (!drawn) return uno::Any(OUString::createFromAscii("the textbook graph was not drawn"));
      return uno::Any(took.count());
    } catch (const plx::VbError& e) {
      // An exception thrown out of this library would stop the office:
      // the failure comes back as the message instead of the time.
      return uno::Any(plx::docif::lo::ToOUString(e.description()));
    } catch (const std::exception& e) {
      return uno::Any(OUString::createFromAscii(e.what()));
    } catch (const uno::Exception& e) {
      return uno::Any(e.Message);
    }
  }

  uno::Reference<uno::XComponentContext> office_;
  plx::bench::BenchAddin addin_;
  plx::graph::GraphContext figure_;
};

uno::Reference<uno::XInterface> SAL_CALL Create(const uno::Reference<uno::XComponentContext>& office) {
  return static_cast<cppu::OWeakObject*>(new TextbookGraphJob(office));
}
OUString SAL_CALL Name() { return kName; }
uno::Sequence<OUString> SAL_CALL Services() { return uno::Sequence<OUString>(&kName, 1); }

const cppu::ImplementationEntry kEntries[] = {
    {Create, Name, Services, cppu::createSingleComponentFactory, nullptr, 0},
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
