#include "host/form.hpp"

#include <algorithm>

#include "host/addin_context.hpp"

namespace plx {

void Form::Show() {
  if (loaded_) return;
  loaded_ = true;
  ctx_.OpenForms.push_back(shared_from_this());
  Form_Load();
}

void Form::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  auto keepAlive = shared_from_this();
  Form_Unload();
  std::erase_if(ctx_.OpenForms, [this](const auto& f) { return f.get() == this; });
}

}  // namespace plx
