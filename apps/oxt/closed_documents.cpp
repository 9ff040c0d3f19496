#include "closed_documents.hpp"

#include <algorithm>
#include <vector>

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/frame/Desktop.hpp>

#include "docif/uno/uno_document.hpp"

namespace plx::oxt {

using namespace css;

void ForgetClosedDocuments(docif::Application& app, const uno::Reference<uno::XComponentContext>& office) {
  std::vector<uno::Reference<uno::XInterface>> open;
  auto components = frame::Desktop::create(office)->getComponents()->createEnumeration();
  while (components->hasMoreElements()) open.emplace_back(components->nextElement(), uno::UNO_QUERY);
  auto documents = app.GetDocuments();
  for (int i = documents->Count(); i >= 1; --i) {
    auto document = std::dynamic_pointer_cast<docif::lo::UnoDocument>(documents->Item(i));
    if (!document) continue;
    const uno::Reference<uno::XInterface> model(document->Writer()->model, uno::UNO_QUERY);
    if (std::find(open.begin(), open.end(), model) != open.end()) continue;
    try {
      documents->Close(document);
    } catch (const uno::Exception&) {
      // a closed document refuses to be closed again; the adapter has let go of it first
    }
  }
}

}  // namespace plx::oxt
