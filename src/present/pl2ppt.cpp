#include "present/pl2ppt.hpp"

#include <algorithm>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/error_boxes.hpp"
#include "docif/range.hpp"
#include "present/markers.hpp"
#include "present/send2ppt.hpp"
#include "present/send_settings.hpp"

namespace plx::present {

namespace {

struct Marker {
  long start = 0;
  bool newSlide = false;
};

std::vector<Marker> FindMarkers(docif::Document& doc) {
  std::vector<Marker> markers;
  for (long start : Occurrences(doc, L"[pdPP"))
    markers.push_back({start, doc.GetRange(start, start + kMarkerLength)->Text() == kNewSlideMarker});
  return markers;
}

// Sends the document's pieces; false when a piece could not be sent (the
// send told the user why), which ends the batch.
bool SendPieces(AddinContext& ctx, docif::Document& doc, int form, const SendHooks& hooks) {
  const std::vector<Marker> markers = FindMarkers(doc);
  if (markers.empty()) {
    ctx.Ui().MsgBox(L"文档中没有发送到PPT的标记（[pdPPN] 或 [pdPPK]），请先插入标记或使用自动标记。", Buttons::OK, L"");
    return false;
  }
  const int newSlideMode = 4 - form, sameSlideMode = 7 - form;
  // The settings dialog, when asked for, opens before the first piece only:
  // the whole batch is sent with the settings the user closed it with.
  SendHooks pieceHooks = hooks;
  for (size_t i = 0; i < markers.size(); ++i) {
    const long from = markers[i].start;
    long to = (i + 1 < markers.size() ? markers[i + 1].start : doc.Content()->End()) - kMarkerLength;
    // The marker is taken out while its piece is sent, so the piece's first
    // line starts where it does without it (a picture of the piece would
    // show the marker's room before it), and goes back after.
    const std::wstring marker = doc.GetRange(from, from + kMarkerLength)->Text();
    doc.GetRange(from, from + kMarkerLength)->Delete();
    bool sent = false;
    try {
      // The paragraph mark before the next marker stays out of the piece;
      // any other character is part of it.
      if (to > from && doc.GetRange(to - 1, to)->Text() == L"\r") --to;
      doc.GetRange(from, std::max(from, to))->Select();
      sent = Send2PPT(ctx, markers[i].newSlide ? newSlideMode : sameSlideMode, pieceHooks);
    } catch (...) {
      doc.GetRange(from, from)->InsertBefore(marker);
      throw;
    }
    doc.GetRange(from, from)->InsertBefore(marker);
    if (!sent) return false;
    pieceHooks.showSettings = nullptr;
  }
  return true;
}

void Batch(AddinContext& ctx, int form, const SendHooks& hooks) {
  const bool automatic = form == 0;
  if (automatic) form = ReadSendSettings(ctx).batchType + 1;
  if (form < 1 || form > 3) Raise(err::kInvalidCall, L"批量发送的形式必须是 1（Word文档）、2（纯文本）或 3（图片）。");
  auto doc = ctx.App->ActiveDocument();
  if (!automatic) {
    SendPieces(ctx, *doc, form, hooks);
    return;
  }
  ZhuTiBiaoJi(ctx);
  // The markers were put in for this batch only: they go again however
  // the batch ends.
  try {
    SendPieces(ctx, *doc, form, hooks);
  } catch (...) {
    RemoveMarkers(ctx);
    throw;
  }
  RemoveMarkers(ctx);
}

}  // namespace

void PL2PPT(AddinContext& ctx, int form, const SendHooks& hooks) {
  try {
    Batch(ctx, form, hooks);
  } catch (const std::exception& e) {
    ctx.Ui().MsgBox(BracketErrorBox(AsVbError(e), L"PL2PPT", L"modWord", __LINE__).message, Buttons::OK, L"");
  }
}

}  // namespace plx::present
