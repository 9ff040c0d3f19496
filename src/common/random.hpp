#pragma once
// The random source: uniform numbers in [0, 1), reseeded from the clock the
// way the macro language's Randomize does. Injectable so tests fix it.
#include <cstdint>
#include <deque>
#include <optional>

namespace plx {

class Clock;

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Next number, uniform in [0, 1).
  virtual double Rnd() = 0;
  // Reseeds from the clock.
  virtual void Randomize(const Clock& clock) = 0;
};

// A linear congruential generator over 24 bits, reseeded from the clock's
// timer, so a reseed within the same second gives the same sequence, as
// the host language's generator does. Given a seed, it starts there and
// keeps its course through reseeds, so that a run can be repeated.
class ClockSeededRandom final : public RandomSource {
 public:
  explicit ClockSeededRandom(std::optional<uint32_t> seed = std::nullopt);
  double Rnd() override;
  void Randomize(const Clock& clock) override;

 private:
  uint32_t state_;
  bool repeatable_;
};

// Hands out scripted numbers, repeating the last one when they run out.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<double> values) : values_(std::move(values)) {}
  double Rnd() override;
  void Randomize(const Clock&) override { ++reseeds_; }
  int Reseeds() const { return reseeds_; }

 private:
  std::deque<double> values_;
  double last_ = 0.0;
  int reseeds_ = 0;
};

}  // namespace plx
