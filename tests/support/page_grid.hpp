#pragma once
// Pages compared as pictures on a coarse grid: where one has ink, the other
// has ink at the same place or in a neighbouring cell. Pages come from
// pdftoppm (grey PGM) or the add-in's own renderer (BMP).
#include <filesystem>
#include <string>
#include <vector>

namespace plx::test {

constexpr int kGridCell = 8;  // pixels of a grid cell

// Runs a shell command with its output thrown away; true when it succeeded.
bool Quietly(const std::string& command);

// The pages of a PDF, as pdfinfo counts them; 0 when it cannot.
int PdfPages(const std::filesystem::path& pdf);

// A page as grey levels, one byte a pixel.
struct Grey {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
};

Grey ReadPgm(const std::filesystem::path& p);
Grey ReadBmp(const std::filesystem::path& p);

// The share of inked cells of either picture that the other has ink at or
// beside (1 when neither has ink), on a grid of cells of `cell` pixels.
double Agreement(const Grey& a, const Grey& b, int cell = kGridCell);

}  // namespace plx::test
