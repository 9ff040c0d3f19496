#pragma once
// The legacy host's toolbars: removing every bar of the add-in and building
// the main bar.
namespace plx {

class AddinContext;

// Deletes every command bar whose name contains "plendrix" (case-sensitive).
void RemoveAddinToolbars(AddinContext& ctx);
// Builds the main bar "plendrix_Main" at the top, temporary and visible.
void BuildMainToolbar(AddinContext& ctx);

}  // namespace plx
