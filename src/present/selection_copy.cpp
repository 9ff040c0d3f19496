#include "present/selection_copy.hpp"

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"

namespace plx::present {

namespace {

// Slides are shown on a projector: 150 dpi keeps formulas sharp there.
constexpr double kPictureDpi = 150;

// The resolution that gives a picture 150 dpi once it fills its room: it
// then has as many pixels as the room at 150 dpi, however small the piece.
double PictureDpi(double width, double height, const PictureRoom& room) {
  if (room.width <= 0 || room.height <= 0 || width <= 0 || height <= 0) return kPictureDpi;
  return kPictureDpi * std::max(1.0, std::min(room.width / width, room.height / height));
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// The picture with a transparent ground, as a metafile pasted into a slide
// is: drawn once on white and once on black, a pixel's cover is what the
// two grounds leave of it (on black, the drawing premultiplied by it).
std::string TransparentPng(pictures::Scene scene, double dpi) {
  scene.background = pictures::kWhite;
  const pictures::Raster onWhite = pictures::Rasterize(scene, dpi);
  scene.background = pictures::kBlack;
  const pictures::Raster onBlack = pictures::Rasterize(scene, dpi);
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, onWhite.width, onWhite.height), cairo_surface_destroy);
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < onWhite.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    const size_t at = static_cast<size_t>(y) * onWhite.width * 3;
    const uint8_t* w = onWhite.rgb.data() + at;
    const uint8_t* b = onBlack.rgb.data() + at;
    for (int x = 0; x < onWhite.width; ++x, w += 3, b += 3) {
      int alpha = 0;
      for (int c = 0; c < 3; ++c) alpha = std::max(alpha, 255 - (w[c] - b[c]));
      alpha = std::clamp(alpha, 0, 255);
      const auto channel = [&](int c) { return static_cast<uint32_t>(std::min<int>(b[c], alpha)); };
      row[x] = (static_cast<uint32_t>(alpha) << 24) | (channel(0) << 16) | (channel(1) << 8) | channel(2);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  std::string png;
  if (cairo_surface_write_to_png_stream(surface.get(), Append, &png) != CAIRO_STATUS_SUCCESS)
    Raise(err::kInvalidCall, L"无法生成所选内容的图片。");
  return png;
}

// A picture of the selection; a selection with nothing to draw (empty, or
// only blanks) gives a small clear one, so an empty piece still arrives.
slides::ClipPicture PictureOfSelection(AddinContext& ctx, const PictureRoom& room) {
  auto selection = ctx.App->GetSelection();
  pictures::Scene scene;
  try {
    scene = pictures::SelectionScene(*ctx.App->ActiveDocument(), *selection);
  } catch (const VbError& e) {
    if (e.number() != err::kInvalidCall) throw;  // nothing drawable is selected
    scene = {};
    scene.width = scene.height = 8;
  }
  return {TransparentPng(scene, PictureDpi(scene.width, scene.height, room)), scene.width, scene.height};
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) Raise(err::kFileNotFound, L"文件未找到：" + file.wstring());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void SaveSelectionAsDocument(AddinContext& ctx, const std::wstring& path) {
  auto original = ctx.App->ActiveDocument();
  auto selection = ctx.App->GetSelection()->GetRange();
  auto documents = ctx.App->GetDocuments();
  auto piece = documents->Add();
  try {
    piece->SetPageSetup(original->PageSetup());
    piece->Content()->SetFormattedText(*selection);
    piece->SaveAs(path);
  } catch (...) {
    documents->Close(piece);
    original->Activate();
    throw;
  }
  documents->Close(piece);
  original->Activate();
}

void CopySelection(AddinContext& ctx, ContentForm form, slides::Clipboard& clip, PictureRoom room) {
  clip.Clear();
  auto selection = ctx.App->GetSelection();
  selection->Copy();
  clip.text = selection->Text();
  if (form == ContentForm::Picture) {
    clip.picture = PictureOfSelection(ctx, room);
  } else if (form == ContentForm::DocumentObject) {
    slides::ClipDocument document;
    document.preview = PictureOfSelection(ctx, room);
    // One copy at a time: the clipboard's file is made, read and removed here.
    const std::filesystem::path file(WideToUtf8(AppFile(ctx, L"temp/plendrix_clip.docx")));
    std::filesystem::create_directories(file.parent_path());
    SaveSelectionAsDocument(ctx, Utf8ToWide(file.string()));
    document.package = ReadAll(file);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    clip.document = std::move(document);
  }
}

}  // namespace plx::present
