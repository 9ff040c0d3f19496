#pragma once
// Writer's paragraph and character styles under the names the host's
// Chinese edition shows: Writer's "Standard" is "正文", its headings
// "标题 1" ...; every other style goes by Writer's display name.
#include <memory>
#include <string>

#include <rtl/ustring.hxx>

#include "docif/document.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

std::wstring ParagraphStyleLocalName(const WriterDoc& doc, const rtl::OUString& internal);
// Error 5941 when the document has no such paragraph style.
rtl::OUString ParagraphStyleInternalName(const WriterDoc& doc, const std::wstring& name);
std::shared_ptr<Styles> MakeUnoStyles(const std::shared_ptr<WriterDoc>& doc);

}  // namespace plx::docif::lo
