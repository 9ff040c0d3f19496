#include "docif/model/model_application.hpp"

#include "common/error.hpp"

namespace plx::docif::model {

std::shared_ptr<COMAddIn> ModelAddIns::Item(int index) {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall);
  return items_[index - 1];
}

}  // namespace plx::docif::model
