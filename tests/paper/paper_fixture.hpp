#pragma once
// An add-in connected to a model word processor with one new document, for
// pressing the exam-paper commands as a teacher does.
#include <memory>
#include <string>

#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::test {

class PaperTest : public ConnectedAddinTest {
 protected:
  void SetText(const std::wstring& text) { doc->Content()->SetText(text); }
  std::wstring Text() const { return doc->Content()->Text(); }
  docif::RangePtr Paragraph(int i) { return doc->Paragraphs()->Item(i); }
  void Select(long start, long end) { doc->GetRange(start, end)->Select(); }
  void Setting(const std::wstring& group, const std::wstring& key, const std::wstring& value) {
    ConfigGroup(*ctx, group).Set(key, value);
  }
  // The document saved and opened again (the reopened one becomes active).
  std::shared_ptr<docif::Document> Reopened(const std::wstring& name = L"p.docx") {
    auto path = dir.WPath() + L"/" + name;
    docif::ooxml::SaveDocx(*std::static_pointer_cast<docif::model::ModelDocument>(doc)->Data(), path);
    return host->GetDocuments()->Open(path);
  }

  TempDir dir;
};

}  // namespace plx::test
