#include "present/send2ppt.hpp"

#include <filesystem>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "present/init_ppt.hpp"
#include "present/selection_copy.hpp"
#include "present/send_settings.hpp"
#include "present/slide_dressing.hpp"

namespace plx::present {

namespace {

constexpr double kTextTop = 100, kTextWidth = 360, kTextHeight = 100;

ContentForm FormOfMode(int mode) {
  switch ((mode - 1) % 3) {
    case 0: return ContentForm::Picture;
    case 1: return ContentForm::PlainText;
    default: return ContentForm::DocumentObject;
  }
}

// The selection as a document object: pasted from the clipboard, or,
// when the program will not paste it, embedded from a document file
// saved for the purpose and removed afterwards.
slides::ShapePtr EmbedDocument(AddinContext& ctx, slides::Shapes& shapes, const SendSettings& s) {
  try {
    return shapes.PasteSpecial(slides::kPasteOleObject, false);
  } catch (const VbError&) {
  }
  const int n = static_cast<int>(Int(ctx.Random().Rnd() * 10000000 + 1));
  const std::wstring file = AppFile(ctx, L"temp/" + std::to_wstring(n) + L".doc");
  const std::filesystem::path path(WideToUtf8(file));
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::filesystem::remove(path, ignored);
  try {
    SaveSelectionAsDocument(ctx, file);
    auto shape = shapes.AddOLEObject(s.left, s.top, 0, 0, file, false);
    std::filesystem::remove(path, ignored);
    return shape;
  } catch (...) {
    std::filesystem::remove(path, ignored);
    throw;
  }
}

// The selection's text as a text box shows it: table cells side by side
// with tabs between them, rows on lines of their own, no trailing mark.
std::wstring BoxText(std::wstring text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\a') {
      ++i;
      const bool rowEnd = i + 1 < text.size() && text[i + 1] == L'\r' && i + 2 < text.size() && text[i + 2] == L'\a';
      out += rowEnd ? L'\r' : L'\t';
      if (rowEnd) i += 2;
      continue;
    }
    out += text[i];
  }
  while (!out.empty() && (out.back() == L'\r' || out.back() == L'\t')) out.pop_back();
  return out;
}

slides::ShapePtr CreateShape(AddinContext& ctx, slides::Shapes& shapes, ContentForm form, const SendSettings& s,
                             const std::wstring& text) {
  switch (form) {
    case ContentForm::Picture: return shapes.PasteSpecial(slides::kPasteMetafilePicture, false);
    case ContentForm::PlainText: {
      auto box = shapes.AddTextbox(slides::kTextOrientationHorizontal, s.left, kTextTop, kTextWidth, kTextHeight);
      box->SetText(BoxText(text));
      if (!Trim(s.fontName).empty()) box->SetFontName(Trim(s.fontName));
      // A size the settings do not give keeps the program's own.
      if (s.fontSize > 0) box->SetFontSize(s.fontSize);
      return box;
    }
    case ContentForm::DocumentObject: return EmbedDocument(ctx, shapes, s);
  }
  return nullptr;
}

// Keeps a new shape from covering what the slide already shows: it starts
// below the lowest bottom of the other shapes, and when it then runs past
// the slide's bottom it goes to a new slide at the top margin. A shape
// alone on its slide stays, however tall: a new slide would not give it
// more room.
void KeepClear(PptContext& p, slides::ShapePtr& shape, const SendSettings& s) {
  auto shapes = p.slide->GetShapes();
  bool others = false;
  for (int i = 1; i <= shapes->Count(); ++i) {
    auto other = shapes->Item(i);
    if (other->Id() == shape->Id()) continue;
    others = true;
    const double bottom = other->Top() + other->Height();
    if (shape->Top() < bottom) shape->SetTop(bottom);
  }
  if (!others || shape->Top() + shape->Height() <= p.slideHeight) return;
  shape->Cut();
  p.slide = AppendBlankSlide(*p.presentation);
  shape = p.slide->GetShapes()->Paste();
  shape->SetLeft(s.left);
  shape->SetTop(s.top);
}

bool Send(AddinContext& ctx, int mode, const SendHooks& hooks) {
  if (mode < 1 || mode > 6) Raise(err::kInvalidCall, L"发送方式必须是 1 到 6。");
  SendSettings s = ReadSendSettings(ctx);
  if (s.showConfig && hooks.showSettings) {
    hooks.showSettings(ctx);
    GetConfigInfo(ctx, kSendGroup);
    s = ReadSendSettings(ctx);
  }
  auto p = InitPPT(ctx, mode <= 3);
  if (!p) return false;
  slides::Clipboard& clip = ctx.PresentationPrograms->GetClipboard();
  const ContentForm form = FormOfMode(mode);
  const double roomW = p->slideWidth - s.left - s.right, roomH = p->slideHeight - s.top - s.bottom;
  CopySelection(ctx, form, clip, s.autoSize ? PictureRoom{roomW, roomH} : PictureRoom{});
  auto shapes = p->slide->GetShapes();
  slides::ShapePtr shape = CreateShape(ctx, *shapes, form, s, clip.text);

  const double w = shape->Width(), h = shape->Height();
  if (s.autoSize && w > 0 && h > 0 && roomW > 0 && roomH > 0) {
    const double byHeight = roomH / h, byWidth = roomW / w;
    const double scale = byHeight < byWidth ? byHeight : byWidth;
    shape->SetWidth(w * scale);
    shape->SetHeight(h * scale);
  }
  shape->SetLeft(s.left);
  shape->SetTop(s.top);
  if (!s.over) KeepClear(*p, shape, s);

  if (s.shapeAni) AddEntranceEffect(*p->slide, *shape, ChooseEntranceEffect(ctx, s));
  if (s.beauty) SetBackgroundPicture(ctx, *p->slide, ChooseBackgroundName(ctx, s));
  if (s.slideAni) SetTransition(*p->slide, ChooseTransitionIndex(ctx, s));
  return true;
}

}  // namespace

bool Send2PPT(AddinContext& ctx, int mode, const SendHooks& hooks) {
  try {
    return Send(ctx, mode, hooks);
  } catch (const std::exception& e) {
    ShowErrLong(ctx, e, L"Send2PPT", L"modWord", __LINE__);
    return false;
  }
}

}  // namespace plx::present
