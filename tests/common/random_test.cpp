// The random source: a seeded run repeats itself, whatever the clock says
// when the add-in reseeds; an unseeded one follows the clock.
#include <gtest/gtest.h>

#include <vector>

#include "common/clock.hpp"
#include "common/random.hpp"

namespace plx {
namespace {

std::vector<double> Draws(RandomSource& random, const Clock& clock) {
  std::vector<double> out{random.Rnd()};
  random.Randomize(clock);
  out.push_back(random.Rnd());
  out.push_back(random.Rnd());
  return out;
}

TEST(Random, ASeededRunRepeatsThroughReseedsAndAnUnseededOneFollowsTheClock) {
  const FixedClock morning({2026, 12, 7, 8, 0, 0}), evening({2026, 12, 7, 20, 30, 15});
  ClockSeededRandom a(7), b(7);
  EXPECT_EQ(Draws(a, morning), Draws(b, evening));
  ClockSeededRandom c, d;
  c.Randomize(morning);
  d.Randomize(evening);
  EXPECT_NE(c.Rnd(), d.Rnd()) << "reseeded at different times, the courses differ";
}

}  // namespace
}  // namespace plx
