#pragma once
// The clipboard programs share, as the forms a word processor puts on it
// when it copies: the plain text, a picture of what was copied, and an
// embedded document object (the copied text as a document of its own,
// with the picture that stands for it until it is opened).
#include <optional>
#include <string>

namespace plx::slides {

struct ClipPicture {
  std::string png;                // the picture's file bytes
  double width = 0, height = 0;   // its size in points
};

struct ClipDocument {
  std::string package;            // the document's file bytes (.docx)
  std::wstring progId = L"Word.Document.12";
  ClipPicture preview;
};

struct Clipboard {
  std::wstring text;
  std::optional<ClipPicture> picture;
  std::optional<ClipDocument> document;

  void Clear() { *this = Clipboard{}; }
};

}  // namespace plx::slides
