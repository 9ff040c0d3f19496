#pragma once
// The surface's font and paragraph formats as Writer's character and
// paragraph properties, on a text range or a style. Reading leaves a member
// empty where Writer reports it ambiguous (it differs across the range).
#include <cmath>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "docif/formats.hpp"

namespace plx::docif::lo {

namespace css = ::com::sun::star;

FontFormat ReadFont(const css::uno::Reference<css::beans::XPropertySet>& properties);
void WriteFont(const css::uno::Reference<css::beans::XPropertySet>& properties, const FontFormat& font);
ParagraphFormat ReadParagraphFormat(const css::uno::Reference<css::beans::XPropertySet>& properties);
void WriteParagraphFormat(const css::uno::Reference<css::beans::XPropertySet>& properties,
                          const ParagraphFormat& format);

// Points and Writer's 1/100 mm. Lengths read come back in whole twips, as
// the host measures them (1000 = 28.35 pt, not 28.346).
inline long ToMm100(double points) { return std::lround(points * 2540.0 / 72.0); }
inline double FromMm100(long mm100) { return std::round(mm100 * 1440.0 / 2540.0) / 20.0; }

}  // namespace plx::docif::lo
