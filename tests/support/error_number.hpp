#pragma once
// The run-time error number a call raises, 0 when it raises none.
#include "common/error.hpp"

namespace plx::test {

inline int ErrorNumberOf(auto&& f) {
  try {
    f();
  } catch (const VbError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace plx::test
