#include "dialog_pictures.hpp"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <osl/file.hxx>

#include "common/paths.hpp"
#include "common/text.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::ToOUString;

namespace {

uno::Reference<graphic::XGraphic> Query(const uno::Reference<uno::XComponentContext>& office, const char* property,
                                        const uno::Any& value) {
  uno::Sequence<beans::PropertyValue> source(1);
  source[0].Name = rtl::OUString::createFromAscii(property);
  source[0].Value = value;
  try {
    return graphic::GraphicProvider::create(office)->queryGraphic(source);
  } catch (const uno::Exception&) {
    return {};  // a picture the office cannot read leaves its place empty
  }
}

}  // namespace

uno::Reference<graphic::XGraphic> SvgGraphic(const uno::Reference<uno::XComponentContext>& office,
                                             const std::string& svg) {
  const uno::Sequence<sal_Int8> bytes(reinterpret_cast<const sal_Int8*>(svg.data()), static_cast<sal_Int32>(svg.size()));
  return Query(office, "InputStream", uno::Any(io::SequenceInputStream::createStreamFromSequence(office, bytes)));
}

bool NamesPictureFile(const std::wstring& text) {
  const size_t dot = text.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  const std::wstring extension = LCase(text.substr(dot + 1));
  for (const wchar_t* known : {L"wmf", L"emf", L"png", L"jpg", L"jpeg", L"bmp", L"svg"})
    if (extension == known) return FileExists(text);
  return false;
}

uno::Reference<graphic::XGraphic> FileGraphic(const uno::Reference<uno::XComponentContext>& office,
                                              const std::wstring& path) {
  rtl::OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(ToOUString(path), url) != osl::FileBase::E_None) return {};
  return Query(office, "URL", uno::Any(url));
}

}  // namespace plx::oxt
