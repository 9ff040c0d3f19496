// The figure, chart, number and shape examples run inside a paper, and the
// comparison of the paper's dump before and after: every paragraph of the
// paper keeps its text and formats, every shape it had keeps its place
// relative to its paragraph.
#pragma once
#include <string>
#include <vector>

namespace test {

struct PaperExample {
  std::string name;  // "figures.txt"
  std::string hostVersion;
  std::string script;  // UTF-8
};

// The examples as run on a line of their own right after the text `after`.
// The number example needs the 2003 host's menus; it ends by embellishing
// the whole document ("select all"), which in a paper restyles every letter
// and digit of it as asked, so it runs up to that step.
std::vector<PaperExample> ExamplesAfter(const std::string& after);

// What the paper lost between two dumps: each paragraph of `before` that is
// not, in order, among those of `after` with the same text and formats, and
// each shape of `before` that is missing from `after` or stands elsewhere:
// against another paragraph or at another distance below it when it is
// kept against its paragraph (an item of a group counting from the
// group's), at another height on the page when it is kept on the page.
// Empty when nothing was lost.
std::vector<std::string> LostFromDump(const std::string& before, const std::string& after);

}  // namespace test
