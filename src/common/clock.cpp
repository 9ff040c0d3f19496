#include "common/clock.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "common/text.hpp"

namespace plx {

std::wstring ShortDateText(const DateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d/%d/%d", t.year, t.month, t.day);
  return Utf8ToWide(buf);
}

std::wstring TimeText(const DateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return Utf8ToWide(buf);
}

std::wstring Clock::ShortDateText() const { return plx::ShortDateText(Now()); }
std::wstring Clock::TimeText() const { return plx::TimeText(Now()); }
std::wstring Clock::DateTimeText() const {
  DateTime t = Now();
  return plx::ShortDateText(t) + L" " + plx::TimeText(t);
}

double Clock::Timer() const {
  DateTime t = Now();
  return t.hour * 3600.0 + t.minute * 60.0 + t.second;
}

DateTime SystemClock::Now() const {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace plx
