#include "support/model_doc.hpp"

#include "docif/model/model_document.hpp"

namespace plx::test {

ModelDoc::ModelDoc()
    : app(std::make_shared<docif::model::ModelApplication>()), doc(app->GetDocuments()->Add()) {}

void ModelDoc::SetText(const std::wstring& text) {
  auto content = doc->Content();
  content->SetRange(0, content->End() - 1);
  content->SetText(text);
}

std::wstring ModelDoc::Text() const { return doc->Content()->Text(); }

std::shared_ptr<docif::model::DocData> ModelDoc::Data() const {
  return static_cast<docif::model::ModelDocument&>(*doc).Data();
}

}  // namespace plx::test
