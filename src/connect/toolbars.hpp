#pragma once
// Removing the add-in's toolbars from the host.
namespace plx {

class AddinContext;

// Deletes every command bar whose name contains "plendrix" (case-sensitive).
void RemoveAddinToolbars(AddinContext& ctx);

}  // namespace plx
