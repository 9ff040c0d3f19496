#pragma once
// The add-in's choosers in the office: its folder and file pickers and its
// colour dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/ui.hpp"

namespace plx::oxt {

namespace css = ::com::sun::star;

// The chosen folder as a path; empty when the user cancels.
std::wstring PickFolder(const css::uno::Reference<css::uno::XComponentContext>& office, const std::wstring& prompt);
// Where to save a file, as a path; empty when the user cancels.
std::wstring PickSaveFile(const css::uno::Reference<css::uno::XComponentContext>& office, const std::wstring& prompt,
                          const std::vector<FileFilter>& filters, const std::wstring& defaultName);
// The chosen colour with red in the low byte, as the add-in keeps colours;
// nothing when the user cancels.
std::optional<uint32_t> PickColor(const css::uno::Reference<css::uno::XComponentContext>& office,
                                  const css::uno::Reference<css::awt::XWindowPeer>& parent, uint32_t initial);

}  // namespace plx::oxt
