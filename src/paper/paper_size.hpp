#pragma once
// The paper a test is printed on: A4 and 16K upright, or 8K lying for a
// paper set in two columns. The page's margins stay as they are.
namespace plx {

class AddinContext;

enum class PaperSize { A4, K16, K8TwoColumns };

// Sets the active document's page to the paper and says so on the status
// bar. The word processor's columns are out of the add-in's reach, so for
// 8K the teacher is told to choose the two columns there.
void SetPaperSize(AddinContext& ctx, PaperSize size);

}  // namespace plx
