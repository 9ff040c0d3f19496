#pragma once
// What the user has selected, for the shape commands.
namespace plx {

class AddinContext;

enum class Picked { Nothing, Inline, Floating };

// The selection's kind: floating shapes, an inline picture or text that may
// hold pictures, or nothing (no document, an insertion point).
Picked SelectionKind(AddinContext& ctx);
// The kind, after saying "请选择一个图形对象!" when nothing is selected.
Picked RequireShapes(AddinContext& ctx);

}  // namespace plx
