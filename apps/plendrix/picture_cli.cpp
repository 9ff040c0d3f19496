#include "picture_cli.hpp"

#include <sstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "script.hpp"
#include "session.hpp"

namespace plx::cli {
namespace {

constexpr wchar_t kUsage[] = L"render 的用法：render [--page 页码 | --selection] [--format 格式] [--dpi 分辨率] 文件";

double NumberAfter(std::wistringstream& in, const std::wstring& option) {
  std::wstring value;
  if (!(in >> value) || !IsNumeric(value)) Raise(err::kInvalidCall, option + L" 后面要写一个数。" + kUsage);
  return Val(value);
}

}  // namespace

PictureRequest ParsePictureRequest(const std::wstring& words) {
  PictureRequest r;
  std::wistringstream in(words);
  std::wstring w;
  bool pageGiven = false;
  while (in >> w) {
    if (w == L"--page") {
      const double page = NumberAfter(in, w);
      if (page < 1 || page != static_cast<int>(page)) Raise(err::kInvalidCall, L"页码应是正整数。");
      r.page = static_cast<int>(page);
      pageGiven = true;
    } else if (w == L"--selection") {
      r.selection = true;
    } else if (w == L"--format") {
      if (!(in >> r.format)) Raise(err::kInvalidCall, std::wstring(L"--format 后面要写格式。") + kUsage);
    } else if (w == L"--dpi") {
      r.dpi = NumberAfter(in, w);
    } else if (r.file.empty()) {
      r.file = w;
    } else {
      Raise(err::kInvalidCall, L"多余的“" + w + L"”。" + kUsage);
    }
  }
  if (pageGiven && r.selection) Raise(err::kInvalidCall, L"--page 和 --selection 只能选一个。");
  if (r.file.empty()) Raise(err::kInvalidCall, std::wstring(L"没有给出图片文件名。") + kUsage);
  return r;
}

void WriteRequestedPicture(Session& session, const PictureRequest& request) {
  using namespace pictures;
  std::optional<PictureFormat> format =
      request.format.empty() ? FormatOfFile(request.file) : FormatNamed(request.format);
  if (!format)
    Raise(err::kInvalidCall, L"不认识的图片格式“" + (request.format.empty() ? request.file : request.format) +
                                 L"”：可用 svg、png、pdf、jpg、bmp、emf、wmf。");
  auto doc = session.Host().ActiveDocument();
  const Scene scene = request.selection ? SelectionScene(*doc, *session.Host().GetSelection())
                                        : PageScene(*doc, request.page);
  const std::wstring error = WritePicture(scene, *format, request.dpi, WideToUtf8(request.file));
  if (!error.empty()) {
    if (error.rfind(L"无法写入", 0) == 0) throw FileError(WideToUtf8(error));
    Raise(err::kInvalidCall, error);
  }
}

}  // namespace plx::cli
