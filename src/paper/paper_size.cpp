#include "paper/paper_size.hpp"

#include "addin/addin_context.hpp"
#include "paper/paper_scope.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

constexpr double MmToPagePoints(double mm) { return mm * 72 / 25.4; }

struct Paper {
  double widthMm, heightMm;
  const wchar_t* name;
};

Paper PaperOf(PaperSize size) {
  switch (size) {
    case PaperSize::A4: return {210, 297, L"A4（21×29.7厘米）"};
    case PaperSize::K16: return {184, 260, L"16K（18.4×26厘米）"};
    case PaperSize::K8TwoColumns: return {368, 260, L"8K横向（36.8×26厘米）"};
  }
  return {210, 297, L"A4（21×29.7厘米）"};
}

}  // namespace

void SetPaperSize(AddinContext& ctx, PaperSize size) {
  auto doc = ActiveDoc(ctx);
  const Paper paper = PaperOf(size);
  docif::PageSetup page = doc->PageSetup();
  page.PageWidth = MmToPagePoints(paper.widthMm);
  page.PageHeight = MmToPagePoints(paper.heightMm);
  doc->SetPageSetup(page);
  const std::wstring done = std::wstring(L"纸张已设为") + paper.name + L"。";
  if (size == PaperSize::K8TwoColumns)
    ctx.Ui().MsgBox(done + L"分两栏请在字处理软件的“页面布局 ▸ 分栏”中选择“两栏”，本插件不能设置分栏。",
                    Buttons::OK, L"");
  else
    ctx.Ui().StatusText(done);
}

}  // namespace plx
