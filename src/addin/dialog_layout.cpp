#include "addin/dialog_layout.hpp"

namespace plx {
namespace {

LayoutNode Node(LayoutNode::Kind kind, std::vector<LayoutNode> children) {
  LayoutNode n;
  n.kind = kind;
  n.children = std::move(children);
  return n;
}

LayoutNode Named(LayoutNode::Kind kind, const std::wstring& name, std::vector<LayoutNode> children) {
  LayoutNode n = Node(kind, std::move(children));
  n.name = name;
  return n;
}

LayoutNode Captioned(LayoutNode::Kind kind, const std::wstring& caption, std::vector<LayoutNode> children) {
  LayoutNode n = Node(kind, std::move(children));
  n.caption = caption;
  return n;
}

}  // namespace

namespace {

// A copy of the node with one thing changed.
template <class Change>
LayoutNode Changed(const LayoutNode& node, Change change) {
  LayoutNode c = node;
  change(c);
  return c;
}

}  // namespace

LayoutNode LayoutNode::Chars(int n) const {
  return Changed(*this, [n](LayoutNode& c) { c.chars = n; });
}
LayoutNode LayoutNode::Lines(int n) const {
  return Changed(*this, [n](LayoutNode& c) { c.lines = n; });
}
LayoutNode LayoutNode::Width(int w) const {
  return Changed(*this, [w](LayoutNode& c) { c.width = w; });
}
LayoutNode LayoutNode::Columns(int n) const {
  return Changed(*this, [n](LayoutNode& c) { c.columns = n; });
}
LayoutNode LayoutNode::Stretch() const {
  return Changed(*this, [](LayoutNode& c) { c.stretch = true; });
}

LayoutNode LayoutNode::Size(int w, int h) const {
  return Changed(*this, [w, h](LayoutNode& c) {
    c.width = w;
    c.height = h;
  });
}

LayoutNode LayoutNode::CaptionAbove() const {
  return Changed(*this, [](LayoutNode& c) { c.captionAt = CaptionAt::Above; });
}

LayoutNode LayoutNode::NoCaption() const {
  return Changed(*this, [](LayoutNode& c) { c.captionAt = CaptionAt::None; });
}

namespace layout {

LayoutNode Field(const std::wstring& control) { return Named(LayoutNode::Kind::Control, control, {}); }

LayoutNode Row(std::vector<LayoutNode> children) { return Node(LayoutNode::Kind::Row, std::move(children)); }

LayoutNode Column(std::vector<LayoutNode> children) { return Node(LayoutNode::Kind::Column, std::move(children)); }

LayoutNode Frame(const std::wstring& caption, std::vector<LayoutNode> children) {
  return Captioned(LayoutNode::Kind::Frame, caption, std::move(children));
}

LayoutNode Tabs(const std::wstring& strip, std::vector<LayoutNode> pages) {
  return Named(LayoutNode::Kind::Tabs, strip, std::move(pages));
}

LayoutNode Page(const std::wstring& caption, std::vector<LayoutNode> children) {
  return Captioned(LayoutNode::Kind::Page, caption, std::move(children));
}

LayoutNode FrameOf(const std::wstring& label, std::vector<LayoutNode> children) {
  return Named(LayoutNode::Kind::Frame, label, std::move(children));
}

LayoutNode PageOf(const std::wstring& label, std::vector<LayoutNode> children) {
  return Named(LayoutNode::Kind::Page, label, std::move(children));
}

LayoutNode Area(const std::wstring& name, int width, int height) {
  return Named(LayoutNode::Kind::Area, name, {}).Size(width, height);
}

LayoutNode Scroll(const std::wstring& caption, int height, std::vector<LayoutNode> children) {
  LayoutNode n = Captioned(LayoutNode::Kind::Scroll, caption, std::move(children));
  n.height = height;
  return n;
}

LayoutNode Fields(const std::vector<std::wstring>& controls) {
  std::vector<LayoutNode> row;
  for (const auto& c : controls) row.push_back(Field(c));
  return Row(std::move(row));
}

LayoutNode Grid(const std::vector<std::wstring>& controls, size_t perRow) {
  std::vector<LayoutNode> cells;
  for (const auto& c : controls) cells.push_back(Field(c));
  return Node(LayoutNode::Kind::Grid, std::move(cells)).Columns(static_cast<int>(perRow));
}

}  // namespace layout
}  // namespace plx
