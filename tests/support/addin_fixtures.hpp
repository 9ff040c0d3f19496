#pragma once
// The two starting points of tests on a fresh add-in: a model host with one
// new document (features called directly), and the same host with the
// add-in connected (buttons pressed and dialogs opened as a teacher does).
// Fixtures that need more call the base's SetUp() first.
#include <memory>

#include "connect/connect.hpp"
#include "docif/document.hpp"
#include "support/test_addin.hpp"

namespace plx::test {

// The host, as the add-in's application, with one new document.
class DocumentAddinTest : public AddinTest {
 protected:
  void SetUp() override {
    host = MakeHost();
    doc = host->GetDocuments()->Add();
    ctx->App = host;
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
