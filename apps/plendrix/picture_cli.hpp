#pragma once
// `plendrix render` and the script action `render`: a page or the selection
// of the session's document drawn by the add-in's own renderer.
#include <string>

namespace plx::cli {

class Session;

struct PictureRequest {
  int page = 1;
  bool selection = false;
  std::wstring format;  // empty: from the file's extension
  double dpi = 150;
  std::wstring file;
};

// Reads "[--page N | --selection] [--format F] [--dpi D] FILE" (the script
// action's words); raises error 5 with a plain message when they are wrong.
PictureRequest ParsePictureRequest(const std::wstring& words);

// Draws and writes the picture; raises error 5 with the reason when the
// request cannot be met, FileError when the file cannot be written.
void WriteRequestedPicture(Session& session, const PictureRequest& request);

}  // namespace plx::cli
