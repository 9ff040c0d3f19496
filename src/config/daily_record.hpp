#pragma once
// Row 1 of the dialog-memory table: the date and time of the last
// once-a-day start-up step.
namespace plx {

class AddinContext;

// True when row 1's date differs from today's date text. Errors are raised
// to the caller (the once-a-day step ignores them).
bool IsNewDay(AddinContext& ctx);
// Writes today's date and the current time into row 1.
void WriteDailyRecord(AddinContext& ctx);

}  // namespace plx
