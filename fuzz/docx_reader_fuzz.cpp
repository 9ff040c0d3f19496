// libFuzzer target: any bytes given to the .docx reader end in a document
// or a clear error, never a crash, a hang or runaway memory; a document it
// reads can be written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/error.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    auto package = std::make_shared<plx::docif::ooxml::ZipPackage>(std::move(bytes), "fuzz.docx");
    auto doc = plx::docif::ooxml::ReadDocxPackage(package, L"fuzz.docx",
                                                  std::make_shared<plx::docif::model::AppShared>());
    plx::docif::ooxml::BuildDocx(*doc);
  } catch (const plx::VbError&) {
    // A clear refusal is a correct answer.
  }
  return 0;
}
