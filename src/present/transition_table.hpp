#pragma once
// The slide transitions a send can give, by their index 1 to 97: the
// presentation program's entry-effect code and the name shown for it.
#include <string>

namespace plx::present {

struct Transition {
  int code = 0;
  std::wstring name;
};

constexpr int kTransitionCount = 97;

// The transition of an index; an index outside 1 … 97 gives the index
// itself as the code, named "不知名的动画效果“".
Transition TransitionAt(int index);

}  // namespace plx::present
