#pragma once
// Pictures in dialog windows, as the office's graphics: the drawings the
// add-in's renderer makes (a preview's SVG) and the picture files it wrote
// (a stored question's metafile).
#include <string>

#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace plx::oxt {

namespace css = ::com::sun::star;

// The drawing, or null when the office cannot read it.
css::uno::Reference<css::graphic::XGraphic> SvgGraphic(const css::uno::Reference<css::uno::XComponentContext>& office,
                                                       const std::string& svg);
// Whether a text names a picture file that exists (.wmf, .emf, .png, .jpg, .bmp, .svg).
bool NamesPictureFile(const std::wstring& text);
// The picture of the file, or null when the office cannot read it.
css::uno::Reference<css::graphic::XGraphic> FileGraphic(const css::uno::Reference<css::uno::XComponentContext>& office,
                                                        const std::wstring& path);

}  // namespace plx::oxt
