#include "common/random.hpp"

#include <chrono>
#include <cstring>

#include "common/clock.hpp"

namespace plx {

ClockSeededRandom::ClockSeededRandom(std::optional<uint32_t> seed)
    : state_(seed.value_or(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())) &
             0xFFFFFF),
      repeatable_(seed.has_value()) {}

double ClockSeededRandom::Rnd() {
  state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
  return static_cast<double>(state_) / 16777216.0;
}

void ClockSeededRandom::Randomize(const Clock& clock) {
  if (repeatable_) return;
  double timer = clock.Timer();
  float f = static_cast<float>(timer);
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  bits ^= bits >> 16;
  state_ = (state_ & 0xFF) | ((bits & 0xFFFF) << 8);
  state_ &= 0xFFFFFFu;
}

double ScriptedRandom::Rnd() {
  if (!values_.empty()) {
    last_ = values_.front();
    values_.pop_front();
  }
  return last_;
}

}  // namespace plx
