#include "support/page_grid.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace plx::test {

namespace fs = std::filesystem;

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

int PdfPages(const fs::path& pdf) {
  FILE* out = popen(("pdfinfo '" + pdf.string() + "' 2>/dev/null").c_str(), "r");
  if (!out) return 0;
  int pages = 0;
  char line[512];
  while (std::fgets(line, sizeof line, out))
    if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
  pclose(out);
  return pages;
}

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

Grey ReadPgm(const fs::path& p) {
  const std::string bytes = Slurp(p);
  Grey g;
  int maxval = 0, consumed = 0;
  if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &g.width, &g.height, &maxval, &consumed) != 3) return g;
  g.pixels.assign(bytes.begin() + consumed + 1, bytes.end());
  return g;
}

Grey ReadBmp(const fs::path& p) {
  const std::string b = Slurp(p);
  Grey g;
  if (b.size() < 54 || b[0] != 'B') return g;
  auto u32 = [&](size_t at) {
    return static_cast<int>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
                            static_cast<unsigned char>(b[at + 2]) << 16);
  };
  g.width = u32(18);
  g.height = u32(22);
  const size_t stride = (static_cast<size_t>(g.width) * 3 + 3) / 4 * 4;
  g.pixels.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      const size_t at = 54 + (g.height - 1 - y) * stride + x * 3;
      int sum = 0;
      for (int c = 0; c < 3; ++c) sum += static_cast<unsigned char>(b[at + c]);
      g.pixels[static_cast<size_t>(y) * g.width + x] = static_cast<unsigned char>(sum / 3);
    }
  return g;
}

namespace {

// Which cells of the grid hold ink.
std::vector<std::vector<bool>> Inked(const Grey& g, int cell) {
  std::vector<std::vector<bool>> cells((g.height + cell - 1) / cell, std::vector<bool>((g.width + cell - 1) / cell));
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (g.pixels[static_cast<size_t>(y) * g.width + x] < 160) cells[y / cell][x / cell] = true;
  return cells;
}

}  // namespace

double Agreement(const Grey& a, const Grey& b, int cell) {
  const auto ia = Inked(a, cell), ib = Inked(b, cell);
  auto near = [](const std::vector<std::vector<bool>>& cells, int r, int c) {
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc) {
        const int rr = r + dr, cc = c + dc;
        if (rr >= 0 && rr < static_cast<int>(cells.size()) && cc >= 0 && cc < static_cast<int>(cells[rr].size()) &&
            cells[rr][cc])
          return true;
      }
    return false;
  };
  int inked = 0, matched = 0;
  for (const auto* pair : {&ia, &ib}) {
    const auto& self = *pair;
    const auto& other = pair == &ia ? ib : ia;
    for (int r = 0; r < static_cast<int>(self.size()); ++r)
      for (int c = 0; c < static_cast<int>(self[r].size()); ++c)
        if (self[r][c]) {
          ++inked;
          matched += near(other, r, c);
        }
  }
  return inked == 0 ? 1 : static_cast<double>(matched) / inked;
}

}  // namespace plx::test
