#pragma once
// A model word processor with one open document, for tests of the
// document surface and of features.
#include <memory>
#include <string>

#include "docif/model/model_application.hpp"

namespace plx::test {

struct ModelDoc {
  ModelDoc();
  // Replaces the whole text (paragraphs separated by "\r").
  void SetText(const std::wstring& text);
  std::wstring Text() const;
  std::shared_ptr<docif::model::DocData> Data() const;

  std::shared_ptr<docif::model::ModelApplication> app;
  std::shared_ptr<docif::Document> doc;
};

}  // namespace plx::test
