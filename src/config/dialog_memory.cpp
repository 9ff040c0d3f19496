#include "config/dialog_memory.hpp"

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_database.hpp"
#include "addin/addin_context.hpp"
#include "addin/form.hpp"
#include "addin/services.hpp"

namespace plx {

std::wstring MemoryValue(Form& form, const MemorySlot& slot) {
  Control& c = form.GetControl(slot.control);
  if (slot.firstOptionFlag) return c.value == 0 ? L"1" : L"0";
  if (c.kind == ControlKind::ComboBox) return Trim(c.text);
  return form.ValueText(slot.control);
}

void ApplyMemoryValue(Form& form, const MemorySlot& slot, const std::wstring& part) {
  Control& c = form.GetControl(slot.control);
  if (slot.firstOptionFlag) {
    form.SetValue(slot.control, Val(part) != 0 ? L"0" : L"1");
  } else if (c.kind == ControlKind::CheckBox) {
    form.SetValue(slot.control, Val(part) != 0 ? L"1" : L"0");
  } else {
    form.SetValue(slot.control, part);
  }
}

void RestoreDialog(AddinContext& ctx, Form& form, const DialogMemory& memory) {
  try {
    OpenDatabase(ctx);
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Rs.Open(L"select data from  record  where id=" + std::to_wstring(memory.row), ctx.Conn,
                db::CursorType::Keyset, db::LockType::Pessimistic);
    if (!ctx.Rs.EOF_()) {
      std::vector<std::wstring> parts = Split(ctx.Rs.Field(L"data").Text(), L"@@");
      if (memory.exactParts != 0 && parts.size() != memory.exactParts) parts.clear();
      for (size_t i = 0; i < memory.slots.size() && i < parts.size(); ++i)
        ApplyMemoryValue(form, memory.slots[i], parts[i]);
    }
    CloseDatabase(ctx);
  } catch (const std::exception& e) {
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    if (ctx.Conn.IsOpen()) ctx.Conn.Close();
    if (memory.reportRestoreErrors) ShowErr(ctx, e, form.Name() + L".Form_Load-->line", __LINE__);
  }
}

void SaveDialog(AddinContext& ctx, Form& form, const DialogMemory& memory) {
  try {
    std::vector<std::wstring> values;
    for (const auto& slot : memory.slots) values.push_back(MemoryValue(form, slot));
    OpenDatabase(ctx);
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Rs.Open(L"select * from  record where id=" + std::to_wstring(memory.row), ctx.Conn,
                db::CursorType::Keyset, db::LockType::Pessimistic);
    ctx.Rs.MoveFirst();
    ctx.Rs.SetField(L"Date", ctx.GetClock().ShortDateText());
    ctx.Rs.SetField(L"Time", ctx.GetClock().TimeText());
    ctx.Rs.SetField(L"Data", Join(values, L"@@"));
    ctx.Rs.Update();
    ctx.Rs.Close();
    CloseDatabase(ctx);
  } catch (const std::exception& e) {
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    if (ctx.Conn.IsOpen()) ctx.Conn.Close();
    ShowErr(ctx, e, form.Name() + L".Form_Unload-->line", __LINE__);
  }
}

}  // namespace plx
