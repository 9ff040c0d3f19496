#pragma once
// Dialogs that reopen with the inputs the user gave last time: each owns a
// row of the table record and lists the controls behind the parts of its
// Data, in order; the values are joined with "@@".
#include <cstddef>
#include <string>
#include <vector>

namespace plx {

class AddinContext;
class Form;

struct MemorySlot {
  std::wstring control;
  // A flag written for "the first option of this group is chosen".
  bool firstOptionFlag = false;
};

struct DialogMemory {
  int row = 0;
  std::vector<MemorySlot> slots;
  // The number line and regular polygon dialogs report a failed restore
  // with their error box and stop; the others ignore it.
  bool reportRestoreErrors = false;
  // When not 0, a row is restored only when it holds exactly this many parts.
  size_t exactParts = 0;
};

// Puts the row's parts into the controls, in order; a missing or unusable
// part leaves its control and those after it as they were.
void RestoreDialog(AddinContext& ctx, Form& form, const DialogMemory& memory);
// Writes today's date, the time and the joined values into the row; a
// failure shows the error box.
void SaveDialog(AddinContext& ctx, Form& form, const DialogMemory& memory);

// The value a control stores, and the control's value from a stored part.
std::wstring MemoryValue(Form& form, const MemorySlot& slot);
void ApplyMemoryValue(Form& form, const MemorySlot& slot, const std::wstring& part);

}  // namespace plx
