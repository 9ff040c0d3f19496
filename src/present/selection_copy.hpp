#pragma once
// Copying the selection of the document the way the word processor puts
// it on the clipboard for the presentation program: its text, a picture
// of it, and the selection as a document of its own. Only the forms a
// send asks for are made, as a clipboard renders its forms when pasted.
#include <string>

#include "slidehost/clipboard.hpp"

namespace plx {
class AddinContext;
}

namespace plx::present {

enum class ContentForm { Picture, PlainText, DocumentObject };

// The room on a slide (points) a picture of the selection is enlarged to
// fill; none (0 × 0) when the picture keeps its own size.
struct PictureRoom {
  double width = 0, height = 0;
};

// Copies the active selection into `clip` (emptied first). A picture to be
// enlarged into `room` is drawn finer by as much, so it is as sharp there.
void CopySelection(AddinContext& ctx, ContentForm form, slides::Clipboard& clip, PictureRoom room = {});

// Saves the active selection as a document of its own at `path` (a
// ".doc" name holds the .docx package), leaving the user's document active.
void SaveSelectionAsDocument(AddinContext& ctx, const std::wstring& path);

}  // namespace plx::present
