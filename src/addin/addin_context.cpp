#include "addin/addin_context.hpp"

#include <dlfcn.h>

#include <filesystem>

#include "common/error.hpp"
#include "common/text.hpp"
#include "addin/form.hpp"

namespace plx {

AddinContext::AddinContext(Services services) : ModuleFolder(LibraryFolder), services_(services) {}

AddinContext::~AddinContext() {
  auto forms = OpenForms;
  for (auto& f : forms) f->Unload();
}

std::wstring LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || !info.dli_fname)
    Raise(err::kFileNotFound);
  std::filesystem::path file = std::filesystem::weakly_canonical(info.dli_fname);
  return Utf8ToWide(file.parent_path().string());
}

}  // namespace plx
