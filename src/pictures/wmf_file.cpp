// WMF: a placeable metafile whose logical units are as fine as 16-bit
// coordinates allow over the scene (twentieths of a point up to 22 inches),
// curves flattened, text in the GBK code page with the Chinese character set
// (Windows-1252 for the signs GBK lacks).
#include <iconv.h>
#include <uwmf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "pictures/metafile.hpp"
#include "pictures/metafile_scene.hpp"
#include "pictures/metafile_style.hpp"

namespace plx::pictures {
namespace {

// A curve strays at most this far from its flattened lines, in points.
constexpr double kFlatness = 0.1;

// Characters in an 8-bit code page through iconv.
class CodePage {
 public:
  explicit CodePage(const char* name) : cd_(iconv_open(name, "WCHAR_T")) {}
  ~CodePage() {
    if (Open()) iconv_close(cd_);
  }
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // The character's bytes, empty when the code page lacks it.
  std::string Encode(wchar_t c) const {
    char bytes[8];
    char* in = reinterpret_cast<char*>(&c);
    char* to = bytes;
    size_t inLeft = sizeof c, outLeft = sizeof bytes;
    if (!Open() || iconv(cd_, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) {
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      return {};
    }
    return std::string(bytes, to);
  }

 private:
  bool Open() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

// A character as a WMF font's code page shows it: GBK under the Chinese
// character set, else Windows-1252 under the ANSI one (², ½ and other signs
// GBK lacks); a minus sign neither has is a hyphen, anything else a
// question mark.
struct Encoded {
  std::string bytes;
  uint8_t charset = U_GB2312_CHARSET;
};

class WmfText {
 public:
  Encoded Encode(wchar_t c) const {
    if (std::string b = gbk_.Encode(c); !b.empty()) return {b, U_GB2312_CHARSET};
    if (std::string b = ansi_.Encode(c); !b.empty()) return {b, U_ANSI_CHARSET};
    return {c == L'\u2212' ? "-" : "?", U_GB2312_CHARSET};
  }
  std::string Face(const std::wstring& face) const {
    std::string out;
    for (wchar_t c : face) out += Encode(c).bytes;
    return out.substr(0, 31);
  }

 private:
  CodePage gbk_{"GBK"}, ansi_{"WINDOWS-1252"};
};

U_COLORREF Colour(uint32_t rgb) { return colorref3_set(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

class WmfSink : public MetafileFileSink {
 public:
  WmfSink(const Scene& scene, const std::string& file) {
    const double largest = std::max({scene.width, scene.height, 1.0});
    const unsigned dpi = static_cast<unsigned>(std::clamp(std::floor(32000 * 72 / largest), 72.0, 1440.0));
    unitsPerPoint_ = dpi / 72.0;
    if (wmf_start(file.c_str(), 1 << 20, 1 << 18, &wt_) != 0) return;
    wmf_htable_create(128, 128, &wht_);
    U_PAIRF inches{static_cast<float>(scene.width / 72), static_cast<float>(scene.height / 72)};
    char* header = U_WMRHEADER_set(&inches, dpi);
    if (!header || wmf_header_append(reinterpret_cast<U_METARECORD*>(header), wt_, 1) != 0) ok_ = false;
    Append(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    Append(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
    Append(U_WMRSETWINDOWEXT_set(point16_set(Units(scene.width), Units(scene.height))));
    Append(U_WMRSETBKMODE_set(U_TRANSPARENT));
    Append(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
    Append(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    Append(U_WMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
    // A pen and a brush that draw nothing, selected while the other pass
    // draws and while an object of the pass is deleted.
    Append(wcreatepenindirect_set(&nullPen_, wht_, U_PEN_set(U_PS_NULL, 1, colorref3_set(0, 0, 0))));
    Append(wcreatebrushindirect_set(&nullBrush_, wht_, U_WLOGBRUSH_set(U_BS_NULL, colorref3_set(0, 0, 0), 0)));
  }

  ~WmfSink() override {
    if (wt_) wmf_free(&wt_);
    if (wht_) wmf_htable_free(&wht_);
  }

  bool Started() const override { return wt_ != nullptr; }

  bool Finish() override {
    Append(U_WMREOF_set());
    return ok_ && wmf_finish(wt_) == 0;
  }

  void FillOutline(const Path& outline, const Fill& fill) override {
    std::vector<U_POINT16> points;
    std::vector<uint16_t> counts;
    for (const Polyline& line : Flatten(outline, kFlatness)) {
      for (const Point& p : line.points) points.push_back(At(p));
      counts.push_back(static_cast<uint16_t>(std::min<size_t>(line.points.size(), 0xFFFF)));
    }
    if (counts.empty()) return;
    const FillStyle style = FillStyleOf(fill);
    uint32_t brush = 0;
    Append(wcreatebrushindirect_set(&brush, wht_,
                                    U_WLOGBRUSH_set(style.hatch < 0 ? U_BS_SOLID : U_BS_HATCHED, Colour(style.colour),
                                                    static_cast<uint16_t>(std::max(style.hatch, 0)))));
    Append(wselectobject_set(brush, wht_));
    Append(wselectobject_set(nullPen_, wht_));
    if (style.hatch >= 0) {
      Append(U_WMRSETBKMODE_set(U_OPAQUE));
      Append(U_WMRSETBKCOLOR_set(Colour(style.background)));
    }
    Append(U_WMRPOLYPOLYGON_set(static_cast<uint16_t>(counts.size()), counts.data(), points.data()));
    if (style.hatch >= 0) Append(U_WMRSETBKMODE_set(U_TRANSPARENT));
    Append(wselectobject_set(nullBrush_, wht_));
    Append(wdeleteobject_set(&brush, wht_));
  }

  void StrokeOutline(const Path& outline, const Stroke& stroke) override {
    const PenStyle style = PenStyleOf(stroke);
    uint32_t pen = 0;
    const auto width = static_cast<uint16_t>(std::clamp(std::lround(stroke.width * unitsPerPoint_), 1L, 32767L));
    Append(wcreatepenindirect_set(&pen, wht_,
                                  U_PEN_set(static_cast<uint16_t>(style.dash | style.cap | U_PS_JOIN_ROUND), width,
                                            Colour(stroke.color))));
    Append(wselectobject_set(pen, wht_));
    Append(wselectobject_set(nullBrush_, wht_));
    for (const Polyline& line : Flatten(outline, kFlatness)) {
      std::vector<U_POINT16> points;
      for (const Point& p : line.points) points.push_back(At(p));
      if (line.closed) points.push_back(points.front());
      Append(U_WMRPOLYLINE_set(static_cast<uint16_t>(std::min<size_t>(points.size(), 0xFFFF)), points.data()));
    }
    Append(wselectobject_set(nullPen_, wht_));
    Append(wdeleteobject_set(&pen, wht_));
  }

  // The piece in runs of one character set, each with a font of its own.
  void WriteText(const TextPiece& piece) override {
    if (piece.clip) {
      Append(U_WMRSAVEDC_set());
      Append(U_WMRINTERSECTCLIPRECT_set(U_RECT16{Units(piece.clip->left), Units(piece.clip->top),
                                                 Units(piece.clip->right), Units(piece.clip->bottom)}));
    }
    const double turn = piece.rotation * std::numbers::pi / 180;
    double at = 0;
    for (size_t from = 0; from < piece.text.size();) {
      std::string bytes;
      std::vector<int16_t> dx;
      const uint8_t charset = text_.Encode(piece.text[from]).charset;
      const double start = at;
      size_t to = from;
      for (; to < piece.text.size(); ++to) {
        const Encoded e = text_.Encode(piece.text[to]);
        if (e.charset != charset || bytes.size() + e.bytes.size() > 0x7FFF) break;
        // One advance per byte: a double-byte character's on its lead byte.
        const double next = at + piece.advances[to];
        bytes += e.bytes;
        dx.push_back(static_cast<int16_t>(std::max(0, Units(next) - Units(at))));
        dx.insert(dx.end(), e.bytes.size() - 1, 0);
        at = next;
      }
      WriteRun(piece, {piece.origin.x + start * std::cos(turn), piece.origin.y + start * std::sin(turn)}, charset,
               bytes, dx);
      from = to;
    }
    if (piece.clip) Append(U_WMRRESTOREDC_set(-1));
  }

  void DrawBitmap(const Bitmap& bitmap) override {
    std::vector<char> rows = BottomUpRows(bitmap, 3);
    const U_BITMAPINFOHEADER header =
        bitmapinfoheader_set(bitmap.pixelWidth, bitmap.pixelHeight, 1, 24, U_BI_RGB, static_cast<uint32_t>(rows.size()),
                             0, 0, 0, 0);
    U_BITMAPINFO* info = bitmapinfo_set(header, nullptr);
    Append(U_WMRSTRETCHDIB_set(At({bitmap.left, bitmap.top}),
                               point16_set(Units(bitmap.width), Units(bitmap.height)), point16_set(0, 0),
                               point16_set(static_cast<int16_t>(bitmap.pixelWidth),
                                           static_cast<int16_t>(bitmap.pixelHeight)),
                               U_DIB_RGB_COLORS, U_SRCCOPY, info, static_cast<uint32_t>(rows.size()), rows.data()));
    std::free(info);
  }

 private:
  void WriteRun(const TextPiece& piece, Point origin, uint8_t charset, std::string& bytes, std::vector<int16_t>& dx) {
    std::string face = text_.Face(piece.face);
    const auto escapement = static_cast<int16_t>(TenthsOfDegrees(piece.rotation));
    U_FONT* font = U_FONT_set(static_cast<int16_t>(-Units(piece.size)), 0, escapement, escapement,
                              piece.bold ? U_FW_BOLD : U_FW_NORMAL, piece.italic, piece.underline, 0, charset,
                              U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                              U_DEFAULT_PITCH | U_FF_DONTCARE, face.data());
    uint32_t handle = 0;
    Append(wcreatefontindirect_set(&handle, wht_, font));
    std::free(font);
    Append(wselectobject_set(handle, wht_));
    Append(U_WMRSETTEXTCOLOR_set(Colour(piece.color)));
    const U_RECT16 none{0, 0, 0, 0};
    Append(U_WMREXTTEXTOUT_set(At(origin), static_cast<int16_t>(bytes.size()), 0, bytes.data(), dx.data(), none));
    Append(wselectobject_set(nullPen_, wht_));  // any object, so that the font is not selected when deleted
    Append(wdeleteobject_set(&handle, wht_));
  }

  int16_t Units(double points) const {
    return static_cast<int16_t>(std::lround(std::clamp(points * unitsPerPoint_, -32767.0, 32767.0)));
  }
  U_POINT16 At(Point p) const { return point16_set(Units(p.x), Units(p.y)); }

  void Append(char* record) {
    if (!record || wmf_append(reinterpret_cast<U_METARECORD*>(record), wt_, 1) != 0) ok_ = false;
  }

  WmfText text_;
  double unitsPerPoint_ = 20;
  WMFTRACK* wt_ = nullptr;
  WMFHANDLES* wht_ = nullptr;
  uint32_t nullPen_ = 0, nullBrush_ = 0;
  bool ok_ = true;
};

}  // namespace

std::wstring WriteWmf(const Scene& scene, const std::string& file) {
  WmfSink sink(scene, file);
  return WriteThrough(sink, scene, file);
}

}  // namespace plx::pictures
