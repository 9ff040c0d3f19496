#include "graph/frame/graph_context.hpp"

namespace plx::graph {

std::wstring FigureTag(const std::wstring& line) {
  size_t open = line.find(L'(');
  size_t close = line.find(L')');
  if (open == std::wstring::npos || close == std::wstring::npos || close < open) return L"";
  return line.substr(open + 1, close - open - 1);
}

}  // namespace plx::graph
