#include "hosts/host_under_test.hpp"

#include <gtest/gtest.h>

#include "docif/model/model_application.hpp"
#include "office_host.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#include <com/sun/star/document/XUndoManagerSupplier.hpp>

#include "docif/uno/uno_application.hpp"
#include "docif/uno/uno_document.hpp"
#endif

namespace test {

std::string HostName(Host host) { return host == Host::Model ? "model" : "libreoffice"; }

#ifdef PLENDRIX_UNO
namespace {

// One office for the whole program: starting one takes a second or two.
std::unique_ptr<plx::cli::OfficeHost>& Office() {
  static std::unique_ptr<plx::cli::OfficeHost> office;
  return office;
}

// The office stops once the tests have run, while the program still runs:
// stopped by a static's destructor at exit, after the UNO runtime's own
// had begun, the program now and then ended with a segmentation fault.
class OfficeShutdown final : public ::testing::Environment {
 public:
  void TearDown() override { Office().reset(); }
};
[[maybe_unused]] const auto* const kOfficeShutdown = ::testing::AddGlobalTestEnvironment(new OfficeShutdown);

}  // namespace
#endif

std::shared_ptr<plx::docif::Application> StartHost(Host host, std::string* why) {
  if (host == Host::Model) return std::make_shared<plx::docif::model::ModelApplication>();
#ifdef PLENDRIX_UNO
  if (!plx::docif::lo::OfficeInstalled()) {
    *why = "LibreOffice is not installed";
    return nullptr;
  }
  auto& office = Office();
  if (!office) office = plx::cli::StartOfficeHost();
  auto app = office->Application();
  for (int i = app->GetDocuments()->Count(); i >= 1; --i)
    app->GetDocuments()->Close(app->GetDocuments()->Item(i));
  return app;
#else
  *why = "this build has no LibreOffice SDK (libreoffice-dev)";
  return nullptr;
#endif
}

std::vector<std::wstring> UndoSteps(Host host, plx::docif::Application& app) {
  if (host == Host::Model) {
    auto steps = static_cast<plx::docif::model::ModelApplication&>(app).UndoRecords();
    return {steps.rbegin(), steps.rend()};
  }
#ifdef PLENDRIX_UNO
  return plx::docif::lo::UndoTitles(app);
#else
  return {};
#endif
}

void UndoLast(plx::docif::Application& app) {
#ifdef PLENDRIX_UNO
  auto& doc = static_cast<plx::docif::lo::UnoDocument&>(*app.ActiveDocument());
  css::uno::Reference<css::document::XUndoManagerSupplier> supplier(doc.Writer()->model, css::uno::UNO_QUERY_THROW);
  supplier->getUndoManager()->undo();
#else
  (void)app;
#endif
}

}  // namespace test
