#pragma once
// The product's own addresses and texts, kept in one place.
namespace plx::product {

inline constexpr const wchar_t* kNewsPage = L"https://plendrix.example.com/news/";
inline constexpr const wchar_t* kAddinProgIdPart = L"plendrix4word";
inline constexpr const wchar_t* kToolbarNamePart = L"plendrix";
inline constexpr const wchar_t* kMainToolbar = L"plendrix_Main";

}  // namespace plx::product
