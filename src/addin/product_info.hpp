#pragma once
// The product's own addresses and texts, kept in one place.
#include <string>

namespace plx::product {

// The version compiled in, as "MAJOR.MINOR.PATCH".
inline std::wstring VersionText() {
  return std::to_wstring(PLENDRIX_VERSION_MAJOR) + L"." + std::to_wstring(PLENDRIX_VERSION_MINOR) + L"." +
         std::to_wstring(PLENDRIX_VERSION_PATCH);
}

inline constexpr const wchar_t* kNewsPage = L"https://plendrix.example.com/news/";
inline constexpr const wchar_t* kAddinProgIdPart = L"plendrix4word";
inline constexpr const wchar_t* kToolbarNamePart = L"plendrix";
inline constexpr const wchar_t* kMainToolbar = L"plendrix_Main";
// The site label that follows the secondary toolbars' names.
inline constexpr const wchar_t* kSiteLabel = L"(plendrix.example.com)";
inline constexpr const wchar_t* kHomePage = L"https://plendrix.example.com/";
inline constexpr const wchar_t* kNewVersionPage = L"https://plendrix.example.com/download/";
// The outside question-search page; the selected text follows.
inline constexpr const wchar_t* kAnswerSearch = L"https://search.example.com/question?q=";
inline constexpr const wchar_t* kAuthorContact =
    L"作者：Plendrix 开发组\r\n网站：https://plendrix.example.com/\r\n"
    L"电子邮件：author@plendrix.example.com\r\nQQ群：10000000";

}  // namespace plx::product
