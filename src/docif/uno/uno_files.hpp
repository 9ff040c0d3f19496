#pragma once
// File names between the add-in (paths) and the office (file URLs).
#include <string>

#include <rtl/ustring.hxx>

namespace plx::docif::lo {

// The file URL of a path; a relative path is taken from this process's
// working folder, as the host takes a file name it is given.
rtl::OUString FileUrl(const std::wstring& path);

}  // namespace plx::docif::lo
