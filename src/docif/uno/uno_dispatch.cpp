#include "docif/uno/uno_dispatch.hpp"

#include <string>

#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/util/URL.hpp>

#include "common/error.hpp"

namespace plx::docif::lo {

using namespace css;

void RunWriterCommand(WriterDoc& doc, const char* name) {
  util::URL command;
  command.Protocol = ".uno:";
  command.Path = rtl::OUString::createFromAscii(name);
  command.Complete = command.Main = command.Protocol + command.Path;
  Reference<frame::XDispatchProvider> frame(doc.model->getCurrentController()->getFrame(), uno::UNO_QUERY_THROW);
  auto dispatch = frame->queryDispatch(command, rtl::OUString(), 0);
  if (!dispatch.is()) {
    const std::string ascii(name);
    Raise(err::kInvalidCall, L"LibreOffice 没有提供命令 " + std::wstring(ascii.begin(), ascii.end()) + L"。");
  }
  dispatch->dispatch(command, {});
}

}  // namespace plx::docif::lo
