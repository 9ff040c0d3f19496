// EMF: coordinates in twentieths of a point on a reference device of that
// resolution, curves kept as Béziers inside path brackets, text as UTF-16
// with every character's advance.
#include <uemf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "pictures/metafile.hpp"
#include "pictures/metafile_scene.hpp"
#include "pictures/metafile_style.hpp"

namespace plx::pictures {
namespace {

constexpr double kUnitsPerPoint = 20;
constexpr double kUnitsPerMm = kUnitsPerPoint * 72 / 25.4;
// The reference device: a metre square at the units' resolution.
constexpr int32_t kDeviceMm = 1000;

int32_t Units(double points) {
  return static_cast<int32_t>(std::lround(std::clamp(points * kUnitsPerPoint, -2e9, 2e9)));
}

U_COLORREF Colour(uint32_t rgb) { return colorref3_set(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

class EmfSink : public MetafileFileSink {
 public:
  EmfSink(const Scene& scene, const std::string& file) {
    if (emf_start(file.c_str(), 1 << 20, 1 << 18, &et_) != 0) return;
    htable_create(128, 128, &eht_);
    const U_RECTL bounds = rectl_set(pointl_set(0, 0), pointl_set(Units(scene.width), Units(scene.height)));
    const U_RECTL frame = rectl_set(pointl_set(0, 0), pointl_set(static_cast<int32_t>(std::lround(scene.width / 72 * 2540)),
                                                                static_cast<int32_t>(std::lround(scene.height / 72 * 2540))));
    const int32_t device = static_cast<int32_t>(std::lround(kDeviceMm * kUnitsPerMm));
    Append(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(device, device),
                           sizel_set(kDeviceMm, kDeviceMm), 0));
    Append(U_EMRSETMAPMODE_set(U_MM_TEXT));
    Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
    Append(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
    Append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    Append(U_EMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
  }

  ~EmfSink() override {
    if (et_) emf_free(&et_);
    if (eht_) htable_free(&eht_);
  }

  bool Started() const override { return et_ != nullptr; }

  bool Finish() override {
    Append(U_EMREOF_set(0, nullptr, et_));
    return ok_ && emf_finish(et_, eht_) == 0;
  }

  void FillOutline(const Path& outline, const Fill& fill) override {
    const FillStyle style = FillStyleOf(fill);
    const U_LOGBRUSH brush = style.hatch < 0 ? logbrush_set(U_BS_SOLID, Colour(style.colour), 0)
                                             : logbrush_set(U_BS_HATCHED, Colour(style.colour), style.hatch);
    uint32_t handle = 0;
    Append(createbrushindirect_set(&handle, eht_, brush));
    Append(selectobject_set(handle, eht_));
    Append(selectobject_set(U_NULL_PEN, eht_));
    if (style.hatch >= 0) {
      Append(U_EMRSETBKMODE_set(U_OPAQUE));
      Append(U_EMRSETBKCOLOR_set(Colour(style.background)));
    }
    const U_RECTL box = Trace(outline);
    Append(U_EMRFILLPATH_set(box));
    if (style.hatch >= 0) Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
    Append(selectobject_set(U_NULL_BRUSH, eht_));
    Append(deleteobject_set(&handle, eht_));
  }

  void StrokeOutline(const Path& outline, const Stroke& stroke) override {
    const PenStyle style = PenStyleOf(stroke);
    U_EXTLOGPEN* pen = extlogpen_set(U_PS_GEOMETRIC | style.dash | style.cap | U_PS_JOIN_ROUND,
                                     std::max(1, Units(stroke.width)), U_BS_SOLID, Colour(stroke.color), 0, 0, nullptr);
    uint32_t handle = 0;
    Append(extcreatepen_set(&handle, eht_, nullptr, 0, nullptr, pen));
    std::free(pen);
    Append(selectobject_set(handle, eht_));
    Append(selectobject_set(U_NULL_BRUSH, eht_));
    const U_RECTL box = Trace(outline);
    Append(U_EMRSTROKEPATH_set(box));
    Append(selectobject_set(U_NULL_PEN, eht_));
    Append(deleteobject_set(&handle, eht_));
  }

  void WriteText(const TextPiece& piece) override {
    const std::u16string text = Utf16(piece.text);
    std::u16string face = Utf16(piece.face).substr(0, U_LF_FACESIZE - 1);
    const int32_t escapement = TenthsOfDegrees(piece.rotation);
    const U_LOGFONT logfont =
        logfont_set(-Units(piece.size), 0, escapement, escapement, piece.bold ? U_FW_BOLD : U_FW_NORMAL, piece.italic,
                    piece.underline, 0, piece.eastAsian ? U_GB2312_CHARSET : U_DEFAULT_CHARSET, U_OUT_DEFAULT_PRECIS,
                    U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH | U_FF_DONTCARE,
                    reinterpret_cast<uint16_t*>(face.data()));
    const U_LOGFONT_PANOSE font = logfont_panose_set(logfont, reinterpret_cast<uint16_t*>(face.data()), nullptr,
                                                     0, panose_set(0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    if (piece.clip) {
      Append(U_EMRSAVEDC_set());
      Append(U_EMRINTERSECTCLIPRECT_set(rectl_set(pointl_set(Units(piece.clip->left), Units(piece.clip->top)),
                                                  pointl_set(Units(piece.clip->right), Units(piece.clip->bottom)))));
    }
    uint32_t handle = 0;
    Append(extcreatefontindirectw_set(&handle, eht_, nullptr, reinterpret_cast<const char*>(&font)));
    Append(selectobject_set(handle, eht_));
    Append(U_EMRSETTEXTCOLOR_set(Colour(piece.color)));
    // Advances in whole units that add up as the points do; the second
    // half of a surrogate pair takes none.
    std::vector<uint32_t> dx;
    double at = 0;
    for (size_t i = 0; i < piece.text.size(); ++i) {
      const double next = at + piece.advances[i];
      dx.push_back(static_cast<uint32_t>(std::max(0, Units(next) - Units(at))));
      if (piece.text[i] > 0xFFFF && piece.text[i] <= 0x10FFFF) dx.push_back(0);
      at = next;
    }
    const U_POINTL origin = pointl_set(Units(piece.origin.x), Units(piece.origin.y));
    const U_RECTL none = rectl_set(pointl_set(0, 0), pointl_set(-1, -1));
    std::u16string string = text;
    char* body = emrtext_set(origin, static_cast<U_NUM_STR>(string.size()), 2, string.data(), U_ETO_NONE, none,
                             dx.data());
    const int32_t width = Units(at);
    const U_RECTL box = rectl_set(pointl_set(origin.x, origin.y - Units(piece.size)),
                                  pointl_set(origin.x + width, origin.y + Units(piece.size / 3)));
    Append(U_EMREXTTEXTOUTW_set(box, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(body)));
    std::free(body);
    Append(selectobject_set(U_DEVICE_DEFAULT_FONT, eht_));
    Append(deleteobject_set(&handle, eht_));
    if (piece.clip) Append(U_EMRRESTOREDC_set(-1));
  }

  void DrawBitmap(const Bitmap& bitmap) override {
    std::vector<char> rows = BottomUpRows(bitmap);
    const U_BITMAPINFOHEADER header =
        bitmapinfoheader_set(bitmap.pixelWidth, bitmap.pixelHeight, 1, 32, U_BI_RGB, static_cast<uint32_t>(rows.size()),
                             0, 0, 0, 0);
    U_BITMAPINFO* info = bitmapinfo_set(header, nullptr);
    const U_POINTL at = pointl_set(Units(bitmap.left), Units(bitmap.top));
    const U_POINTL size = pointl_set(Units(bitmap.width), Units(bitmap.height));
    const U_RECTL box = rectl_set(at, pointl_set(at.x + size.x, at.y + size.y));
    Append(U_EMRSTRETCHDIBITS_set(box, at, size, pointl_set(0, 0), pointl_set(bitmap.pixelWidth, bitmap.pixelHeight),
                                  U_DIB_RGB_COLORS, U_SRCCOPY, info, static_cast<uint32_t>(rows.size()), rows.data()));
    std::free(info);
  }

 private:
  void Append(char* record) {
    if (!record || emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et_, 1) != 0) ok_ = false;
  }

  // The outline as a path bracket; returns its bounds.
  U_RECTL Trace(const Path& path) {
    Append(U_EMRBEGINPATH_set());
    int32_t left = std::numeric_limits<int32_t>::max(), top = left, right = std::numeric_limits<int32_t>::min(),
            bottom = right;
    auto at = [&](Point p) {
      const U_POINTL u = pointl_set(Units(p.x), Units(p.y));
      left = std::min(left, u.x);
      right = std::max(right, u.x);
      top = std::min(top, u.y);
      bottom = std::max(bottom, u.y);
      return u;
    };
    size_t p = 0;
    for (Path::Op op : path.ops) {
      switch (op) {
        case Path::Op::Move: Append(U_EMRMOVETOEX_set(at(path.points[p++]))); break;
        case Path::Op::Line: Append(U_EMRLINETO_set(at(path.points[p++]))); break;
        case Path::Op::Curve: {
          const U_POINTL c[3] = {at(path.points[p]), at(path.points[p + 1]), at(path.points[p + 2])};
          p += 3;
          Append(U_EMRPOLYBEZIERTO_set(rectl_set(c[0], c[2]), 3, c));
          break;
        }
        case Path::Op::Close: Append(U_EMRCLOSEFIGURE_set()); break;
      }
    }
    Append(U_EMRENDPATH_set());
    return p == 0 ? rectl_set(pointl_set(0, 0), pointl_set(0, 0))
                  : rectl_set(pointl_set(left, top), pointl_set(right, bottom));
  }

  EMFTRACK* et_ = nullptr;
  EMFHANDLES* eht_ = nullptr;
  bool ok_ = true;
};

}  // namespace

std::wstring WriteEmf(const Scene& scene, const std::string& file) {
  EmfSink sink(scene, file);
  return WriteThrough(sink, scene, file);
}

}  // namespace plx::pictures
