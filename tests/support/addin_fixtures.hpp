#pragma once
// The two starting points of tests on a fresh add-in: a model host with one
// new document (features called directly), and the same host with the
// add-in connected (buttons pressed and dialogs opened as a teacher does).
// Fixtures that need more call the base's SetUp() first.
#include <memory>
#include <string>
#include <vector>

#include "connect/connect.hpp"
#include "docif/document.hpp"
#include "docif/range.hpp"
#include "support/test_addin.hpp"

namespace plx::test {

// The host, as the add-in's application, with one new document, and the
// readers of what a command put there.
class DocumentAddinTest : public AddinTest {
 protected:
  void SetUp() override { StartHost(L"16.0"); }
  // A new host of the given version with one new document.
  void StartHost(const std::wstring& version) {
    host = MakeHost(version);
    doc = host->GetDocuments()->Add();
    ctx->App = host;
  }
  // The codes of the document's fields, in order.
  std::vector<std::wstring> Codes() {
    std::vector<std::wstring> codes;
    auto fields = doc->GetFields();
    for (int i = 1; i <= fields->Count(); ++i) codes.push_back(fields->Item(i)->Code()->Text());
    return codes;
  }
  std::wstring Text() { return doc->Content()->Text(); }
  // Puts the insertion point at the end, as a teacher clicks after what was inserted.
  void ClickAtEnd() {
    const long end = doc->Content()->End() - 1;
    host->GetSelection()->SetRange(end, end);
  }

  std::shared_ptr<docif::model::ModelApplication> host;
  std::shared_ptr<docif::Document> doc;
};

// The host with one new document and the add-in connected to it.
class ConnectedAddinTest : public AddinTest {
 protected:
  void SetUp() override {
    host = MakeHost();
    host->GetDocuments()->Add();
    connect = std::make_unique<Connect>(*ctx);
    connect->AddinInstance_OnConnection(host);
    doc = host->ActiveDocument();
  }
  // Presses a ribbon button by its id.
  void Press(const std::wstring& id) { connect->rxButtonClick({id, L""}); }

  std::shared_ptr<docif::model::ModelApplication> host;
  std::unique_ptr<Connect> connect;
  std::shared_ptr<docif::Document> doc;
};

}  // namespace plx::test
