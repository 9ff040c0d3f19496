#include "present/init_ppt.hpp"

#include "addin/addin_context.hpp"
#include "common/error.hpp"

namespace plx::present {

namespace {

// What the user is told when the program cannot be reached or started.
void TellNotInstalled(AddinContext& ctx, const VbError& e) {
  ctx.Ui().MsgBox(L"您没有正确安装PPT，导致模块出错。\r\n错误号：" + std::to_wstring(e.number()) + L"描述：" +
                      e.description(),
                  Buttons::OK, L"");
}

}  // namespace

slides::SlidePtr AppendBlankSlide(slides::Presentation& presentation) {
  auto all = presentation.GetSlides();
  auto slide = all->Add(all->Count() + 1, slides::kLayoutBlank);
  slide->Select();
  return slide;
}

std::optional<PptContext> InitPPT(AddinContext& ctx, bool newSlide) {
  PptContext p;
  bool started = false;
  try {
    if (ctx.PresentationPrograms) p.app = ctx.PresentationPrograms->Running();
    if (p.app && p.app->PresentationCount() == 0) p.app = nullptr;
    if (!p.app) {
      if (!ctx.PresentationPrograms) Raise(429, L"ActiveX 部件不能创建对象");
      p.app = ctx.PresentationPrograms->Start();
      started = true;
    }
  } catch (const std::exception& e) {
    TellNotInstalled(ctx, AsVbError(e));
    return std::nullopt;
  }
  if (started) {
    p.presentation = p.app->AddPresentation(true);
    p.slide = AppendBlankSlide(*p.presentation);
  } else {
    p.presentation = p.app->ActivePresentation();
    if (!p.app->Visible()) p.app->SetVisible(true);
    if (newSlide || p.presentation->GetSlides()->Count() == 0) p.slide = AppendBlankSlide(*p.presentation);
    else p.slide = p.app->SelectedSlide();
  }
  p.slideWidth = p.presentation->SlideWidth();
  p.slideHeight = p.presentation->SlideHeight();
  return p;
}

}  // namespace plx::present
