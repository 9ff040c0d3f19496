#include "impress_show.hpp"

#include <fstream>
#include <iterator>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include "common/text.hpp"
#include "docif/uno/uno_files.hpp"

namespace plx::oxt {

using namespace css;

namespace {

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

void ImpressShow::Refresh(const uno::Reference<uno::XComponentContext>& office, slides::Programs& programs) {
  auto program = programs.Running();
  if (!program || program->PresentationCount() == 0) return;
  std::filesystem::create_directories(file_.parent_path());
  program->ActivePresentation()->SaveAs(Utf8ToWide(file_.string()));
  std::string now = Bytes(file_);
  if (now == shown_) return;
  // The copy shown before may have been closed by the teacher meanwhile.
  if (uno::Reference<util::XCloseable> old(document_, uno::UNO_QUERY); old.is()) {
    try {
      old->close(true);
    } catch (const uno::Exception&) {
      // already closed
    }
  }
  document_ = frame::Desktop::create(office)->loadComponentFromURL(
      docif::lo::FileUrl(Utf8ToWide(file_.string())), "_blank", 0, uno::Sequence<beans::PropertyValue>());
  shown_ = std::move(now);
}

}  // namespace plx::oxt
