#pragma once
// The add-in connected to a model word processor and a model presentation
// program, for sending to slides as a teacher does.
#include <memory>
#include <string>
#include <vector>

#include "config/mod_config.hpp"
#include "slidehost/model/model_programs.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::test {

class SlidesTest : public ConnectedAddinTest {
 protected:
  void SetUp() override {
    ConnectedAddinTest::SetUp();
    ctx->PresentationPrograms = programs;
  }
  void SetText(const std::wstring& text) { doc->Content()->SetText(text); }
  std::wstring Text() const { return doc->Content()->Text(); }
  void Select(long start, long end) { doc->GetRange(start, end)->Select(); }
  void Setting(const std::wstring& key, const std::wstring& value) {
    ConfigGroup(*ctx, L"word2pptconfig").Set(key, value);
  }
  // The slides of the presentation the sends went to.
  const std::vector<std::shared_ptr<slides::model::SlideData>>& Slides() {
    auto all = programs->Presentations();
    EXPECT_EQ(all.size(), 1u);
    return all.at(0)->slides;
  }
  const slides::model::ShapeData& ShapeAt(size_t slide, size_t shape) {
    return *Slides().at(slide)->shapes.at(shape);
  }

  std::shared_ptr<slides::model::ModelPrograms> programs = std::make_shared<slides::model::ModelPrograms>();
};

}  // namespace plx::test
