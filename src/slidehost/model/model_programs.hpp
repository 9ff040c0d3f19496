#pragma once
// The in-memory presentation program and the system it runs on: starting
// it once makes it the running program the next attach finds.
#include <memory>
#include <vector>

#include "slidehost/model/slide_data.hpp"
#include "slidehost/presentation.hpp"

namespace plx::slides::model {

class ModelApplication;

class ModelPrograms final : public Programs {
 public:
  std::shared_ptr<Application> Running() override;
  std::shared_ptr<Application> Start() override;
  Clipboard& GetClipboard() override { return clipboard_; }
  // The presentations of the running program (empty when not started).
  std::vector<std::shared_ptr<PresentationData>> Presentations() const;

 private:
  Clipboard clipboard_;
  std::shared_ptr<ModelApplication> app_;
};

}  // namespace plx::slides::model
