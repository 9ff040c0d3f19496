#include "config/daily_record.hpp"

#include "config/mod_database.hpp"
#include "addin/addin_context.hpp"

namespace plx {

bool IsNewDay(AddinContext& ctx) {
  OpenDatabase(ctx);
  if (ctx.Rs.IsOpen()) ctx.Rs.Close();
  ctx.Rs.Open(L"select * from  record where id =1", ctx.Conn, db::CursorType::Keyset,
              db::LockType::Pessimistic);
  std::wstring lastDate = ctx.Rs.Field(L"Date").Text();
  CloseDatabase(ctx);
  return lastDate != ctx.GetClock().ShortDateText();
}

void WriteDailyRecord(AddinContext& ctx) {
  OpenDatabase(ctx);
  if (ctx.Rs.IsOpen()) ctx.Rs.Close();
  ctx.Rs.Open(L"select * from  record  where id =1", ctx.Conn, db::CursorType::Keyset,
              db::LockType::Pessimistic);
  ctx.Rs.MoveFirst();
  ctx.Rs.SetField(L"Date", ctx.GetClock().ShortDateText());
  ctx.Rs.SetField(L"Time", ctx.GetClock().TimeText());
  ctx.Rs.Update();
  CloseDatabase(ctx);
}

}  // namespace plx
