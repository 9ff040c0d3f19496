#pragma once
// Every message plendrix shows is Chinese. The libraries under the add-in
// (libzip, the C library) describe their failures in English; the host
// puts those descriptions into Chinese before it shows them.
#include <string>

namespace plx::cli {

// The message with each known English library phrase replaced by its
// Chinese wording; text without one comes back unchanged.
std::wstring InChinese(const std::wstring& message);

}  // namespace plx::cli
