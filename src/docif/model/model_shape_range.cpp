#include <algorithm>

#include "common/error.hpp"
#include "docif/model/anchored_shapes.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"

namespace plx::docif::model {

template <class F>
void ModelShapeRange::Each(F f) const {
  for (const auto& d : items_) {
    ModelShape s(doc_, d);
    f(s);
  }
}

ShapePtr ModelShapeRange::Item(int index) const {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall);
  return std::make_shared<ModelShape>(doc_, items_[index - 1]);
}

Box ModelShapeRange::Extent() const {
  if (items_.empty()) Raise(err::kInvalidCall, L"没有选中任何图形。");
  FollowParagraphs(*doc_);
  ShapeData all;
  all.type = kShapeGroup;
  all.children = items_;
  return Bounds(all);
}

ShapePtr ModelShapeRange::Group() {
  if (items_.size() < 2) Raise(err::kInvalidCall, L"至少要两个图形才能组合。");
  auto& top = doc_->shapes;
  size_t at = 0;
  for (const auto& d : items_) {
    if (d->deleted || d->parent) Raise(err::kInvalidCall, L"只有页面上的独立图形才能组合。");
    auto it = std::find(top.begin(), top.end(), d);
    if (it == top.end()) Raise(err::kInvalidCall, L"只有页面上的独立图形才能组合。");
    at = std::max(at, static_cast<size_t>(it - top.begin()));
  }
  FollowParagraphs(*doc_);
  auto group = std::make_shared<ShapeData>();
  group->type = kShapeGroup;
  // The group stands where its first item stands: at its paragraph, or on the page.
  group->anchor = items_.front()->anchor;
  group->paragraphRelative = items_.front()->paragraphRelative;
  group->paragraphTop = items_.front()->paragraphTop;
  group->wrap = items_.front()->wrap;
  // Items keep their back-to-front order.
  std::vector<ShapeDataPtr> ordered;
  for (const auto& d : top)
    if (std::find(items_.begin(), items_.end(), d) != items_.end()) ordered.push_back(d);
  size_t before = 0;
  for (size_t i = 0; i < at; ++i)
    if (std::find(items_.begin(), items_.end(), top[i]) != items_.end()) ++before;
  std::erase_if(top, [&](const auto& d) { return std::find(items_.begin(), items_.end(), d) != items_.end(); });
  for (auto& d : ordered) d->parent = group.get();
  group->children = ordered;
  Box b = Bounds(*group);
  group->origWidth = b.width;
  group->origHeight = b.height;
  group->name = L"Group " + std::to_wstring(doc_->nextShapeNumber++);
  top.insert(top.begin() + static_cast<long>(at - before), group);
  std::erase_if(doc_->selectedShapes, [&](const auto& d) { return d->parent == group.get(); });
  doc_->Changed();
  return std::make_shared<ModelShape>(doc_, group);
}

std::shared_ptr<ShapeRange> ModelShapeRange::Ungroup() {
  std::vector<ShapeDataPtr> all;
  Each([&](ModelShape& s) {
    auto r = s.Ungroup();
    for (int i = 1; i <= r->Count(); ++i) all.push_back(static_cast<ModelShape&>(*r->Item(i)).Data());
  });
  return std::make_shared<ModelShapeRange>(doc_, all);
}

void ModelShapeRange::Align(int command, bool relativeToPage) {
  Box e = Extent();
  if (relativeToPage) e = {0, 0, doc_->page.PageWidth, doc_->page.PageHeight};
  Each([&](ModelShape& s) {
    switch (command) {
      case kAlignLefts: s.SetLeft(e.left); break;
      case kAlignCenters: s.SetLeft(e.left + (e.width - s.Width()) / 2); break;
      case kAlignRights: s.SetLeft(e.left + e.width - s.Width()); break;
      case kAlignTops: s.SetTop(e.top); break;
      case kAlignMiddles: s.SetTop(e.top + (e.height - s.Height()) / 2); break;
      case kAlignBottoms: s.SetTop(e.top + e.height - s.Height()); break;
      default: Raise(err::kInvalidCall);
    }
  });
}

void ModelShapeRange::Distribute(int command, bool relativeToPage) {
  if (items_.size() < 2) return;
  FollowParagraphs(*doc_);
  bool horizontal = command == kDistributeHorizontally;
  std::vector<ShapeDataPtr> order = items_;
  std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
    return horizontal ? Bounds(*a).left < Bounds(*b).left : Bounds(*a).top < Bounds(*b).top;
  });
  Box e = relativeToPage ? Box{0, 0, doc_->page.PageWidth, doc_->page.PageHeight} : Extent();
  double total = 0;
  for (const auto& d : order) total += horizontal ? Bounds(*d).width : Bounds(*d).height;
  double gap = ((horizontal ? e.width : e.height) - total) / static_cast<double>(order.size() - 1);
  double pos = horizontal ? e.left : e.top;
  for (const auto& d : order) {
    ModelShape s(doc_, d);
    if (horizontal) s.SetLeft(pos), pos += s.Width() + gap;
    else s.SetTop(pos), pos += s.Height() + gap;
  }
}

void ModelShapeRange::Select(bool replace) {
  if (replace) doc_->selectedShapes.clear();
  Each([](ModelShape& s) { s.Select(false); });
}

void ModelShapeRange::Delete() {
  Each([](ModelShape& s) { s.Delete(); });
}

void ModelShapeRange::SetLeft(double v) {
  double d = v - Extent().left;
  Each([&](ModelShape& s) { s.IncrementLeft(d); });
}

void ModelShapeRange::SetTop(double v) {
  double d = v - Extent().top;
  Each([&](ModelShape& s) { s.IncrementTop(d); });
}

std::wstring ModelShapeRange::Name() const {
  if (items_.size() != 1) Raise(err::kInvalidCall, L"此操作只能用于单个图形。");
  return ModelShape(doc_, items_[0]).Name();
}

void ModelShapeRange::SetName(const std::wstring& name) {
  if (items_.size() != 1) Raise(err::kInvalidCall, L"此操作只能用于单个图形。");
  ModelShape(doc_, items_[0]).SetName(name);
}

void ModelShapeRange::SetLine(const LineFormat& f) { Each([&](ModelShape& s) { s.SetLine(f); }); }
void ModelShapeRange::SetFill(const FillFormat& f) { Each([&](ModelShape& s) { s.SetFill(f); }); }
void ModelShapeRange::SetWrap(const WrapFormat& f) { Each([&](ModelShape& s) { s.SetWrap(f); }); }
void ModelShapeRange::ZOrder(int command) { Each([&](ModelShape& s) { s.ZOrder(command); }); }
void ModelShapeRange::IncrementLeft(double d) { Each([&](ModelShape& s) { s.IncrementLeft(d); }); }
void ModelShapeRange::IncrementTop(double d) { Each([&](ModelShape& s) { s.IncrementTop(d); }); }
void ModelShapeRange::IncrementRotation(double d) { Each([&](ModelShape& s) { s.IncrementRotation(d); }); }

void ModelShapeRange::ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) {
  Each([&](ModelShape& s) { s.ScaleWidth(factor, relativeToOriginal, scaleFrom); });
}

void ModelShapeRange::ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) {
  Each([&](ModelShape& s) { s.ScaleHeight(factor, relativeToOriginal, scaleFrom); });
}

}  // namespace plx::docif::model
