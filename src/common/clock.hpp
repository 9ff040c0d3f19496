#pragma once
// The clock every feature reads, injectable so tests fix the date and time.
#include <string>

namespace plx {

struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;

  // Today in the user's short date format ("2026/12/6").
  std::wstring ShortDateText() const;
  // The time in the user's time format ("9:05:03").
  std::wstring TimeText() const;
  // Date and time together, as the system writes them ("2026/12/6 9:05:03").
  std::wstring DateTimeText() const;
  // Seconds since midnight, the seed the random generator is reseeded from.
  double Timer() const;
};

class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime t) : t_(t) {}
  DateTime Now() const override { return t_; }
  void Set(DateTime t) { t_ = t; }

 private:
  DateTime t_;
};

std::wstring ShortDateText(const DateTime& t);
std::wstring TimeText(const DateTime& t);

}  // namespace plx
