#pragma once
// The add-in's input box in the office: a small modal dialog with the
// prompt, one line to type in, OK and Cancel.
#include <optional>
#include <string>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace plx::oxt {

namespace css = ::com::sun::star;

// The typed text, or nothing when the user cancels.
std::optional<std::wstring> AskText(const css::uno::Reference<css::uno::XComponentContext>& office,
                                    const css::uno::Reference<css::awt::XWindowPeer>& parent,
                                    const std::wstring& prompt, const std::wstring& title,
                                    const std::wstring& defaultText);

}  // namespace plx::oxt
