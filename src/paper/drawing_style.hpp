#pragma once
// The default drawing style: the line and fill of group "ShpConfig" made the
// document's default for new shapes and new lines.
namespace plx {

class AddinContext;

void SetDefaultDrawingStyle(AddinContext& ctx);

}  // namespace plx
