#pragma once
// The markers that cut a document into pieces for a batch send:
// "[pdPPN]" starts a piece on a new slide, "[pdPPK]" a piece that
// continues on the same slide.
#include <string>
#include <vector>

#include "docif/document.hpp"

namespace plx {
class AddinContext;
}

namespace plx::present {

constexpr const wchar_t* kNewSlideMarker = L"[pdPPN]";
constexpr const wchar_t* kSameSlideMarker = L"[pdPPK]";
constexpr long kMarkerLength = 7;

// Inserts the marker at the start of the selection.
void InsertMarker(AddinContext& ctx, const std::wstring& marker);

// Marks the active document question by question: a new slide at the
// start and at every paragraph that begins with a number and ".", "．" or
// "、" (typed, or an automatic number of that form); inside each question
// every paragraph that is not an option line (A to D followed by one of
// those signs) or blank becomes a piece of its own, and a table stays
// whole in the piece before it.
void ZhuTiBiaoJi(AddinContext& ctx);

// Where each occurrence of `text` starts in the document, in order.
std::vector<long> Occurrences(docif::Document& doc, const std::wstring& text);

// Deletes every marker of the active document.
void RemoveMarkers(AddinContext& ctx);

}  // namespace plx::present
